#include "MonitorPrintCommand.h"

#include "PrintCommands.h"
#include "TPrintWindowM.h"
#include "app/Session.h"
#include "main/TMain.h"
#include "monitor/MonitorChart.h"
#include "monitor/MonitorDisplayTab.h"
#include "monitor/TMonitoring.h"
#include "monitor/UpDownEdit.h"
#include "report/MonitorReport.h"
#include "report/MonitorReportSource.h"

#include <QCheckBox>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <qcustomplot.h>

namespace {

// The chart goes into the report at twice the design's 709 × 273 pixels, sharp on paper.
constexpr int PictureWidth = 1418, PictureHeight = 546;

QColor fromBgr(int bgr)
{
    return QColor(BgrColor::red(bgr), BgrColor::green(bgr), BgrColor::blue(bgr));
}

}  // namespace

MonitorPrintCommand::MonitorPrintCommand(TMain &main, Prompter &prompter)
    : QObject(&main)
    , m_main(main)
    , m_prompter(prompter)
    , m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
}

MonitorPrintCommand::~MonitorPrintCommand() = default;

void MonitorPrintCommand::attach(TMonitoring &window)
{
    m_window = &window;
    connect(window.display()->MonPrint, &QPushButton::clicked, this, &MonitorPrintCommand::PrintMonitor);
    connect(&window, &TMonitoring::runningChanged, this, [this](bool running) {
        m_running = running;
        refreshPrintButton();
    });
    refreshPrintButton();
}

void MonitorPrintCommand::refreshPrintButton()
{
    if (m_window)
        m_window->display()->MonPrint->setEnabled(!m_running && !m_main.printing()->printerMissing());
}

TPrintWindowM &MonitorPrintCommand::previewWindow()
{
    if (!m_preview) {
        Session &s = m_main.session();
        m_preview = new TPrintWindowM(s.language, s.messages, m_prompter, *m_printer, &m_main);
        connect(m_preview, &TPrintWindow::activated, this, [this] { m_main.ParaTableAct = false; });
    }
    return *m_preview;
}

QImage MonitorPrintCommand::chartPicture()
{
    // Drawn on white whatever the chart's back colour, which it gets back at once.
    MonitorChart *chart = m_window->display()->Chart2;
    chart->setBackColor(Qt::white);
    const QImage picture = chart->plot()->toPixmap(PictureWidth, PictureHeight).toImage();
    chart->setBackColor(fromBgr(m_main.session().options.value(Opt::MonCB)));
    return picture;
}

ReportDocument MonitorPrintCommand::monitorReport(QImage *picture)
{
    Session &s = m_main.session();
    const TMonitoring &w = *m_window;
    const MonitorDisplayTab *d = w.display();
    MonitorReportData data = MonitorReportSource::collect(w.setup(), w.recording(), w.items(), s.data, s.language);
    data.timeCaption = d->Label22->text();
    data.timeUnit = d->Label23->text();
    data.scopeCaption = d->Label24->text();
    data.scopeUnit = d->ScopeUnit->text();
    const bool continuous = s.options.on(Opt::CntMon) && !d->TimeFixed->text().isEmpty();
    data.timePerDivision = continuous ? d->TimeFixed->text() : d->Chart2->timePerDivision();
    // Before the first run the chart shows no time base yet: the one set in "Time" holds.
    if (data.timePerDivision.isEmpty())
        data.timePerDivision = d->TimeVal->text();
    data.scope = d->ZoomVal->text();
    // Continuous mode hides the trigger, and a hidden trigger is off.
    data.trigger = data.trigger && d->Trigger->isChecked() && !d->Trigger->isHidden();
    // The alarm and trip reads take a channel slot each; their channels are not listed.
    data.armedChecks = qBound(0, w.ReadsPerSample() - w.setup().selectedCount(), 2);
    if (picture)
        *picture = chartPicture();
    return MonitorReport::layout(m_main.printing()->pageSetup(), ReportHeader::forDrive(s.language.ini(), s.selection),
                                 data);
}

void MonitorPrintCommand::PrintMonitor()
{
    if (!m_window || m_window->running())
        return;
    QImage picture;
    const ReportDocument doc = monitorReport(&picture);
    previewWindow().showReport(doc, picture);
}
