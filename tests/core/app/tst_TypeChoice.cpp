#include "SimPorts.h"
#include "TestAppFolder.h"
#include "app/AppFolders.h"
#include "app/Settings.h"
#include "app/TypeChoice.h"
#include "base/ScriptedPrompter.h"

#include <QtTest>

class tst_TypeChoice : public QObject
{
    Q_OBJECT

private slots:
    void firstStartTakesFirstEntriesAndResetsComms()
    {
        TestAppFolder app;
        app.writeSettings("[Language]\r\nJapanese=0\r\nEnglish=0\r\n[Comms]\r\nBaudrate=5\r\nParity=2\r\n"
                          "PortNames=/dev/vkr-no-such-port\r\n");
        AppFolders folders;
        folders.setAppFolder(app.path());
        Settings settings(app.settingsFile(), app.path());
        TypeChoice choice(settings, folders);
        ScriptedPrompter prompter;
        QVERIFY(choice.build(false, prompter));
        QCOMPARE(prompter.shown.size(), 1);  // no usable port: the search is skipped
        QCOMPARE(prompter.shown.first().text, choice.message(3));
        QCOMPARE(choice.typeIndex(), 0);
        QCOMPARE(choice.cpuIndex(), 0);
        QCOMPARE(choice.formIndex(), 0);
        QVERIFY(choice.detectionRan());
        const DriveSelection s = choice.record();
        QCOMPARE(s.typeName, choice.types().first());
        QCOMPARE(s.languageName, QStringLiteral("Japanese"));
        QCOMPARE(s.languagePrefix, QStringLiteral("Jap"));
        QCOMPARE(settings.get(Keys::Baudrate), 3);
        QCOMPARE(settings.get(Keys::Parity), 1);
        QCOMPARE(settings.get(Keys::Commport), 0);
        QCOMPARE(settings.get(Keys::InvType), s.typeName);
        QCOMPARE(settings.get(Keys::InvTypeNo), 0);
        QVERIFY(folders.modelFolder.endsWith(s.typeName + QLatin1Char('(') + s.cpuVersion + QLatin1Char(')')));
    }

    void initialLanguage_data()
    {
        QTest::addColumn<QByteArray>("options");
        QTest::addColumn<bool>("startUp");
        QTest::addColumn<int>("language");
        QTest::newRow("last language shown") << QByteArray("CheckLang=1") << false << 1;
        QTest::newRow("option off at first showing") << QByteArray("CheckLang=0") << false << 0;
        QTest::newRow("option off after start (New)") << QByteArray("CheckLang=0") << true << 1;
        QTest::newRow("option absent") << QByteArray("X=1") << true << 0;
    }
    void initialLanguage()
    {
        QFETCH(QByteArray, options);
        QFETCH(bool, startUp);
        QFETCH(int, language);
        TestAppFolder app;
        // No port to search: the machine's own serial ports stay out of the test.
        app.writeSettings("[Language]\r\nJapanese=0\r\nEnglish=0\r\n[Comms]\r\nPortNames=/dev/vkr-no-such-port\r\n"
                          "[Default]\r\nLangNo=1\r\n[Options]\r\n" + options + "\r\n");
        AppFolders folders;
        folders.setAppFolder(app.path());
        Settings settings(app.settingsFile(), app.path());
        TypeChoice choice(settings, folders);
        ScriptedPrompter prompter;
        QVERIFY(choice.build(startUp, prompter));
        QCOMPARE(choice.languageIndex(), language);
    }

    void rememberedChoice_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<bool>("found");
        QTest::newRow("remembered drive exists") << "-2015P" << true;
        QTest::newRow("capacity file deleted") << "-9999P" << false;
    }
    void rememberedChoice()
    {
        QFETCH(QString, form);
        QFETCH(bool, found);
        TestAppFolder app;
        app.writeSettings("[Language]\r\nJapanese=0\r\nEnglish=0\r\n[Options]\r\nCheckInv=1\r\nCheckLang=1\r\n"
                          "[Default]\r\nLangNo=1\r\nInvTypeNo=0\r\nInvFormNo=1\r\nInvCpuNo=1\r\nInvType=KDA1\r\nInvCpu=V110\r\nInvForm="
                          + form.toLatin1() + "\r\n");
        AppFolders folders;
        folders.setAppFolder(app.path());
        Settings settings(app.settingsFile(), app.path());
        TypeChoice choice(settings, folders);
        ScriptedPrompter prompter;
        QVERIFY(choice.build(false, prompter));
        QVERIFY(!choice.detectionRan());
        const DriveSelection s = choice.record();
        if (found) {
            QVERIFY(prompter.shown.isEmpty());
            QCOMPARE(s.cpuVersion, QStringLiteral("V110"));
            QCOMPARE(s.formName, form);
        } else {
            QCOMPARE(prompter.shown.size(), 1);
            QCOMPARE(prompter.shown.first().text,
                     QStringLiteral("Not found the Last Inverter data file.\nKDA1(V110)") + form);
            QCOMPARE(s.typeIndex, 0);
            QCOMPARE(s.formIndex, 0);
        }
    }

    void pickingTypeAndCpuRefillsLists()
    {
        TestAppFolder app;
        app.writeSettings("[Comms]\r\nPortNames=/dev/vkr-no-such-port\r\n");
        AppFolders folders;
        folders.setAppFolder(app.path());
        Settings settings(app.settingsFile(), app.path());
        TypeChoice choice(settings, folders);
        ScriptedPrompter prompter;
        QVERIFY(choice.build(false, prompter));
        const int kda1 = int(choice.types().indexOf(QStringLiteral("KDA1")));
        choice.selectType(kda1);
        QCOMPARE(choice.cpuVersions(), QStringList({"V100", "V110"}));
        choice.selectCpu(1);
        QCOMPARE(choice.forms(), choice.catalog().forms(QStringLiteral("KDA1"), QStringLiteral("V110")));
        QCOMPARE(choice.formIndex(), 0);
        QCOMPARE(choice.formNumbers().size(), choice.forms().size());
    }

    void detectedDriveIsSelected_data()
    {
        QTest::addColumn<QStringList>("drive");  // type, form, CPU version on port "b"
        QTest::addColumn<bool>("modbus");
        QTest::addColumn<int>("baud");
        QTest::addColumn<int>("parity");  // index: 0 none, 1 even, 2 odd
        QTest::addColumn<QByteArray>("catalog");  // replaces [Type] of Inverter.ini when set
        QTest::addColumn<QStringList>("selected");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("remembered");  // [Comms] holds the drive's port and line
        const QStringList kda1{"KDA1", "-2015P", "V110"};
        QTest::newRow("native drive at 19200 odd") << kda1 << false << 19200 << 2 << QByteArray() << kda1 << ""
                                                   << false;
        QTest::newRow("Modbus drive at 38400 none") << kda1 << true << 38400 << 0 << QByteArray() << kda1 << "" << true;
        QTest::newRow("shared type number told apart by Ident")
            << QStringList{"KDC3", "-4150P", "V200"} << true << 9600 << 1 << QByteArray()
            << QStringList{"KDC3", "-4150P", "V200"} << "" << true;
        QTest::newRow("type number 65: type at FB05, form at FB58")
            << kda1 << false << 9600 << 1 << QByteArray("KDA1=65\r\nKDB2=52\r\nKDC3=52\r\n") << kda1 << "" << true;
        QTest::newRow("drive not in the catalogue")
            << kda1 << false << 9600 << 1 << QByteArray("KDA1=43\r\nKDB2=52\r\nKDC3=52\r\n")
            << QStringList{"KDA1", "-2004P", "V100"} << "Not found Inverter data file.\n****(V110)-****" << true;
    }
    void detectedDriveIsSelected()
    {
        QFETCH(QStringList, drive);
        QFETCH(bool, modbus);
        QFETCH(int, baud);
        QFETCH(int, parity);
        QFETCH(QByteArray, catalog);
        QFETCH(QStringList, selected);
        QFETCH(QString, message);
        QFETCH(bool, remembered);
        TestAppFolder app;
        if (!catalog.isEmpty()) {
            QByteArray ini = app.readFile("dat/Inverter.ini");
            const qsizetype end = ini.indexOf("\n\r\n") >= 0 ? ini.indexOf("\n\r\n") : ini.indexOf("\n\n");
            ini.replace(0, end + 1, "[Type]\r\n" + catalog);
            app.writeFile("dat/Inverter.ini", ini);
        }
        QByteArray comms = "[Comms]\r\nPortNames=a,b,gone\r\n";
        if (remembered)
            comms += QStringLiteral("Commport=1\r\nPrtocol=%1\r\nBaudrate=%2\r\nParity=%3\r\n")
                         .arg(int(modbus)).arg(CommSettings::baudIndexOf(baud)).arg(parity).toLatin1();
        app.writeSettings("[Language]\r\nEnglish=0\r\n" + comms);
        SimPorts ports;
        ports.addSilent("a");
        const SimParity parities[] = {SimParity::None, SimParity::Even, SimParity::Odd};
        // The drive tells the numbers of the sample catalogue, except where it is the old kind.
        const QString simData = catalog.contains("=65") ? app.file("dat") : QStringLiteral(VKR_SAMPLE_DATA "/dat");
        QVERIFY(ports.addDrive("b", drive[0], drive[1], drive[2], modbus, baud, parities[parity], simData));
        AppFolders folders;
        folders.setAppFolder(app.path());
        Settings settings(app.settingsFile(), app.path());
        TypeChoice choice(settings, folders);
        choice.setDetectionPort(&ports);
        int tries = 0;
        choice.setScanProgress([&](const CommScan::Step &) { return ++tries > 0; });
        ScriptedPrompter prompter;
        QVERIFY(choice.build(false, prompter));
        QCOMPARE(prompter.shown.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty())
            QCOMPARE(prompter.shown.first().text, message);
        const DriveSelection s = choice.record();
        QCOMPARE(QStringList({s.typeName, s.formName, s.cpuVersion}), selected);
        QCOMPARE(settings.get(Keys::Commport), 1);
        QCOMPARE(settings.get(Keys::Prtocol), modbus ? 1 : 0);
        QCOMPARE(settings.get(Keys::Baudrate), CommSettings::baudIndexOf(baud));
        QCOMPARE(settings.get(Keys::Parity), parity);
        QCOMPARE(tries, remembered ? 1 : 18 + 9);  // "a" in full, then "b" up to 19200 odd native
        if (!remembered)
            QVERIFY(ports.frames.first().device == "a");
    }

    void noDriveDataFailsTheStart()
    {
        TestAppFolder app(false);
        app.writeFile(QStringLiteral("lng/English.ini"), "[General]\r\nMessage1=Check\r\nMessage86=Closing.\r\nMessage94=No data.\r\n");
        app.writeSettings("[Language]\r\nEnglish=0\r\n");
        AppFolders folders;
        folders.setAppFolder(app.path());
        Settings settings(app.settingsFile(), app.path());
        TypeChoice choice(settings, folders);
        ScriptedPrompter prompter;
        QVERIFY(!choice.build(false, prompter));
        QCOMPARE(prompter.shown.size(), 1);
        QCOMPARE(prompter.shown.first().text, QStringLiteral("No data.\nClosing."));
        QCOMPARE(prompter.shown.first().caption, QStringLiteral("Check"));
    }
};

QTEST_GUILESS_MAIN(tst_TypeChoice)
#include "tst_TypeChoice.moc"
