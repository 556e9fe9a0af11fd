#include "PtyPeer.h"

#include "comm/CommPort.h"
#include "comm/PosixSerialPort.h"

#include <QTest>

class tst_PosixSerialPort : public QObject
{
    Q_OBJECT
private slots:
    void openRefusesNonLines_data();
    void openRefusesNonLines();
    void ptyTakesEveryLineSetting_data();
    void ptyTakesEveryLineSetting();
    void writeReachesThePeer();
    void waitReturnsAtDeadlineWithWhatCame();
    void floodIsBoundedAndReadInParts();
    void purgeDropsLateBytes();
    void enumerationKeepsPortsThatOpen();
    void reopenWithNewSettings();
};

void tst_PosixSerialPort::openRefusesNonLines_data()
{
    QTest::addColumn<QString>("device");
    QTest::newRow("missing device") << "/dev/no-such-line";
    QTest::newRow("not a terminal") << "/dev/null";
    QTest::newRow("a folder") << "/tmp";
    QTest::newRow("empty name") << "";
}

void tst_PosixSerialPort::openRefusesNonLines()
{
    QFETCH(QString, device);
    PosixSerialPort port;
    QVERIFY(!port.open(device));
    QVERIFY(!port.isOpen());
    QCOMPARE(port.queuedInput(), 0);
    QVERIFY(!port.write("x"));
}

void tst_PosixSerialPort::ptyTakesEveryLineSetting_data()
{
    QTest::addColumn<int>("baud");
    QTest::addColumn<int>("parity");
    QTest::newRow("1200 none") << 1200 << int(LineSettings::Parity::None);
    QTest::newRow("9600 even") << 9600 << int(LineSettings::Parity::Even);
    QTest::newRow("38400 odd") << 38400 << int(LineSettings::Parity::Odd);
}

void tst_PosixSerialPort::ptyTakesEveryLineSetting()
{
    QFETCH(int, baud);
    QFETCH(int, parity);
    PtyPeer peer([](const QByteArray &) { return PtyPeer::Answer{}; });
    PosixSerialPort port;
    QVERIFY(port.open(peer.path()));
    QVERIFY(port.isPseudoTerminal());
    LineSettings line;
    line.baud = baud;
    line.parity = LineSettings::Parity(parity);
    QVERIFY(port.setLine(line));
    QCOMPARE(peer.baud(), baud);
    line.baud = 12345;
    QVERIFY(!port.setLine(line));
}

void tst_PosixSerialPort::writeReachesThePeer()
{
    PtyPeer peer([](const QByteArray &) { return PtyPeer::Answer{}; });
    PosixSerialPort port;
    QVERIFY(port.open(peer.path()));
    // Flow-control characters and a line end must pass untouched on a binary line.
    const QByteArray frame = QByteArray::fromHex("2f11130d0a00ff");
    QVERIFY(port.write(frame));
    QTRY_COMPARE(peer.requests().value(0).toHex(), frame.toHex());
}

void tst_PosixSerialPort::waitReturnsAtDeadlineWithWhatCame()
{
    PtyPeer peer([](const QByteArray &) { return PtyPeer::Answer{QByteArray("abc"), 0}; });
    PosixSerialPort port;
    QVERIFY(port.open(peer.path()));
    port.write("?");
    QDeadlineTimer deadline(150);
    QCOMPARE(port.waitForInput(7, deadline), 3);
    QVERIFY(deadline.hasExpired());
    QCOMPARE(port.read(7), QByteArray("abc"));
}

void tst_PosixSerialPort::floodIsBoundedAndReadInParts()
{
    PtyPeer peer([](const QByteArray &) { return PtyPeer::Answer{QByteArray(100, 'z'), 0}; });
    PosixSerialPort port;
    QVERIFY(port.open(peer.path()));
    port.write("?");
    QCOMPARE(port.waitForInput(100, QDeadlineTimer(2000)), 100);
    QCOMPARE(port.read(32).size(), 32);
    QCOMPARE(port.queuedInput(), 68);
    QCOMPARE(port.read(1000).size(), 68);
    QCOMPARE(port.read(-5).size(), 0);
}

void tst_PosixSerialPort::purgeDropsLateBytes()
{
    PtyPeer peer([](const QByteArray &) { return PtyPeer::Answer{QByteArray("late"), 0}; });
    PosixSerialPort port;
    QVERIFY(port.open(peer.path()));
    port.write("?");
    QCOMPARE(port.waitForInput(4, QDeadlineTimer(2000)), 4);
    port.purge();
    QCOMPARE(port.queuedInput(), 0);
}

void tst_PosixSerialPort::enumerationKeepsPortsThatOpen()
{
    PtyPeer first([](const QByteArray &) { return PtyPeer::Answer{}; });
    PtyPeer held([](const QByteArray &) { return PtyPeer::Answer{}; });
    PosixSerialPort other;  // another program holding the second line
    QVERIFY(other.open(held.path()));
    PosixSerialPort port;
    CommPort comm(port);
    const QStringList candidates{"/dev/no-such-line", first.path(), held.path(), "/dev/null"};
    QCOMPARE(comm.EnumeratePorts(candidates), 1);
    QCOMPARE(comm.availablePorts(), QStringList{first.path()});
    QVERIFY(!port.isOpen());
    QCOMPARE(CommPort::CandidatePorts(QStringLiteral(" /dev/a ,,/dev/b")), (QStringList{"/dev/a", "/dev/b"}));
    QVERIFY(CommPort::CandidatePorts().size() <= 15);
}

void tst_PosixSerialPort::reopenWithNewSettings()
{
    PtyPeer peer([](const QByteArray &) { return PtyPeer::Answer{}; });
    PosixSerialPort port;
    CommPort comm(port);
    QCOMPARE(comm.EnumeratePorts({peer.path()}), 1);
    CommSettings settings;
    QVERIFY(!comm.OpenCommPort(settings));
    QCOMPARE(peer.baud(), 9600);
    settings.baudIndex = 5;
    QVERIFY(!comm.OpenCommPort(settings));
    QCOMPARE(peer.baud(), 38400);
    QVERIFY(!comm.OpenForDetection(0, 0, 2));
    QCOMPARE(peer.baud(), 1200);
    QVERIFY(comm.OpenForDetection(1, 3, 1));
    comm.ClosePort();
    QVERIFY(!port.isOpen());
}

QTEST_GUILESS_MAIN(tst_PosixSerialPort)
#include "tst_PosixSerialPort.moc"
