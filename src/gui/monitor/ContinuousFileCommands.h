#pragma once

#include "monitor/ContinuousTable.h"
#include "monitor/MonitorRun.h"
#include "monitor/MonitorTiming.h"

class TMonitoring;

// "Start" in continuous mode: the note on record time, sampling time and file size, the
// table file's dialog, the head written before the first sample, a line appended for every
// sample, and the file closed at the run's end. Cancelling the note or the dialog starts
// nothing; a line that cannot be written ends the run and is reported with the file's name.
class ContinuousFileCommands
{
public:
    explicit ContinuousFileCommands(TMonitoring &window);

    /// The continuous time base from "Record Time (min)", "Sampling Time (s/point)" and the
    /// window's PointsPerChannel.
    static MonitorTiming::Continuous timeBase(const TMonitoring &window);
    /// The time per division shown in continuous mode, in seconds.
    static QString timePerDivisionText(const TMonitoring &window);

    /// Asks the note and the file and writes the head. False when the user cancelled or the
    /// head could not be written (reported).
    bool begin();
    /// The run's time base and silence limit, and its lines going into the table.
    void attach(MonitorRunSettings &settings, MonitorRunCallbacks &callbacks);
    /// Closes the table; a line or a close that failed is reported.
    void finish(MonitorRun::Ending ending);

    const QString &path() const { return m_table.path(); }

private:
    void reportFailure();

    TMonitoring &m_w;
    ContinuousTable m_table;
    int m_minutes = 0;
    int m_seconds = 0;
    MonitorTiming::Continuous m_base;
};
