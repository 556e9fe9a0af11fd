#include "MonitorRunWatch.h"

#include "AlarmTripChecks.h"
#include "DriveCommandSender.h"
#include "InverterInfo.h"
#include "MonitorItems.h"
#include "MonitorReader.h"

MonitorRunWatch::MonitorRunWatch(MonitorReader &reader, AlarmTripChecks &checks, MonitorRunFlags &flags)
    : m_reader(reader), m_checks(checks), m_flags(flags)
{
}

void MonitorRunWatch::armSlots()
{
    m_reader.refreshSlot(AlarmSlot, m_checks.AlarmChk ? QStringLiteral("FC91") : QString());
    m_reader.refreshSlot(TripSlot, m_checks.TripChk ? QStringLiteral("FC90") : QString());
}

void MonitorRunWatch::startRun(const MonitorRunSettings &settings, MonitorRunCallbacks &callbacks)
{
    m_checks.startRun();
    m_sampleIntervalMs = settings.sampleIntervalMs;
    m_stoppedByTrip = false;
    m_failedReads = 0;
    m_failedCommands = 0;
    callbacks.checks = [this](MonitorSample &) { check(); };
    callbacks.driveCommand = [this](DriveCommand command) { sendCommand(command); };
}

void MonitorRunWatch::check()
{
    bool failed = false;
    m_alarmFailed = m_tripFailed = false;
    // A read the drive did not answer leaves the label as the last answer set it: a lost
    // frame is neither "no alarm" nor "no trip".
    if (m_checks.AlarmChk) {
        const QString raw = m_reader.ReadMonitorItem(AlarmSlot, failed);
        m_alarmFailed = failed;
        if (failed)
            ++m_failedReads;
        else
            m_checks.CheckAlarm(raw);
    }
    if (m_checks.TripChk) {
        const QString raw = m_reader.ReadMonitorItem(TripSlot, failed);
        m_tripFailed = failed;
        if (failed) {
            ++m_failedReads;
        } else if (m_checks.CheckTrip(raw) && !m_flags.StopRequested) {
            m_flags.StopRequested = true;
            m_stoppedByTrip = true;
        }
    }
}

bool MonitorRunWatch::request(DriveCommand command)
{
    if (!m_sender || !m_sender->available())
        return false;
    if (!m_sender->clearCommand())
        ++m_failedCommands;
    (command == DriveCommand::Run ? m_flags.DriveRunRequest : m_flags.DriveStopRequest) = true;
    return true;
}

void MonitorRunWatch::sendCommand(DriveCommand command)
{
    if (!m_sender)
        return;
    const auto kind = command == DriveCommand::Run ? DriveCommandSender::Kind::Run : DriveCommandSender::Kind::Stop;
    if (!m_sender->sendDuringRun(kind, m_sampleIntervalMs))
        ++m_failedCommands;
}

bool MonitorRunWatch::finishRun()
{
    return m_checks.finishRun();
}

void MonitorRunWatch::CollectTripReport(InverterInfo &info, const IniFile &language, const QString &typeName,
                                        const MonitorItemList &items, TransferReport &report)
{
    // Without an [InverterInfo] section (message 8 shown) the item values are still worth
    // having: they are what the drive showed at the trip.
    info.CollectInverterInfo(language, typeName, report);
    QList<InverterInfo::MonitorItem> list;
    for (const MonitorItem &item : items.items)
        list.append({item.code, item.name});
    info.CollectTripValues(language, list, report);
}
