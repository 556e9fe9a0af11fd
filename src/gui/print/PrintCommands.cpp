#include "PrintCommands.h"

#include "ReportFonts.h"
#include "TPrintSetWindow.h"
#include "TPrintWindow.h"
#include "base/Prompter.h"
#include "main/TMain.h"
#include "paramtable/TParameter.h"
#include "report/ParameterReport.h"

#include <QAction>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

PrintCommands::PrintCommands(TMain &main, Prompter &prompter)
    : QObject(&main)
    , m_main(main)
    , m_prompter(prompter)
    , m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
}

PrintCommands::~PrintCommands() = default;

TPrintSetWindow &PrintCommands::setWindow()
{
    if (!m_setWindow) {
        m_setWindow = new TPrintSetWindow(m_main.session(), m_prompter, &m_main);
        connect(m_setWindow, &TPrintSetWindow::activated, this, [this] { m_main.ParaTableAct = false; });
    }
    return *m_setWindow;
}

TPrintWindow &PrintCommands::previewWindow()
{
    if (!m_previewWindow) {
        Session &s = m_main.session();
        m_previewWindow = new TPrintWindow(s.language, s.messages, m_prompter, *m_printer, &m_main);
        connect(m_previewWindow, &TPrintWindow::activated, this, [this] { m_main.ParaTableAct = false; });
        connect(m_previewWindow, &TPrintWindow::closed, this, [this] { enablePrintCommands(!printerMissing()); });
    }
    return *m_previewWindow;
}

void PrintCommands::enablePrintCommands(bool enabled)
{
    m_main.setCommandEnabled(QStringLiteral("PrintSetup"), enabled);
    m_main.setCommandEnabled(QStringLiteral("Print"), enabled);
}

void PrintCommands::PrintSetupClick()
{
    TPrintSetWindow &window = setWindow();
    if (m_main.CommentsChk)
        window.setComment(m_main.CommentsText);
    emit setWindowOpening(&window);
    window.exec();
    m_prompter.pump();
    m_printer->setPageOrientation(window.setup().portrait ? QPageLayout::Portrait : QPageLayout::Landscape);
}

PageSetup PrintCommands::pageSetup()
{
    PageSetup setup = setWindow().setup();
    if (setup.fontName.isEmpty())
        setup.fontName = ReportFonts::familyOf(setup.fontIndex, m_main.session().selection.languageName);
    return setup;
}

bool PrintCommands::printerMissing() const
{
    return m_main.session().options.on(Opt::PrinterChk) && QPrinterInfo::availablePrinterNames().isEmpty();
}

void PrintCommands::checkPrinterConnection()
{
    const bool usable = !printerMissing() && (!m_previewWindow || !m_previewWindow->isVisible());
    enablePrintCommands(usable);
}

ReportDocument PrintCommands::parameterReport()
{
    Session &s = m_main.session();
    const PageSetup setup = pageSetup();
    ParameterGridRows::Switches switches;
    if (TParameter *table = m_main.table()) {
        switches.changedOnly = table->item(QStringLiteral("PopChgDisp"))->isChecked();
        switches.blind = table->item(QStringLiteral("PopBlind"))->isChecked();
        switches.quick = table->item(QStringLiteral("PopQuick"))->isChecked();
    }
    return ParameterReport::layout(setup, ReportHeader::forDrive(s.language.ini(), s.selection),
                                   ParameterReport::titles(s.messages),
                                   ParameterReport::rows(s.data, s.messages, switches));
}

void PrintCommands::PrintClick()
{
    const ReportDocument doc = parameterReport();
    enablePrintCommands(false);
    previewWindow().showReport(doc);
}

void PrintCommands::PrinterSetupClick()
{
    QPrintDialog dialog(m_printer.get(), &m_main);
    dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize);
    dialog.exec();
    m_prompter.pump();
}
