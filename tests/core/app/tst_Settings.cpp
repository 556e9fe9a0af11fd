#include "app/Settings.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class tst_Settings : public QObject
{
    Q_OBJECT

private slots:
    void defaultsWithoutAFile()
    {
        QTemporaryDir dir;
        const Settings s(dir.filePath(QStringLiteral("VKR410T.ini")), dir.path());
        QCOMPARE(s.get(Keys::InvTypeNo), 999);
        QCOMPARE(s.get(Keys::InvFormNo), 999);
        QCOMPARE(s.get(Keys::InvCpuNo), 999);
        QCOMPARE(s.get(Keys::Baudrate), 3);
        QCOMPARE(s.get(Keys::Parity), 1);
        QCOMPARE(s.get(Keys::Bytesize), 1);
        QCOMPARE(s.get(Keys::Stopbits), 0);
        QCOMPARE(s.get(Keys::Prtocol), 0);
        QCOMPARE(s.get(Keys::ID), 0);
        QCOMPARE(s.get(Keys::Delay), 200);
        QCOMPARE(s.get(Keys::SavePath), dir.path());
        QCOMPARE(s.get(Keys::DF), QStringLiteral("\\dat"));
        QCOMPARE(s.get(Keys::MNCC), 0xE0FFFF);
        QCOMPARE(s.monitorColor(1), 0x0000FF);
        QCOMPARE(s.monitorColor(10), 0x808000);
        QCOMPARE(s.monitorItem(4), 3);
        QVERIFY(s.monitorSelected(5));
        QVERIFY(!s.monitorSelected(6));
        QCOMPARE(s.languages(), QStringList());
    }

    void firstRunWritesTheTwoLanguages()
    {
        QTemporaryDir dir;
        Settings s(dir.filePath(QStringLiteral("VKR410T.ini")), dir.path());
        QVERIFY(s.ensureLanguages());
        QCOMPARE(s.languages(), QStringList({"Japanese", "English"}));
        QVERIFY(!s.ensureLanguages());
        QFile f(s.path());
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("[Language]\r\nJapanese=0\r\nEnglish=0\r\n"));
    }

    void handWrittenValues_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("eeprom");
        QTest::addColumn<int>("delay");
        QTest::newRow("2 reads as true") << "2" << true << 2;
        QTest::newRow("yes reads as the default") << "yes" << true << 200;
        QTest::newRow("0 reads as false") << "0" << false << 0;
    }
    void handWrittenValues()
    {
        QFETCH(QString, value);
        QFETCH(bool, eeprom);
        QFETCH(int, delay);
        QTemporaryDir dir;
        QFile f(dir.filePath(QStringLiteral("VKR410T.ini")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QStringLiteral("[Options]\r\nEeprom=%1\r\n[Comms]\r\nDelay=%1\r\n").arg(value).toLatin1());
        f.close();
        const Settings s(f.fileName(), dir.path());
        QCOMPARE(s.get(Keys::Eeprom), eeprom);
        QCOMPARE(s.get(Keys::Delay), delay);
    }

    void coloursRoundTrip()
    {
        QTemporaryDir dir;
        Settings s(dir.filePath(QStringLiteral("VKR410T.ini")), dir.path());
        const int pink = BgrColor::fromRgb(255, 192, 203);
        QCOMPARE(pink, 0xCBC0FF);
        s.set(Keys::MSCC, pink);
        const Settings again(s.path(), dir.path());
        QCOMPARE(again.get(Keys::MSCC), pink);
        QCOMPARE(BgrColor::red(again.get(Keys::MSCC)), 255);
        QCOMPARE(BgrColor::blue(again.get(Keys::MSCC)), 203);
    }

    void monitorSetupErasing_data()
    {
        QTest::addColumn<bool>("keep");
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("erased");
        QTest::newRow("kept for the same drive") << true << "KDA1" << false;
        QTest::newRow("not kept") << false << "KDA1" << true;
        QTest::newRow("kept but other type") << true << "KDB2" << true;
    }
    void monitorSetupErasing()
    {
        QFETCH(bool, keep);
        QFETCH(QString, type);
        QFETCH(bool, erased);
        QTemporaryDir dir;
        Settings s(dir.filePath(QStringLiteral("VKR410T.ini")), dir.path());
        s.set(Keys::MonPath, QStringLiteral("/mon"));
        s.set(Keys::Inv1, QStringLiteral("KDA1"));
        s.set(Keys::Inv3, QStringLiteral("V100"));
        s.setMonitorChannel(2, 7, true, QStringLiteral("2"), QStringLiteral("5"), 0x123456, false);
        s.eraseMonitorUnlessKept(keep);
        s.eraseMonitorIfOtherDrive(type, QStringLiteral("V100"));
        QCOMPARE(s.monitorItem(2), erased ? 1 : 7);
        QCOMPARE(s.monitorColor(2), erased ? 0xFF0000 : 0x123456);
        QCOMPARE(s.monitorSelected(2), erased);
        QCOMPARE(s.get(Keys::MonPath), erased ? dir.path() : QStringLiteral("/mon"));
    }

    void negativeMonitorItemBecomesZero()
    {
        QTemporaryDir dir;
        Settings s(dir.filePath(QStringLiteral("VKR410T.ini")), dir.path());
        s.setMonitorChannel(3, -4, false, QStringLiteral("1"), QStringLiteral("0"), 0, true);
        QCOMPARE(s.monitorItem(3), 0);
    }
};

QTEST_GUILESS_MAIN(tst_Settings)
#include "tst_Settings.moc"
