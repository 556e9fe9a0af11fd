#include "StartedWithFile.h"
#include "monitor/MonitorCommands.h"
#include "monitor/MonitorDisplayTab.h"
#include "monitor/TMonitoring.h"
#include "monitor/UpDownEdit.h"
#include "print/MonitorPrintCommand.h"
#include "print/PrintCommands.h"
#include "print/TPrintWindowM.h"

#include <QAction>
#include <QFile>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>

namespace {

QString pdfText(const QString &pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

TMonitoring *openMonitor(Started &s)
{
    s.main->action(QStringLiteral("MonChart"))->trigger();
    s.prompter.shown.clear();
    return s.main->monitor()->window();
}

}  // namespace

// The monitoring window's "Print": the monitor report previewed in "Monitoring Print" and
// printed to a PDF file, offscreen.
class tst_MonitorPrintCommand : public QObject
{
    Q_OBJECT

private slots:
    void printPreviewsAndPrintsTheReport()
    {
        Started s(vkr(""));
        TMonitoring *monitor = openMonitor(s);
        QVERIFY(monitor);
        QPushButton *print = monitor->display()->MonPrint;
        QVERIFY(print->isEnabled());
        print->click();
        TPrintWindowM &preview = s.main->monitor()->printCommand()->previewWindow();
        QVERIFY(preview.isVisible());
        QCOMPARE(preview.windowTitle(), QStringLiteral("Monitoring Print"));
        QCOMPARE(preview.pageCount(), 1);
        const ReportDocument &doc = preview.document();
        QCOMPARE(doc.pages.first().pictures.size(), 1);
        QStringList texts;
        for (const ReportText &t : doc.pages.first().texts)
            texts << t.text;
        QVERIFY(texts.contains(QStringLiteral("Monitoring")));  // [PrintMon] Label3
        QVERIFY(texts.contains(QStringLiteral("OFF")));
        QVERIFY(texts.contains(QStringLiteral("KDA1-2004P")));
        const QString pdf = s.app.file(QStringLiteral("monitor.pdf"));
        preview.choosePrinter = [&](QPrinter &printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return true;
        };
        preview.Button2Click();
        // VKR_TEST_KEEP names a folder that keeps the PDF and a picture of the window to look at.
        if (qEnvironmentVariableIsSet("VKR_TEST_KEEP")) {
            const QString keep = qEnvironmentVariable("VKR_TEST_KEEP");
            QFile::copy(pdf, keep + QStringLiteral("/monitor.pdf"));
            preview.grab().save(keep + QStringLiteral("/TPrintWindowM.png"));
        }
        const QString text = pdfText(pdf);
        QVERIFY2(text.contains(QLatin1String("Trigger Sourse")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral(": %1(s/div)").arg(monitor->display()->TimeVal->text())));
        QVERIFY(text.contains(QLatin1String("Multi.")));
        QVERIFY(text.contains(monitor->items().at(monitor->setup().channels[0].item)->name));
        // The chart keeps its own back colour after the picture was taken on white.
        QVERIFY(s.prompter.shown.isEmpty());
        preview.close();
        QVERIFY(!preview.isVisible());
    }

    void noPrinterWithTheCheckOnDisablesPrint()
    {
        if (!QPrinterInfo::availablePrinterNames().isEmpty())
            QSKIP("this system has a printer");
        Started s(vkr(""), LanguageSettings + "[Options]\r\nCheckPrt=1\r\n");
        TMonitoring *monitor = openMonitor(s);
        QVERIFY(!monitor->display()->MonPrint->isEnabled());
        QVERIFY(!s.main->action(QStringLiteral("Print"))->isEnabled());
        QVERIFY(!s.main->action(QStringLiteral("PrintSetup"))->isEnabled());
        // Switching the check off in the options takes effect at once; a PDF file remains.
        s.main->session().options.set(Opt::PrinterChk, 0);
        s.main->printing()->checkPrinterConnection();
        s.main->monitor()->printCommand()->refreshPrintButton();
        QVERIFY(monitor->display()->MonPrint->isEnabled());
        QVERIFY(s.main->action(QStringLiteral("Print"))->isEnabled());
    }
};

QTEST_MAIN(tst_MonitorPrintCommand)
#include "tst_MonitorPrintCommand.moc"
