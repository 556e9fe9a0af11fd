#include "comm/FrameDecoder.h"

#include <QRandomGenerator>
#include <QTest>

using FrameDecoder::Protocol;
using FrameDecoder::Role;

namespace {

QByteArray bytes(const char *hex)
{
    return QByteArray::fromHex(hex);
}

}  // namespace

class tst_FrameDecoder : public QObject
{
    Q_OBJECT
private slots:
    void describesEveryFrameKind_data();
    void describesEveryFrameKind();
    void guessesTheProtocolOfARequest();
    void anyBytesGiveSomeText();
};

void tst_FrameDecoder::describesEveryFrameKind_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<int>("protocol");
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("checkGood");
    const int native = int(Protocol::Native), modbus = int(Protocol::Modbus);
    const int request = int(Role::Request), reply = int(Role::Reply);

    QTest::newRow("native read, no number byte") << bytes("2F52FB0581") << native << request
        << "native, read, No. FB05, check 81 good" << true;
    QTest::newRow("native 32-bit EEPROM write to inverter 5") << bytes("2F054C57FB05000186A0FE") << native << request
        << "native, inverter 5, 32-bit, write RAM and EEPROM, No. FB05, value 100000, check FE good" << true;
    QTest::newRow("native broadcast RAM write") << bytes("2FFF500011FFFF8D") << native << request
        << "native, broadcast, write RAM, No. 0011, value 65535, check 8D good" << true;
    QTest::newRow("native resync try without start byte") << bytes("0552000057") << native << request
        << "native, no start byte, inverter 5, read, No. 0000, check 57 good" << true;
    QTest::newRow("native reply") << bytes("2F52FB05000182") << native << reply
        << "native, read, No. FB05, value 1, check 82 good" << true;
    QTest::newRow("native reply with number byte") << bytes("2F03520206FFFE89") << native << reply
        << "native, inverter 3, read, No. 0206, value 65534, check 89 good" << true;
    QTest::newRow("native reply with a bad check value") << bytes("2F52FB05000183") << native << reply
        << "native, read, No. FB05, value 1, check 83 bad (sum 82)" << false;
    QTest::newRow("native panel block") << bytes("2F52FC10BF003F3FBF003F3F000007") << native << reply
        << "native, read, No. FC10, data BF 00 3F 3F BF 00 3F 3F 00 00, check 07 good" << true;
    QTest::newRow("native reply cut short") << bytes("2F52FB") << native << reply
        << "native, incomplete: 3 of 7 bytes" << false;
    QTest::newRow("native request with a trailing byte") << bytes("2F52FB058100") << native << request
        << "native, read, No. FB05, check 81 good, 1 extra bytes" << true;
    QTest::newRow("native unknown command") << bytes("2F58FB0587") << native << request
        << "native, unknown command 58, No. FB05, check 87 good" << true;

    QTest::newRow("Modbus read request, drive alone") << bytes("FB03FB050001B175") << modbus << request
        << "Modbus, slave 251 (the drive alone), read holding registers, No. FB05, count 1, CRC 75B1 good" << true;
    QTest::newRow("Modbus write request to slave 1") << bytes("010600110BB8DE8D") << modbus << request
        << "Modbus, slave 1, write single register, No. 0011, value 3000, CRC 8DDE good" << true;
    QTest::newRow("Modbus broadcast write") << bytes("00060009FFFF59A9") << modbus << request
        << "Modbus, slave 0 (broadcast), write single register, No. 0009, value 65535, CRC A959 good" << true;
    QTest::newRow("Modbus read reply") << bytes("FB03020001A190") << modbus << reply
        << "Modbus, slave 251 (the drive alone), read holding registers, 2 bytes, value 1, CRC 90A1 good" << true;
    QTest::newRow("Modbus write reply") << bytes("010600110BB8DE8D") << modbus << reply
        << "Modbus, slave 1, write single register, No. 0011, value 3000, CRC 8DDE good" << true;
    QTest::newRow("Modbus block reply") << bytes("FB030ABF003F3FBF003F3F0000E1EA") << modbus << reply
        << "Modbus, slave 251 (the drive alone), read holding registers, 10 bytes, data BF 00 3F 3F BF 00 3F 3F 00 00, "
           "CRC EAE1 good" << true;
    QTest::newRow("Modbus exception, illegal data address") << bytes("018302C0F1") << modbus << reply
        << "Modbus, slave 1, exception to function 3: Illegal Data Address (2), CRC F1C0 good" << true;
    QTest::newRow("Modbus exception, device failure") << bytes("0586040262") << modbus << reply
        << "Modbus, slave 5, exception to function 6: Server Device Failure (4), CRC 6202 good" << true;
    QTest::newRow("Modbus reply with a bad CRC") << bytes("FB03020001A191") << modbus << reply
        << "Modbus, slave 251 (the drive alone), read holding registers, 2 bytes, value 1, CRC 91A1 bad (computed 90A1)"
        << false;
    QTest::newRow("Modbus reply cut short") << bytes("FB030200") << modbus << reply
        << "Modbus, slave 251 (the drive alone), incomplete: 4 of 7 bytes" << false;
}

void tst_FrameDecoder::describesEveryFrameKind()
{
    QFETCH(QByteArray, frame);
    QFETCH(int, protocol);
    QFETCH(int, role);
    QFETCH(QString, text);
    QFETCH(bool, checkGood);
    const FrameDecoder::Decoded d = FrameDecoder::decode(frame, Protocol(protocol), Role(role));
    QCOMPARE(d.text, text);
    QCOMPARE(d.checkGood, checkGood);
}

void tst_FrameDecoder::guessesTheProtocolOfARequest()
{
    QCOMPARE(FrameDecoder::guess(bytes("FB03FB050001B175")), Protocol::Modbus);
    QCOMPARE(FrameDecoder::guess(bytes("2F52FB0581")), Protocol::Native);
    // Modbus slave 47 begins like a native frame; the CRC tells them apart.
    QCOMPARE(FrameDecoder::guess(bytes("2F035200000181")), Protocol::Native);
    QCOMPARE(FrameDecoder::guess(QByteArray()), Protocol::Native);
}

void tst_FrameDecoder::anyBytesGiveSomeText()
{
    QRandomGenerator random(7);
    for (int i = 0; i < 2000; ++i) {
        QByteArray b(int(random.bounded(0, 40)), '\0');
        for (char &c : b)
            c = char(random.bounded(256));
        for (const Protocol p : {Protocol::Native, Protocol::Modbus, Protocol::Unknown}) {
            for (const Role r : {Role::Request, Role::Reply})
                QVERIFY(!FrameDecoder::decode(b, p, r).text.isEmpty());
        }
    }
}

QTEST_GUILESS_MAIN(tst_FrameDecoder)
#include "tst_FrameDecoder.moc"
