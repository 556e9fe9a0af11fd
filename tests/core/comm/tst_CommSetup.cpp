#include "TestAppFolder.h"

#include "app/Settings.h"
#include "base/IniFile.h"
#include "comm/CommSetup.h"

#include <QTest>

namespace {

// An Info.ini holding `defComms` as its [Def Comms] section.
struct Info {
    TestAppFolder app{false};
    IniFile ini;
    explicit Info(const QByteArray &defComms)
    {
        app.writeFile("Info.ini", "[Setup]\r\nSpChk=0\r\n" + (defComms.isEmpty() ? QByteArray() : "[Def Comms]\r\n" + defComms));
        ini = IniFile(app.file("Info.ini"));
    }
};

}  // namespace

class tst_CommSetup : public QObject
{
    Q_OBJECT
private slots:
    void fieldLimits_data();
    void fieldLimits();
    void defaultsButton_data();
    void defaultsButton();
    void tableButton();
    void settingsRoundTrip();
};

void tst_CommSetup::fieldLimits_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("high");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<int>("value");
    QTest::newRow("inverter number 64 becomes 63") << "64" << 0 << 63 << int(CommSetup::Field::Clamped) << 63;
    QTest::newRow("inverter number -1 becomes 0") << "-1" << 0 << 63 << int(CommSetup::Field::Clamped) << 0;
    QTest::newRow("inverter number 12.6 rounds") << " 12.6 " << 0 << 63 << int(CommSetup::Field::Ok) << 13;
    QTest::newRow("time-out 20 becomes 30") << "20" << 30 << 5000 << int(CommSetup::Field::Clamped) << 30;
    QTest::newRow("time-out 6000 becomes 5000") << "6000" << 30 << 5000 << int(CommSetup::Field::Clamped) << 5000;
    QTest::newRow("empty") << "" << 30 << 5000 << int(CommSetup::Field::NotANumber) << 0;
    QTest::newRow("not a number") << "2x" << 30 << 5000 << int(CommSetup::Field::NotANumber) << 0;
    QTest::newRow("infinity") << "inf" << 30 << 5000 << int(CommSetup::Field::NotANumber) << 0;
}

void tst_CommSetup::fieldLimits()
{
    QFETCH(QString, text);
    QFETCH(int, low);
    QFETCH(int, high);
    QFETCH(int, outcome);
    QFETCH(int, value);
    const CommSetup::Field f = CommSetup::checkNumber(text, low, high);
    QCOMPARE(int(f.outcome), outcome);
    QCOMPARE(f.value, value);
}

void tst_CommSetup::defaultsButton_data()
{
    QTest::addColumn<QByteArray>("defComms");
    QTest::addColumn<bool>("offered");
    QTest::addColumn<QList<int>>("after");  // protocol, baud, parity, number, set number
    const QList<int> unchanged{0, 3, 1, 7, 1};
    QTest::newRow("no [Def Comms]: Button1 disabled") << QByteArray() << false << unchanged;
    QTest::newRow("a key missing") << QByteArray("Protocol=1\r\nBaudrate=4\r\nParity=2\r\n") << false << unchanged;
    QTest::newRow("inverter number default 0 leaves Set number unchecked")
        << QByteArray("Protocol=1\r\nBaudrate=4\r\nParity=2\r\nInvNo=0\r\n") << true << QList<int>{1, 4, 2, 0, 0};
    QTest::newRow("offsets added")
        << QByteArray("Protocol=0\r\nBaudrate=1\r\nParity=0\r\nInvNo=4\r\nBaudrate_B=3\r\nInvNo_B=1\r\n") << true
        << QList<int>{0, 4, 0, 5, 1};
    QTest::newRow("offset beyond the table keeps the baud rate")
        << QByteArray("Protocol=0\r\nBaudrate=3\r\nParity=1\r\nInvNo=0\r\nBaudrate_B=3\r\n") << true
        << QList<int>{0, 3, 1, 0, 0};
}

void tst_CommSetup::defaultsButton()
{
    QFETCH(QByteArray, defComms);
    QFETCH(bool, offered);
    QFETCH(QList<int>, after);
    Info info(defComms);
    QCOMPARE(CommSetup::defaultsOffered(info.ini), offered);
    CommSettings s;
    s.inverterNumber = 7;
    s.setNumber = true;
    if (offered)
        CommSetup::applyDefaults(info.ini, s);
    QCOMPARE(QList<int>({s.protocol, s.baudIndex, s.parityIndex, s.inverterNumber, int(s.setNumber)}), after);
}

void tst_CommSetup::tableButton()
{
    Info none("Para_Protocol=-\r\nPara_Baudrate=-\r\nPara_Parity=-\r\nPara_InvNo=-\r\n");
    QVERIFY(!CommSetup::tableValuesOffered(none.ini));
    Info info("Baudrate=2\r\nPara_Protocol=0829\r\nPara_Baudrate=Fixed\r\nPara_Parity=0801\r\nPara_InvNo=0802\r\n"
              "Baudrate_B=2\r\nParity_B=1\r\n");
    QVERIFY(CommSetup::tableValuesOffered(info.ini));
    const QHash<QString, qint64> table{{"0829", 1}, {"0801", 1}, {"0802", 12}};
    CommSettings s;
    s.broadcast = true;
    CommSetup::applyTableValues(info.ini, [&](const QString &c) { return table.value(c, -1); }, s);
    QCOMPARE(s.protocol, 1);
    QCOMPARE(s.baudIndex, 4);
    QCOMPARE(s.parityIndex, 2);
    QCOMPARE(s.inverterNumber, 12);
    QVERIFY(s.setNumber);
    QVERIFY(!s.broadcast);
    QCOMPARE(s.gapMs, 2);
}

void tst_CommSetup::settingsRoundTrip()
{
    TestAppFolder app(false);
    Settings settings(app.settingsFile(), app.path());
    CommSettings s;
    s.protocol = 1;
    s.portIndex = 2;
    s.baudIndex = 5;
    s.parityIndex = 0;
    s.inverterNumber = 9;
    s.setNumber = true;
    s.timeoutMs = 350;
    CommSetup::save(settings, s);
    const CommSettings back = CommSetup::load(Settings(app.settingsFile(), app.path()));
    QCOMPARE(back.protocol, 1);
    QCOMPARE(back.portIndex, 2);
    QCOMPARE(back.baudIndex, 5);
    QCOMPARE(back.parityIndex, 0);
    QCOMPARE(back.inverterNumber, 9);
    QVERIFY(back.setNumber);
    QCOMPARE(back.timeoutMs, 350);
    QCOMPARE(back.gapMs, 1);
}

QTEST_GUILESS_MAIN(tst_CommSetup)
#include "tst_CommSetup.moc"
