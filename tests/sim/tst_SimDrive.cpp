#include "SimTestDrive.h"
#include "drivesim/SimDataLoader.h"
#include "drivesim/SimDrive.h"
#include "drivesim/SimEngine.h"
#include "drivesim/SimPanel.h"

#include <QtTest>

using namespace SimTest;

class tst_SimDrive : public QObject
{
    Q_OBJECT

private:
    static quint32 readAt(SimDrive &d, const QString &comNo, qint64 ms)
    {
        return d.read(SimFrames::addressOf(comNo), ms).value_or(0xDEADBEEF);
    }
    // The keypad's sequence: FA11 <- 0, FA10 <- 1, FA11 <- code, FA10 <- 0.
    static void key(SimDrive &d, quint8 code, qint64 ms)
    {
        const quint16 fa10 = SimFrames::addressOf("FA10"), fa11 = SimFrames::addressOf("FA11");
        d.write(fa11, 0, false, false, ms);
        d.write(fa10, 1, false, false, ms);
        d.write(fa11, 50u * 256 + code, false, false, ms);
        d.write(fa10, 0, false, false, ms);
    }

private slots:
    void panelDigits_data();
    void panelDigits();
    void keypadRunSetsRunLamp_data();
    void keypadRunSetsRunLamp();
    void keyWithoutStrobeIsIgnored();
    void rampFollowsFrequencyCommand();
    void upDownEditBlinksAndEnterAccepts();
    void monCyclesDisplay();
    void monitorItemsMove();
    void alarmWordSchedule();
    void tripAfterTime();
    void sampleData_data();
    void sampleData();
};

void tst_SimDrive::panelDigits_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("codes");

    QTest::newRow("two decimals") << SimPanel::valueText(50.0) << QByteArray::fromHex("6dbf3f3f");
    QTest::newRow("small value right-aligned") << SimPanel::valueText(5.0) << QByteArray::fromHex("00ed3f3f");
    QTest::newRow("one decimal above 100") << SimPanel::valueText(123.45) << QByteArray::fromHex("065bcf6d");
    QTest::newRow("rounds up to the next range") << SimPanel::valueText(99.999) << QByteArray::fromHex("063fbf3f");
    QTest::newRow("negative shown as zero") << SimPanel::valueText(-3) << QByteArray::fromHex("00bf3f3f");
    QTest::newRow("trip code") << QString("E 12") << QByteArray::fromHex("7900065b");
}

void tst_SimDrive::panelDigits()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, codes);
    const SimPanel::Digits d = SimPanel::digits(text);
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(d.data()), 4).toHex(), codes.toHex());
}

void tst_SimDrive::keypadRunSetsRunLamp_data()
{
    QTest::addColumn<bool>("modbus");
    QTest::newRow("native") << false;
    QTest::newRow("modbus") << true;
}

void tst_SimDrive::keypadRunSetsRunLamp()
{
    // Through frames, as the keypad window sends them.
    QFETCH(bool, modbus);
    SimEngine engine(modbus ? SimEngine::Protocol::Modbus : SimEngine::Protocol::Native);
    engine.addDrive(std::make_unique<SimDrive>(drive(), 0));
    const CommSettings s = settings(modbus);
    auto send = [&](const QString &comNo, char command, const QString &value) {
        return engine.answer(request(s, comNo, command, value), engine.line(), 100);
    };
    QVERIFY(!send("FA01", 'P', "3000").isEmpty());
    const QByteArray before = send("FC10", 'R', {});
    QCOMPARE(before.size(), 15);
    QCOMPARE(uint8_t(before.at(modbus ? 12 : 13)) & SimPanel::LampRun, 0);
    for (auto [comNo, value] : {std::pair{"FA11", "0"}, {"FA10", "1"}, {"FA11", "12801"}, {"FA10", "0"}})
        QVERIFY(!send(comNo, 'P', value).isEmpty());
    const QByteArray after = send("FC10", 'R', {});
    const QByteArray data = after.mid(modbus ? 3 : 4, 10);
    QCOMPARE(uint8_t(data.at(9)) & SimPanel::LampRun, SimPanel::LampRun);  // image A
    QCOMPARE(uint8_t(data.at(8)) & SimPanel::LampRun, SimPanel::LampRun);  // image B
}

void tst_SimDrive::keyWithoutStrobeIsIgnored()
{
    SimDrive d(drive(), 0);
    d.write(SimFrames::addressOf("FA11"), 0x0101, false, false, 0);
    QVERIFY(!d.motion().running());
}

void tst_SimDrive::rampFollowsFrequencyCommand()
{
    SimDrive d(drive(), 0);
    QCOMPARE(d.write(SimFrames::addressOf("FA01"), 3000, false, false, 0), SimDrive::WriteResult::Ok);
    QCOMPARE(readAt(d, "FD02", 0), 3000u);
    key(d, SimDrive::KeyRun, 0);
    QCOMPARE(readAt(d, "FD00", 1000), 1000u);  // 10 Hz/s
    QCOMPARE(readAt(d, "FD00", 5000), 3000u);
    const QByteArray panel = d.panelBlock(5000);
    // 30.00 on image A: digits left to right are D1, D0, D3, D2.
    QCOMPARE(panel.left(4).toHex(), QByteArray::fromHex("bf4f3f3f").toHex());
    key(d, SimDrive::KeyStop, 5000);
    QCOMPARE(readAt(d, "FD00", 6000), 2000u);
    const QByteArray stopping = d.panelBlock(6000);
    QCOMPARE(uint8_t(stopping.at(9)) & SimPanel::LampRun, SimPanel::LampRun);  // blinks: on in A
    QCOMPARE(uint8_t(stopping.at(8)) & SimPanel::LampRun, 0);                  // off in B
    QCOMPARE(readAt(d, "FD00", 9000), 0u);
}

void tst_SimDrive::upDownEditBlinksAndEnterAccepts()
{
    SimDrive d(drive(), 0);
    for (int i = 0; i < 3; ++i)
        key(d, SimDrive::KeyUp, 0);
    key(d, SimDrive::KeyDown, 0);
    QVERIFY(d.editing());
    QCOMPARE(d.parameterValue("FA01").value(), qint64(20));  // 0.20 Hz
    const QByteArray panel = d.panelBlock(0);
    QCOMPARE(uint8_t(panel.at(2)), SimPanel::segmentCode('0'));  // last digit in image A
    QCOMPARE(uint8_t(panel.at(6)), uint8_t(0));                  // blank in image B
    QCOMPARE(uint8_t(panel.at(9)) & SimPanel::LampPrg, SimPanel::LampPrg);
    key(d, SimDrive::KeyEnt, 0);
    QVERIFY(!d.editing());
    QCOMPARE(d.panelBlock(0).mid(2, 1), d.panelBlock(0).mid(6, 1));
}

void tst_SimDrive::monCyclesDisplay()
{
    SimDrive d(drive(), 0);
    QList<int> modes;
    for (int i = 0; i < 4; ++i) {
        modes << d.displayMode();
        key(d, SimDrive::KeyMon, 0);
    }
    QCOMPARE(modes, (QList<int>{0, 1, 2, 0}));
    key(d, SimDrive::KeyMon, 0);
    QCOMPARE(uint8_t(d.panelBlock(0).at(9)) & SimPanel::LampMon, SimPanel::LampMon);
}

void tst_SimDrive::monitorItemsMove()
{
    SimDrive d(drive(), 0, 3);
    d.write(SimFrames::addressOf("FA01"), 5000, false, false, 0);
    key(d, SimDrive::KeyRun, 0);
    QSet<quint32> currents;
    QSet<quint32> terminals;
    for (qint64 t = 10000; t < 20000; t += 250) {
        currents << readAt(d, "FD03", t);
        terminals << (readAt(d, "FD06", t) & 0x0008);
    }
    QVERIFY(currents.size() > 5);  // noise
    for (quint32 c : currents)
        QVERIFY2(c > 6000 && c < 8500, qPrintable(QString::number(c)));  // about 72 % of rated current
    QCOMPARE(terminals.size(), 2);  // bit 3 toggles
    QCOMPARE(readAt(d, "FD06", 20000) & 0x0001, 1u);  // running
}

void tst_SimDrive::alarmWordSchedule()
{
    SimDrive d(drive(), 0);
    const qint64 cycle = SimMotion::AlarmCycleMs, on = SimMotion::AlarmOnMs;
    QCOMPARE(readAt(d, "FC91", 0), 0u);
    QCOMPARE(readAt(d, "FC91", cycle - on - 1), 0u);
    QCOMPARE(readAt(d, "FC91", cycle - on), 1u);
    QCOMPARE(readAt(d, "FC91", cycle), 0u);
    QCOMPARE(readAt(d, "FC91", 2 * cycle - 1), 2u);
    QCOMPARE(readAt(d, "FC91", 17 * cycle - 1), 1u);  // wraps after 16 alarms
}

void tst_SimDrive::tripAfterTime()
{
    SimDrive d(drive(), 0);
    d.setTripAfter(2.0);
    d.write(SimFrames::addressOf("FA01"), 3000, false, false, 0);
    key(d, SimDrive::KeyRun, 0);
    QCOMPARE(readAt(d, "FC90", 1999), 0u);
    QCOMPARE(readAt(d, "FC90", 2000), 7u);  // the first code after "no trip"
    QCOMPARE(readAt(d, "FE10", 2000), 7u);
    QCOMPARE(readAt(d, "FD00", 2000), 0u);
    QCOMPARE(d.panelBlock(2000).left(4).toHex(), QByteArray::fromHex("00790700").toHex());  // "E  7"
    key(d, SimDrive::KeyRun, 2100);
    QVERIFY(!d.motion().running());
    key(d, SimDrive::KeyStop, 2200);  // resets
    QCOMPARE(readAt(d, "FC90", 2300), 0u);
    QCOMPARE(readAt(d, "FE10", 2300), 7u);
    QCOMPARE(readAt(d, "FC90", 4200), 7u);  // and trips again
    QCOMPARE(readAt(d, "FE11", 4200), 7u);
}

void tst_SimDrive::sampleData_data()
{
    QTest::addColumn<QString>("drive");  // T:F:V
    QTest::addColumn<QString>("comNo");
    QTest::addColumn<qint64>("expected");

    QTest::newRow("KDA1 type number") << "KDA1:-2007P:V100" << "FB07" << qint64(41);
    QTest::newRow("KDA1 form number") << "KDA1:-2007P:V100" << "FB05" << qint64(2);
    QTest::newRow("KDA1 CPU number") << "KDA1:-2007P:V110" << "FE08" << qint64(110);
    QTest::newRow("KDA1 rated current from the capacity file") << "KDA1:-2007P:V100" << "FE70" << qint64(48);
    QTest::newRow("KDA1 rated voltage, 400 V form") << "KDA1:-4015P:V100" << "FE71" << qint64(4000);
    QTest::newRow("KDA1 factory value through a capacity reference") << "KDA1:-2007P:V100" << "0009" << qint64(100);
    QTest::newRow("KDA1 maximum frequency") << "KDA1:-2007P:V100" << "0011" << qint64(8000);
    QTest::newRow("KDB2 form number of a CPU above 799") << "KDB2:-4055P:V820" << "FB05" << qint64(32);
    QTest::newRow("KDB2 told apart by 0099") << "KDB2:-4055P:V820" << "0099" << qint64(1);
    QTest::newRow("KDC3 told apart by 0099") << "KDC3:-4150P:V200" << "0099" << qint64(2);
    QTest::newRow("KDC3 type number") << "KDC3:-4150P:V200" << "FB07" << qint64(52);
}

void tst_SimDrive::sampleData()
{
    QFETCH(QString, drive);
    QFETCH(QString, comNo);
    QFETCH(qint64, expected);
    const QStringList p = drive.split(':');
    SimDriveData data;
    QString error;
    QVERIFY2(SimDataLoader::load(VKR_SAMPLE_DATA "/dat", p[0], p[1], p[2], &data, &error), qPrintable(error));
    SimDrive d(data, 0);
    QCOMPARE(qint64(readAt(d, comNo, 0)), expected);
}

QTEST_GUILESS_MAIN(tst_SimDrive)
#include "tst_SimDrive.moc"
