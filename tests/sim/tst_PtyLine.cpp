#include "SimTestDrive.h"
#include "comm/CommExchange.h"
#include "comm/PosixSerialPort.h"
#include "drivesim/PtyLine.h"
#include "drivesim/SimEngine.h"
#include "drivesim/SimLineServer.h"

#include <QtTest>
#include <thread>
#include <unistd.h>

using namespace SimTest;

// A line of drives served on a real pseudo-terminal by its own thread, as vkr-drive-sim does.
class ServedLine
{
public:
    ServedLine(bool modbus, const SimLineSettings &own = {}, const SimTiming &timing = {}, QList<int> numbers = {0})
        : engine(modbus ? SimEngine::Protocol::Modbus : SimEngine::Protocol::Native, own)
    {
        for (int n : numbers)
            engine.addDrive(std::make_unique<SimDrive>(drive(), n));
        QString error;
        opened = pty.open(own, &error) && pipe(stop) == 0;
        if (opened)
            thread = std::thread([this, timing] { SimLineServer(engine, pty, timing).serve(stop[0]); });
    }
    ~ServedLine()
    {
        if (thread.joinable()) {
            const char c = 'x';
            (void)::write(stop[1], &c, 1);
            thread.join();
        }
        ::close(stop[0]);
        ::close(stop[1]);
    }

    SimEngine engine;
    PtyLine pty;
    bool opened = false;
    int stop[2] = {-1, -1};
    std::thread thread;
};

class tst_PtyLine : public QObject
{
    Q_OBJECT

private slots:
    void readsOverThePty_data();
    void readsOverThePty();
    void lineSettingsSeenOnThePty_data();
    void lineSettingsSeenOnThePty();
    void reopenedPortStillAnswered();
    void severalDrivesAnswerOnlyTheirNumbers();
};

void tst_PtyLine::readsOverThePty_data()
{
    QTest::addColumn<bool>("modbus");
    QTest::addColumn<bool>("lineTiming");
    QTest::newRow("native") << false << false;
    QTest::newRow("modbus") << true << false;
    QTest::newRow("native, line timing") << false << true;
    QTest::newRow("modbus, line timing") << true << true;
}

void tst_PtyLine::readsOverThePty()
{
    QFETCH(bool, modbus);
    QFETCH(bool, lineTiming);
    SimTiming timing;
    timing.lineTiming = lineTiming;
    ServedLine line(modbus, {}, timing);
    QVERIFY(line.opened);
    PosixSerialPort port;
    QVERIFY(port.open(line.pty.devicePath()));
    port.setLine(LineSettings{});
    const CommSettings s = settings(modbus);
    CommExchange exchange(port, s);
    bool failed = false;
    QCOMPARE(exchange.exchangeItem(FrameItem{"0000", false}, {}, failed, 'R'), 1234);
    QVERIFY(!failed);
    QCOMPARE(exchange.exchangeItem(FrameItem{"0206", false}, "-7", failed, 'P'), 0xFFF9);
    QCOMPARE(exchange.exchangeItem(FrameItem{"0206", false}, {}, failed, 'R'), 0xFFF9);
    QCOMPARE(exchange.exchangeItem(FrameItem{"7777", false}, {}, failed, 'R'), 0);
    QVERIFY(failed);
}

void tst_PtyLine::lineSettingsSeenOnThePty_data()
{
    QTest::addColumn<int>("driveParity");
    QTest::addColumn<int>("portBaud");
    QTest::addColumn<int>("portParity");
    QTest::addColumn<bool>("answered");

    using P = LineSettings::Parity;
    QTest::newRow("same") << int(SimParity::Even) << 9600 << int(P::Even) << true;
    QTest::newRow("other baud rate") << int(SimParity::Even) << 19200 << int(P::Even) << false;
    QTest::newRow("odd against even") << int(SimParity::Even) << 9600 << int(P::Odd) << false;
    QTest::newRow("none looks like even") << int(SimParity::Even) << 9600 << int(P::None) << true;
    QTest::newRow("odd drive, odd port") << int(SimParity::Odd) << 9600 << int(P::Odd) << true;
    QTest::newRow("odd drive, even port") << int(SimParity::Odd) << 9600 << int(P::Even) << false;
}

void tst_PtyLine::lineSettingsSeenOnThePty()
{
    QFETCH(int, driveParity);
    QFETCH(int, portBaud);
    QFETCH(int, portParity);
    QFETCH(bool, answered);
    SimLineSettings own;
    own.parity = SimParity(driveParity);
    ServedLine line(false, own);
    QVERIFY(line.opened);
    PosixSerialPort port;
    QVERIFY(port.open(line.pty.devicePath()));
    LineSettings l;
    l.baud = portBaud;
    l.parity = LineSettings::Parity(portParity);
    port.setLine(l);
    CommSettings s = settings(false);
    s.timeoutMs = 100;
    CommExchange exchange(port, s);
    bool failed = false;
    exchange.exchangeItem(FrameItem{"0000", false}, {}, failed, 'R');
    QCOMPARE(!failed, answered);
}

void tst_PtyLine::reopenedPortStillAnswered()
{
    ServedLine line(true);
    QVERIFY(line.opened);
    const CommSettings s = settings(true);
    for (int round = 0; round < 3; ++round) {
        PosixSerialPort port;
        QVERIFY(port.open(line.pty.devicePath()));
        port.setLine(LineSettings{});
        CommExchange exchange(port, s);
        bool failed = false;
        QCOMPARE(exchange.exchangeItem(FrameItem{"0000", false}, {}, failed, 'R'), 1234);
    }
}

void tst_PtyLine::severalDrivesAnswerOnlyTheirNumbers()
{
    ServedLine line(false, {}, {}, {2, 9});
    QVERIFY(line.opened);
    PosixSerialPort port;
    QVERIFY(port.open(line.pty.devicePath()));
    port.setLine(LineSettings{});
    for (int number = 0; number < 12; ++number) {
        CommSettings s = settings(false, true, number);
        s.timeoutMs = 60;
        CommExchange exchange(port, s);
        bool failed = false;
        exchange.exchangeItem(FrameItem{"0000", false}, {}, failed, 'R');
        QCOMPARE(!failed, number == 2 || number == 9);
    }
}

QTEST_GUILESS_MAIN(tst_PtyLine)
#include "tst_PtyLine.moc"
