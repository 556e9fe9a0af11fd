#pragma once

#include <QString>

class AlarmTripLists;

// The alarm and trip watch of a monitoring run: which checks are armed, the alarm and trip
// labels over the chart, and whether the drive tripped. The run loop reads the alarm word
// (FC91) and the trip code (FC90) once per sample and hands the raw values here; the checks
// tell it when a trip ends the run and whether the trip report is to be made afterwards.
class AlarmTripChecks
{
public:
    /// The three display options as checked in the options window.
    struct Options {
        bool displayAlarm = true;     // "Display Alarm"
        bool displayTrip = true;      // "Display Trip"
        bool displayTripData = true;  // "Display Data at Trip"
    };
    /// Which of those options can be used at all.
    struct Enabled {
        bool displayAlarm = false;
        bool displayTrip = false;
        bool displayTripData = false;
    };

    /// The options are usable only when the drive type lists alarms (trips) and the
    /// parameter table holds FC91 (FC90); the trip data also need "Display Trip" checked.
    static Enabled enabledOptions(const AlarmTripLists &lists, bool tableHasFC91, bool tableHasFC90,
                                  bool displayTripChecked);

    explicit AlarmTripChecks(const AlarmTripLists &lists) : m_lists(lists) {}

    /// Arms the checks from the options that are both checked and enabled.
    void Arm(const Options &checked, const Enabled &enabled);

    bool AlarmChk = false;   // "Alarm Check": the alarm word is read once per sample
    bool TripChk = false;    // "Trip Check": the trip code is read once per sample
    bool TripDatas = false;  // "Trip Datas": a trip ends the run and its data are collected
    bool Tripped = false;    // a non-zero trip code was read during the run

    QString alarmLabel;
    QString tripLabel;

    /// Channels given up to the checks, counted from CH10 down: 0, 1 (CH10) or 2 (CH9, CH10).
    int hiddenChannels() const { return m_hidden; }
    /// Extra reads per sample.
    int extraReads() const { return (AlarmChk ? 1 : 0) + (TripChk ? 1 : 0); }

    /// A run starts: no trip seen yet.
    void startRun() { Tripped = false; }
    /// One sample's alarm word, as the decimal text of the read (signed or not by the item).
    void CheckAlarm(const QString &raw);
    /// One sample's trip code. True when the run must end after this sample.
    bool CheckTrip(const QString &raw);
    /// The run ended: the labels are emptied. True when the trip report is to be collected.
    bool finishRun();

private:
    const AlarmTripLists &m_lists;
    int m_hidden = 0;
};
