#include "SimPorts.h"

#include "comm/CommPort.h"
#include "comm/CommScan.h"

#include <QTest>

namespace {

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

LineSettings lineOf(const CommScan::Combination &c)
{
    CommSettings s;
    s.baudIndex = c.baudIndex;
    s.parityIndex = c.parityIndex;
    return s.line();
}

// Two in-process ports "a" and "b" behind the program's port handle.
struct Bench {
    SimPorts port;
    CommSettings settings;
    CommPort comm{port};
    CommScan scan{comm, settings};

    Bench() { settings.timeoutMs = 30; }
    void enumerate(const QStringList &names = {"a", "b"}) { comm.EnumeratePorts(names); }
    QList<SimPorts::Frame> framesOn(const QString &device) const
    {
        QList<SimPorts::Frame> out;
        for (const auto &f : port.frames)
            if (f.device == device)
                out << f;
        return out;
    }
};

}  // namespace

class tst_CommScan : public QObject
{
    Q_OBJECT
private slots:
    void silentPortsTryEveryCombinationInOrder();
    void driveOnSecondPortFoundAtCombinationTen();
    void selectedPortComesFirst();
    void settingsSearchUsesTheNumberRule();
    void vanishedPortIsSkipped();
    void garbageIsNotADrive();
    void cancelStopsTheSearch();
    void startUpFramesByteForByte();
    void startUpTriesRememberedPortFirst();
    void startUpWithoutPortsFindsNothing();
};

void tst_CommScan::silentPortsTryEveryCombinationInOrder()
{
    Bench b;
    b.port.addSilent("a");
    b.port.addSilent("b");
    b.enumerate();
    QList<CommScan::Step> steps;
    b.scan.setProgress([&](const CommScan::Step &s) {
        steps << s;
        return true;
    });
    const auto r = b.scan.ScanCommSettings(0);
    QVERIFY(!r.found());
    QVERIFY(!r.cancelled);
    QCOMPARE(r.baudIndex, 99);
    QCOMPARE(r.parityIndex, 99);
    QCOMPARE(r.protocol, 99);
    QCOMPARE(steps.size(), 36);
    QCOMPARE(b.port.frames.size(), 72);  // every try and its retry
    for (int i = 0; i < 36; ++i) {
        const auto &c = CommScan::Combinations[i % 18];
        QCOMPARE(steps[i].combination, i % 18 + 1);
        QCOMPARE(steps[i].port, i < 18 ? QStringLiteral("a") : QStringLiteral("b"));
        for (int k = 0; k < 2; ++k) {
            const auto &f = b.port.frames[2 * i + k];
            QCOMPARE(f.device, steps[i].port);
            QCOMPARE(f.line, lineOf(c));
            const QByteArray expected = c.protocol == 1 ? hex("FB 03 00 00 00 01 90 50")
                                      : k == 0          ? hex("2F 52 00 00 81")
                                                        : hex("52 00 00 52");  // no start byte
            QCOMPARE(f.bytes.toHex(' '), expected.toHex(' '));
        }
    }
    // The table: 9600, 19200, 38400 bit/s, native then Modbus, even, odd, then no parity.
    QCOMPARE(CommScan::Combinations[9].baudIndex, 4);
    QCOMPARE(CommScan::Combinations[9].parityIndex, 2);
    QCOMPARE(CommScan::Combinations[9].protocol, 1);
    QCOMPARE(CommScan::Combinations[12].parityIndex, 0);
}

void tst_CommScan::driveOnSecondPortFoundAtCombinationTen()
{
    Bench b;
    b.port.addSilent("a");
    QVERIFY(b.port.addDrive("b", "KDA1", "-2007P", "V100", true, 19200, SimParity::Odd));
    b.enumerate();
    int lastCombination = 0;
    b.scan.setProgress([&](const CommScan::Step &s) {
        lastCombination = s.combination;
        return true;
    });
    const auto r = b.scan.ScanCommSettings(0);
    QVERIFY(r.found());
    QCOMPARE(r.portIndex, 1);
    QCOMPARE(r.baudIndex, 4);
    QCOMPARE(r.parityIndex, 2);
    QCOMPARE(r.protocol, 1);
    QCOMPARE(lastCombination, 10);
    QCOMPARE(b.framesOn("a").size(), 36);
    QCOMPARE(b.framesOn("b").size(), 9 * 2 + 1);
}

void tst_CommScan::selectedPortComesFirst()
{
    Bench b;
    b.port.addSilent("a");
    QVERIFY(b.port.addDrive("b", "KDA1", "-2007P", "V100", false, 9600, SimParity::Even));
    b.enumerate();
    const auto r = b.scan.ScanCommSettings(1);
    QCOMPARE(r.portIndex, 1);
    QCOMPARE(r.protocol, 0);
    QCOMPARE(b.port.frames.size(), 1);
    QVERIFY(b.framesOn("a").isEmpty());
}

void tst_CommScan::settingsSearchUsesTheNumberRule()
{
    Bench b;
    b.settings.setNumber = true;
    b.settings.inverterNumber = 5;
    b.port.addSilent("a");
    b.enumerate({"a"});
    b.scan.ScanCommSettings(0);
    QCOMPARE(b.port.frames[0].bytes.toHex(' '), hex("2F 05 52 00 00 86").toHex(' '));
    QCOMPARE(b.port.frames[1].bytes.toHex(' '), hex("05 52 00 00 57").toHex(' '));
    QCOMPARE(b.port.frames[2].bytes.toHex(' '), hex("05 03 00 00 00 01 85 8E").toHex(' '));
}

void tst_CommScan::vanishedPortIsSkipped()
{
    Bench b;
    b.port.addSilent("a");
    QVERIFY(b.port.addDrive("b", "KDA1", "-2007P", "V100", false, 38400, SimParity::None));
    b.enumerate();
    b.port.refused << "a";  // taken by another program after the ports were listed
    int steps = 0;
    b.scan.setProgress([&](const CommScan::Step &) { return ++steps > 0; });
    const auto r = b.scan.ScanCommSettings(0);
    QCOMPARE(r.portIndex, 1);
    QCOMPARE(r.baudIndex, 5);
    QCOMPARE(r.parityIndex, 0);
    QCOMPARE(steps, 18 + 17);
    QVERIFY(b.framesOn("a").isEmpty());
}

void tst_CommScan::garbageIsNotADrive()
{
    Bench b;
    QVERIFY(b.port.addDrive("a", "KDA1", "-2007P", "V100", false, 9600, SimParity::Even));
    SimFaultRates garbage;
    garbage.garbage = 1.0;
    b.port.engine("a")->setFaults(garbage);
    b.enumerate({"a"});
    QVERIFY(!b.scan.ScanCommSettings(0).found());
}

void tst_CommScan::cancelStopsTheSearch()
{
    Bench b;
    b.port.addSilent("a");
    QVERIFY(b.port.addDrive("b", "KDA1", "-2007P", "V100"));
    b.enumerate();
    int steps = 0;
    b.scan.setProgress([&](const CommScan::Step &) { return ++steps < 4; });
    const auto r = b.scan.ScanCommSettings(0);
    QVERIFY(r.cancelled);
    QVERIFY(!r.found());
    QCOMPARE(b.port.frames.size(), 6);
}

void tst_CommScan::startUpFramesByteForByte()
{
    Bench b;
    b.settings.setNumber = true;  // the start-up search never sends a number byte
    b.settings.inverterNumber = 5;
    b.port.addSilent("a");
    b.enumerate({"a"});
    b.scan.setProgress([](const CommScan::Step &s) { return s.combination < 3; });
    const auto r = b.scan.startUpScan(0, {5, 0, 1});
    QVERIFY(r.cancelled);
    QCOMPARE(r.portIndex, 99);
    QList<QByteArray> sent;
    for (const auto &f : b.port.frames)
        sent << f.bytes.toHex(' ');
    const QList<QByteArray> expected{
        hex("FB 03 00 00 00 01 90 50").toHex(' '), hex("03 00 00 00 01 A1 C0").toHex(' '),  // remembered
        hex("2F 52 00 00 81").toHex(' '), hex("52 00 00 52").toHex(' '),                      // 1
        hex("FB 03 00 00 00 01 90 50").toHex(' '), hex("03 00 00 00 01 A1 C0").toHex(' '),  // 2
    };
    QCOMPARE(sent, expected);
    QCOMPARE(b.port.frames[0].line, lineOf({5, 0, 1}));
}

void tst_CommScan::startUpTriesRememberedPortFirst()
{
    Bench b;
    b.port.addSilent("a");
    QVERIFY(b.port.addDrive("b", "KDA1", "-2007P", "V100", true, 38400, SimParity::Odd));
    b.enumerate();
    const auto r = b.scan.startUpScan(1, {5, 2, 1});
    QVERIFY(r.found());
    QCOMPARE(r.portIndex, 1);
    QCOMPARE(r.baudIndex, 5);
    QCOMPARE(r.parityIndex, 2);
    QCOMPARE(r.protocol, 1);
    QCOMPARE(b.port.frames.size(), 1);
}

void tst_CommScan::startUpWithoutPortsFindsNothing()
{
    Bench b;
    b.enumerate({"gone"});
    const auto r = b.scan.startUpScan(256, {3, 1, 0});
    QVERIFY(!r.found());
    QCOMPARE(r.portIndex, 99);
    QVERIFY(b.port.frames.isEmpty());
}

QTEST_GUILESS_MAIN(tst_CommScan)
#include "tst_CommScan.moc"
