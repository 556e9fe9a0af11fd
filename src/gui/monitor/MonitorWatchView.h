#pragma once

#include "monitor/AlarmTripChecks.h"
#include "monitor/MonitorRun.h"

#include <QObject>
#include <memory>

class DriveCommandSender;
class MonitorRunWatch;
class QAction;
class TMonitoring;
class TResultForm1;

// The monitoring window's alarm and trip display and its drive commands: arming the checks
// from the options (which gives CH10, or CH9 and CH10, to them), the alarm and trip labels
// over the chart during a run, the trip report after a run that a trip ended, and "Inverter
// Run" (Shift+F9) and "Inverter Stop" (F9). The checks and commands themselves are the
// core's MonitorRunWatch.
class MonitorWatchView : public QObject
{
    Q_OBJECT

public:
    explicit MonitorWatchView(TMonitoring &window);
    ~MonitorWatchView() override;

    /// The window's line or drive changed: the reads and writes go through the new reader.
    void linkChanged();
    /// ArmAlarmTripChecks: arms the checks from "Display Alarm", "Display Trip" and "Display
    /// Data at Trip" where they are checked and enabled, fills read slots 10 and 11 and hides
    /// the channels given up to them. The caller evaluates the channel selection afterwards.
    void ArmAlarmTripChecks();
    const AlarmTripChecks &checks() const { return *m_checks; }
    /// The window was activated: the two drive commands follow "Inverter RUN/STOP control".
    void enableDriveCommands();
    /// The mean time of one exchange measured at the last activation, in milliseconds.
    void setMeanExchangeMs(int ms) { m_meanExchangeMs = ms; }

    /// A run starts: the checks and commands join its callbacks.
    void startRun(const MonitorRunSettings &settings, MonitorRunCallbacks &callbacks);
    /// After each sample: the labels show the checks' texts.
    void sampleTaken();
    /// The run ended: the labels are emptied and, after a trip that ended it, the trip report
    /// is collected and shown.
    void finishRun();

    QAction *InvRun = nullptr;   // "Inverter Run", Shift+F9
    QAction *InvStop = nullptr;  // "Inverter Stop", F9

signals:
    /// The trip report is about to be shown modally.
    void tripReportOpening(TResultForm1 *result);

private:
    void driveCommand(DriveCommand command);
    void showTripReport();

    TMonitoring &m_w;
    std::unique_ptr<AlarmTripChecks> m_checks;
    std::unique_ptr<DriveCommandSender> m_sender;
    std::unique_ptr<MonitorRunWatch> m_watch;
    int m_meanExchangeMs = 0;
};
