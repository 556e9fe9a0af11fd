#pragma once

#include "report/PageSetup.h"
#include "report/ReportDocument.h"

#include <QObject>
#include <memory>

class Prompter;
class QPrinter;
class TMain;
class TPrintSetWindow;
class TPrintWindow;

// The main window's printing: "Page Setup", "Print" (the parameter list as the table shows
// it, previewed first) and the hidden "Printer Setup". The page set-up window is made on first
// use and then kept, so its values hold for the whole run.
class PrintCommands : public QObject
{
    Q_OBJECT

public:
    PrintCommands(TMain &main, Prompter &prompter);
    ~PrintCommands() override;

    void PrintSetupClick();
    void PrintClick();
    void PrinterSetupClick();

    TPrintSetWindow &setWindow();
    TPrintWindow &previewWindow();
    QPrinter &printer() { return *m_printer; }
    /// The parameter list under the current page set-up and table display.
    ReportDocument parameterReport();
    /// The page set-up window's values with the report font named.
    PageSetup pageSetup();
    /// With "Check the Printer connection" on and no printer installed, "Page Setup", "Print"
    /// and the monitoring window's "Print" cannot be used.
    bool printerMissing() const;
    /// Enables or disables "Page Setup" and "Print" by printerMissing().
    void checkPrinterConnection();

signals:
    /// The page set-up window is about to be shown modally (tests script it from here).
    void setWindowOpening(TPrintSetWindow *window);

private:
    void enablePrintCommands(bool enabled);

    TMain &m_main;
    Prompter &m_prompter;
    std::unique_ptr<QPrinter> m_printer;
    TPrintSetWindow *m_setWindow = nullptr;
    TPrintWindow *m_previewWindow = nullptr;
};
