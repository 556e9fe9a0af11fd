#include "SimProcess.h"
#include "TestAppFolder.h"
#include "base/ScriptedPrompter.h"
#include "comm/CommLink.h"
#include "comm/TRSset.h"
#include "main/TMain.h"
#include "paramtable/ParameterGridModel.h"
#include "paramtable/TParameter.h"

#include <QAction>
#include <QMenu>
#include <QTimer>
#include <QtTest>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

namespace {

// A failed check opens "RS-232C Setup"; this cancels it as soon as it shows.
struct SetupWindowCloser {
    QTimer timer;
    int closed = 0;
    SetupWindowCloser()
    {
        QObject::connect(&timer, &QTimer::timeout, [this] {
            if (auto *w = qobject_cast<TRSset *>(QApplication::activeModalWidget())) {
                ++closed;
                w->reject();
            }
        });
        timer.start(20);
    }
};

}  // namespace

// The on-line indicator and the drive commands of the main window against the drive
// simulator on a pseudo-terminal.
class tst_MainLine : public QObject
{
    Q_OBJECT

private:
    static void startWith(TestAppFolder &app, const QString &port, const QByteArray &comms = QByteArray())
    {
        app.writeSettings("[Language]\r\nJapanese=0\r\nEnglish=0\r\n[Comms]\r\nPortNames=" + port.toUtf8() + "\r\n"
                          + comms);
        app.writeFile(QStringLiteral("x.vkr"), "###\r\nKDA1\r\n-2004P\r\nV100\r\nEnglish\r\nNo Comments.\r\n0\r\n0\r\n");
    }

    // The transfer group as the last connection check left it (the commands themselves stay
    // disabled until their operations exist).
    static bool transferEnabled(TMain &main) { return main.commLink()->connectionCheck().transferEnabled(); }

    // A pseudo-terminal that nobody answers on: a drive that is switched off.
    struct SilentLine {
        int master = -1;
        QString device;
        SilentLine()
        {
            master = ::posix_openpt(O_RDWR | O_NOCTTY);
            if (master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0)
                device = QString::fromLocal8Bit(::ptsname(master));
        }
        ~SilentLine()
        {
            if (master >= 0)
                ::close(master);
        }
    };

private slots:
    void clickBringsTheDriveOnLine_data()
    {
        QTest::addColumn<QString>("protocol");
        QTest::addColumn<QByteArray>("comms");
        QTest::newRow("native") << "native" << QByteArray();
        QTest::newRow("modbus") << "modbus" << QByteArray("Prtocol=1\r\n");
    }
    void clickBringsTheDriveOnLine()
    {
        QFETCH(QString, protocol);
        QFETCH(QByteArray, comms);
        SimProcess sim({QStringLiteral("--protocol"), protocol});
        QVERIFY(!sim.device().isEmpty());
        TestAppFolder app;
        startWith(app, sim.device(), comms);
        ScriptedPrompter prompter;
        TMain main(prompter, {app.file(QStringLiteral("x.vkr"))}, app.path());
        QVERIFY(!main.startupFailed());
        main.show();
        LineIndicator &indicator = main.commLink()->indicator();
        QCOMPARE(indicator.image(), 0);
        QVERIFY(!transferEnabled(main));
        QVERIFY(!main.action(QStringLiteral("MonInvInfo"))->isEnabled());

        main.action(QStringLiteral("ToolBline"))->trigger();
        QVERIFY(prompter.shown.isEmpty());
        QCOMPARE(indicator.image(), 2);
        QVERIFY(transferEnabled(main));
        QVERIFY(main.commLink()->connectionCheck().panelEnabled());
        QVERIFY(main.commLink()->connectionCheck().informationEnabled());
        QTRY_COMPARE_WITH_TIMEOUT(indicator.image(), 1, 2000);

        // The drive goes away: the next check fails, the setup window opens and the commands follow.
        QCOMPARE(sim.stop(), 0);
        SetupWindowCloser closer;
        main.action(QStringLiteral("ToolBline"))->trigger();
        QCOMPARE(closer.closed, 1);
        QCOMPARE(indicator.image(), 0);
        QVERIFY(!transferEnabled(main));
        QVERIFY(!main.commLink()->connectionCheck().panelEnabled());
        main.close();
    }

    // The drive answers: every drive command of the menu and its tool button is there to use,
    // none left visible without an operation behind it.
    void driveCommandsAreUsableOnLine()
    {
        SimProcess sim({});
        TestAppFolder app;
        startWith(app, sim.device());
        ScriptedPrompter prompter;
        TMain main(prompter, {app.file(QStringLiteral("x.vkr"))}, app.path());
        main.show();
        main.action(QStringLiteral("ToolBline"))->trigger();
        QVERIFY(transferEnabled(main));
        for (const char *name : {"PopDownLoad2", "ToolBpsr", "PopUpLoad2", "ToolBpsw", "ToolBsavas", "MonInvInfo",
                                 "ToolBInvInfo", "InvRun", "ToolBpanel", "MonChart", "ToolBmon", "MMItoolsSetting",
                                 "ToolBop", "MMIMt", "PrintSetup", "ToolBprinter", "Print", "ToolBprint"})
            QVERIFY2(main.action(QString::fromLatin1(name))->isEnabled(), name);
        for (const char *name : {"PopDownLoad", "PopUpLoad"})
            QVERIFY2(main.table()->commandEnabled(QString::fromLatin1(name)), name);
        QVERIFY(main.table()->item(QStringLiteral("PopSlct"))->isEnabled());
        QVERIFY(main.commandBuilt(QStringLiteral("PrinterSetup")));
        main.close();
    }

    void silentDriveSaysSo()
    {
        SilentLine line;
        QVERIFY(!line.device.isEmpty());
        TestAppFolder app;
        startWith(app, line.device, "Delay=50\r\n");
        ScriptedPrompter prompter;
        TMain main(prompter, {app.file(QStringLiteral("x.vkr"))}, app.path());
        main.show();
        // The setup window opens first; after it the line is tried once more and still silent.
        SetupWindowCloser closer;
        main.action(QStringLiteral("ToolBline"))->trigger();
        QCOMPARE(closer.closed, 1);
        QCOMPARE(prompter.shown.size(), 1);
        QCOMPARE(prompter.shown.first().text, main.session().messages.text(3));
        QCOMPARE(prompter.shown.first().icon, Prompter::Icon::Warning);
        QCOMPARE(main.commLink()->indicator().image(), 0);
        QVERIFY(!transferEnabled(main));
        main.close();
    }

    void refusedWhileMonitoring()
    {
        SimProcess sim({});
        TestAppFolder app;
        startWith(app, sim.device());
        ScriptedPrompter prompter;
        TMain main(prompter, {app.file(QStringLiteral("x.vkr"))}, app.path());
        main.show();
        main.session().monitoringRunning = true;
        SetupWindowCloser closer;
        main.action(QStringLiteral("ToolBline"))->trigger();
        QCOMPARE(closer.closed, 0);  // a refused check opens nothing
        QCOMPARE(main.commLink()->indicator().image(), 0);
        QVERIFY(!transferEnabled(main));
        main.session().monitoringRunning = false;
        main.action(QStringLiteral("ToolBline"))->trigger();
        QVERIFY(transferEnabled(main));
        main.close();
    }

    void ratingBasesReadTheDriveWhenAskedTo()
    {
        SimProcess sim({});
        TestAppFolder app;
        startWith(app, sim.device());
        ScriptedPrompter prompter;
        TMain main(prompter, {app.file(QStringLiteral("x.vkr"))}, app.path());
        DriveData &data = main.session().data;
        const int fe71 = data.IndexOfComNo(u"FE71");
        QVERIFY(fe71 >= 0);
        data.uPara.setAt(fe71, UPara::Value, QStringLiteral("1000"));
        RatingBases(data, QStringLiteral("-2004P"), main.commLink()->ratingReader(true));
        QCOMPARE(data.voltageBase, 100.0);  // not on line yet: the table's value
        main.action(QStringLiteral("ToolBline"))->trigger();
        RatingBases(data, QStringLiteral("-2004P"), main.commLink()->ratingReader(false));
        QCOMPARE(data.voltageBase, 100.0);  // option off
        RatingBases(data, QStringLiteral("-2004P"), main.commLink()->ratingReader(true));
        QCOMPARE(data.voltageBase, 200.0);  // the drive's rated voltage
        main.close();
    }

    void tableActivationTakesTheRatingFromTheDrive_data()
    {
        QTest::addColumn<QByteArray>("options");
        QTest::addColumn<QString>("volts");
        QTest::newRow("on-line option on: the drive's 200 V") << QByteArray("[Options]\r\nMCVBOC=1\r\n") << "200.00V";
        QTest::newRow("option off: the table's 100 V") << QByteArray() << "100.00V";
    }
    void tableActivationTakesTheRatingFromTheDrive()
    {
        QFETCH(QByteArray, options);
        QFETCH(QString, volts);
        SimProcess sim({});
        TestAppFolder app;
        startWith(app, sim.device(), options);
        ScriptedPrompter prompter;
        TMain main(prompter, {app.file(QStringLiteral("x.vkr"))}, app.path());
        main.show();
        DriveData &data = main.session().data;
        data.uPara.setAt(data.IndexOfComNo(u"FE71"), UPara::Value, QStringLiteral("1000"));
        TParameter &table = *main.table();
        main.action(QStringLiteral("ToolBCV"))->trigger();
        main.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        table.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&table));
        int row = 1;
        while (row < table.model().gridRowCount() && table.model().cell(row, 1) != QLatin1String("0171"))
            ++row;
        QCOMPARE(table.model().cell(row, 3), volts);  // 100 % of the rated voltage
        QVERIFY(prompter.shown.isEmpty());
        main.close();
    }

    void activationMarksSpecialSetup_data()
    {
        QTest::addColumn<bool>("special");
        QTest::newRow("drive in special set-up") << true;
        QTest::newRow("drive in its normal set-up") << false;
    }
    void activationMarksSpecialSetup()
    {
        QFETCH(bool, special);
        SimProcess sim(special ? QStringList{"--drive", "KDB2:-2037P:V820", "--special-setup"}
                               : QStringList{"--drive", "KDB2:-2037P:V820"});
        QVERIFY(!sim.device().isEmpty());
        TestAppFolder app;
        startWith(app, sim.device());
        app.writeFile(QStringLiteral("x.vkr"), "###\r\nKDB2\r\n-2037P\r\nV820\r\nEnglish\r\nNo Comments.\r\n0\r\n0\r\n");
        ScriptedPrompter prompter;
        TMain main(prompter, {app.file(QStringLiteral("x.vkr"))}, app.path());
        QVERIFY(!main.startupFailed());
        main.show();
        main.FormActivate();
        QVERIFY(prompter.shown.isEmpty());  // the table window is not the active one
        QCOMPARE(main.commLink()->connectionCheck().specialSetup(), special);
        QCOMPARE(transferEnabled(main), !special);
        QVERIFY(main.commLink()->connectionCheck().panelEnabled());
        // The table window tells the user once that the drive is in a special set-up.
        main.DrvChkAct = true;
        main.DrvChkd = false;
        main.FormActivate(true);
        main.FormActivate(true);
        QCOMPARE(prompter.shown.size(), special ? 1 : 0);
        if (special)
            QVERIFY(prompter.shown.first().text.endsWith(main.session().messages.text(102)));
        QCOMPARE(main.DrvChkd, special);
        main.close();
    }

    void noPortGivesItsMessageOnce()
    {
        TestAppFolder app;
        startWith(app, app.file(QStringLiteral("no-such-port")));
        ScriptedPrompter prompter;
        TMain main(prompter, {app.file(QStringLiteral("x.vkr"))}, app.path());
        main.show();
        SetupWindowCloser closer;
        main.action(QStringLiteral("ToolBline"))->trigger();
        main.action(QStringLiteral("ToolBline"))->trigger();
        QCOMPARE(closer.closed, 2);
        QCOMPARE(prompter.shown.size(), 1);
        QCOMPARE(prompter.shown.first().text, main.session().messages.text(2));
        QVERIFY(!transferEnabled(main));
        main.close();
    }
};

QTEST_MAIN(tst_MainLine)
#include "tst_MainLine.moc"
