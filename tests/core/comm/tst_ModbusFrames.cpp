#include "comm/Crc16.h"
#include "comm/ModbusFrames.h"

#include <QTest>

namespace {

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

}  // namespace

class tst_ModbusFrames : public QObject
{
    Q_OBJECT
private slots:
    void crcTable();
    void requests_data();
    void requests();
    void resyncRequest();
    void replyLength_data();
    void replyLength();
    void replyChecks_data();
    void replyChecks();
    void replyValues_data();
    void replyValues();
    void replyAnswers_data();
    void replyAnswers();
};

void tst_ModbusFrames::crcTable()
{
    QCOMPARE(Crc16::tableEntry(1), uint16_t(0xC0C1));
    QCOMPARE(Crc16::tableEntry(2), uint16_t(0xC181));
}

void tst_ModbusFrames::requests_data()
{
    QTest::addColumn<QString>("comNo");
    QTest::addColumn<char>("command");
    QTest::addColumn<QString>("data");
    QTest::addColumn<bool>("setNumber");
    QTest::addColumn<bool>("broadcast");
    QTest::addColumn<QByteArray>("frame");

    QTest::newRow("read FB05 at address 251") << "FB05" << 'R' << "" << false << false << hex("FB 03 FB 05 00 01 B1 75");
    QTest::newRow("write -1 sends FF FF") << "FB05" << 'W' << "-1" << false << false << hex("FB 06 FB 05 FF FF BD 05");
    QTest::newRow("RAM write is the same function 6") << "FB05" << 'P' << "-1" << false << false
                                                      << hex("FB 06 FB 05 FF FF BD 05");
    QTest::newRow("broadcast address 0") << "FB05" << 'R' << "" << false << true << hex("00 03 FB 05 00 01 A4 FE");
    QTest::newRow("FC10 asks for 5 registers at number 5") << "FC10" << 'R' << "" << true << false
                                                           << hex("05 03 FC 10 00 05 B5 D8");
}

void tst_ModbusFrames::requests()
{
    QFETCH(QString, comNo);
    QFETCH(char, command);
    QFETCH(QString, data);
    QFETCH(bool, setNumber);
    QFETCH(bool, broadcast);
    QFETCH(QByteArray, frame);
    CommSettings s;
    s.setNumber = setNumber;
    s.broadcast = broadcast;
    s.inverterNumber = 5;
    QCOMPARE(BuildModbusRequest({comNo, false}, command, data, s).toHex(' '), frame.toHex(' '));
}

void tst_ModbusFrames::resyncRequest()
{
    QCOMPARE(ModbusResyncRequest(hex("FB 03 FB 05 00 01 B1 75")).toHex(' '), hex("03 FB 05 00 01 80 E5").toHex(' '));
}

void tst_ModbusFrames::replyLength_data()
{
    QTest::addColumn<QString>("comNo");
    QTest::addColumn<char>("command");
    QTest::addColumn<int>("length");
    QTest::newRow("read") << "FB05" << 'R' << 7;
    QTest::newRow("write echo") << "FB05" << 'W' << 8;
    QTest::newRow("block read") << "FC10" << 'R' << 15;
    QTest::newRow("r300 block read") << "r300" << 'R' << 15;
    QTest::newRow("block write") << "FC10" << 'P' << 8;
}

void tst_ModbusFrames::replyLength()
{
    QFETCH(QString, comNo);
    QFETCH(char, command);
    QFETCH(int, length);
    QCOMPARE(ModbusReplyLength({comNo, false}, command), length);
}

void tst_ModbusFrames::replyChecks_data()
{
    QTest::addColumn<QString>("comNo");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("expected");
    QTest::addColumn<bool>("valid");
    QTest::newRow("good read reply") << "FB05" << hex("FB 03 02 12 34 6D 27") << 7 << true;
    QTest::newRow("bad CRC") << "FB05" << hex("FB 03 02 12 34 6D 28") << 7 << false;
    QTest::newRow("CRC bytes swapped") << "FB05" << hex("FB 03 02 12 34 27 6D") << 7 << false;
    QTest::newRow("extra trailing bytes accepted") << "FB05" << hex("FB 03 02 12 34 6D 27 FF FF") << 7 << true;
    QTest::newRow("exception reply is too short") << "FB05" << hex("FB 83 02 E0 C0") << 7 << false;
    QTest::newRow("write echo") << "FB05" << hex("FB 06 FB 05 FF FF BD 05") << 8 << true;
    QTest::newRow("FC10 any 15 bytes") << "FC10" << QByteArray(15, '\0') << 15 << true;
}

void tst_ModbusFrames::replyChecks()
{
    QFETCH(QString, comNo);
    QFETCH(QByteArray, reply);
    QFETCH(int, expected);
    QFETCH(bool, valid);
    QCOMPARE(ModbusReplyValid(reply, expected, {comNo, false}), valid);
}

void tst_ModbusFrames::replyAnswers_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QString>("comNo");
    QTest::addColumn<char>("command");
    QTest::addColumn<bool>("answers");
    QTest::newRow("read of one register") << hex("FB 03 02 12 34 6D 27") << "FB05" << 'R' << true;
    QTest::newRow("read reply with four data bytes") << hex("FB 03 04 12 34 00 00 00 00") << "FB05" << 'R' << false;
    QTest::newRow("write echo for a read") << hex("FB 06 FB 05 00 64 00 00") << "FB05" << 'R' << false;
    QTest::newRow("write echo of the register") << hex("FB 06 FB 05 00 64 00 00") << "FB05" << 'W' << true;
    QTest::newRow("write echo of another register") << hex("FB 06 00 11 00 64 CC 7E") << "FB05" << 'W' << false;
    QTest::newRow("exception reply") << hex("FB 86 02 00 00 00 00 00") << "FB05" << 'W' << false;
    QTest::newRow("FC10 block is not compared") << hex("FB 03 0A 00 00 00 00 00 00 00 00 00 00 00 00") << "FC10"
                                                << 'R' << true;
}

void tst_ModbusFrames::replyAnswers()
{
    QFETCH(QByteArray, reply);
    QFETCH(QString, comNo);
    QFETCH(char, command);
    QFETCH(bool, answers);
    const FrameItem item{comNo, false};
    CommSettings settings;
    settings.protocol = CommSettings::Modbus;
    const QByteArray request = BuildModbusRequest(item, command, QStringLiteral("100"), settings);
    QCOMPARE(ModbusReplyAnswers(reply, request, item), answers);
}

void tst_ModbusFrames::replyValues_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<uint>("value");
    QTest::addColumn<bool>("failed");
    QTest::newRow("function 3 takes bytes 3 and 4") << hex("FB 03 02 12 34 6D 27") << 0x1234u << false;
    QTest::newRow("function 6 takes bytes 4 and 5") << hex("FB 06 FB 05 FF FE 7C C5") << 0xFFFEu << false;
    QTest::newRow("exception function fails with 0") << hex("FB 83 02 E0 C0 00 00") << 0u << true;
    QTest::newRow("function 3 cut short fails") << hex("FB 03 02 12") << 0u << true;
    QTest::newRow("nothing at all fails") << QByteArray() << 0u << true;
}

void tst_ModbusFrames::replyValues()
{
    QFETCH(QByteArray, reply);
    QFETCH(uint, value);
    QFETCH(bool, failed);
    bool flag = false;
    QCOMPARE(uint(ModbusReplyValue(reply, &flag)), value);
    QCOMPARE(flag, failed);
}

QTEST_GUILESS_MAIN(tst_ModbusFrames)
#include "tst_ModbusFrames.moc"
