#include "comm/NativeFrames.h"

#include <QTest>

namespace {

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

CommSettings settings(bool setNumber, bool broadcast, int number = 5)
{
    CommSettings s;
    s.setNumber = setNumber;
    s.broadcast = broadcast;
    s.inverterNumber = number;
    return s;
}

}  // namespace

class tst_NativeFrames : public QObject
{
    Q_OBJECT
private slots:
    void requests_data();
    void requests();
    void replyLength_data();
    void replyLength();
    void replyChecks_data();
    void replyChecks();
    void replyValues_data();
    void replyValues();
    void replyAnswers_data();
    void replyAnswers();
    void dataText_data();
    void dataText();
};

void tst_NativeFrames::requests_data()
{
    QTest::addColumn<QString>("comNo");
    QTest::addColumn<bool>("wide");
    QTest::addColumn<char>("command");
    QTest::addColumn<QString>("data");
    QTest::addColumn<bool>("setNumber");
    QTest::addColumn<bool>("broadcast");
    QTest::addColumn<bool>("startByte");
    QTest::addColumn<QByteArray>("frame");

    QTest::newRow("read FB05, sum 0x181 keeps 0x81")
        << "FB05" << false << 'R' << "" << false << false << true << hex("2F 52 FB 05 81");
    QTest::newRow("read with set number 5") << "FB05" << false << 'R' << "" << true << false << true
                                            << hex("2F 05 52 FB 05 86");
    QTest::newRow("broadcast sends 0xFF as number")
        << "FB05" << false << 'R' << "" << false << true << true << hex("2F FF 52 FB 05 80");
    QTest::newRow("set number wins over broadcast")
        << "FB05" << false << 'R' << "" << true << true << true << hex("2F 05 52 FB 05 86");
    QTest::newRow("32-bit read carries the long marker")
        << "FB05" << true << 'R' << "" << false << false << true << hex("2F 4C 52 FB 05 CD");
    QTest::newRow("32-bit write 100000 with set number 5, 11 bytes")
        << "FB05" << true << 'W' << "100000" << true << false << true << hex("2F 05 4C 57 FB 05 00 01 86 A0 FE");
    QTest::newRow("16-bit RAM write of -1 sends FF FF")
        << "FB05" << false << 'P' << "-1" << false << false << true << hex("2F 50 FB 05 FF FF 7D");
    QTest::newRow("16-bit write sends only the low 16 bits")
        << "FB05" << false << 'P' << "65537" << false << false << true << hex("2F 50 FB 05 00 01 80");
    QTest::newRow("r300 addresses F3 00") << "r300" << false << 'R' << "" << false << false << true
                                          << hex("2F 52 F3 00 74");
    QTest::newRow("resync try without start byte")
        << "0000" << false << 'R' << "" << true << false << false << hex("05 52 00 00 57");
}

void tst_NativeFrames::requests()
{
    QFETCH(QString, comNo);
    QFETCH(bool, wide);
    QFETCH(char, command);
    QFETCH(QString, data);
    QFETCH(bool, setNumber);
    QFETCH(bool, broadcast);
    QFETCH(bool, startByte);
    QFETCH(QByteArray, frame);
    CommSettings s = settings(setNumber, broadcast);
    s.broadcast = broadcast && !setNumber;
    NativeFrameForm form;
    form.startByte = startByte;
    QCOMPARE(BuildNativeRequest({comNo, wide}, command, data, s, form).toHex(' '), frame.toHex(' '));
}

void tst_NativeFrames::replyLength_data()
{
    QTest::addColumn<QString>("comNo");
    QTest::addColumn<bool>("wide");
    QTest::addColumn<char>("command");
    QTest::addColumn<bool>("setNumber");
    QTest::addColumn<bool>("broadcast");
    QTest::addColumn<int>("length");

    QTest::newRow("16-bit plain") << "FB05" << false << 'R' << false << false << 7;
    QTest::newRow("16-bit set number") << "FB05" << false << 'R' << true << false << 8;
    QTest::newRow("16-bit broadcast waits for a number byte") << "FB05" << false << 'R' << false << true << 8;
    QTest::newRow("32-bit plain") << "FB05" << true << 'R' << false << false << 10;
    QTest::newRow("32-bit write set number") << "FB05" << true << 'W' << true << false << 11;
    QTest::newRow("FC10 block read") << "FC10" << false << 'R' << true << false << 15;
    QTest::newRow("r300 block read") << "r300" << false << 'R' << false << false << 15;
    QTest::newRow("fc10 lower case is no block") << "fc10" << false << 'R' << false << false << 7;
    QTest::newRow("FC10 write is an ordinary echo") << "FC10" << false << 'P' << false << false << 7;
}

void tst_NativeFrames::replyLength()
{
    QFETCH(QString, comNo);
    QFETCH(bool, wide);
    QFETCH(char, command);
    QFETCH(bool, setNumber);
    QFETCH(bool, broadcast);
    QFETCH(int, length);
    QCOMPARE(NativeReplyLength({comNo, wide}, command, settings(setNumber, broadcast)), length);
}

void tst_NativeFrames::replyChecks_data()
{
    QTest::addColumn<QString>("comNo");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("expected");
    QTest::addColumn<bool>("valid");

    QTest::newRow("good reply") << "FB05" << hex("2F 52 FB 05 12 34 C7") << 7 << true;
    QTest::newRow("bad check value") << "FB05" << hex("2F 52 FB 05 12 34 C8") << 7 << false;
    QTest::newRow("extra trailing bytes accepted") << "FB05" << hex("2F 52 FB 05 12 34 C7 00 55") << 7 << true;
    QTest::newRow("short reply") << "FB05" << hex("2F 52 FB 05 12 34") << 7 << false;
    QTest::newRow("empty reply") << "FB05" << QByteArray() << 7 << false;
    QTest::newRow("FC10 bad check value accepted") << "FC10" << QByteArray(15, '\x11') << 15 << true;
    QTest::newRow("FC10 short reply refused") << "FC10" << QByteArray(14, '\x11') << 15 << false;
    QTest::newRow("command and address not compared") << "FB05" << hex("2F 57 00 00 12 34 CC") << 7 << true;
}

void tst_NativeFrames::replyChecks()
{
    QFETCH(QString, comNo);
    QFETCH(QByteArray, reply);
    QFETCH(int, expected);
    QFETCH(bool, valid);
    QCOMPARE(NativeReplyValid(reply, expected, {comNo, false}), valid);
}

void tst_NativeFrames::replyValues_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<bool>("wide");
    QTest::addColumn<bool>("setNumber");
    QTest::addColumn<uint>("value");

    QTest::newRow("16-bit") << hex("2F 52 FB 05 12 34 C7") << false << false << 0x1234u;
    QTest::newRow("16-bit FF FE is unsigned 65534") << hex("2F 52 FB 05 FF FE 7E") << false << false << 65534u;
    QTest::newRow("32-bit with number byte") << hex("2F 05 4C 52 FB 05 00 01 86 A0 F9") << true << true << 100000u;
    QTest::newRow("too short gives 0") << hex("2F 52 FB") << false << false << 0u;
}

void tst_NativeFrames::replyValues()
{
    QFETCH(QByteArray, reply);
    QFETCH(bool, wide);
    QFETCH(bool, setNumber);
    QFETCH(uint, value);
    QCOMPARE(NativeReplyValue(reply, {QStringLiteral("FB05"), wide}, settings(setNumber, false)), value);
}

void tst_NativeFrames::replyAnswers_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QString>("comNo");
    QTest::addColumn<bool>("wide");
    QTest::addColumn<bool>("setNumber");
    QTest::addColumn<char>("command");
    QTest::addColumn<bool>("answers");

    QTest::newRow("read of FB05") << hex("2F 52 FB 05 12 34 C7") << "FB05" << false << false << 'R' << true;
    QTest::newRow("reply for 0011") << hex("2F 52 00 11 00 64 F6") << "FB05" << false << false << 'R' << false;
    QTest::newRow("low address byte differs") << hex("2F 52 FB 06 12 34 C8") << "FB05" << false << false << 'R'
                                              << false;
    QTest::newRow("RAM write echo for an EEPROM write") << hex("2F 50 FB 05 12 34 C5") << "FB05" << false << false
                                                        << 'W' << false;
    QTest::newRow("32-bit with number byte") << hex("2F 05 4C 52 FB 05 00 01 86 A0 F9") << "FB05" << true << true
                                             << 'R' << true;
    QTest::newRow("number byte taken for the command") << hex("2F 52 FB 05 00 01 86 A0 F9") << "FB05" << false
                                                       << true << 'R' << false;
    QTest::newRow("FC10 panel image is not compared")
        << hex("2F 52 00 00 00 2A 01 02 03 04 05 06 07 08 00") << "FC10" << false << false << 'R' << true;
    QTest::newRow("too short") << hex("2F 52 FB") << "FB05" << false << false << 'R' << false;
}

void tst_NativeFrames::replyAnswers()
{
    QFETCH(QByteArray, reply);
    QFETCH(QString, comNo);
    QFETCH(bool, wide);
    QFETCH(bool, setNumber);
    QFETCH(char, command);
    QFETCH(bool, answers);
    QCOMPARE(NativeReplyAnswers(reply, {comNo, wide}, command, settings(setNumber, false)), answers);
}

void tst_NativeFrames::dataText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("plain") << "251" << 251;
    QTest::newRow("negative") << "-1" << -1;
    QTest::newRow("leading digits only") << "12.5" << 12;
    QTest::newRow("no digits") << "abc" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("leading blanks") << "  42" << 42;
    QTest::newRow("overlong wraps without overflow") << "99999999999999999999" << int(0x630FFFFF);
}

void tst_NativeFrames::dataText()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    QCOMPARE(DataTextValue(text), value);
}

QTEST_GUILESS_MAIN(tst_NativeFrames)
#include "tst_NativeFrames.moc"
