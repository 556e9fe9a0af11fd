#pragma once

#include <QObject>

class MonitorPrintCommand;
class TMain;
class TMonitoring;
class Prompter;

// The main window's "Monitor" command (menu "Monitoring", tool button ToolBmon) and what the
// monitoring window asks of the main window: the "Monitoring" menu is disabled while the
// window is visible, and the main window's commands while a run goes on.
class MonitorCommands : public QObject
{
    Q_OBJECT

public:
    MonitorCommands(TMain &main, Prompter &prompter);

    /// Creates the monitoring window once the drive and the line exist.
    void create();
    TMonitoring *window() const { return m_window; }
    /// The window's "Print" (made with the window).
    MonitorPrintCommand *printCommand() const { return m_print; }

    void MonChartClick();

private:
    void placeUnderMain();
    void windowShown(bool visible);
    void runChanged(bool running);
    void setMonitoringMenu(bool enabled);

    TMain &m_main;
    Prompter &m_prompter;
    TMonitoring *m_window = nullptr;
    MonitorPrintCommand *m_print = nullptr;
    bool m_placed = false;
};
