#include "SimTestDrive.h"
#include "comm/Crc16.h"
#include "drivesim/SimEngine.h"
#include "drivesim/SimStateFile.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace SimTest;

class tst_SimEngine : public QObject
{
    Q_OBJECT

private:
    static std::unique_ptr<SimEngine> line(SimEngine::Protocol protocol, QList<int> numbers = {0})
    {
        auto engine = std::make_unique<SimEngine>(protocol);
        for (int n : numbers)
            engine->addDrive(std::make_unique<SimDrive>(drive(), n));
        return engine;
    }
    static SimEngine::Protocol protocolOf(const CommSettings &s)
    {
        return s.isModbus() ? SimEngine::Protocol::Modbus : SimEngine::Protocol::Native;
    }

private slots:
    void readsFactoryValues_data();
    void readsFactoryValues();
    void writesReadBack_data();
    void writesReadBack();
    void silentOrException_data();
    void silentOrException();
    void addressing_data();
    void addressing();
    void broadcastWriteReachesEveryDrive();
    void lineSettings_data();
    void lineSettings();
    void detectionRetryWithoutStartByte();
    void identification_data();
    void identification();
    void linkedLimitFollowsReferencedValue();
    void eepromWritesPersist();
    void faultRates_data();
    void faultRates();
    void disconnectAfterFrames();
};

void tst_SimEngine::readsFactoryValues_data()
{
    QTest::addColumn<CommSettings>("settings");
    QTest::addColumn<QString>("comNo");
    QTest::addColumn<bool>("wide");
    QTest::addColumn<qint64>("expected");
    QTest::addColumn<int>("replyLength");

    QTest::newRow("native 16-bit, no number byte") << settings(false) << "0000" << false << qint64(1234) << 7;
    QTest::newRow("native 16-bit, set number") << settings(false, true, 0) << "0000" << false << qint64(1234) << 8;
    QTest::newRow("native broadcast") << settings(false, false, 0, true) << "0000" << false << qint64(1234) << 8;
    QTest::newRow("native 32-bit long marker") << settings(false, true, 0) << "0621" << true << qint64(100000) << 11;
    QTest::newRow("native signed 16-bit as unsigned word") << settings(false) << "0206" << false << qint64(0xFFFB) << 7;
    QTest::newRow("native signed 32-bit") << settings(false) << "0720" << true << qint64(quint32(-70000)) << 10;
    QTest::newRow("modbus at 251") << settings(true) << "0000" << false << qint64(1234) << 7;
    QTest::newRow("modbus 32-bit gives low word") << settings(true) << "0621" << true << qint64(100000 & 0xFFFF) << 7;
    QTest::newRow("modbus rated voltage") << settings(true) << "FE71" << false << qint64(2000) << 7;
}

void tst_SimEngine::readsFactoryValues()
{
    QFETCH(CommSettings, settings);
    QFETCH(QString, comNo);
    QFETCH(bool, wide);
    QFETCH(qint64, expected);
    QFETCH(int, replyLength);
    auto engine = line(protocolOf(settings));
    const QByteArray reply = engine->answer(request(settings, comNo, 'R', {}, wide), engine->line(), 0);
    QCOMPARE(reply.size(), replyLength);
    QCOMPARE(replyValue(settings, reply, comNo, 'R', wide), expected);
}

void tst_SimEngine::writesReadBack_data()
{
    QTest::addColumn<CommSettings>("settings");
    QTest::addColumn<char>("command");
    QTest::addColumn<QString>("comNo");
    QTest::addColumn<bool>("wide");
    QTest::addColumn<QString>("value");
    QTest::addColumn<qint64>("readBack");

    QTest::newRow("native W") << settings(false) << 'W' << "0000" << false << "77" << qint64(77);
    QTest::newRow("native P with number byte") << settings(false, true, 0) << 'P' << "0000" << false << "4999" << qint64(4999);
    QTest::newRow("native negative 16-bit") << settings(false) << 'W' << "0206" << false << "-100" << qint64(0xFF9C);
    QTest::newRow("native 32-bit") << settings(false) << 'W' << "0621" << true << "3000000000" << qint64(3000000000LL);
    QTest::newRow("modbus") << settings(true) << 'W' << "0000" << false << "321" << qint64(321);
    QTest::newRow("modbus negative") << settings(true) << 'P' << "0206" << false << "-1" << qint64(0xFFFF);
}

void tst_SimEngine::writesReadBack()
{
    QFETCH(CommSettings, settings);
    QFETCH(char, command);
    QFETCH(QString, comNo);
    QFETCH(bool, wide);
    QFETCH(QString, value);
    QFETCH(qint64, readBack);
    auto engine = line(protocolOf(settings));
    const QByteArray echo = engine->answer(request(settings, comNo, command, value, wide), engine->line(), 0);
    QCOMPARE(replyValue(settings, echo, comNo, command, wide), settings.isModbus() ? (readBack & 0xFFFF) : readBack);
    const QByteArray reply = engine->answer(request(settings, comNo, 'R', {}, wide), engine->line(), 0);
    QCOMPARE(replyValue(settings, reply, comNo, 'R', wide), readBack);
}

void tst_SimEngine::silentOrException_data()
{
    QTest::addColumn<bool>("modbus");
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<QByteArray>("reply");

    const CommSettings n = settings(false);
    QByteArray badSum = request(n, "0000");
    badSum[badSum.size() - 1] = char(badSum.back() + 1);
    QByteArray unknownCommand = QByteArray::fromHex("2f58000000");
    unknownCommand[4] = char(SimFrames::checkSum(unknownCommand, 4));
    QTest::newRow("native unknown register") << false << request(n, "7777") << QByteArray();
    QTest::newRow("native wrong check value") << false << badSum << QByteArray();
    QTest::newRow("native unknown command") << false << unknownCommand << QByteArray();
    QTest::newRow("native trailing byte") << false << request(n, "0000") + '\0' << QByteArray();
    QTest::newRow("native out of range write") << false << request(n, "0000", 'W', "5001") << QByteArray();

    const CommSettings m = settings(true);
    QByteArray badCrc = request(m, "0000");
    badCrc[7] = char(badCrc[7] ^ 0x01);
    QTest::newRow("modbus wrong CRC") << true << badCrc << QByteArray();
    QTest::newRow("modbus unknown register") << true << request(m, "7777") << SimFrames::withModbusCrc(QByteArray::fromHex("fb8302"));
    QTest::newRow("modbus out of range write") << true << request(m, "0000", 'W', "5001")
                                               << SimFrames::withModbusCrc(QByteArray::fromHex("fb8603"));
    QTest::newRow("modbus input registers unsupported")
        << true << SimFrames::withModbusCrc(QByteArray::fromHex("fb0400000001")) << SimFrames::withModbusCrc(QByteArray::fromHex("fb8401"));
}

void tst_SimEngine::silentOrException()
{
    QFETCH(bool, modbus);
    QFETCH(QByteArray, frame);
    QFETCH(QByteArray, reply);
    auto engine = line(modbus ? SimEngine::Protocol::Modbus : SimEngine::Protocol::Native);
    QCOMPARE(engine->answer(frame, engine->line(), 0).toHex(), reply.toHex());
}

void tst_SimEngine::addressing_data()
{
    QTest::addColumn<CommSettings>("settings");
    QTest::addColumn<int>("answeredBy");  // -1 nobody

    QTest::newRow("native own number") << settings(false, true, 3) << 3;
    QTest::newRow("native other number") << settings(false, true, 4) << -1;
    QTest::newRow("native no number byte, several drives") << settings(false) << -1;
    QTest::newRow("native broadcast, lowest answers") << settings(false, false, 0, true) << 0;
    QTest::newRow("modbus own number") << settings(true, true, 5) << 5;
    QTest::newRow("modbus other number") << settings(true, true, 6) << -1;
    QTest::newRow("modbus 251, several drives") << settings(true) << -1;
}

void tst_SimEngine::addressing()
{
    QFETCH(CommSettings, settings);
    QFETCH(int, answeredBy);
    auto engine = line(protocolOf(settings), {5, 0, 3});
    const QByteArray reply = engine->answer(request(settings, "0000"), engine->line(), 0);
    if (answeredBy < 0) {
        QVERIFY(reply.isEmpty());
        return;
    }
    QCOMPARE(replyValue(settings, reply, "0000"), qint64(1234));
    // The reply carries the number byte or slave address that was asked for.
    const int addressByte = settings.isModbus() ? 0 : 1;
    const int expected = settings.broadcast ? 0xFF : answeredBy;
    QCOMPARE(int(uint8_t(reply.at(addressByte))), expected);
}

void tst_SimEngine::broadcastWriteReachesEveryDrive()
{
    auto engine = line(SimEngine::Protocol::Native, {1, 2, 7});
    const CommSettings all = settings(false, false, 0, true);
    QVERIFY(!engine->answer(request(all, "0000", 'P', "42"), engine->line(), 0).isEmpty());
    for (int n : {1, 2, 7})
        QCOMPARE(engine->drive(n)->parameterValue("0000").value(), qint64(42));
}

void tst_SimEngine::lineSettings_data()
{
    QTest::addColumn<int>("driveParity");
    QTest::addColumn<int>("masterBaud");
    QTest::addColumn<int>("masterParity");
    QTest::addColumn<int>("masterBits");
    QTest::addColumn<bool>("answered");

    const int none = int(SimParity::None), even = int(SimParity::Even), odd = int(SimParity::Odd);
    const int pty = int(SimParity::EvenOrNone);
    QTest::newRow("same settings") << even << 9600 << even << 8 << true;
    QTest::newRow("other baud rate") << even << 19200 << even << 8 << false;
    QTest::newRow("seven data bits") << even << 9600 << even << 7 << false;
    QTest::newRow("odd against even") << even << 9600 << odd << 8 << false;
    QTest::newRow("none against even, in-process") << even << 9600 << none << 8 << false;
    QTest::newRow("pty even-or-none, drive even") << even << 9600 << pty << 8 << true;
    QTest::newRow("pty even-or-none, drive none") << none << 9600 << pty << 8 << true;
    QTest::newRow("pty even-or-none, drive odd") << odd << 9600 << pty << 8 << false;
    QTest::newRow("pty odd, drive odd") << odd << 9600 << odd << 8 << true;
}

void tst_SimEngine::lineSettings()
{
    QFETCH(int, driveParity);
    QFETCH(int, masterBaud);
    QFETCH(int, masterParity);
    QFETCH(int, masterBits);
    QFETCH(bool, answered);
    SimLineSettings own;
    own.parity = SimParity(driveParity);
    SimEngine engine(SimEngine::Protocol::Native, own);
    engine.addDrive(std::make_unique<SimDrive>(drive(), 0));
    const SimLineSettings master{masterBaud, SimParity(masterParity), masterBits};
    QCOMPARE(!engine.answer(request(settings(false), "0000"), master, 0).isEmpty(), answered);
}

void tst_SimEngine::detectionRetryWithoutStartByte()
{
    // The detection's second try leaves out the start byte, with and without a number byte.
    for (int number : {-1, 0, 12}) {
        auto engine = line(SimEngine::Protocol::Native, {number < 0 ? 0 : number});
        const CommSettings s = settings(false, number >= 0, qMax(0, number));
        const QByteArray frame = BuildNativeRequest(FrameItem{"0000", false}, 'R', {}, s, NativeFrameForm{false, false});
        const QByteArray reply = engine->answer(frame, engine->line(), 0);
        QCOMPARE(replyValue(s, reply, "0000"), qint64(1234));
    }
}

void tst_SimEngine::identification_data()
{
    QTest::addColumn<QString>("comNo");
    QTest::addColumn<bool>("specialSetup");
    QTest::addColumn<int>("typeNumber");
    QTest::addColumn<qint64>("expected");  // -1: no answer

    QTest::newRow("type number") << "FB07" << false << 41 << qint64(41);
    QTest::newRow("form number") << "FB05" << false << 41 << qint64(2);
    QTest::newRow("CPU number") << "FE08" << false << 41 << qint64(100);
    QTest::newRow("special set-up 1, normal") << "0998" << false << 41 << qint64(1);
    QTest::newRow("special set-up 2, normal") << "0999" << false << 41 << qint64(2);
    QTest::newRow("special set-up 1, set up") << "0998" << true << 41 << qint64(0);
    QTest::newRow("special set-up 2, set up") << "0999" << true << 41 << qint64(0);
    QTest::newRow("rated current") << "FE70" << false << 41 << qint64(48);
    QTest::newRow("old-style drive: no FB07") << "FB07" << false << 65 << qint64(-1);
    QTest::newRow("old-style drive: type at FB05") << "FB05" << false << 65 << qint64(65);
    QTest::newRow("old-style drive: form at FB58") << "FB58" << false << 65 << qint64(2);
}

void tst_SimEngine::identification()
{
    QFETCH(QString, comNo);
    QFETCH(bool, specialSetup);
    QFETCH(int, typeNumber);
    QFETCH(qint64, expected);
    SimEngine engine(SimEngine::Protocol::Native);
    auto d = std::make_unique<SimDrive>(drive(typeNumber), 0);
    d->setSpecialSetup(specialSetup);
    engine.addDrive(std::move(d));
    const CommSettings s = settings(false);
    const QByteArray reply = engine.answer(request(s, comNo), engine.line(), 0);
    QCOMPARE(reply.isEmpty() ? -1 : replyValue(s, reply, comNo), expected);
}

void tst_SimEngine::linkedLimitFollowsReferencedValue()
{
    auto engine = line(SimEngine::Protocol::Modbus);
    const CommSettings s = settings(true);
    auto write = [&](const QString &comNo, const QString &v) {
        return replyValue(s, engine->answer(request(s, comNo, 'W', v), engine->line(), 0), comNo, 'W');
    };
    QCOMPARE(write("0012", "7000"), qint64(-1));  // above 0011 = 6000
    QCOMPARE(write("0011", "8000"), qint64(8000));
    QCOMPARE(write("0012", "7000"), qint64(7000));
}

void tst_SimEngine::eepromWritesPersist()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("eeprom.ini");
    {
        SimStateFile state(path);
        SimEngine engine(SimEngine::Protocol::Native);
        auto d = std::make_unique<SimDrive>(drive(), 3);
        d->attachState(&state);
        engine.addDrive(std::move(d));
        const CommSettings s = settings(false, true, 3);
        QVERIFY(!engine.answer(request(s, "0000", 'W', "555"), engine.line(), 0).isEmpty());
        QVERIFY(!engine.answer(request(s, "0206", 'P', "9"), engine.line(), 0).isEmpty());
        QVERIFY(!engine.answer(request(s, "FA01", 'W', "1000"), engine.line(), 0).isEmpty());  // RAM only
    }
    SimStateFile state(path);
    SimDrive again(drive(), 3);
    again.attachState(&state);
    QCOMPARE(again.parameterValue("0000").value(), qint64(555));
    QCOMPARE(again.parameterValue("0206").value(), qint64(-5));
    QCOMPARE(again.parameterValue("FA01").value(), qint64(0));
    // Another drive at that number does not take the values.
    SimDriveData other = drive();
    other.formName = QStringLiteral("-4015P");
    SimDrive stranger(other, 3);
    stranger.attachState(&state);
    QCOMPARE(stranger.parameterValue("0000").value(), qint64(1234));
}

void tst_SimEngine::faultRates_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<double>("rate");

    for (const char *f : {"drop", "corrupt", "garbage", "truncate"}) {
        QTest::newRow(qPrintable(QStringLiteral("%1 10%").arg(f))) << QString(f) << 0.1;
        QTest::newRow(qPrintable(QStringLiteral("%1 50%").arg(f))) << QString(f) << 0.5;
    }
}

void tst_SimEngine::faultRates()
{
    QFETCH(QString, fault);
    QFETCH(double, rate);
    SimFaultRates rates;
    rates.seed = 7;
    (fault == "drop" ? rates.drop : fault == "corrupt" ? rates.corrupt : fault == "garbage" ? rates.garbage : rates.truncate) = rate;
    auto engine = line(SimEngine::Protocol::Modbus);
    engine->setFaults(rates);
    const CommSettings s = settings(true);
    const QByteArray frame = request(s, "0000");
    const QByteArray good = engine->answer(frame, engine->line(), 0);
    const int frames = 4000;
    int failed = 0;
    for (int i = 0; i < frames; ++i) {
        const SimReply r = engine->handle(frame, engine->line(), 0);
        if (r.bytes != good) {
            ++failed;
            // What each fault looks like to the tool.
            if (fault == "drop")
                QVERIFY(r.bytes.isEmpty());
            else if (fault == "truncate")
                QVERIFY(r.bytes.size() < good.size() && good.startsWith(r.bytes));
            else
                QCOMPARE(r.bytes.size(), good.size());
            QCOMPARE(replyValue(s, r.bytes, "0000"), qint64(-1));
        }
    }
    const double measured = double(failed) / frames;
    qInfo("%s: requested %.2f, measured %.4f over %d frames", qPrintable(fault), rate, measured, frames);
    QVERIFY2(qAbs(measured - rate) < 0.03, qPrintable(QString::number(measured)));
    QCOMPARE(engine->faultCounts().frames, frames);
}

void tst_SimEngine::disconnectAfterFrames()
{
    SimFaultRates rates;
    rates.disconnectAfter = 3;
    auto engine = line(SimEngine::Protocol::Native);
    engine->setFaults(rates);
    const QByteArray frame = request(settings(false), "0000");
    QList<bool> seen;
    for (int i = 0; i < 4; ++i)
        seen << engine->handle(frame, engine->line(), 0).disconnect;
    QCOMPARE(seen, (QList<bool>{false, false, true, true}));
}

QTEST_GUILESS_MAIN(tst_SimEngine)
#include "tst_SimEngine.moc"
