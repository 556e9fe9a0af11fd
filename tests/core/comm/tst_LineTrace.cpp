#include "FixedItems.h"
#include "PtyPeer.h"

#include "comm/CommExchange.h"
#include "comm/LineTrace.h"
#include "comm/PosixSerialPort.h"

#include <QTest>

namespace {

constexpr int FB05 = 1;

int countContaining(const QStringList &lines, const QString &text)
{
    int n = 0;
    for (const QString &line : lines)
        n += line.contains(text) ? 1 : 0;
    return n;
}

}  // namespace

class tst_LineTrace : public QObject
{
    Q_OBJECT
private slots:
    void echoingAdapterIsNamed_data();
    void echoingAdapterIsNamed();
    void lateReplyIsLoggedAsDiscarded();
    void modbusExceptionIsNamed();
    void permissionHintNamesGroupAndUser_data();
    void permissionHintNamesGroupAndUser();
};

void tst_LineTrace::echoingAdapterIsNamed_data()
{
    QTest::addColumn<bool>("modbus");
    QTest::addColumn<char>("command");
    QTest::addColumn<int>("copies");
    QTest::addColumn<bool>("failed");
    QTest::newRow("native read, echo alone") << false << 'R' << 1 << true;
    QTest::newRow("native write, echo and answer") << false << 'W' << 2 << false;
    QTest::newRow("Modbus read, echo alone") << true << 'R' << 1 << true;
    // A write is answered by its echo: the drive's answer behind the adapter's echo
    // is what gives the adapter away.
    QTest::newRow("Modbus write, echo and answer") << true << 'W' << 2 << false;
}

void tst_LineTrace::echoingAdapterIsNamed()
{
    QFETCH(bool, modbus);
    QFETCH(char, command);
    QFETCH(int, copies);
    QFETCH(bool, failed);
    PtyPeer peer([&](const QByteArray &request) { return PtyPeer::Answer{request.repeated(copies), 0}; });
    QStringList lines;
    LineTrace trace([&](const QString &line) { lines << line; });
    PosixSerialPort port;
    QVERIFY(port.open(peer.path()));
    port.setTrace(&trace);
    CommSettings settings;
    settings.protocol = modbus ? CommSettings::Modbus : CommSettings::Native;
    settings.timeoutMs = 40;
    FixedItems items;
    CommExchange exchange(port, settings, &items);
    bool flag = false;
    for (int i = 0; i < 2; ++i) {
        exchange.exchange(FB05, QStringLiteral("7"), flag, command);
        QCOMPARE(flag, failed);
    }
    QCOMPARE(countContaining(lines, "our own request came back"), 2);
    QCOMPARE(countContaining(lines, "Hint: our own frame came back"), 1);
    QCOMPARE(countContaining(lines, "Hint:"), 1);
    QVERIFY(trace.hintGiven(LineHints::Cause::Echo));
}

void tst_LineTrace::lateReplyIsLoggedAsDiscarded()
{
    PtyPeer peer([](const QByteArray &) { return PtyPeer::Answer{QByteArray::fromHex("2F52FB051111A3"), 45}; });
    QStringList lines;
    LineTrace trace([&](const QString &line) { lines << line; });
    PosixSerialPort port;
    QVERIFY(port.open(peer.path()));
    port.setTrace(&trace);
    CommSettings settings;
    settings.timeoutMs = 30;
    FixedItems items;
    CommExchange exchange(port, settings, &items);
    bool flag = false;
    exchange.exchange(FB05, QString(), flag, 'R');
    QVERIFY(flag);
    QCOMPARE(countContaining(lines, "RX nothing within 30 ms (7 bytes expected)"), 1);
    QCOMPARE(countContaining(lines, "RX 2F 52 FB 05 11 11 A3  | native, read, No. FB05, value 4369, check A3 good, "
                                    "discarded (outside an exchange)"), 1);
}

void tst_LineTrace::modbusExceptionIsNamed()
{
    PtyPeer peer([](const QByteArray &) { return PtyPeer::Answer{QByteArray::fromHex("018302C0F1"), 0}; });
    QStringList lines;
    LineTrace trace([&](const QString &line) { lines << line; });
    PosixSerialPort port;
    QVERIFY(port.open(peer.path()));
    port.setTrace(&trace);
    CommSettings settings;
    settings.protocol = CommSettings::Modbus;
    settings.setNumber = true;
    settings.inverterNumber = 1;
    settings.timeoutMs = 30;
    FixedItems items;
    CommExchange exchange(port, settings, &items);
    bool flag = false;
    exchange.exchange(FB05, QString(), flag, 'R');
    QVERIFY(flag);
    QCOMPARE(countContaining(lines, "RX 01 83 02 C0 F1  | Modbus, slave 1, exception to function 3: Illegal Data "
                                    "Address (2), CRC F1C0 good, time-out after 5 of 7 bytes"), 1);
    // The drive answered, in words: no hint about the line.
    QCOMPARE(countContaining(lines, "Hint:"), 0);
}

void tst_LineTrace::permissionHintNamesGroupAndUser_data()
{
    QTest::addColumn<bool>("known");
    QTest::addColumn<bool>("inGroup");
    QTest::addColumn<QString>("hint");
    QTest::newRow("user outside the group") << true << false
        << "Hint: /dev/ttyUSB0 belongs to group \"dialout\" and the user \"ann\" is not in it. Add the user to the "
           "group (sudo usermod -aG dialout ann) and log in again.";
    QTest::newRow("user in the group") << true << true
        << "Hint: /dev/ttyUSB0 belongs to group \"dialout\" and the user \"ann\" is in it, but the device still "
           "refuses: check its permissions (ls -l /dev/ttyUSB0).";
    QTest::newRow("device unknown") << false << false << "Hint: the port cannot be opened for lack of permission.";
}

void tst_LineTrace::permissionHintNamesGroupAndUser()
{
    QFETCH(bool, known);
    QFETCH(bool, inGroup);
    QFETCH(QString, hint);
    LineHints::DeviceAccess access;
    access.known = known;
    access.group = QStringLiteral("dialout");
    access.user = QStringLiteral("ann");
    access.userInGroup = inGroup;
    QCOMPARE(LineHints::permissionHint(QStringLiteral("/dev/ttyUSB0"), access), hint);
}

QTEST_GUILESS_MAIN(tst_LineTrace)
#include "tst_LineTrace.moc"
