#pragma once

#include <QObject>
#include <functional>

class CommExchange;
class CommPort;
class FrameItemSource;
struct CommSettings;

// Opens the port with the current settings and reads communication number "0000" to learn
// whether a drive answers. Its result enables or disables the main window's drive commands
// in three groups: transfer (import, export, selected transfers, comparison), panel (keypad,
// inverter information buttons) and information ("Inverter Info.").
class ConnectionCheck : public QObject
{
    Q_OBJECT
public:
    ConnectionCheck(CommPort &port, CommExchange &exchange, const CommSettings &settings,
                    const FrameItemSource *items = nullptr, QObject *parent = nullptr);

    void setItems(const FrameItemSource *items) { m_items = items; }
    /// MonitoringRunning: while it answers true, a check refuses at once and changes nothing.
    void setMonitoringRunning(std::function<bool()> running) { m_monitoringRunning = std::move(running); }
    /// SpDrv1: a drive in special setup answers but keeps the transfer group disabled.
    void setSpecialSetup(bool special) { m_specialSetup = special; }
    bool specialSetup() const { return m_specialSetup; }

    /// Runs the check; true when the drive answered.
    bool run();

    bool driveAnswered() const { return m_answered; }
    bool transferEnabled() const { return m_transfer; }
    bool panelEnabled() const { return m_panel; }
    bool informationEnabled() const { return m_information; }

signals:
    /// After every check that was not refused.
    void commandGroupsChanged(bool transfer, bool panel, bool information);

private:
    void setGroups(bool answered);

    CommPort &m_port;
    CommExchange &m_exchange;
    const CommSettings &m_settings;
    const FrameItemSource *m_items;
    std::function<bool()> m_monitoringRunning;
    bool m_specialSetup = false;
    bool m_answered = false;
    bool m_transfer = false;
    bool m_panel = false;
    bool m_information = false;
};
