#include "TestAppFolder.h"
#include "app/AppFolders.h"
#include "app/LanguageFile.h"
#include "app/MessageTable.h"
#include "base/ScriptedPrompter.h"

#include <QtTest>

class tst_LanguageFile : public QObject
{
    Q_OBJECT

private:
    static QByteArray general(int count, int skip = -1)
    {
        QByteArray bytes = "[General]\r\n";
        for (int k = 1; k <= count; ++k) {
            if (k != skip)
                bytes += "Message" + QByteArray::number(k) + "=text " + QByteArray::number(k) + "\r\n";
        }
        return bytes;
    }

private slots:
    void messagesByPosition_data()
    {
        QTest::addColumn<int>("skip");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("text");
        QTest::newRow("message 0 is Message1") << -1 << 0 << "text 1";
        QTest::newRow("message 67 is Message68") << -1 << 67 << "text 68";
        QTest::newRow("Message5 missing shifts message 4") << 5 << 4 << "text 6";
        QTest::newRow("beyond the table") << -1 << 120 << "-";
    }
    void messagesByPosition()
    {
        QFETCH(int, skip);
        QFETCH(int, number);
        QFETCH(QString, text);
        TestAppFolder app(false);
        app.writeFile(QStringLiteral("lng/English.ini"), general(120, skip));
        AppFolders folders;
        folders.setAppFolder(app.path());
        LanguageFile lang;
        MessageTable messages;
        ScriptedPrompter prompter;
        QVERIFY(lang.load(folders, QStringLiteral("English"), prompter, messages));
        QCOMPARE(messages.text(number), text);
        QCOMPARE(messages.caption(), QStringLiteral("text 1"));
    }

    void missingFile_data()
    {
        QTest::addColumn<bool>("pick");
        QTest::newRow("user picks a file elsewhere") << true;
        QTest::newRow("user cancels") << false;
    }
    void missingFile()
    {
        QFETCH(bool, pick);
        TestAppFolder app(false);
        app.writeFile(QStringLiteral("other/Mine.ini"), general(3) + "[Main]\r\nMenu1=Dateien\r\n");
        AppFolders folders;
        folders.setAppFolder(app.path());
        LanguageFile lang;
        MessageTable messages;
        ScriptedPrompter prompter;
        if (pick)
            prompter.files << app.file(QStringLiteral("other/Mine.ini"));
        QCOMPARE(lang.load(folders, QStringLiteral("English"), prompter, messages), pick);
        QCOMPARE(prompter.shown.first().text, QStringLiteral("Not found Language data file."));
        QCOMPARE(prompter.shown.first().caption, QStringLiteral("Confirmation"));
        QCOMPARE(prompter.fileDialogs, 1);
        if (pick) {
            QCOMPARE(folders.languageFolder, app.file(QStringLiteral("other")));
            QCOMPARE(lang.text(QStringLiteral("Main"), QStringLiteral("Menu1"), QStringLiteral("Files")), QStringLiteral("Dateien"));
            QCOMPARE(lang.text(QStringLiteral("Main"), QStringLiteral("Menu2"), QStringLiteral("Parameter")), QStringLiteral("Parameter"));
        } else {
            QCOMPARE(prompter.shown.last().text, QStringLiteral("VKR410T is closed."));
        }
    }

    void emptyGeneralIsNotValid_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("no General section") << QByteArray("[Main]\r\nMenu1=x\r\n");
        QTest::newRow("binary garbage") << QByteArray("\x00\xff\xfe[\x01=\x02", 8);
    }
    void emptyGeneralIsNotValid()
    {
        QFETCH(QByteArray, bytes);
        TestAppFolder app(false);
        app.writeFile(QStringLiteral("lng/English.ini"), bytes);
        AppFolders folders;
        folders.setAppFolder(app.path());
        LanguageFile lang;
        MessageTable messages;
        ScriptedPrompter prompter;
        QVERIFY(!lang.load(folders, QStringLiteral("English"), prompter, messages));
        QCOMPARE(prompter.shown.size(), 1);
        QCOMPARE(prompter.shown.first().text,
                 QStringLiteral("Selected Language data file is not valid.\nVKR410T is closed."));
    }

    void sampleLanguagesAreComplete()
    {
        for (const char *name : {"English", "Japanese"}) {
            AppFolders folders;
            folders.setAppFolder(QStringLiteral(VKR_SAMPLE_DATA));
            LanguageFile lang;
            MessageTable messages;
            ScriptedPrompter prompter;
            QVERIFY(lang.load(folders, QString::fromLatin1(name), prompter, messages));
            QVERIFY(messages.count() > 105);
            for (int k = 0; k < messages.count(); ++k)
                QCOMPARE(messages.msgSec().at(k), QStringLiteral("Message%1").arg(k + 1));
        }
    }
};

QTEST_GUILESS_MAIN(tst_LanguageFile)
#include "tst_LanguageFile.moc"
