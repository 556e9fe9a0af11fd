#include "SimProcess.h"
#include "TestAppFolder.h"
#include "base/ScriptedPrompter.h"
#include "comm/CommLink.h"
#include "main/OptionCommands.h"
#include "main/TMain.h"
#include "options/TVKROption.h"
#include "model/ParameterValues.h"
#include "transfer/TResultForm1.h"
#include "transfer/TWorkBar.h"
#include "transfer/TransferCommands.h"
#include "transfer/TransferRun.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

// Import, export and comparison from the main window against the drive simulator, with the
// transfer and result windows driven offscreen.
class tst_TransferCommands : public QObject
{
    Q_OBJECT

private:
    struct Seen {
        QString status, second;
        bool okShown = false;
        int progress = -1;
        QString report;
        bool resultShown = false;
    };

    static void startWith(TestAppFolder &app, const QString &port)
    {
        app.writeSettings("[Language]\r\nJapanese=0\r\nEnglish=0\r\n[Comms]\r\nPortNames=" + port.toUtf8() + "\r\n");
        app.writeFile(QStringLiteral("x.vkr"), "###\r\nKDA1\r\n-2004P\r\nV100\r\nEnglish\r\nNo Comments.\r\n0\r\n0\r\n");
    }

    // Presses Start when the transfer window opens and OK when it stays open; records what
    // both windows showed.
    static void script(TMain &main, Seen &seen, int cancelAfterMs = -1)
    {
        QObject::disconnect(main.transfers(), nullptr, nullptr, nullptr);
        QObject::connect(main.transfers(), &TransferCommands::workBarOpening, main.transfers(), [&seen, cancelAfterMs](TWorkBar *bar) {
            QTimer::singleShot(0, bar, [bar, &seen, cancelAfterMs] {
                if (cancelAfterMs >= 0)
                    QTimer::singleShot(cancelAfterMs, bar->cancelButton(), &QPushButton::click);
                bar->startButton()->click();
                seen.status = bar->statusLabel()->text();
                seen.second = bar->secondLabel()->isVisible() ? bar->secondLabel()->text() : QString();
                seen.okShown = bar->okButton()->isVisible();
                seen.progress = bar->progressBar()->value();
                if (seen.okShown)
                    bar->okButton()->click();
            });
        });
        QObject::connect(main.transfers(), &TransferCommands::resultOpening, main.transfers(), [&seen](TResultForm1 *r) {
            seen.resultShown = true;
            seen.report = r->ResultDisp()->toPlainText();
            QTimer::singleShot(0, r, &QDialog::accept);
        });
    }

    static void enter(TMain &main, const char *comNo, const QString &raw)
    {
        DriveData &d = main.session().data;
        d.uPara.setAt(d.IndexOfComNo(QString::fromLatin1(comNo)), UPara::Value, raw);
        ScriptedPrompter quiet;
        ParameterValues(d, main.session().messages, quiet).MarkChanged(QString::fromLatin1(comNo), raw.toDouble());
    }

private slots:
    void importCompareExport();
    void compareWithFactoryValues();
    void cancelEndsTheRunAndTheWindowStaysUsable();
    void disconnectReportsEveryRemainingParameter();
    void okInTheTypeFormBoxOpensTheOptions_data();
    void okInTheTypeFormBoxOpensTheOptions();
};

void tst_TransferCommands::importCompareExport()
{
    SimProcess sim({"--drive", "KDA1:-2004P:V100"});
    QVERIFY(!sim.device().isEmpty());
    TestAppFolder app;
    startWith(app, sim.device());
    ScriptedPrompter prompter;
    TMain main(prompter, {app.file(QStringLiteral("x.vkr"))}, app.path());
    QVERIFY(!main.startupFailed());
    main.show();
    main.action(QStringLiteral("ToolBline"))->trigger();
    QVERIFY(main.action(QStringLiteral("DownLoad"))->isEnabled());
    bool failed = false;
    DriveData &d = main.session().data;
    const int acc = d.IndexOfComNo(u"0009");
    main.commLink()->exchange().exchange(acc, QStringLiteral("77"), failed, 'P');
    QVERIFY(!failed);

    Seen seen;
    script(main, seen);
    main.action(QStringLiteral("DownLoad"))->trigger();
    QVERIFY2(prompter.shown.isEmpty(), qPrintable(prompter.shown.isEmpty() ? QString() : prompter.shown.first().text));
    QCOMPARE(seen.status, QStringLiteral("Communication was finished without error."));
    QVERIFY(seen.okShown);
    QCOMPARE(seen.progress, 100);
    QVERIFY(!seen.resultShown);
    QCOMPARE(d.uPara.at(acc, UPara::Value), QStringLiteral("77"));
    QCOMPARE(d.uPara.at(acc, UPara::ChangeIndex), QStringLiteral("1"));

    seen = Seen();
    main.action(QStringLiteral("PopComp"))->trigger();
    QCOMPARE(seen.status, QStringLiteral("Communication was finished without error."));
    QCOMPARE(seen.second, QStringLiteral("No Different Value."));
    QVERIFY(!seen.resultShown);

    // A changed set: the comparison lists it with scaled values, the export writes it, and a
    // new comparison finds nothing.
    enter(main, "0009", QStringLiteral("123"));
    seen = Seen();
    main.action(QStringLiteral("ToolBpcp"))->trigger();
    QVERIFY(seen.resultShown);
    QVERIFY(seen.report.contains(QStringLiteral(" ACC:        7.7 ,      12.3  (Acceleration time 1)")));
    seen = Seen();
    main.action(QStringLiteral("UpLoad"))->trigger();
    QCOMPARE(seen.status, QStringLiteral("Communication was finished without error."));
    seen = Seen();
    main.action(QStringLiteral("PopComp"))->trigger();
    QCOMPARE(seen.second, QStringLiteral("No Different Value."));
    QVERIFY(prompter.shown.isEmpty());
    main.close();
}

void tst_TransferCommands::compareWithFactoryValues()
{
    SimProcess sim({"--drive", "KDA1:-2004P:V100"});
    TestAppFolder app;
    startWith(app, sim.device());
    ScriptedPrompter prompter;
    TMain main(prompter, {app.file(QStringLiteral("x.vkr"))}, app.path());
    QVERIFY(!main.startupFailed());
    main.show();
    main.action(QStringLiteral("ToolBline"))->trigger();
    bool failed = false;
    DriveData &d = main.session().data;
    main.commLink()->exchange().exchange(d.IndexOfComNo(u"0010"), QStringLiteral("456"), failed, 'P');
    QVERIFY(!failed);
    enter(main, "0009", QStringLiteral("123"));
    enter(main, "0010", QStringLiteral("456"));

    Seen seen;
    script(main, seen);
    QString plain, threeWay, back;
    bool offered = false;
    connect(main.transfers(), &TransferCommands::resultOpening, this, [&](TResultForm1 *r) {
        plain = r->ResultDisp()->toPlainText();
        offered = r->compareFactoryBox()->isVisibleTo(r);
        r->compareFactoryBox()->click();
        threeWay = r->ResultDisp()->toPlainText();
        r->Button2Click();
        r->compareFactoryBox()->click();
        back = r->ResultDisp()->toPlainText();
    });
    const QString saved = app.file(QStringLiteral("three-way.txt"));
    prompter.files << saved;
    main.action(QStringLiteral("PopComp"))->trigger();
    QVERIFY(seen.resultShown);
    QVERIFY(offered);
    QVERIFY(plain.startsWith(QStringLiteral("* Different Value Parameters")));
    QCOMPARE(back, plain);
    // ACC differs in the table only, dEC is the same in table and drive but not the factory value.
    QVERIFY(threeWay.startsWith(QStringLiteral("* Three-Way Comparison\n")));
    QVERIFY2(threeWay.contains(QStringLiteral("  ACC:       10.0 ,      12.3 ,      10.0  s       VKR410T   "
                                              "(Acceleration time 1)")), qPrintable(threeWay));
    QVERIFY(threeWay.contains(QStringLiteral("  dEC:       10.0 ,      45.6 ,      45.6  s       Factory   "
                                             "(Deceleration time 1)")));
    QVERIFY(threeWay.endsWith(QStringLiteral("\nDiffers: 2")));
    QFile file(saved);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromLatin1(file.readAll()), QString(threeWay).replace(u'\n', QStringLiteral("\r\n")) + "\r\n");
    main.close();
}

void tst_TransferCommands::cancelEndsTheRunAndTheWindowStaysUsable()
{
    // At 9600 bit/s on an emulated line every exchange takes about 15 ms, so the cancel comes
    // in the middle of the run.
    SimProcess sim({"--drive", "KDA1:-2004P:V100", "--line-timing"});
    TestAppFolder app;
    startWith(app, sim.device());
    ScriptedPrompter prompter;
    TMain main(prompter, {app.file(QStringLiteral("x.vkr"))}, app.path());
    main.show();
    main.action(QStringLiteral("ToolBline"))->trigger();
    DriveData &d = main.session().data;
    QList<QStringList> before;
    for (int r = 0; r < d.uPara.rowCount(); ++r)
        before.append(d.uPara.row(r));
    Seen seen;
    script(main, seen, 300);
    QElapsedTimer clock;
    clock.start();
    main.action(QStringLiteral("DownLoad"))->trigger();
    QVERIFY(clock.elapsed() < 3000);
    QVERIFY(!seen.okShown);
    QVERIFY(seen.progress > 0 && seen.progress < 100);
    QVERIFY(!seen.resultShown);
    QList<QStringList> after;
    for (int r = 0; r < d.uPara.rowCount(); ++r)
        after.append(d.uPara.row(r));
    QCOMPARE(after, before);
    // The line is still there for the next command.
    main.action(QStringLiteral("ToolBline"))->trigger();
    QVERIFY(main.action(QStringLiteral("DownLoad"))->isEnabled());
    main.close();
}

void tst_TransferCommands::disconnectReportsEveryRemainingParameter()
{
    SimProcess sim({"--drive", "KDA1:-2004P:V100", "--disconnect-after", "60"});
    TestAppFolder app;
    startWith(app, sim.device());
    app.writeSettings("[Language]\r\nJapanese=0\r\nEnglish=0\r\n[Comms]\r\nDelay=60\r\nPortNames="
                      + sim.device().toUtf8() + "\r\n");
    ScriptedPrompter prompter;
    TMain main(prompter, {app.file(QStringLiteral("x.vkr"))}, app.path());
    main.show();
    main.action(QStringLiteral("ToolBline"))->trigger();
    Seen seen;
    script(main, seen);
    QElapsedTimer clock;
    clock.start();
    main.action(QStringLiteral("DownLoad"))->trigger();
    const DriveData &d = main.session().data;
    // Every parameter from the one the line died at on is listed (maintenance ones only counted).
    QVERIFY(seen.resultShown);
    // Each failed exchange waits its 60 ms time-out and then for a quiet line.
    QVERIFY(clock.elapsed() < (d.lastIndex + 1) * 160);
    int listed = 0;
    for (int i = 0; i <= d.lastIndex; ++i) {
        if (d.uPara.at(i, UPara::CommErrIndex) == u"1" && !d.paraDat.at(i, ParaDat::ComNo).startsWith(u'F')) {
            ++listed;
            QVERIFY(seen.report.contains(d.paraDat.at(i, ParaDat::FTitle) + QStringLiteral(": ")
                                         + d.paraDat.at(i, ParaDat::FName)));
        }
    }
    QCOMPARE(seen.report.split(u'\n').size(), 1 + listed);
    QVERIFY(listed > d.lastUserIndex - 60);
    // The window goes on: the next connection check finds no drive, the setup window opens
    // (closed here) and the commands follow.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (auto *setup = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
            setup->reject();
    });
    closer.start(20);
    main.action(QStringLiteral("ToolBline"))->trigger();
    QVERIFY(!main.action(QStringLiteral("DownLoad"))->isEnabled());
    main.close();
}

void tst_TransferCommands::okInTheTypeFormBoxOpensTheOptions_data()
{
    QTest::addColumn<bool>("switchCheckOff");
    QTest::newRow("check switched off: the import runs") << true;
    QTest::newRow("check left on: no import") << false;
}

void tst_TransferCommands::okInTheTypeFormBoxOpensTheOptions()
{
    QFETCH(bool, switchCheckOff);
    // The connected drive is another form than the file's.
    SimProcess sim({"--drive", "KDA1:-2007P:V100"});
    TestAppFolder app;
    startWith(app, sim.device());
    ScriptedPrompter prompter;
    TMain main(prompter, {app.file(QStringLiteral("x.vkr"))}, app.path());
    main.show();
    main.action(QStringLiteral("ToolBline"))->trigger();
    Seen seen;
    script(main, seen);
    bool optionsShown = false;
    connect(main.optionCommands(), &OptionCommands::optionsOpening, this, [&](TVKROption *w) {
        QTimer::singleShot(0, w, [&, w] {
            optionsShown = w->isVisible();
            if (switchCheckOff)
                w->check(Opt::TypCapChk)->click();
            w->accept();
        });
    });
    prompter.answers = {Prompter::Answer::Ok};
    main.action(QStringLiteral("DownLoad"))->trigger();
    QCOMPARE(prompter.shown.size(), 1);
    QVERIFY(prompter.shown.first().text.contains(main.session().messages.text(108)));
    QVERIFY(optionsShown);
    QCOMPARE(main.session().options.on(Opt::TypCapChk), !switchCheckOff);
    QCOMPARE(seen.status.isEmpty(), !switchCheckOff);
    if (switchCheckOff)
        QCOMPARE(seen.status, QStringLiteral("Communication was finished without error."));
    main.close();
}

QTEST_MAIN(tst_TransferCommands)
#include "tst_TransferCommands.moc"
