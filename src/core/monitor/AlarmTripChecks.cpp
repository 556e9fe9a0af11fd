#include "AlarmTripChecks.h"

#include "AlarmTripLists.h"
#include "model/NumberText.h"

AlarmTripChecks::Enabled AlarmTripChecks::enabledOptions(const AlarmTripLists &lists, bool tableHasFC91,
                                                         bool tableHasFC90, bool displayTripChecked)
{
    Enabled e;
    e.displayAlarm = lists.hasAlarms() && tableHasFC91;
    e.displayTrip = lists.hasTrips() && tableHasFC90;
    e.displayTripData = e.displayTrip && displayTripChecked;
    return e;
}

void AlarmTripChecks::Arm(const Options &checked, const Enabled &enabled)
{
    AlarmChk = checked.displayAlarm && enabled.displayAlarm;
    TripChk = checked.displayTrip && enabled.displayTrip;
    TripDatas = checked.displayTripData && enabled.displayTripData;
    m_hidden = AlarmChk && TripChk ? 2 : (AlarmChk || TripChk ? 1 : 0);
}

void AlarmTripChecks::CheckAlarm(const QString &raw)
{
    alarmLabel = m_lists.alarmText(NumberText::leadingWhole(raw));
}

bool AlarmTripChecks::CheckTrip(const QString &raw)
{
    if (NumberText::leadingWhole(raw) <= 0) {
        tripLabel.clear();
        return false;
    }
    Tripped = true;
    tripLabel = m_lists.tripLabel(raw);
    return TripDatas;
}

bool AlarmTripChecks::finishRun()
{
    alarmLabel.clear();
    tripLabel.clear();
    return TripDatas && Tripped;
}
