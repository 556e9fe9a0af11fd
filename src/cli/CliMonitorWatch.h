#pragma once

#include "monitor/AlarmTripChecks.h"
#include "monitor/MonitorRun.h"

#include <QCommandLineOption>
#include <QList>
#include <QStringList>
#include <memory>

class CliDrive;
class CliParser;
class CommExchange;
class CommSettings;
class DriveData;
class MonitorReader;
class MonitorRunWatch;
class SerialPort;
struct MonitorItemList;

// The alarm and trip watch of `vkr monitor`: --alarms and --trips read the alarm word (FC91)
// and the trip code (FC90) once per sample after the items and add their names as columns;
// --stop-on-trip ends the run at the first sample that reads a trip and prints the trip report.
class CliMonitorWatch
{
public:
    CliMonitorWatch();
    ~CliMonitorWatch();

    static QList<QCommandLineOption> options();
    /// Takes the options; a usage error (its exit code) when the drive lists no alarms or trips
    /// or its table lacks FC91 or FC90. CliParser::Continue otherwise.
    int readOptions(const CliParser &cli, const MonitorItemList &items, const DriveData &data);

    /// Reads each sample adds to the items' reads.
    int extraReads() const { return m_checks ? m_checks->extraReads() : 0; }
    QStringList headerFields() const;
    /// The alarm names (each followed by ",") and the trip name of the last sample; ERR where
    /// the read went unanswered.
    QStringList sampleFields() const;

    /// Joins the run: reads slots 10 and 11 of `reader` after the items.
    void attach(MonitorReader &reader, MonitorRunFlags &flags, const MonitorRunSettings &settings,
                MonitorRunCallbacks &callbacks);
    /// After the run. When a trip ended it, prints the trip report (as the result window saves
    /// it) on stderr and returns ExitCode::Tripped; ExitCode::Ok otherwise.
    int finish(CliDrive &drive, const MonitorItemList &items, CommExchange &exchange, SerialPort &port,
               CommSettings &settings);

private:
    std::unique_ptr<AlarmTripChecks> m_checks;
    std::unique_ptr<MonitorRunWatch> m_watch;
};
