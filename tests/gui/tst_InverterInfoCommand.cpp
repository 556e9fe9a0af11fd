#include "SimProcess.h"
#include "TestAppFolder.h"
#include "base/ScriptedPrompter.h"
#include "comm/CommLink.h"
#include "main/InverterInfoCommand.h"
#include "main/TMain.h"
#include "transfer/TResultForm1.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QTimer>
#include <QtTest>

// "Inverter Info." of the main window against the drive simulator on a pseudo-terminal: the
// report in the result window, and message 3 when the drive has gone.
class tst_InverterInfoCommand : public QObject
{
    Q_OBJECT

private:
    static void startWith(TestAppFolder &app, const QString &port, const QByteArray &comms = QByteArray())
    {
        app.writeSettings("[Language]\r\nJapanese=0\r\nEnglish=0\r\n[Comms]\r\nPortNames=" + port.toUtf8()
                          + "\r\nDelay=100\r\n" + comms);
        app.writeFile(QStringLiteral("x.vkr"), "###\r\nKDA1\r\n-2007P\r\nV100\r\nEnglish\r\nNo Comments.\r\n0\r\n0\r\n");
    }

    struct Seen {
        QString caption;
        QString text;
        bool modal = false;
    };

    // Reads the result window when it opens and closes it.
    static void readResult(TMain &main, Seen &seen)
    {
        QObject::connect(main.inverterInfo(), &InverterInfoCommand::resultOpening, main.inverterInfo(),
                         [&seen](TResultForm1 *r) {
                             QTimer::singleShot(0, r, [r, &seen] {
                                 seen.caption = r->windowTitle();
                                 seen.text = r->ResultDisp()->toPlainText();
                                 seen.modal = r->isModal() && r->isVisible();
                                 r->accept();
                             });
                         });
    }

private slots:
    void reportInTheResultWindow_data()
    {
        QTest::addColumn<QStringList>("simLine");
        QTest::addColumn<QByteArray>("comms");
        QTest::addColumn<QString>("button");
        QTest::newRow("menu item, native") << QStringList{} << QByteArray() << "MonInvInfo";
        QTest::newRow("tool button, Modbus") << QStringList{"--protocol", "modbus"} << QByteArray("Prtocol=1\r\n")
                                             << "ToolBInvInfo";
    }
    void reportInTheResultWindow()
    {
        QFETCH(QStringList, simLine);
        QFETCH(QByteArray, comms);
        QFETCH(QString, button);
        SimProcess sim(QStringList{"--drive", "KDA1:-2007P:V100"} + simLine);
        QVERIFY(!sim.device().isEmpty());
        TestAppFolder app;
        startWith(app, sim.device(), comms);
        ScriptedPrompter prompter;
        TMain main(prompter, {app.file(QStringLiteral("x.vkr"))}, app.path());
        QVERIFY(!main.startupFailed());
        main.show();
        QVERIFY(!main.action(button)->isEnabled());
        main.action(QStringLiteral("ToolBline"))->trigger();
        QVERIFY(main.action(button)->isEnabled());
        Seen seen;
        readResult(main, seen);
        main.action(button)->trigger();
        QVERIFY2(prompter.shown.isEmpty(), prompter.shown.isEmpty() ? "" : qPrintable(prompter.shown.first().text));
        QCOMPARE(seen.caption, QStringLiteral("Inverter Infomation"));
        QVERIFY(seen.modal);
        const QStringList lines = seen.text.split(u'\n');
        QCOMPARE(lines.value(0), QStringLiteral("* Inverter Information"));
        QCOMPARE(lines.value(1), QStringLiteral("Inverter type           :KDA1"));
        QCOMPARE(lines.value(2), QStringLiteral("Inverter form           :-2007P"));
        QCOMPARE(lines.value(3), QStringLiteral("CPU version             :100"));
        QCOMPARE(lines.value(8), QStringLiteral("Trip history 1 (latest) :No trip"));
        QCOMPARE(lines.size(), 15);
        main.close();
    }

    void driveGoneGivesMessage3()
    {
        SimProcess sim({});
        QVERIFY(!sim.device().isEmpty());
        TestAppFolder app;
        startWith(app, sim.device());
        ScriptedPrompter prompter;
        TMain main(prompter, {app.file(QStringLiteral("x.vkr"))}, app.path());
        main.show();
        main.action(QStringLiteral("ToolBline"))->trigger();
        QVERIFY(main.action(QStringLiteral("MonInvInfo"))->isEnabled());
        QCOMPARE(sim.stop(), 0);
        Seen seen;
        readResult(main, seen);
        main.action(QStringLiteral("MonInvInfo"))->trigger();
        QVERIFY(seen.caption.isEmpty());
        QVERIFY(!prompter.shown.isEmpty());
        QCOMPARE(prompter.shown.last().text, main.session().messages.text(3));
        QCOMPARE(prompter.shown.last().icon, Prompter::Icon::Warning);
        // The failed check took the command away.
        QVERIFY(!main.action(QStringLiteral("MonInvInfo"))->isEnabled());
        main.close();
    }
};

QTEST_MAIN(tst_InverterInfoCommand)
#include "tst_InverterInfoCommand.moc"
