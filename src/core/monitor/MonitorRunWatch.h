#pragma once

#include "MonitorRun.h"

#include <QList>
#include <QString>

class AlarmTripChecks;
class DriveCommandSender;
class IniFile;
class InverterInfo;
class MonitorReader;
class TransferReport;
struct MonitorItemList;

// What a monitoring run does besides its channels: the alarm word (FC91, read slot 10) and the
// trip code (FC90, read slot 11) read once per sample after the channels, a trip ending the run
// when "Trip Datas" is armed, and the RUN and STOP commands the user asked for sent after the
// checks. Attached to a MonitorRun through its callbacks; the window and `vkr monitor` share it.
class MonitorRunWatch
{
public:
    static constexpr int AlarmSlot = 10;
    static constexpr int TripSlot = 11;

    MonitorRunWatch(MonitorReader &reader, AlarmTripChecks &checks, MonitorRunFlags &flags);

    /// Fills slot 10 from FC91 when "Alarm Check" is armed and slot 11 from FC90 when "Trip
    /// Check" is, and empties them otherwise.
    void armSlots();
    /// The RUN and STOP commands of the next run go through `sender` (none: not available).
    void setDriveCommands(DriveCommandSender *sender) { m_sender = sender; }

    /// A run starts with `settings`: no trip seen yet. Installs the checks and the command
    /// sending into `callbacks`.
    void startRun(const MonitorRunSettings &settings, MonitorRunCallbacks &callbacks);
    /// The checks of one sample: the alarm word, then the trip code. A trip with "Trip
    /// Datas" armed sets StopRequested, so the run ends after this sample.
    void check();
    /// "Inverter Run" or "Inverter Stop" while the run goes on: FA11 is cleared at once and
    /// the request waits for the next sample. False when no command can be sent.
    bool request(DriveCommand command);
    /// The run ended: the labels are emptied. True when the trip report is to be made.
    bool finishRun();

    /// Whether the last run's trip ended it.
    bool stoppedByTrip() const { return m_stoppedByTrip; }
    /// Whether the last sample's alarm (trip) read went unanswered; its label then stays.
    bool alarmReadFailed() const { return m_alarmFailed; }
    bool tripReadFailed() const { return m_tripFailed; }
    /// Alarm or trip reads of the last run that the drive did not answer.
    int failedReads() const { return m_failedReads; }
    /// RUN or STOP writes of the last run that the drive did not answer.
    int failedCommands() const { return m_failedCommands; }

    /// The report after a trip: the inverter information, then the trip data title first and
    /// the value of every monitor item (all items, not only those on channels).
    static void CollectTripReport(InverterInfo &info, const IniFile &language, const QString &typeName,
                                  const MonitorItemList &items, TransferReport &report);

private:
    void sendCommand(DriveCommand command);

    MonitorReader &m_reader;
    AlarmTripChecks &m_checks;
    MonitorRunFlags &m_flags;
    DriveCommandSender *m_sender = nullptr;
    double m_sampleIntervalMs = 0;
    bool m_stoppedByTrip = false;
    bool m_alarmFailed = false;
    bool m_tripFailed = false;
    int m_failedReads = 0;
    int m_failedCommands = 0;
};
