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
        app.writeSettings("[Language]\r\nJapanese=0\r\nEnglish=0\r\n[Comms]\r\nBaudrate=5\r\nParity=2\r\n");
        AppFolders folders;
        folders.setAppFolder(app.path());
        Settings settings(app.settingsFile(), app.path());
        TypeChoice choice(settings, folders);
        ScriptedPrompter prompter;
        QVERIFY(choice.build(false, prompter));
        QVERIFY(prompter.shown.isEmpty());
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
        app.writeSettings("[Language]\r\nJapanese=0\r\nEnglish=0\r\n[Default]\r\nLangNo=1\r\n[Options]\r\n" + options + "\r\n");
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
