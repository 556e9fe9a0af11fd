#include "SimProcess.h"
#include "TestAppFolder.h"
#include "base/ScriptedPrompter.h"
#include "comm/CommLink.h"
#include "main/TMain.h"
#include "model/ParameterValues.h"
#include "transfer/TWorkBar.h"
#include "transfer/TransferCommands.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

// The snapshot the main window's "Parameter Export" takes before writing, and "Restore last
// snapshot" in the Files menu, against the drive simulator with the windows offscreen.
class tst_SnapshotCommands : public QObject
{
    Q_OBJECT

private:
    static void startWith(TestAppFolder &app, const QString &port)
    {
        app.writeSettings("[Language]\r\nJapanese=0\r\nEnglish=0\r\n[Comms]\r\nPortNames=" + port.toUtf8() + "\r\n");
        app.writeFile(QStringLiteral("x.vkr"), "###\r\nKDA1\r\n-2004P\r\nV100\r\nEnglish\r\nNo Comments.\r\n0\r\n0\r\n");
    }
    // Presses Start when the transfer window opens and OK when it stays open.
    static void pressStart(TMain &main)
    {
        QObject::connect(main.transfers(), &TransferCommands::workBarOpening, main.transfers(), [](TWorkBar *bar) {
            QTimer::singleShot(0, bar, [bar] {
                bar->startButton()->click();
                if (bar->okButton()->isVisible())
                    bar->okButton()->click();
            });
        });
    }
    static void enter(TMain &main, const char *comNo, const QString &raw)
    {
        DriveData &d = main.session().data;
        d.uPara.setAt(d.IndexOfComNo(QString::fromLatin1(comNo)), UPara::Value, raw);
        ScriptedPrompter quiet;
        ParameterValues(d, main.session().messages, quiet).MarkChanged(QString::fromLatin1(comNo), raw.toDouble());
    }
    static QString driveValue(TMain &main, const char *comNo)
    {
        bool failed = false;
        const int index = main.session().data.IndexOfComNo(QString::fromLatin1(comNo));
        const int32_t word = main.commLink()->exchange().exchange(index, QString(), failed, 'R');
        return failed ? QStringLiteral("failed") : QString::number(word);
    }
    static void writeDrive(TMain &main, const char *comNo, const QString &raw)
    {
        bool failed = false;
        const int index = main.session().data.IndexOfComNo(QString::fromLatin1(comNo));
        main.commLink()->exchange().exchange(index, raw, failed, 'P');
    }
    static QStringList snapshots(const TestAppFolder &app)
    {
        return QDir(app.file(QStringLiteral("snapshots"))).entryList({QStringLiteral("*.vkr")}, QDir::Files, QDir::Name);
    }

private slots:
    void exportIsSnapshottedAndRestored();
    void failedSnapshotStopsTheExport();
    void optionOffTakesNoSnapshot();
};

void tst_SnapshotCommands::exportIsSnapshottedAndRestored()
{
    SimProcess sim({"--drive", "KDA1:-2004P:V100"});
    QVERIFY(!sim.device().isEmpty());
    TestAppFolder app;
    startWith(app, sim.device());
    ScriptedPrompter prompter;
    TMain main(prompter, {app.file(QStringLiteral("x.vkr"))}, app.path());
    QVERIFY(!main.startupFailed());
    main.show();
    QAction *restore = main.action(QStringLiteral("SnapshotRestore"));
    QVERIFY(restore);
    QVERIFY(main.menu(QStringLiteral("FileMenu"))->actions().contains(restore));
    QCOMPARE(restore->text(), QStringLiteral("Restore last snapshot"));
    QVERIFY(!restore->isEnabled());
    main.action(QStringLiteral("ToolBline"))->trigger();
    QVERIFY(restore->isEnabled());

    writeDrive(main, "0009", QStringLiteral("77"));
    enter(main, "0009", QStringLiteral("123"));
    pressStart(main);
    main.action(QStringLiteral("UpLoad"))->trigger();
    QCOMPARE(driveValue(main, "0009"), QStringLiteral("123"));
    QCOMPARE(snapshots(app).size(), 1);
    const QString taken = snapshots(app).first();
    const QByteArray first = app.readFile(QStringLiteral("snapshots/") + taken);
    QVERIFY2(first.startsWith("###\r\nKDA1\r\n-2004P\r\nV100\r\nEnglish\r\nSnapshot before writing, inverter number 0\r\n"),
             first.constData());
    QVERIFY2(first.endsWith("\r\n0\r\n0\r\n0009,77,0,0\r\n"), first.constData());

    prompter.answers = {Prompter::Answer::Ok};
    restore->trigger();
    QCOMPARE(prompter.shown.size(), 1);
    QVERIFY(prompter.shown.first().text.contains(taken));
    QCOMPARE(driveValue(main, "0009"), QStringLiteral("77"));
    QCOMPARE(main.session().data.uPara.at(main.session().data.IndexOfComNo(u"0009"), UPara::Value), QStringLiteral("77"));
    // The restore was itself snapshotted first.
    QStringList all = snapshots(app);
    QCOMPARE(all.size(), 2);
    all.removeOne(taken);
    QVERIFY(app.readFile(QStringLiteral("snapshots/") + all.first()).endsWith("\r\n0009,123,0,0\r\n"));
    main.close();
}

void tst_SnapshotCommands::failedSnapshotStopsTheExport()
{
    SimProcess sim({"--drive", "KDA1:-2004P:V100"});
    TestAppFolder app;
    startWith(app, sim.device());
    // A file where the folder would go: the snapshot cannot be saved.
    app.writeFile(QStringLiteral("snapshots"), "in the way");
    ScriptedPrompter prompter;
    TMain main(prompter, {app.file(QStringLiteral("x.vkr"))}, app.path());
    main.show();
    main.action(QStringLiteral("ToolBline"))->trigger();
    writeDrive(main, "0009", QStringLiteral("77"));
    enter(main, "0009", QStringLiteral("123"));
    pressStart(main);
    prompter.answers = {Prompter::Answer::No};
    main.action(QStringLiteral("UpLoad"))->trigger();
    QCOMPARE(prompter.shown.size(), 1);
    QVERIFY(prompter.shown.first().text.contains(QStringLiteral("could not be saved")));
    QVERIFY(prompter.shown.first().text.endsWith(QStringLiteral("Write to the inverter without a snapshot?")));
    QCOMPARE(prompter.shown.first().buttons, Prompter::Buttons::YesNo);
    QVERIFY(!main.transfers()->started());
    QCOMPARE(driveValue(main, "0009"), QStringLiteral("77"));

    // Going on writes without a snapshot.
    prompter.answers = {Prompter::Answer::Yes};
    main.action(QStringLiteral("UpLoad"))->trigger();
    QCOMPARE(driveValue(main, "0009"), QStringLiteral("123"));
    main.close();
}

void tst_SnapshotCommands::optionOffTakesNoSnapshot()
{
    SimProcess sim({"--drive", "KDA1:-2004P:V100"});
    TestAppFolder app;
    startWith(app, sim.device());
    ScriptedPrompter prompter;
    TMain main(prompter, {app.file(QStringLiteral("x.vkr"))}, app.path());
    main.show();
    main.action(QStringLiteral("ToolBline"))->trigger();
    QVERIFY(main.session().options.on(Opt::SnapshotChk));
    main.session().options.set(Opt::SnapshotChk, 0);
    enter(main, "0009", QStringLiteral("123"));
    pressStart(main);
    main.action(QStringLiteral("UpLoad"))->trigger();
    QCOMPARE(driveValue(main, "0009"), QStringLiteral("123"));
    QVERIFY(!QFileInfo::exists(app.file(QStringLiteral("snapshots"))));
    QVERIFY(prompter.shown.isEmpty());
    main.close();
}

QTEST_MAIN(tst_SnapshotCommands)
#include "tst_SnapshotCommands.moc"
