#include "TestAppFolder.h"
#include "base/ScriptedPrompter.h"
#include "main/TMain.h"
#include "paramtable/TParameter.h"
#include "print/PrintCommands.h"
#include "print/TPrintSetWindow.h"
#include "print/TPrintWindow.h"
#include "report/ParameterReport.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {

QString pdfText(const QString &pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

}  // namespace

// "Page Setup", "Print" and its preview from the main window, offscreen.
class tst_PrintCommands : public QObject
{
    Q_OBJECT

private:
    static void startWith(TestAppFolder &app, const QByteArray &page = QByteArray())
    {
        app.writeSettings("[Language]\r\nJapanese=0\r\nEnglish=0\r\n" + page);
        app.writeFile(QStringLiteral("x.vkr"), "###\r\nKDA1\r\n-2004P\r\nV100\r\nEnglish\r\nPump station 4\r\n0\r\n0\r\n"
                                               "0009,450,0,0\r\n");
    }

    // Runs "Page Setup" with `script` acting on the window once it is up; the script ends by
    // closing it.
    static void pageSetup(TMain &main, const std::function<void(TPrintSetWindow &)> &script)
    {
        QObject::connect(main.printing(), &PrintCommands::setWindowOpening, main.printing(),
                         [&](TPrintSetWindow *w) { QTimer::singleShot(0, w, [w, script] { script(*w); }); },
                         Qt::SingleShotConnection);
        main.action(QStringLiteral("ToolBprinter"))->trigger();
    }

private slots:
    void commandsAreBuilt()
    {
        TestAppFolder app;
        startWith(app);
        ScriptedPrompter prompter;
        TMain main(prompter, {app.file(QStringLiteral("x.vkr"))}, app.path());
        main.show();
        for (const char *name : {"PrintSetup", "Print", "ToolBprinter", "ToolBprint"})
            QVERIFY2(main.action(QString::fromLatin1(name))->isEnabled(), name);
        QVERIFY(main.commandBuilt(QStringLiteral("PrinterSetup")));
        QVERIFY(!main.action(QStringLiteral("PrinterSetup"))->isVisible());
        main.close();
    }

    void pageSetupRefusesBadEntriesAndSavesEveryValue()
    {
        TestAppFolder app;
        startWith(app);
        ScriptedPrompter prompter;
        TMain main(prompter, {app.file(QStringLiteral("x.vkr"))}, app.path());
        main.show();
        QString comment;
        bool refused = false;
        pageSetup(main, [&](TPrintSetWindow &w) {
            comment = w.findChild<QLineEdit *>(QStringLiteral("Edit1"))->text();
            w.findChild<QLineEdit *>(QStringLiteral("TopMarg"))->setText(QStringLiteral("31"));
            w.findChild<QLineEdit *>(QStringLiteral("LeftMarg"))->setText(QStringLiteral("-1"));
            w.findChild<QLineEdit *>(QStringLiteral("DBHeight"))->setText(QStringLiteral("9"));
            w.findChild<QComboBox *>(QStringLiteral("DBFontSize"))->setCurrentText(QStringLiteral("25"));
            w.findChild<QLineEdit *>(QStringLiteral("RightMarg"))->setText(QStringLiteral("x"));
            w.findChild<QCheckBox *>(QStringLiteral("DefValPrint"))->setChecked(true);
            w.findChild<QCheckBox *>(QStringLiteral("TimePrint"))->setChecked(true);
            w.findChild<QComboBox *>(QStringLiteral("PSize"))->setCurrentText(QStringLiteral("B4"));
            // Each close runs the checks and stops at the first refused field.
            for (int i = 0; i < 4; ++i)
                w.accept();
            refused = w.isVisible();
            w.findChild<QLineEdit *>(QStringLiteral("RightMarg"))->setText(QStringLiteral("12.6"));
            for (int i = 0; i < 5 && w.isVisible(); ++i)
                w.accept();
            if (w.isVisible())
                w.hide();  // the test fails below instead of hanging here
        });
        QCOMPARE(comment, QStringLiteral("Pump station 4"));
        QVERIFY(refused);
        QVERIFY(!main.printing()->setWindow().isVisible());
        QStringList texts;
        // The page set-up's refusals; a note of the main window (with no icon) is no concern here.
        for (const ScriptedPrompter::Shown &s : prompter.shown) {
            if (s.icon == Prompter::Icon::Stop)
                texts << s.text;
            else
                qWarning() << "other message:" << s.text;
        }
        const MessageTable &m = main.session().messages;
        // Top 31 and left -1 get their limits, the right margin is no number (twice), then the row
        // height and the font size get theirs.
        QCOMPARE(texts, QStringList({m.text(41), m.text(41), m.text(67), m.text(67), m.text(41), m.text(41)}));
        const QByteArray ini = app.readFile(QStringLiteral("VKR410T.ini"));
        for (const char *line : {"PSetT=30", "PSetL=0", "PSetR=13", "PSet4=10", "PSet5=12", "Item6=1", "Item2=1",
                                 "PSet3=3"})
            QVERIFY2(ini.contains(line), line);
        // A window made anew (the next run) shows what was saved.
        TPrintSetWindow again(main.session(), prompter);
        const PageSetup p = again.setup();
        QCOMPARE(p.top, 30);
        QCOMPARE(p.right, 13);
        QCOMPARE(p.rowHeight, 10);
        QCOMPARE(p.fontSize(), 22);
        QCOMPARE(p.paper, PageSetup::B4);
        QVERIFY(p.printFactory && p.printTime);
        main.close();
    }

    void previewPagesZoomAndPrintToPdf()
    {
        TestAppFolder app;
        startWith(app);
        ScriptedPrompter prompter;
        TMain main(prompter, {app.file(QStringLiteral("x.vkr"))}, app.path());
        main.show();
        main.action(QStringLiteral("ToolBprint"))->trigger();
        TPrintWindow &preview = main.printing()->previewWindow();
        QVERIFY(preview.isVisible());
        QVERIFY(!main.action(QStringLiteral("Print"))->isEnabled());
        QVERIFY(!main.action(QStringLiteral("ToolBprinter"))->isEnabled());
        const int rows = main.session().data.lastShownIndex + 1;
        const int pages = (rows + 48) / 49;
        QCOMPARE(preview.document().pages.size(), pages);
        QCOMPARE(preview.pageCount(), pages);
        QCOMPARE(preview.currentPage(), 1);
        preview.findChild<QPushButton *>(QStringLiteral("Next"))->click();
        QCOMPARE(preview.currentPage(), 2);
        preview.findChild<QPushButton *>(QStringLiteral("Back"))->click();
        QCOMPARE(preview.currentPage(), 1);
        auto *zoom = preview.findChild<QComboBox *>(QStringLiteral("ComboBox1"));
        zoom->setCurrentText(QStringLiteral("50"));
        QCOMPARE(preview.zoom(), 50);
        // At most three digits are typed; a zoom below 2 is refused on closing and the limit
        // put in, the window stays.
        zoom->setCurrentText(QStringLiteral("1000"));
        QCOMPARE(zoom->currentText(), QStringLiteral("100"));
        zoom->setCurrentText(QStringLiteral("1"));
        QCOMPARE(preview.zoom(), 100);
        preview.close();
        QVERIFY(preview.isVisible());
        QCOMPARE(prompter.shown.size(), 1);
        QCOMPARE(prompter.shown.first().text, main.session().messages.text(41));
        QCOMPARE(zoom->currentText(), QStringLiteral("2"));
        QCOMPARE(preview.zoom(), 2);
        // Printing to a PDF printer.
        const QString pdf = app.file(QStringLiteral("printed.pdf"));
        preview.choosePrinter = [&](QPrinter &printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return true;
        };
        preview.findChild<QPushButton *>(QStringLiteral("Button2"))->click();
        const QString text = pdfText(pdf);
        QVERIFY(text.contains(QLatin1String("Panel operating frequency")));
        QVERIFY(text.contains(QLatin1String("KDA1-2004P")));
        QVERIFY(text.contains(QLatin1String("Change")));
        preview.findChild<QPushButton *>(QStringLiteral("Button3"))->click();
        QVERIFY(!preview.isVisible());
        QVERIFY(main.action(QStringLiteral("Print"))->isEnabled());
        QVERIFY(main.action(QStringLiteral("ToolBprinter"))->isEnabled());
        main.close();
    }

    void listFollowsTheTableDisplay()
    {
        TestAppFolder app;
        startWith(app, "[Page]\r\nItem6=1\r\n");
        ScriptedPrompter prompter;
        TMain main(prompter, {app.file(QStringLiteral("x.vkr"))}, app.path());
        main.show();
        main.table()->item(QStringLiteral("PopChgDisp"))->trigger();
        QVERIFY(main.table()->item(QStringLiteral("PopChgDisp"))->isChecked());
        const ReportDocument doc = main.printing()->parameterReport();
        QCOMPARE(doc.pages.size(), 1);
        QStringList comNos;
        for (const ReportText &t : doc.pages.first().texts) {
            if (QRegularExpression(QStringLiteral("^[0-9A-F]{4}$")).match(t.text).hasMatch())
                comNos << t.text;
        }
        QCOMPARE(comNos.join(','), QStringLiteral("0009"));
        QVERIFY(std::any_of(doc.pages.first().texts.cbegin(), doc.pages.first().texts.cend(),
                            [&](const ReportText &t) { return t.text == main.session().messages.text(24); }));
        main.close();
    }
};

QTEST_MAIN(tst_PrintCommands)
#include "tst_PrintCommands.moc"
