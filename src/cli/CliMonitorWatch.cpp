#include "CliMonitorWatch.h"

#include "CliDrive.h"
#include "CliParser.h"
#include "ExitCodes.h"
#include "app/InverterCatalog.h"
#include "base/CodePage.h"
#include "base/IniFile.h"
#include "comm/CommExchange.h"
#include "comm/DetectExchange.h"
#include "monitor/InverterInfo.h"
#include "monitor/MonitorItems.h"
#include "monitor/MonitorReader.h"
#include "monitor/MonitorRunWatch.h"
#include "transfer/TransferReport.h"

#include <cstdio>

namespace {
const QString Alarms = QStringLiteral("alarms");
const QString Trips = QStringLiteral("trips");
const QString StopOnTrip = QStringLiteral("stop-on-trip");
const QString NotAnswered = QStringLiteral("ERR");
}  // namespace

CliMonitorWatch::CliMonitorWatch() = default;
CliMonitorWatch::~CliMonitorWatch() = default;

QList<QCommandLineOption> CliMonitorWatch::options()
{
    return {
        QCommandLineOption(Alarms, QStringLiteral("Also read the alarm word (FC91) once per sample, after the items, and "
                                                  "add a column \"alarms\" with the name of every active alarm, each "
                                                  "followed by a comma (empty: none).")),
        QCommandLineOption(Trips, QStringLiteral("Also read the trip code (FC90) once per sample, after the alarm word, "
                                                 "and add a column \"trip\" with the name of the trip (empty: none or "
                                                 "a code the drive type does not name).")),
        QCommandLineOption(StopOnTrip,
                           QStringLiteral("Implies --trips. A trip ends the run after the sample that read it; the "
                                          "trip report (inverter information and every monitor item's value at the "
                                          "trip, as the result window saves it) is printed on stderr and the exit "
                                          "code is 8.")),
    };
}

int CliMonitorWatch::readOptions(const CliParser &cli, const MonitorItemList &items, const DriveData &data)
{
    AlarmTripChecks::Options o;
    o.displayAlarm = cli.isSet(Alarms);
    o.displayTripData = cli.isSet(StopOnTrip);
    o.displayTrip = cli.isSet(Trips) || o.displayTripData;
    if (!o.displayAlarm && !o.displayTrip)
        return CliParser::Continue;
    const AlarmTripChecks::Enabled enabled = AlarmTripChecks::enabledOptions(
        items.alarmTrips, data.IndexOfComNo(u"FC91") >= 0, data.IndexOfComNo(u"FC90") >= 0, o.displayTrip);
    if (o.displayAlarm && !enabled.displayAlarm)
        return cli.usageError(QStringLiteral("--alarms: the drive type lists no alarms or has no alarm word FC91"));
    if (o.displayTrip && !enabled.displayTrip)
        return cli.usageError(QStringLiteral("--trips: the drive type lists no trips or has no trip code FC90"));
    m_checks = std::make_unique<AlarmTripChecks>(items.alarmTrips);
    m_checks->Arm(o, enabled);
    return CliParser::Continue;
}

QStringList CliMonitorWatch::headerFields() const
{
    QStringList fields;
    if (m_checks && m_checks->AlarmChk)
        fields << QStringLiteral("alarms");
    if (m_checks && m_checks->TripChk)
        fields << QStringLiteral("trip");
    return fields;
}

QStringList CliMonitorWatch::sampleFields() const
{
    QStringList fields;
    if (!m_watch)
        return fields;
    if (m_checks->AlarmChk)
        fields << (m_watch->alarmReadFailed() ? NotAnswered : m_checks->alarmLabel);
    if (m_checks->TripChk)
        fields << (m_watch->tripReadFailed() ? NotAnswered : m_checks->tripLabel);
    return fields;
}

void CliMonitorWatch::attach(MonitorReader &reader, MonitorRunFlags &flags, const MonitorRunSettings &settings,
                             MonitorRunCallbacks &callbacks)
{
    if (!m_checks)
        return;
    m_watch = std::make_unique<MonitorRunWatch>(reader, *m_checks, flags);
    m_watch->armSlots();
    m_watch->startRun(settings, callbacks);
    // The command line sends no RUN or STOP during a run: `vkr run` and `vkr stop` do that.
    callbacks.driveCommand = nullptr;
}

int CliMonitorWatch::finish(CliDrive &drive, const MonitorItemList &items, CommExchange &exchange, SerialPort &port,
                            CommSettings &settings)
{
    if (!m_watch)
        return ExitCode::Ok;
    const bool stopped = m_watch->stoppedByTrip();
    if (!m_watch->finishRun() || !stopped)
        return ExitCode::Ok;
    const DriveSelection &s = drive.selection;
    InverterCatalog catalog;
    catalog.scan(drive.folders.dataFolder, drive.folders.catalogFile());
    DetectExchange detect(port, settings);
    InverterInfo info(drive.data, exchange, detect, catalog, items.alarmTrips, drive.messages, drive.prompter);
    const IniFile language(drive.folders.languageFile(s.languageName), CodePages::forLanguage(s.languageName));
    TransferReport report;
    MonitorRunWatch::CollectTripReport(info, language, s.typeName, items, report);
    drive.printMessages();
    printError(QStringLiteral("monitor: the drive tripped; the trip report follows"));
    const QByteArray bytes = report.bytes(CodePages::forLanguage(s.languageName));
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
    return ExitCode::Tripped;
}
