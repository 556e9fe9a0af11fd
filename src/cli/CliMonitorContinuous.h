#pragma once

#include "monitor/ContinuousTable.h"
#include "monitor/MonitorRun.h"

#include <QCommandLineOption>
#include <QList>
#include <QStringList>

class CliDrive;
class CliParser;

// "--continuous" of vkr monitor: the run is the monitoring window's continuous monitoring. It
// samples every --sampling-time seconds for --record-time minutes (or until Ctrl+C or SIGTERM)
// and appends each sample to the continuous table named by --out FILE.csv as it is taken, the
// head written before the first sample: the same bytes the window writes.
class CliMonitorContinuous
{
public:
    static QList<QCommandLineOption> options();

    /// Takes the options and checks them against the rest of the command line: --out names a
    /// .csv file, and --samples, --duration and --interval-ms do not go with it. A usage
    /// error's exit code, or CliParser::Continue.
    int readOptions(const CliParser &cli);
    bool isSet() const { return !m_path.isEmpty(); }
    int intervalMs() const { return m_seconds * 1000; }

    /// Writes the head for the channels of `setup`, named by `itemNames` (by item index).
    /// Returns an ExitCode (FileFailed with the reason on stderr).
    int begin(const CliDrive &drive, const MonitorSetup &setup, const QStringList &itemNames);
    /// The run's time base and silence limit, and its lines going into the table.
    void attach(MonitorRunSettings &settings, MonitorRunCallbacks &callbacks);
    /// Closes the table. ExitCode::FileFailed with the reason on stderr when a line was not
    /// written (the run ended there) or the file did not close cleanly.
    int finish(MonitorRun::Ending ending);

private:
    int fail();

    QString m_path;
    int m_minutes = 120;
    int m_seconds = 10;
    ContinuousTable m_table;
};
