#include "../transfer/TransferLine.h"
#include "../comm/FixedItems.h"

#include "drivesim/SimFrames.h"
#include "keypad/KeypadExchange.h"
#include "keypad/KeypadLoop.h"
#include "keypad/PanelFont.h"

#include <QDeadlineTimer>
#include <QTest>

// The polling loop against a simulated drive on the in-process line, in both protocols.
class tst_KeypadLoop : public QObject
{
    Q_OBJECT

private slots:
    void protocols_data();
    void runLightsRunAndTheFrequencyRises_data() { protocols_data(); }
    void runLightsRunAndTheFrequencyRises();
    void stopBringsTheFrequencyDown_data() { protocols_data(); }
    void stopBringsTheFrequencyDown();
    void upAndDownChangeTheCommand_data() { protocols_data(); }
    void upAndDownChangeTheCommand();
    void monCyclesTheDisplay_data() { protocols_data(); }
    void monCyclesTheDisplay();
    void clickGoesOutInTheNextCycle();
    void droppedReplyKeepsTheLastImage_data() { protocols_data(); }
    void droppedReplyKeepsTheLastImage();
    void numberByteAndBroadcastReplies_data();
    void numberByteAndBroadcastReplies();
    void badCheckValueOfTheBlockIsTaken_data() { protocols_data(); }
    void badCheckValueOfTheBlockIsTaken();
    void missingKeyParametersCountAsFailedWrites();
    void stopEndsTheRunFromThePump();

private:
    struct Rig {
        TransferLine line;
        std::unique_ptr<KeypadLoop> loop;
        QList<std::optional<PanelBlock>> shown;

        bool setUp(bool modbus, const SimFaultRates &faults = {})
        {
            if (!line.setUp(modbus, faults))
                return false;
            loop = std::make_unique<KeypadLoop>(*line.exchange, *line.items);
            loop->show = [this](const std::optional<PanelBlock> &b) { shown.append(b); };
            loop->start();
            return true;
        }
        bool writeCommand(int raw)
        {
            bool failed = true;
            line.exchange->exchange(line.indexOf("FA01"), QString::number(raw), failed, 'P');
            return !failed;
        }
        /// Cycles until `done` holds for the last image A, or the time is up.
        bool cycleUntil(const std::function<bool(const PanelImage &)> &done, int ms = 5000)
        {
            const QDeadlineTimer deadline(ms);
            while (!deadline.hasExpired()) {
                loop->cycle();
                if (loop->lastBlock() && done(loop->lastBlock()->a))
                    return true;
            }
            return false;
        }
    };

    static double shownNumber(const PanelImage &image)
    {
        return PanelFont::ReadableText(image.text).trimmed().toDouble();
    }
};

void tst_KeypadLoop::protocols_data()
{
    QTest::addColumn<bool>("modbus");
    QTest::newRow("native") << false;
    QTest::newRow("modbus") << true;
}

void tst_KeypadLoop::runLightsRunAndTheFrequencyRises()
{
    QFETCH(bool, modbus);
    Rig rig;
    QVERIFY(rig.setUp(modbus));
    QVERIFY(rig.writeCommand(300));  // 3.00 Hz
    rig.loop->cycle();
    QVERIFY(rig.loop->lastBlock());
    QVERIFY(!rig.loop->lastBlock()->a.lit(PanelImage::FRUN));
    QCOMPARE(shownNumber(rig.loop->lastBlock()->a), 0.0);
    rig.loop->click(PanelKey::Run);
    QVERIFY(rig.cycleUntil([](const PanelImage &a) { return a.lit(PanelImage::FRUN) && shownNumber(a) > 0.5; }));
    QVERIFY(rig.cycleUntil([](const PanelImage &a) { return shownNumber(a) >= 3.0; }));
    QCOMPARE(rig.loop->keyWriteFailures(), 0);
    QCOMPARE(rig.loop->readFailures(), 0);
}

void tst_KeypadLoop::stopBringsTheFrequencyDown()
{
    QFETCH(bool, modbus);
    Rig rig;
    QVERIFY(rig.setUp(modbus));
    QVERIFY(rig.writeCommand(200));
    rig.loop->click(PanelKey::Run);
    QVERIFY(rig.cycleUntil([](const PanelImage &a) { return shownNumber(a) >= 2.0; }));
    rig.loop->click(PanelKey::Stop);
    rig.loop->cycle();
    // While it ramps down the RUN lamp blinks: lit in image A only.
    QVERIFY(rig.cycleUntil([](const PanelImage &a) { return shownNumber(a) < 2.0; }));
    const PanelBlock ramping = *rig.loop->lastBlock();
    QVERIFY(ramping.a.lit(PanelImage::FRUN) && !ramping.b.lit(PanelImage::FRUN));
    QVERIFY(rig.cycleUntil([](const PanelImage &a) { return shownNumber(a) == 0.0 && !a.lit(PanelImage::FRUN); }));
}

void tst_KeypadLoop::upAndDownChangeTheCommand()
{
    QFETCH(bool, modbus);
    Rig rig;
    QVERIFY(rig.setUp(modbus));
    QVERIFY(rig.writeCommand(1000));
    rig.loop->press(PanelKey::Up);
    for (int i = 0; i < 3; ++i)
        rig.loop->cycle();
    rig.loop->release(PanelKey::Up);
    rig.loop->cycle();
    QVERIFY(!rig.loop->keysPending());
    // Three cycles held and the release: four steps of 0.1 Hz.
    QCOMPARE(rig.line.drive().parameterValue(QStringLiteral("FA01")), std::optional<qint64>(1040));
    rig.loop->click(PanelKey::Down);
    rig.loop->cycle();
    QCOMPARE(rig.line.drive().parameterValue(QStringLiteral("FA01")), std::optional<qint64>(1030));
    // The panel shows the command being edited, its last digit blinking.
    rig.loop->cycle();
    QCOMPARE(rig.loop->lastBlock()->a.text, QStringLiteral("1=30"));
    QCOMPARE(rig.loop->lastBlock()->b.text, QStringLiteral("1=3 "));
    QVERIFY(rig.loop->lastBlock()->a.lit(PanelImage::FPRG));
    QCOMPARE(rig.loop->keyWriteFailures(), 0);
}

void tst_KeypadLoop::monCyclesTheDisplay()
{
    QFETCH(bool, modbus);
    Rig rig;
    QVERIFY(rig.setUp(modbus));
    QVERIFY(rig.writeCommand(4560));
    rig.loop->cycle();
    QCOMPARE(rig.loop->lastBlock()->a.text, QStringLiteral(" =00"));  // output frequency 0.00
    const QList<int> modes{1, 2, 0};
    for (int mode : modes) {
        rig.loop->click(PanelKey::Mon);
        rig.loop->cycle();
        rig.loop->cycle();
        QCOMPARE(rig.line.drive().displayMode(), mode);
        QCOMPARE(rig.loop->lastBlock()->a.lit(PanelImage::FMON), mode != 0);
        if (mode == 2)
            QCOMPARE(rig.loop->lastBlock()->a.text, QStringLiteral("4%60"));  // command 45.60
    }
}

void tst_KeypadLoop::clickGoesOutInTheNextCycle()
{
    Rig rig;
    QVERIFY(rig.setUp(false));
    rig.loop->cycle();
    const int before = int(rig.line.port->frames.size());
    rig.loop->click(PanelKey::Run);
    rig.loop->cycle();
    QList<SimRequest> sent;
    for (int i = before; i < rig.line.port->frames.size(); ++i) {
        SimRequest r;
        QCOMPARE(SimFrames::parseNative(rig.line.port->frames.at(i), &r), SimFrames::Parse::Complete);
        sent << r;
    }
    QCOMPARE(sent.size(), 5);
    auto is = [](const SimRequest &r, quint16 address, bool write) {
        return r.address == address && r.isWrite() == write && (!write || r.command == SimRequest::Command::WriteRam);
    };
    QVERIFY(is(sent[0], 0xFA11, true));
    QCOMPARE(sent[0].value, 0u);
    QVERIFY(is(sent[1], 0xFC10, false));
    QVERIFY(is(sent[2], 0xFA10, true));
    QCOMPARE(sent[2].value, 1u);
    QVERIFY(is(sent[3], 0xFA11, true));
    QCOMPARE(sent[3].value, quint32(rig.loop->lastBase()));
    QCOMPARE(sent[3].value & 0xFF, 0x01u);
    QVERIFY(is(sent[4], 0xFA10, true));
    QCOMPARE(sent[4].value, 0u);
}

void tst_KeypadLoop::droppedReplyKeepsTheLastImage()
{
    QFETCH(bool, modbus);
    Rig rig;
    QVERIFY(rig.setUp(modbus));
    QVERIFY(rig.writeCommand(1230));
    rig.loop->click(PanelKey::Mon);
    rig.loop->cycle();
    rig.loop->click(PanelKey::Mon);
    rig.loop->cycle();
    rig.loop->cycle();
    const PanelBlock before = *rig.loop->lastBlock();
    QCOMPARE(before.a.text, QStringLiteral("1+30"));
    rig.line.port->lose.insert(int(rig.line.port->frames.size()));
    rig.loop->cycle();
    QVERIFY(rig.loop->lastReadFailed());
    QVERIFY(!rig.shown.last());
    QCOMPARE(*rig.loop->lastBlock(), before);
    QCOMPARE(rig.loop->readFailures(), 1);
    rig.loop->cycle();
    QVERIFY(!rig.loop->lastReadFailed());
    QCOMPARE(rig.loop->lastBlock()->a.text, QStringLiteral("1+30"));
}

void tst_KeypadLoop::numberByteAndBroadcastReplies_data()
{
    QTest::addColumn<bool>("setNumber");
    QTest::addColumn<bool>("broadcast");
    QTest::addColumn<int>("length");
    QTest::newRow("no number byte") << false << false << 15;
    QTest::newRow("set number") << true << false << 16;
    QTest::newRow("broadcast") << false << true << 16;
}

void tst_KeypadLoop::numberByteAndBroadcastReplies()
{
    QFETCH(bool, setNumber);
    QFETCH(bool, broadcast);
    QFETCH(int, length);
    Rig rig;
    QVERIFY(rig.setUp(false));
    rig.line.settings.setNumber = setNumber;
    rig.line.settings.broadcast = broadcast;
    QVERIFY(rig.writeCommand(5000));
    rig.loop->click(PanelKey::Mon);
    rig.loop->cycle();
    rig.loop->click(PanelKey::Mon);
    rig.loop->cycle();
    rig.loop->cycle();
    QCOMPARE(KeypadExchange(*rig.line.exchange).replyLength(), length);
    QCOMPARE(rig.loop->readFailures(), 0);
    QCOMPARE(rig.loop->lastBlock()->a.text, QStringLiteral("5=00"));
}

void tst_KeypadLoop::badCheckValueOfTheBlockIsTaken()
{
    QFETCH(bool, modbus);
    SimFaultRates faults;
    faults.corrupt = 1.0;
    Rig rig;
    QVERIFY(rig.setUp(modbus, faults));
    bool failed = true;
    const std::optional<QByteArray> data = KeypadExchange(*rig.line.exchange).read(failed);
    QVERIFY(!failed);
    QVERIFY(data);
    QCOMPARE(data->size(), 10);
    // An ordinary parameter with a bad check value still fails.
    rig.line.exchange->exchange(rig.line.indexOf("0000"), QString(), failed, 'R');
    QVERIFY(failed);
}

void tst_KeypadLoop::missingKeyParametersCountAsFailedWrites()
{
    Rig rig;
    QVERIFY(rig.setUp(false));
    FixedItems none;
    none.items.clear();
    KeypadLoop loop(*rig.line.exchange, none);
    loop.start();
    const int before = int(rig.line.port->frames.size());
    loop.click(PanelKey::Stop);
    loop.cycle();
    // Only the panel read reached the line; the panel itself needs no definition.
    QCOMPARE(rig.line.port->frames.size(), before + 1);
    QCOMPARE(loop.keyWriteFailures(), 4);
    QVERIFY(loop.lastBlock());
}

void tst_KeypadLoop::stopEndsTheRunFromThePump()
{
    Rig rig;
    QVERIFY(rig.setUp(true));
    int pumped = 0;
    rig.loop->pump = [&] {
        if (++pumped == 5)
            rig.loop->stop();
    };
    rig.loop->run();
    QCOMPARE(rig.loop->cycles(), 5);
    QVERIFY(!rig.loop->polling());
}

QTEST_GUILESS_MAIN(tst_KeypadLoop)
#include "tst_KeypadLoop.moc"
