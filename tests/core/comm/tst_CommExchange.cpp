#include "FixedItems.h"
#include "PtyPeer.h"

#include "comm/CommExchange.h"
#include "comm/LineIndicator.h"
#include "comm/NativeFrames.h"
#include "comm/PosixSerialPort.h"

#include <QElapsedTimer>
#include <QTest>
#include <atomic>
#include <mutex>

namespace {

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

enum Index { Id0000 = 0, FB05 = 1, FB10Wide = 2, FC10 = 3 };

}  // namespace

class tst_CommExchange : public QObject
{
    Q_OBJECT
private slots:
    void replies_data();
    void replies();
    void unknownIndexFailsWithoutSending();
    void lateReplyIsSwallowedByTheExchangeThatTimedOut();
    void replyToAnotherRequestFails_data();
    void replyToAnotherRequestFails();
    void timeouts_data();
    void timeouts();
    void modbusExchangesKeepTheirGap();
    void indicatorStates();
};

void tst_CommExchange::replies_data()
{
    QTest::addColumn<int>("protocol");
    QTest::addColumn<int>("index");
    QTest::addColumn<char>("command");
    QTest::addColumn<QString>("data");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("failed");

    const int N = CommSettings::Native;
    const int M = CommSettings::Modbus;
    QTest::newRow("native read") << N << int(FB05) << 'R' << "" << hex("2F 52 FB 05 12 34 C7")
                                 << hex("2F 52 FB 05 81") << 0x1234 << false;
    QTest::newRow("native bad check value") << N << int(FB05) << 'R' << "" << hex("2F 52 FB 05 12 34 C8")
                                            << hex("2F 52 FB 05 81") << 0 << true;
    QTest::newRow("native extra trailing bytes accepted")
        << N << int(FB05) << 'R' << "" << hex("2F 52 FB 05 12 34 C7 99 98 97") << hex("2F 52 FB 05 81") << 0x1234
        << false;
    QTest::newRow("native reply cut short") << N << int(FB05) << 'R' << "" << hex("2F 52 FB 05 12")
                                            << hex("2F 52 FB 05 81") << 0 << true;
    QTest::newRow("native 100 queued bytes do not overrun the buffer")
        << N << int(FB05) << 'R' << "" << hex("2F 52 FB 05 12 34 C7") + QByteArray(93, '\x55')
        << hex("2F 52 FB 05 81") << 0x1234 << false;
    QTest::newRow("native 32-bit read") << N << int(FB10Wide) << 'R' << "" << hex("2F 4C 52 FB 10 00 01 86 A0 FF")
                                        << hex("2F 4C 52 FB 10 D8") << 100000 << false;
    QTest::newRow("native FC10 block check value not verified")
        << N << int(FC10) << 'R' << "" << hex("2F 52 FC 10 00 2A 01 02 03 04 05 06 07 08 00")
        << hex("2F 52 FC 10 8D") << 42 << false;
    QTest::newRow("modbus read") << M << int(FB05) << 'R' << "" << hex("FB 03 02 12 34 6D 27")
                                 << hex("FB 03 FB 05 00 01 B1 75") << 0x1234 << false;
    QTest::newRow("modbus write -1 echo") << M << int(FB05) << 'W' << "-1" << hex("FB 06 FB 05 FF FF BD 05")
                                          << hex("FB 06 FB 05 FF FF BD 05") << 0xFFFF << false;
    QTest::newRow("modbus bad CRC") << M << int(FB05) << 'R' << "" << hex("FB 03 02 12 34 6D 28")
                                    << hex("FB 03 FB 05 00 01 B1 75") << 0 << true;
    QTest::newRow("modbus 5-byte exception reply is a time-out")
        << M << int(FB05) << 'R' << "" << hex("FB 83 02 E0 C0") << hex("FB 03 FB 05 00 01 B1 75") << 0 << true;
    QTest::newRow("modbus exception with trailing bytes fails on the function code")
        << M << int(FB05) << 'R' << "" << hex("FB 83 02 E0 C0 00 00") << hex("FB 03 FB 05 00 01 B1 75") << 0
        << true;
}

void tst_CommExchange::replies()
{
    QFETCH(int, protocol);
    QFETCH(int, index);
    QFETCH(char, command);
    QFETCH(QString, data);
    QFETCH(QByteArray, reply);
    QFETCH(QByteArray, request);
    QFETCH(int, value);
    QFETCH(bool, failed);

    PtyPeer peer([&](const QByteArray &) { return PtyPeer::Answer{reply, 0}; });
    PosixSerialPort port;
    QVERIFY(port.open(peer.path()));
    CommSettings settings;
    settings.protocol = protocol;
    settings.timeoutMs = 100;
    FixedItems items;
    CommExchange exchange(port, settings, &items);
    bool flag = !failed;
    QCOMPARE(exchange.exchange(index, data, flag, command), value);
    QCOMPARE(flag, failed);
    QCOMPARE(peer.requests().value(0).toHex(' '), request.toHex(' '));
    QVERIFY(exchange.lastReply().size() <= 32);
    // A reply that arrived is consumed whole; a short one waits for the next purge.
    if (!exchange.lastReply().isEmpty())
        QCOMPARE(port.queuedInput(), 0);
}

void tst_CommExchange::unknownIndexFailsWithoutSending()
{
    PtyPeer peer([](const QByteArray &) { return PtyPeer::Answer{}; });
    PosixSerialPort port;
    QVERIFY(port.open(peer.path()));
    CommSettings settings;
    FixedItems items;
    LineIndicator indicator;
    CommExchange exchange(port, settings, &items, &indicator);
    bool flag = false;
    QCOMPARE(exchange.exchange(-1, QString(), flag, 'R'), 0);
    QVERIFY(flag);
    QCOMPARE(exchange.exchange(99, QString(), flag, 'R'), 0);
    QVERIFY(flag);
    QTest::qWait(50);
    QVERIFY(peer.requests().isEmpty());
    QCOMPARE(indicator.image(), int(LineIndicator::Offline));
}

void tst_CommExchange::lateReplyIsSwallowedByTheExchangeThatTimedOut()
{
    std::atomic<int> count{0};
    PtyPeer peer([&](const QByteArray &) {
        // The first answer comes after the time-out; the second at once with another value.
        return ++count == 1 ? PtyPeer::Answer{hex("2F 52 FB 05 11 11 A3"), 45}
                            : PtyPeer::Answer{hex("2F 52 FB 05 22 22 C5"), 0};
    });
    PosixSerialPort port;
    QVERIFY(port.open(peer.path()));
    CommSettings settings;
    settings.timeoutMs = 30;
    FixedItems items;
    CommExchange exchange(port, settings, &items);
    bool flag = false;
    QCOMPARE(exchange.exchange(FB05, QString(), flag, 'R'), 0);
    QVERIFY(flag);
    // The late reply went with the failed exchange: nothing is left for the next one.
    QCOMPARE(port.queuedInput(), 0);
    QCOMPARE(exchange.exchange(FB05, QString(), flag, 'R'), 0x2222);
    QVERIFY(!flag);
}

void tst_CommExchange::replyToAnotherRequestFails_data()
{
    QTest::addColumn<int>("protocol");
    QTest::addColumn<int>("index");
    QTest::addColumn<char>("command");
    QTest::addColumn<QByteArray>("reply");
    // Each reply is well formed with a valid check value, but for another request.
    QTest::newRow("native reply for another number") << 0 << int(FB05) << 'R' << hex("2F 52 00 11 00 64 F6");
    QTest::newRow("native write reply to a read") << 0 << int(FB05) << 'R' << hex("2F 57 FB 05 12 34 CC");
    QTest::newRow("native 32-bit reply for another number")
        << 0 << int(FB10Wide) << 'R' << hex("2F 4C 52 FB 11 00 01 86 A0 00");
    QTest::newRow("modbus write echo for another register")
        << 1 << int(FB05) << 'W' << hex("FB 06 00 11 00 64 CC 7E");
    QTest::newRow("modbus read reply to a write") << 1 << int(FB05) << 'W' << hex("FB 03 02 00 64 00 7A E8");
}

void tst_CommExchange::replyToAnotherRequestFails()
{
    QFETCH(int, protocol);
    QFETCH(int, index);
    QFETCH(char, command);
    QFETCH(QByteArray, reply);
    QCOMPARE(protocol == 0 ? NativeCheckValue(reply, int(reply.size()) - 1) : 0,
             protocol == 0 ? uint8_t(reply.back()) : 0);
    PtyPeer peer([&](const QByteArray &) { return PtyPeer::Answer{reply, 0}; });
    PosixSerialPort port;
    QVERIFY(port.open(peer.path()));
    CommSettings settings;
    settings.protocol = protocol;
    settings.timeoutMs = 30;
    FixedItems items;
    CommExchange exchange(port, settings, &items);
    bool flag = false;
    QCOMPARE(exchange.exchange(index, QStringLiteral("100"), flag, command), 0);
    QVERIFY(flag);
}

void tst_CommExchange::timeouts_data()
{
    QTest::addColumn<int>("protocol");
    QTest::addColumn<int>("baudIndex");
    QTest::addColumn<int>("timeoutMs");
    QTest::addColumn<bool>("failed");
    // Request and reply of a native read are 12 characters of 11 bits: about 110 ms at 1200 bit/s.
    QTest::newRow("30 ms at 1200 bit/s fails a native read") << 0 << 0 << 30 << true;
    QTest::newRow("200 ms at 1200 bit/s is enough") << 0 << 0 << 200 << false;
    QTest::newRow("30 ms at 38400 bit/s is enough") << 0 << 5 << 30 << false;
    QTest::newRow("30 ms at 1200 bit/s fails a Modbus read") << 1 << 0 << 30 << true;
}

void tst_CommExchange::timeouts()
{
    QFETCH(int, protocol);
    QFETCH(int, baudIndex);
    QFETCH(int, timeoutMs);
    QFETCH(bool, failed);
    const QByteArray reply = protocol == 0 ? hex("2F 52 FB 05 12 34 C7") : hex("FB 03 02 12 34 6D 27");
    PtyPeer peer([&](const QByteArray &) { return PtyPeer::Answer{reply, 0}; });
    peer.emulateLine(true);
    PosixSerialPort port;
    QVERIFY(port.open(peer.path()));
    CommSettings settings = CommSettings::fromValues(protocol, 0, baudIndex, 1, 0, 1, 0, false, false, timeoutMs);
    QVERIFY(port.setLine(settings.line()));
    FixedItems items;
    LineIndicator indicator;
    CommExchange exchange(port, settings, &items, &indicator);
    bool flag = !failed;
    exchange.exchange(FB05, QString(), flag, 'R');
    QCOMPARE(flag, failed);
    QCOMPARE(indicator.image(), failed ? int(LineIndicator::Offline) : int(LineIndicator::Communicating));
}

void tst_CommExchange::modbusExchangesKeepTheirGap()
{
    std::mutex mutex;
    QList<qint64> arrivals;
    QElapsedTimer clock;
    clock.start();
    PtyPeer peer([&](const QByteArray &) {
        std::lock_guard<std::mutex> lock(mutex);
        arrivals.append(clock.nsecsElapsed());
        return PtyPeer::Answer{hex("FB 03 02 12 34 6D 27"), 0};
    });
    PosixSerialPort port;
    QVERIFY(port.open(peer.path()));
    CommSettings settings = CommSettings::fromValues(1, 0, 0, 1, 0, 1, 0, false, false, 200);
    QCOMPARE(settings.gapMs, 24);
    FixedItems items;
    CommExchange exchange(port, settings, &items);
    bool flag = false;
    for (int i = 0; i < 3; ++i) {
        exchange.exchange(FB05, QString(), flag, 'R');
        QVERIFY(!flag);
    }
    std::lock_guard<std::mutex> lock(mutex);
    QCOMPARE(arrivals.size(), 3);
    // Each reply goes out after its request came; the next request comes more than 24 ms later.
    for (int i = 1; i < arrivals.size(); ++i)
        QVERIFY2(arrivals.at(i) - arrivals.at(i - 1) > 24000000, qPrintable(QString::number(arrivals.at(i) - arrivals.at(i - 1))));
}

void tst_CommExchange::indicatorStates()
{
    std::atomic<bool> answer{true};
    PtyPeer peer([&](const QByteArray &) {
        return PtyPeer::Answer{answer ? hex("2F 52 FB 05 12 34 C7") : QByteArray(), 0};
    });
    PosixSerialPort port;
    QVERIFY(port.open(peer.path()));
    CommSettings settings;
    settings.timeoutMs = 50;
    FixedItems items;
    LineIndicator indicator;
    QList<int> images;
    connect(&indicator, &LineIndicator::imageChanged, this, [&](int image) { images.append(image); });
    CommExchange exchange(port, settings, &items, &indicator);
    QCOMPARE(indicator.image(), 0);

    bool flag = false;
    exchange.exchange(FB05, QString(), flag, 'R');
    QCOMPARE(indicator.image(), 2);
    QTRY_COMPARE_WITH_TIMEOUT(indicator.image(), 1, 2000);

    answer = false;
    exchange.exchange(FB05, QString(), flag, 'R');
    QVERIFY(flag);
    QCOMPARE(indicator.image(), 0);
    QVERIFY(!indicator.timerActive());
    QTest::qWait(LineIndicator::TimerMs + 100);
    QCOMPARE(indicator.image(), 0);

    answer = true;
    exchange.exchange(FB05, QString(), flag, 'R');
    QCOMPARE(indicator.image(), 2);
    QCOMPARE(images, (QList<int>{2, 1, 2, 0, 2}));
}

QTEST_GUILESS_MAIN(tst_CommExchange)
#include "tst_CommExchange.moc"
