#include "SimTestDrive.h"
#include "comm/CommExchange.h"
#include "drivesim/SimEngine.h"
#include "drivesim/SimSerialPort.h"

#include <QElapsedTimer>
#include <QtTest>

using namespace SimTest;

class tst_SimSerialPort : public QObject
{
    Q_OBJECT

private:
    static std::unique_ptr<SimEngine> line(bool modbus, SimParity parity = SimParity::Even)
    {
        SimLineSettings own;
        own.parity = parity;
        auto engine = std::make_unique<SimEngine>(modbus ? SimEngine::Protocol::Modbus : SimEngine::Protocol::Native, own);
        engine->addDrive(std::make_unique<SimDrive>(drive(), 0));
        return engine;
    }

private slots:
    void exchangeReadsAndWrites_data();
    void exchangeReadsAndWrites();
    void everyParityIsVisible_data();
    void everyParityIsVisible();
    void lineTimingMatchesTheLine_data();
    void lineTimingMatchesTheLine();
    void lateReplyMissesShortTimeout();
    void lateRepliesAreNeverTakenAsGood_data();
    void lateRepliesAreNeverTakenAsGood();
    void garbageIsNeverTakenAsGood_data();
    void garbageIsNeverTakenAsGood();
    void disconnectEndsTheLine();
};

void tst_SimSerialPort::exchangeReadsAndWrites_data()
{
    QTest::addColumn<bool>("modbus");
    QTest::newRow("native") << false;
    QTest::newRow("modbus") << true;
}

void tst_SimSerialPort::exchangeReadsAndWrites()
{
    QFETCH(bool, modbus);
    auto engine = line(modbus);
    SimSerialPort port(*engine);
    QVERIFY(port.open("sim"));
    QVERIFY(port.setLine(LineSettings{}));
    const CommSettings s = settings(modbus);
    CommExchange exchange(port, s);
    bool failed = false;
    QCOMPARE(exchange.exchangeItem(FrameItem{"0000", false}, {}, failed, 'R'), 1234);
    QVERIFY(!failed);
    QCOMPARE(exchange.exchangeItem(FrameItem{"0000", false}, "99", failed, 'W'), 99);
    QCOMPARE(exchange.exchangeItem(FrameItem{"0000", false}, {}, failed, 'R'), 99);
    QCOMPARE(exchange.exchangeItem(FrameItem{"7777", false}, {}, failed, 'R'), 0);
    QVERIFY(failed);
    // "0.00" at standstill: the first register holds D0 (the second digit, "0.") and D1 (blank).
    QCOMPARE(exchange.exchangeItem(FrameItem{"FC10", false}, {}, failed, 'R'), 0xBF00);
    QVERIFY(!failed);
    QCOMPARE(exchange.lastReply().size(), 15);
}

void tst_SimSerialPort::everyParityIsVisible_data()
{
    QTest::addColumn<int>("driveParity");
    QTest::addColumn<int>("portParity");
    QTest::addColumn<bool>("answered");

    using P = LineSettings::Parity;
    QTest::newRow("even, even") << int(SimParity::Even) << int(P::Even) << true;
    QTest::newRow("even, none") << int(SimParity::Even) << int(P::None) << false;
    QTest::newRow("none, none") << int(SimParity::None) << int(P::None) << true;
    QTest::newRow("none, even") << int(SimParity::None) << int(P::Even) << false;
    QTest::newRow("odd, odd") << int(SimParity::Odd) << int(P::Odd) << true;
    QTest::newRow("odd, even") << int(SimParity::Odd) << int(P::Even) << false;
}

void tst_SimSerialPort::everyParityIsVisible()
{
    QFETCH(int, driveParity);
    QFETCH(int, portParity);
    QFETCH(bool, answered);
    auto engine = line(false, SimParity(driveParity));
    SimSerialPort port(*engine);
    port.open("sim");
    LineSettings l;
    l.parity = LineSettings::Parity(portParity);
    port.setLine(l);
    CommSettings s = settings(false);
    s.timeoutMs = 30;
    CommExchange exchange(port, s);
    bool failed = false;
    exchange.exchangeItem(FrameItem{"0000", false}, {}, failed, 'R');
    QCOMPARE(!failed, answered);
}

void tst_SimSerialPort::lineTimingMatchesTheLine_data()
{
    QTest::addColumn<bool>("modbus");
    QTest::addColumn<int>("baud");
    QTest::newRow("native 9600") << false << 9600;
    QTest::newRow("modbus 9600") << true << 9600;
    QTest::newRow("native 38400") << false << 38400;
}

void tst_SimSerialPort::lineTimingMatchesTheLine()
{
    QFETCH(bool, modbus);
    QFETCH(int, baud);
    SimLineSettings own;
    own.baud = baud;
    SimEngine engine(modbus ? SimEngine::Protocol::Modbus : SimEngine::Protocol::Native, own);
    engine.addDrive(std::make_unique<SimDrive>(drive(), 0));
    SimTiming timing;
    timing.lineTiming = true;
    SimSerialPort port(engine, timing);
    port.open("sim");
    LineSettings l;
    l.baud = baud;
    port.setLine(l);
    CommSettings s = settings(modbus);
    s.baudIndex = CommSettings::baudIndexOf(baud);
    s.updateGap();
    CommExchange exchange(port, s);
    const int reads = 50;
    QElapsedTimer clock;
    clock.start();
    bool failed = false;
    for (int i = 0; i < reads; ++i) {
        exchange.exchangeItem(FrameItem{"0000", false}, {}, failed, 'R');
        QVERIFY(!failed);
    }
    const double measured = double(clock.nsecsElapsed()) / 1e6;
    // Request and reply on the line, the drive's turnaround, and for Modbus the silence that
    // ends the request and the gap the master leaves before its next request.
    const double perRead = SimLine::exchangeFloorMs(modbus ? 8 : 5, 7, baud, modbus, timing.turnaroundMs,
                                                    modbus ? s.gapMs : 0);
    const double computed = perRead * reads;
    qInfo("%d reads: %.1f ms measured, %.1f ms computed (%+.1f %%)", reads, measured, computed,
          100.0 * (measured - computed) / computed);
    // Only a sanity bound here; bench-drivesim prints the figure that matters.
    QVERIFY(measured >= computed * 0.95);
    QVERIFY(measured < computed * 3);
}

void tst_SimSerialPort::lateReplyMissesShortTimeout()
{
    auto engine = line(false);
    SimFaultRates rates;
    rates.lateMs = 80;
    engine->setFaults(rates);
    SimSerialPort port(*engine);
    port.open("sim");
    CommSettings s = settings(false);
    s.timeoutMs = 30;
    CommExchange exchange(port, s);
    bool failed = false;
    exchange.exchangeItem(FrameItem{"0000", false}, {}, failed, 'R');
    QVERIFY(failed);
    s.timeoutMs = 300;
    QCOMPARE(exchange.exchangeItem(FrameItem{"0000", false}, {}, failed, 'R'), 1234);
    QVERIFY(!failed);
}

void tst_SimSerialPort::lateRepliesAreNeverTakenAsGood_data()
{
    QTest::addColumn<bool>("modbus");
    QTest::newRow("native") << false;
    QTest::newRow("modbus") << true;
}

// Every other reply comes between one and two time-outs late; parameters with different
// values take turns, so a reply taken for the next request shows as a wrong value.
void tst_SimSerialPort::lateRepliesAreNeverTakenAsGood()
{
    QFETCH(bool, modbus);
    auto engine = line(modbus);
    SimSerialPort port(*engine);
    QVERIFY(port.open("sim"));
    CommSettings s = settings(modbus);
    s.timeoutMs = 4;
    CommExchange exchange(port, s);
    const QList<QPair<QString, int32_t>> expected{{"0000", 1234}, {"0011", 6000}, {"FE70", 48}, {"0206", 65531},
                                                  {"FE71", 2000}};
    int good = 0;
    int wrongAsGood = 0;
    for (int i = 0; i < 1000; ++i) {
        SimFaultRates rates;
        rates.lateMs = i % 2 ? s.timeoutMs + (i / 2) % s.timeoutMs : 0;
        engine->setFaults(rates);
        const auto &[comNo, value] = expected.at(i % expected.size());
        bool failed = false;
        const int32_t read = exchange.exchangeItem(FrameItem{comNo, false}, {}, failed, 'R');
        good += failed ? 0 : 1;
        wrongAsGood += !failed && read != value ? 1 : 0;
    }
    QCOMPARE(wrongAsGood, 0);
    QVERIFY2(good >= 400, qPrintable(QString::number(good)));
}

void tst_SimSerialPort::garbageIsNeverTakenAsGood_data()
{
    QTest::addColumn<bool>("modbus");
    QTest::addColumn<int>("reads");
    // One native garbage reply in 256 passes the 8-bit sum by chance.
    QTest::newRow("native") << false << 2000;
    QTest::newRow("modbus") << true << 1000;
}

// Half the replies are random bytes of the reply's length.
void tst_SimSerialPort::garbageIsNeverTakenAsGood()
{
    QFETCH(bool, modbus);
    QFETCH(int, reads);
    auto engine = line(modbus);
    SimFaultRates rates;
    rates.garbage = 0.5;
    rates.seed = 7;
    engine->setFaults(rates);
    SimSerialPort port(*engine);
    QVERIFY(port.open("sim"));
    CommSettings s = settings(modbus);
    s.timeoutMs = 4;
    CommExchange exchange(port, s);
    int good = 0;
    int wrongAsGood = 0;
    for (int i = 0; i < reads; ++i) {
        bool failed = false;
        const int32_t read = exchange.exchangeItem(FrameItem{"0011", false}, {}, failed, 'R');
        good += failed ? 0 : 1;
        wrongAsGood += !failed && read != 6000 ? 1 : 0;
    }
    QCOMPARE(engine->faultCounts().garbage + good, reads);
    QCOMPARE(wrongAsGood, 0);
}

void tst_SimSerialPort::disconnectEndsTheLine()
{
    auto engine = line(true);
    SimFaultRates rates;
    rates.disconnectAfter = 2;
    engine->setFaults(rates);
    SimSerialPort port(*engine);
    port.open("sim");
    const CommSettings s = settings(true);
    CommExchange exchange(port, s);
    bool failed = false;
    for (int i = 0; i < 2; ++i) {
        exchange.exchangeItem(FrameItem{"0000", false}, {}, failed, 'R');
        QVERIFY(!failed);
    }
    QVERIFY(port.disconnected());
    exchange.exchangeItem(FrameItem{"0000", false}, {}, failed, 'R');
    QVERIFY(failed);
}

QTEST_GUILESS_MAIN(tst_SimSerialPort)
#include "tst_SimSerialPort.moc"
