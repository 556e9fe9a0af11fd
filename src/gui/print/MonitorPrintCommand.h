#pragma once

#include "report/ReportDocument.h"

#include <QImage>
#include <QObject>
#include <memory>

class Prompter;
class QPrinter;
class TMain;
class TMonitoring;
class TPrintWindowM;

// The monitoring window's "Print" (PrintMonitor): the monitor report of the recording the
// window shows, laid out under the page set-up of the parameter list, previewed in
// "Monitoring Print" and printed from there. "Print" is usable while no run goes on and,
// with "Check the Printer connection" on, only when a printer is installed.
class MonitorPrintCommand : public QObject
{
    Q_OBJECT

public:
    MonitorPrintCommand(TMain &main, Prompter &prompter);
    ~MonitorPrintCommand() override;

    /// Wires the window's "Print" button.
    void attach(TMonitoring &window);
    void PrintMonitor();
    /// The report of what the window shows; `picture` gets its chart on white.
    ReportDocument monitorReport(QImage *picture);
    TPrintWindowM &previewWindow();
    QPrinter &printer() { return *m_printer; }
    /// Enables "Print" by the run state and the printer check.
    void refreshPrintButton();

private:
    QImage chartPicture();

    TMain &m_main;
    Prompter &m_prompter;
    TMonitoring *m_window = nullptr;
    std::unique_ptr<QPrinter> m_printer;
    TPrintWindowM *m_preview = nullptr;
    bool m_running = false;
};
