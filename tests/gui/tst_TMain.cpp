#include "SimProcess.h"
#include "TestAppFolder.h"
#include "base/ScriptedPrompter.h"
#include "comm/CommLink.h"
#include "main/TMain.h"
#include "startup/Ttype.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QTimer>
#include <QtTest>

// The start-up search finds no port: the machine's own serial ports stay out of the tests.
const QByteArray NoPort("[Comms]\r\nPortNames=/dev/vkr-no-such-port\r\n");

class tst_TMain : public QObject
{
    Q_OBJECT

private:
    // Answers the modal start-up window when it appears: optionally picks a language, then
    // closes it with the keyboard, the way a user may leave it without pressing OK.
    static void closeStartupWindow(int language = -1, QString *seenType = nullptr)
    {
        QTimer::singleShot(0, [=] {
            auto *type = qobject_cast<Ttype *>(QApplication::activeModalWidget());
            if (!type) {
                closeStartupWindow(language, seenType);
                return;
            }
            if (seenType)
                *seenType = type->findChild<QComboBox *>(QStringLiteral("I_TypeForm"))->currentText();
            if (language >= 0)
                type->findChild<QComboBox *>(QStringLiteral("LangForm"))->setCurrentIndex(language);
            QTest::keyClick(type, Qt::Key_Escape);
        });
    }

    // Notes the type, form and CPU version the start-up window shows, then closes it.
    static void readStartupWindow(QStringList *seen)
    {
        QTimer::singleShot(10, [=] {
            auto *type = qobject_cast<Ttype *>(QApplication::activeModalWidget());
            if (!type) {
                readStartupWindow(seen);
                return;
            }
            for (const char *box : {"I_TypeForm", "I_CapaForm", "I_CpuForm"})
                *seen << type->findChild<QComboBox *>(QString::fromLatin1(box))->currentText();
            QTest::keyClick(type, Qt::Key_Escape);
        });
    }

private slots:
    void startUpFindsTheConnectedDrive()
    {
        SimProcess sim({"--drive", "KDA1:-2015P:V110", "--protocol", "modbus", "--baud", "19200", "--parity", "odd"});
        QVERIFY(!sim.device().isEmpty());
        TestAppFolder app;
        app.writeSettings("[Language]\r\nJapanese=0\r\nEnglish=0\r\n[Comms]\r\nPortNames=/dev/vkr-no-such-port,"
                          + sim.device().toUtf8() + "\r\n");
        QDir::setCurrent(app.path());
        ScriptedPrompter prompter;
        QStringList seen;
        readStartupWindow(&seen);
        TMain main(prompter, {}, QStringLiteral("/nowhere"));
        QVERIFY(!main.startupFailed());
        QVERIFY(prompter.shown.isEmpty());
        QCOMPARE(seen, QStringList({"KDA1", "-2015P", "V110"}));
        const QByteArray settings = app.readFile(QStringLiteral("VKR410T.ini"));
        for (const char *line : {"Commport=0\r\n", "Prtocol=1\r\n", "Baudrate=4\r\n", "Parity=2\r\n"})
            QVERIFY2(settings.contains(line), line);
        main.close();
    }

    void normalStart()
    {
        TestAppFolder app;
        app.writeSettings(NoPort);
        QDir::setCurrent(app.path());
        ScriptedPrompter prompter;
        QString seenType;
        closeStartupWindow(1, &seenType);
        TMain main(prompter, {}, QStringLiteral("/nowhere"));
        QVERIFY(!main.startupFailed());
        QCOMPARE(prompter.shown.size(), 1);  // no port to search for a drive
        QCOMPARE(prompter.shown.first().icon, Prompter::Icon::Warning);
        QCOMPARE(seenType, QStringLiteral("KDA1"));
        main.show();
        QCOMPARE(main.windowTitle(), QStringLiteral("VKR410T KDA1-2004P (CPU Ver.V100)"));
        QCOMPARE(main.minimumWidth(), 639);
        QCOMPARE(main.minimumHeight(), main.maximumHeight());
        QCOMPARE(main.session().selection.languageName, QStringLiteral("English"));
        QVERIFY(!main.action(QStringLiteral("ParaSaveOverWrite"))->isEnabled());
        QVERIFY(!main.action(QStringLiteral("ToolBsav"))->isEnabled());
        QVERIFY(main.StartUp);
        QVERIFY(main.DrvChkAct);
        QCOMPARE(main.session().messages.caption(), QStringLiteral("Confirmation"));

        const QByteArray settings = app.readFile(QStringLiteral("VKR410T.ini"));
        QVERIFY(settings.contains("[Language]\r\nJapanese=0\r\nEnglish=0\r\n"));
        QVERIFY(settings.contains("LangNo=1\r\n"));
        QVERIFY(settings.contains("InvType=KDA1\r\n"));

        main.session().monitoringRunning = true;
        QVERIFY(!main.close());
        QVERIFY(!app.readFile(QStringLiteral("VKR410T.ini")).contains("SavePath"));
        main.session().monitoringRunning = false;
        QVERIFY(main.close());
        const QByteArray after = app.readFile(QStringLiteral("VKR410T.ini"));
        QVERIFY(after.contains("[File]\r\nSavePath=" + app.path().toUtf8() + "\r\nLoadPath="));
        QVERIFY(after.contains("MonPath=" + app.path().toUtf8()));
    }

    void textsComeFromTheLanguageFile_data()
    {
        QTest::addColumn<QByteArray>("main");
        QTest::addColumn<QString>("files");
        QTest::addColumn<QString>("hint");
        QTest::newRow("no [Main]: English defaults") << QByteArray() << "Files" << "Inverter Infomation";
        QTest::newRow("own captions") << QByteArray("[Main]\r\nMenu1=Dateien\r\nToolB22=Umrichter\r\n") << "Dateien"
                                      << "Umrichter";
    }
    void textsComeFromTheLanguageFile()
    {
        QFETCH(QByteArray, main);
        QFETCH(QString, files);
        QFETCH(QString, hint);
        TestAppFolder app;
        app.writeFile(QStringLiteral("lng/English.ini"), "[General]\r\nMessage1=Confirmation\r\n" + main);
        app.writeSettings("[Language]\r\nEnglish=0\r\n" + NoPort);
        QDir::setCurrent(app.path());
        ScriptedPrompter prompter;
        closeStartupWindow();
        TMain window(prompter, {}, QString());
        window.show();
        QCOMPARE(window.menu(QStringLiteral("FileMenu"))->title(), files);
        QCOMPARE(window.action(QStringLiteral("ToolBInvInfo"))->toolTip(), hint);
        QCOMPARE(window.action(QStringLiteral("PopCopy2"))->text(), QStringLiteral("Copy"));
        QCOMPARE(window.action(QStringLiteral("PopCopy2"))->shortcut(), QKeySequence(QStringLiteral("Ctrl+C")));
        window.close();
    }

    void quickFollowsTheInfoFile_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("cpu");
        QTest::addColumn<bool>("quick");
        QTest::newRow("type with a Quick display") << "KDA1" << "-2015P" << "V100" << true;
        QTest::newRow("type without") << "KDB2" << "-4037P" << "V820" << false;
    }
    void quickFollowsTheInfoFile()
    {
        QFETCH(QString, type);
        QFETCH(QString, form);
        QFETCH(QString, cpu);
        QFETCH(bool, quick);
        TestAppFolder app;
        app.writeFile(QStringLiteral("x.vkr"), "###\r\n" + type.toLatin1() + "\r\n" + form.toLatin1() + "\r\n" + cpu.toLatin1() + "\r\nEnglish\r\nNo Comments.\r\n0\r\n0\r\n");
        app.writeSettings("[Language]\r\nJapanese=0\r\nEnglish=0\r\n");
        ScriptedPrompter prompter;
        TMain window(prompter, {app.file(QStringLiteral("x.vkr"))}, app.path());
        QVERIFY(!window.startupFailed());
        window.show();
        QCOMPARE(window.action(QStringLiteral("ToolBQuick"))->isVisible(), quick);
        QCOMPARE(window.action(QStringLiteral("PopQuick2"))->isVisible(), quick);
        QCOMPARE(window.session().folders.appFolder, app.path());
        QVERIFY(window.session().data.parameterCount() > 300);
        QCOMPARE(window.session().data.lastShownIndex, window.session().data.lastUserIndex);
        QCOMPARE(window.action(QStringLiteral("ToolBCV"))->isEnabled(), !window.session().data.listBuff.isEmpty());
        window.close();
    }

    void newReportsAnUnopenablePortAgain()
    {
        TestAppFolder app;
        app.writeFile(QStringLiteral("x.vkr"), "###\r\nKDA1\r\n-2004P\r\nV100\r\nEnglish\r\nNo Comments.\r\n0\r\n0\r\n");
        app.writeSettings("[Language]\r\nJapanese=0\r\nEnglish=0\r\n");
        ScriptedPrompter prompter;
        TMain window(prompter, {app.file(QStringLiteral("x.vkr"))}, app.path());
        QVERIFY(!window.startupFailed());
        window.show();
        window.commLink()->port().setPortNotFoundShown(true);
        closeStartupWindow();
        const qsizetype before = prompter.shown.size();
        window.action(QStringLiteral("ParaMakeNew"))->trigger();
        // Either nothing tried the port yet, or this machine's port failed again and was reported.
        bool reported = false;
        for (qsizetype i = before; i < prompter.shown.size(); ++i)
            reported = reported || prompter.shown.at(i).text == QStringLiteral("Usable serial port is not found.");
        QVERIFY(reported || !window.commLink()->port().PortNotFoundShown());
        window.close();
    }
};

QTEST_MAIN(tst_TMain)
#include "tst_TMain.moc"
