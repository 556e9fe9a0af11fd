#include "MonitorSetup.h"

#include "MonitorTiming.h"
#include "app/DriveSelection.h"
#include "app/Settings.h"
#include "model/NumberText.h"

#include <algorithm>
#include <cmath>

MonitorSetup MonitorSetup::defaults()
{
    MonitorSetup setup;
    for (int c = 0; c < Channels; ++c) {
        MonitorChannel &ch = setup.channels[size_t(c)];
        ch.selected = c < 5;
        ch.item = c;
        ch.color = Keys::MonitorChannelColors[c];
    }
    return setup;
}

int MonitorSetup::selectedCount(int shown) const
{
    int n = 0;
    for (int c = 0; c < std::min(shown, Channels); ++c)
        n += channels[size_t(c)].selected ? 1 : 0;
    return n;
}

MonitorEntry MonitorEntry::check(const QString &text, double low, double high)
{
    MonitorEntry entry;
    const auto value = NumberText::parse(text);
    if (!value) {
        entry.status = Status::NotNumber;
        return entry;
    }
    entry.value = *value;
    if (*value < low || *value > high) {
        entry.status = Status::OutOfRange;
        entry.value = *value < low ? low : high;
    }
    return entry;
}

QString MultiplierText(int tenths)
{
    return NumberText::fixed(tenths / 10.0, 1);
}

QString TimePerDivisionText(double seconds)
{
    return NumberText::fixed(seconds, 1);
}

namespace {

// An entry restored as if typed: a number outside the range takes the nearest limit, a text
// that is not a number leaves `current` as it is.
double restored(const QString &text, double low, double high, double current)
{
    const MonitorEntry entry = MonitorEntry::check(text, low, high);
    return entry.status == MonitorEntry::Status::NotNumber ? current : entry.value;
}

int restoredWhole(const QString &text, int low, int high, int current)
{
    return int(NumberText::truncate(restored(text, low, high, current)));
}

void restoreChannel(const Settings &settings, int itemCount, int c, MonitorChannel &ch)
{
    const int n = c + 1;
    ch.item = settings.monitorItem(n);
    if (ch.item < 0 || ch.item >= itemCount)
        ch.item = 0;
    ch.unitChange = settings.monitorUnit(n);
    const double multiplier = restored(settings.monitorMultiplier(n), 0.1, 10.0, ch.multiplier());
    ch.multiplierTenths = int(std::lround(multiplier * 10));
    ch.offset = restoredWhole(settings.monitorOffset(n), MonitorChannel::OffsetMin, MonitorChannel::OffsetMax, ch.offset);
    ch.color = settings.monitorColor(n);
    ch.selected = settings.monitorSelected(n);
}

}  // namespace

void RestoreMonitorSetup(Settings &settings, const DriveSelection &drive, int itemCount,
                         double lowestTimePerDivisionS, MonitorSetup &setup)
{
    settings.eraseMonitorIfOtherDrive(drive.typeName, drive.cpuVersion);
    setup = MonitorSetup::defaults();
    for (int c = 0; c < MonitorSetup::Channels; ++c)
        restoreChannel(settings, itemCount, c, setup.channels[size_t(c)]);
    const auto time = MonitorTiming::CheckTimePerDivision(settings.get(Keys::MonTime),
                                                          int(std::lround(lowestTimePerDivisionS * 1000)));
    if (time.status != MonitorTiming::TimePerDivisionEntry::Status::NotNumber)
        setup.timePerDivisionS = time.ms / 1000.0;
    setup.valueMax = restoredWhole(settings.get(Keys::MonMax), 100, 500, setup.valueMax);
    setup.zoom = settings.get(Keys::MonZoom);
    setup.triggerChannel = qBound(0, settings.get(Keys::MonTrigCh), MonitorSetup::Channels - 1);
    setup.triggerSlope = TriggerSlope(qBound(0, settings.get(Keys::MonTrigSlope), 2));
    setup.triggerLevel = restoredWhole(settings.get(Keys::MonTrigLv), 0, 500, setup.triggerLevel);
    setup.triggerDelayPercent = restoredWhole(settings.get(Keys::MonTrigPos), 0, 100, setup.triggerDelayPercent);
    setup.useTrigger = settings.get(Keys::MonTrig);
}

void SaveMonitorSetup(Settings &settings, const DriveSelection &drive, const MonitorSetup &setup)
{
    // Saved at every deactivation of the monitoring window: one replace of the file, not 71.
    settings.beginBatch();
    settings.set(Keys::Inv1, drive.typeName);
    settings.set(Keys::Inv2, drive.formName);
    settings.set(Keys::Inv3, drive.cpuVersion);
    for (int c = 0; c < MonitorSetup::Channels; ++c) {
        const MonitorChannel &ch = setup.channels[size_t(c)];
        settings.setMonitorChannel(c + 1, ch.item, ch.unitChange, MultiplierText(ch.multiplierTenths),
                                   QString::number(ch.offset), ch.color, ch.selected);
    }
    settings.set(Keys::MonMax, QString::number(setup.valueMax));
    settings.set(Keys::MonZoom, setup.zoom);
    settings.set(Keys::MonTrig, setup.useTrigger);
    settings.set(Keys::MonTrigCh, setup.triggerChannel);
    settings.set(Keys::MonTrigSlope, int(setup.triggerSlope));
    settings.set(Keys::MonTrigLv, QString::number(setup.triggerLevel));
    settings.set(Keys::MonTrigPos, QString::number(setup.triggerDelayPercent));
    settings.set(Keys::MonTime, TimePerDivisionText(setup.timePerDivisionS));
    settings.commitBatch();
}
