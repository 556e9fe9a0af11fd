#include "TestAppFolder.h"
#include "app/Session.h"
#include "base/ScriptedPrompter.h"

#include <QtTest>

class tst_StartFile : public QObject
{
    Q_OBJECT

private slots:
    void refusals_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("caption");
        const QByteArray good = "###\r\nKDA1\r\n-2015P\r\nV100\r\nEnglish\r\nNo Comments.\r\n0\r\n0\r\n";
        QTest::newRow("upper-case extension accepted") << "x.VKR" << good << "";
        QTest::newRow("lower-case extension accepted") << "x.vkr" << good << "";
        QTest::newRow("backup name refused") << "x.vkr.bak" << good << "Confirmation (File-type error)";
        QTest::newRow("older layout refused") << "x.vkr" << QByteArray("##\r\nKDA1\r\n") << "Confirmation (Data error)";
        QTest::newRow("empty file") << "x.vkr" << QByteArray() << "Confirmation (Data error)";
        QTest::newRow("unknown language") << "x.vkr" << QByteArray("###\r\nKDA1\r\n-2015P\r\nV100\r\nKlingon\r\n")
                                          << "Confirmation (Language error)";
        QTest::newRow("language name in another case accepted")
            << "x.vkr" << QByteArray("###\r\nKDA1\r\n-2015P\r\nV100\r\nENGLISH\r\nNo Comments.\r\n0\r\n0\r\n") << "";
        QTest::newRow("header cut short") << "x.vkr" << QByteArray("###\r\nKDA1\r\n") << "Confirmation (Language error)";
    }
    void refusals()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, caption);
        TestAppFolder app;
        app.writeSettings("[Language]\r\nJapanese=0\r\nEnglish=1\r\n");
        app.writeFile(QStringLiteral("files/") + name, bytes);
        Session session;
        ScriptedPrompter prompter;
        const StartFile file = session.startWithFile(app.file(QStringLiteral("files/") + name), app.path(), prompter);
        QCOMPARE(session.loadPath, app.file(QStringLiteral("files")));
        if (caption.isEmpty()) {
            QVERIFY(!session.startupFailed);
            QVERIFY(prompter.shown.isEmpty());
            QCOMPARE(session.selection.typeName, QStringLiteral("KDA1"));
            QCOMPARE(session.selection.languageIndex, 1);
            QCOMPARE(session.selection.languageName, QStringLiteral("English"));
            QVERIFY(session.selection.decimalComma);
            QCOMPARE(session.settings().get(Keys::LangNo), 1);
            QVERIFY(!file.commentsChk);
            QCOMPARE(session.caption(), QStringLiteral("VKR410T KDA1-2015P (CPU Ver.V100)"));
            QCOMPARE(session.selection.typeNumber, QStringLiteral("41"));
            QVERIFY(session.folders.infoFile.endsWith(QLatin1String("/dat/KDA1(V100)/Info.ini")));
        } else {
            QVERIFY(session.startupFailed);
            QCOMPARE(prompter.shown.size(), 1);
            QCOMPARE(prompter.shown.first().text, QStringLiteral("Data is incorrect."));
            QCOMPARE(prompter.shown.first().caption, caption);
        }
    }

    void headerFields()
    {
        TestAppFolder app;
        app.writeSettings("[Language]\r\nEnglish=0\r\n");
        app.writeFile(QStringLiteral("a.vkr"),
                      "###\r\nKDA1\r\n-2015P\r\nV100\r\nEnglish\r\nPump 3, spare\r\n1\r\n12\r\n0000,5,0,1\r\n");
        Session session;
        ScriptedPrompter prompter;
        const StartFile file = session.startWithFile(app.file(QStringLiteral("a.vkr")), app.path(), prompter);
        QVERIFY(!session.startupFailed);
        QVERIFY(file.commentsChk);
        QCOMPARE(file.commentsText, QStringLiteral("Pump 3, spare"));
        QVERIFY(session.blindMode);
        QCOMPARE(session.blindCount, 12);
        QCOMPARE(session.selection.cpuNumber, QStringLiteral("100"));
        QCOMPARE(session.savePath, app.path());
        QCOMPARE(file.lines.size(), 9);
    }

    void firstRunWithAFileKnowsTheBuiltInLanguages()
    {
        TestAppFolder app;  // no settings file yet
        app.writeFile(QStringLiteral("a.vkr"), "###\r\nKDA1\r\n-2015P\r\nV100\r\nEnglish\r\nNo Comments.\r\n0\r\n0\r\n");
        Session session;
        ScriptedPrompter prompter;
        session.startWithFile(app.file(QStringLiteral("a.vkr")), app.path(), prompter);
        QVERIFY(!session.startupFailed);
        QVERIFY(prompter.shown.isEmpty());
        QCOMPARE(session.selection.languageName, QStringLiteral("English"));
        QVERIFY(app.readFile(QStringLiteral("VKR410T.ini")).contains("[Language]\r\nJapanese=0\r\nEnglish=0\r\n"));
    }

    void driveUnknownToTheCatalogueRefused_data()
    {
        QTest::addColumn<QByteArray>("drive");  // lines 2 to 4
        QTest::newRow("type outside the data folder") << QByteArray("../../evil/E\r\n-2015P\r\nV100");
        QTest::newRow("type not in the data folder") << QByteArray("KDZZ\r\n-1\r\nV9");
        QTest::newRow("CPU version of no model folder") << QByteArray("KDA1\r\n-2015P\r\nV999");
        QTest::newRow("form without capacity file") << QByteArray("KDA1\r\n/../../x\r\nV100");
    }
    void driveUnknownToTheCatalogueRefused()
    {
        QFETCH(QByteArray, drive);
        TestAppFolder app;
        app.writeSettings("[Language]\r\nEnglish=0\r\n");
        app.writeFile(QStringLiteral("a.vkr"), "###\r\n" + drive + "\r\nEnglish\r\nNo Comments.\r\n0\r\n0\r\n");
        Session session;
        ScriptedPrompter prompter;
        session.startWithFile(app.file(QStringLiteral("a.vkr")), app.path(), prompter);
        QVERIFY(session.startupFailed);
        QCOMPARE(prompter.shown.size(), 1);
        const QStringList lines = QString::fromLatin1(drive).split(QStringLiteral("\r\n"));
        QCOMPARE(prompter.shown.first().text, QStringLiteral("The data belong to another inverter type.\n")
                     + lines.at(0) + lines.at(1) + QStringLiteral(" (") + lines.at(2)
                     + QStringLiteral(") is not the selected inverter type."));
        QCOMPARE(prompter.shown.first().caption, QStringLiteral("Confirmation"));
    }

    void unreadableFileNamed()
    {
        TestAppFolder app;
        app.writeSettings("[Language]\r\nEnglish=0\r\n");
        QVERIFY(QDir(app.path()).mkpath(QStringLiteral("folder.vkr")));
        Session session;
        ScriptedPrompter prompter;
        session.startWithFile(app.file(QStringLiteral("folder.vkr")), app.path(), prompter);
        QVERIFY(session.startupFailed);
        QCOMPARE(prompter.shown.first().text,
                 QStringLiteral("Data is incorrect.\n") + app.file(QStringLiteral("folder.vkr")) + QStringLiteral(": not a regular file"));
    }
};

QTEST_GUILESS_MAIN(tst_StartFile)
#include "tst_StartFile.moc"
