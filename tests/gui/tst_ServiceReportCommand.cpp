#include "SimProcess.h"
#include "SmallTmpfs.h"
#include "TestAppFolder.h"
#include "base/ScriptedPrompter.h"
#include "main/ServiceReportCommand.h"
#include "main/TMain.h"

#include <QAction>
#include <QDir>
#include <QProcess>
#include <QtTest>

// Files > "Service Report..." against the drive simulator: the archive holds what the drive
// sent plus the parts the windows supply, and a full disk leaves no archive and says so.
class tst_ServiceReportCommand : public QObject
{
    Q_OBJECT

private:
    static void startWith(TestAppFolder &app, const QString &port)
    {
        app.writeSettings("[Language]\r\nJapanese=0\r\nEnglish=0\r\n[Comms]\r\nPortNames=" + port.toUtf8() + "\r\n");
        app.writeFile(QStringLiteral("x.vkr"), "###\r\nKDA1\r\n-2004P\r\nV100\r\nEnglish\r\nNo Comments.\r\n0\r\n0\r\n");
    }

    static QByteArray bsdtar(const QStringList &arguments)
    {
        QProcess p;
        p.start(QStringLiteral("bsdtar"), arguments);
        if (!p.waitForFinished(20000) || p.exitCode() != 0)
            return "bsdtar failed: " + p.readAllStandardError();
        return p.readAllStandardOutput();
    }

private slots:
    void archiveWithTheWindowsParts();
    void fullDiskLeavesNoArchive();
};

void tst_ServiceReportCommand::archiveWithTheWindowsParts()
{
    SimProcess sim({"--drive", "KDA1:-2004P:V100"});
    TestAppFolder app;
    startWith(app, sim.device());
    ScriptedPrompter prompter;
    TMain main(prompter, {app.file(QStringLiteral("x.vkr"))}, app.path());
    QVERIFY(!main.startupFailed());
    main.show();
    QAction *item = main.action(QStringLiteral("ServiceReport"));
    QVERIFY(item);
    QCOMPARE(item->text(), QStringLiteral("Service Report..."));
    QVERIFY(!item->isEnabled());
    main.action(QStringLiteral("ToolBline"))->trigger();
    QVERIFY(item->isEnabled());

    ServiceReportCommand &command = *main.serviceReport();
    command.communicationLog = [] { return QByteArray("19:00:00.000 TX 01 02 03\n"); };
    command.recordingMon = [] { return QByteArray("recording"); };
    command.recordingPng = [] { return QByteArray("\x89PNG\r\n\x1a\n", 8); };
    // The dialog's name without an extension gets ".zip".
    prompter.files << app.file(QStringLiteral("service"));
    item->trigger();
    const QString zip = app.file(QStringLiteral("service.zip"));
    QCOMPARE(command.writtenPath(), zip);
    QCOMPARE(prompter.shown.size(), 1);
    QCOMPARE(prompter.shown.first().text, QStringLiteral("The service report was written to %1.").arg(zip));
    QCOMPARE(bsdtar({"-tf", zip}),
             QByteArray("identification.txt\nparameters.vkr\nparameters.csv\nthree-way.txt\nthree-way.csv\n"
                        "inverter-info.txt\nversion.txt\ncommunication.log\nrecording.mon\nrecording.png\n"));
    QCOMPARE(bsdtar({"-xOf", zip, "communication.log"}), QByteArray("19:00:00.000 TX 01 02 03\n"));
    QCOMPARE(bsdtar({"-xOf", zip, "recording.png"}), QByteArray("\x89PNG\r\n\x1a\n", 8));
    const QByteArray identification = bsdtar({"-xOf", zip, "identification.txt"});
    QVERIFY(identification.contains("\r\nCommunication log: included\r\nRecording: included\r\n"));
    QVERIFY(identification.contains("\r\nParameters read: 356 of 356\r\n"));

    // Cancelling the dialog writes nothing.
    prompter.shown.clear();
    item->trigger();
    QVERIFY(command.writtenPath().isEmpty() || command.writtenPath() == zip);
    QVERIFY(prompter.shown.isEmpty());
    main.close();
}

void tst_ServiceReportCommand::fullDiskLeavesNoArchive()
{
    SmallTmpfs disk;
    if (!disk.mounted())
        QSKIP("mounting a tmpfs needs root");
    disk.fill();
    SimProcess sim({"--drive", "KDA1:-2004P:V100"});
    TestAppFolder app;
    startWith(app, sim.device());
    ScriptedPrompter prompter;
    TMain main(prompter, {app.file(QStringLiteral("x.vkr"))}, app.path());
    main.show();
    main.action(QStringLiteral("ToolBline"))->trigger();
    prompter.files << disk.filePath(QStringLiteral("service.zip"));
    main.action(QStringLiteral("ServiceReport"))->trigger();
    QVERIFY(main.serviceReport()->writtenPath().isEmpty());
    QCOMPARE(prompter.shown.size(), 1);
    QVERIFY2(prompter.shown.first().text.startsWith(QStringLiteral("The service report was not written:\n")),
             qPrintable(prompter.shown.first().text));
    QCOMPARE(prompter.shown.first().icon, Prompter::Icon::Warning);
    QCOMPARE(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"filler"});
    main.close();
}

QTEST_MAIN(tst_ServiceReportCommand)
#include "tst_ServiceReportCommand.moc"
