#include "keypad/PanelFont.h"
#include "keypad/PanelImage.h"
#include "keypad/PanelKey.h"

#include <QTest>

// The panel's characters, the two images of the block, and the key codes.
class tst_PanelImage : public QObject
{
    Q_OBJECT

private slots:
    void everyCharacterOfTheFont_data();
    void everyCharacterOfTheFont();
    void codesOutsideTheFontShowBlank();
    void pointCharacters();
    void readableText_data();
    void readableText();
    void blockOrderAndPoints_data();
    void blockOrderAndPoints();
    void lampsOfEachImage();
    void shortBlockIsNoImage();
    void lineLostBlinks();
    void keyCodes_data();
    void keyCodes();
    void keyNames();
};

void tst_PanelImage::everyCharacterOfTheFont_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("character");
    const QList<QPair<int, const char *>> font = {
        {0x01, "^"}, {0x04, "}"}, {0x06, "1"}, {0x07, "7"}, {0x08, "_"}, {0x0F, "]"}, {0x10, "z"}, {0x14, "<"},
        {0x16, ">"}, {0x1C, "v"}, {0x1E, "j"}, {0x34, "@"}, {0x36, "?"}, {0x37, "m"}, {0x38, "l"}, {0x39, "c"},
        {0x3D, "g"}, {0x3E, "u"}, {0x3F, "0"}, {0x40, "-"}, {0x4F, "3"}, {0x50, "r"}, {0x54, "n"}, {0x58, "w"},
        {0x5B, "2"}, {0x5C, "x"}, {0x5E, "d"}, {0x66, "4"}, {0x67, "q"}, {0x6D, "5"}, {0x6E, "y"}, {0x6F, "9"},
        {0x71, "f"}, {0x73, "p"}, {0x74, "k"}, {0x76, "h"}, {0x77, "a"}, {0x78, "t"}, {0x79, "e"}, {0x7C, "b"},
        {0x7D, "6"}, {0x7F, "8"}, {0x86, "!"}, {0x87, "*"}, {0x9C, "V"}, {0x9E, "J"}, {0xB7, "M"}, {0xB8, "L"},
        {0xB9, "C"}, {0xBD, "G"}, {0xBE, "U"}, {0xBF, "="}, {0xCF, "#"}, {0xD0, "R"}, {0xD4, "N"}, {0xD8, "W"},
        {0xDB, "+"}, {0xDC, "X"}, {0xDE, "D"}, {0xE6, "$"}, {0xE7, "Q"}, {0xEC, "S"}, {0xED, "%"}, {0xEE, "Y"},
        {0xEF, ")"}, {0xF1, "F"}, {0xF3, "P"}, {0xF4, "K"}, {0xF6, "H"}, {0xF7, "A"}, {0xF8, "T"}, {0xF9, "E"},
        {0xFC, "B"}, {0xFD, "["}, {0xFF, "("},
    };
    for (const auto &[code, ch] : font)
        QTest::addRow("0x%02X %s", code, ch) << code << QString::fromLatin1(ch);
}

void tst_PanelImage::everyCharacterOfTheFont()
{
    QFETCH(int, code);
    QFETCH(QString, character);
    QCOMPARE(PanelFont::DispListRKP(uint8_t(code)), character.at(0));
    // Drawing goes back from the character to the same segments.
    QCOMPARE(int(PanelFont::SegmentsOf(character.at(0))), code);
}

void tst_PanelImage::codesOutsideTheFontShowBlank()
{
    int known = 0;
    for (int code = 0; code < 256; ++code) {
        const QChar c = PanelFont::DispListRKP(uint8_t(code));
        if (c != u' ')
            ++known;
        else
            QCOMPARE(PanelFont::SegmentsOf(c), uint8_t(0));
    }
    QCOMPARE(known, 75);
    QCOMPARE(PanelFont::SegmentsOf(u'o'), uint8_t(0x5C));  // the "o" of "coMe"
    QCOMPARE(PanelFont::SegmentsOf(u'Z'), uint8_t(0));
}

void tst_PanelImage::pointCharacters()
{
    const QString points = QStringLiteral("=!+#$%[*()");
    for (int d = 0; d < 10; ++d) {
        const QChar digit(u'0' + d);
        QCOMPARE(PanelFont::PointCharOf(digit), points.at(d));
        QCOMPARE(PanelFont::DigitOfPointChar(points.at(d)), digit);
        // Same segments as the digit, plus the point.
        QCOMPARE(PanelFont::SegmentsOf(points.at(d)), uint8_t(PanelFont::SegmentsOf(digit) | 0x80));
    }
    QVERIFY(PanelFont::PointCharOf(u'a').isNull());
    QVERIFY(PanelFont::DigitOfPointChar(u'5').isNull());
}

void tst_PanelImage::readableText_data()
{
    QTest::addColumn<QString>("font");
    QTest::addColumn<QString>("readable");
    QTest::newRow("frequency with two decimals") << "5=00" << "50.00";
    QTest::newRow("leading blank") << " 5=0" << " 50.0";
    QTest::newRow("error text") << "coMe" << "com.e";
    QTest::newRow("letter with point only") << "S  1" << "S  1";
    QTest::newRow("trip code") << "e 12" << "e 12";
}

void tst_PanelImage::readableText()
{
    QFETCH(QString, font);
    QFETCH(QString, readable);
    QCOMPARE(PanelFont::ReadableText(font), readable);
}

void tst_PanelImage::blockOrderAndPoints_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    // Image A "50.00" is D1 0x6D, D0 0xBF, D3 0x3F, D2 0x3F.
    QTest::newRow("digits in panel order")
        << QByteArray::fromHex("BF6D3F3F" "BF6D003F" "0001") << "5=00" << "5=0 ";
    QTest::newRow("point of the fourth character never shown")
        << QByteArray::fromHex("0600BF86" "06008686" "0000") << " 1!0" << " 1!1";
    QTest::newRow("unknown codes blank") << QByteArray::fromHex("02030405" "00000000" "0000") << "   }" << "    ";
}

void tst_PanelImage::blockOrderAndPoints()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, a);
    QFETCH(QString, b);
    const std::optional<PanelBlock> block = PanelBlock::decode(data);
    QVERIFY(block);
    QCOMPARE(block->image(true).text, a);
    QCOMPARE(block->image(false).text, b);
}

void tst_PanelImage::lampsOfEachImage()
{
    // D8 is image B's lamp byte, D9 image A's; bit 5 has no lamp.
    const auto block = PanelBlock::decode(QByteArray::fromHex("00000000000000002829"));
    QVERIFY(block);
    QCOMPARE(int(block->a.lamps), 0x09);
    QVERIFY(block->a.lit(PanelImage::FRUN));
    QVERIFY(block->a.lit(PanelImage::FMON));
    QCOMPARE(int(block->b.lamps), 0x08);
    QVERIFY(!block->b.lit(PanelImage::FRUN));
    QCOMPARE(block->a.lampWords(), QStringLiteral("RUN MON"));
    const auto all = PanelBlock::decode(QByteArray::fromHex("000000000000000000FF"));
    QCOMPARE(all->a.lampWords(), QStringLiteral("RUN VEC ECN MON PRG PC PF"));
    QCOMPARE(all->b.readable(), QStringLiteral("    "));
}

void tst_PanelImage::shortBlockIsNoImage()
{
    QVERIFY(!PanelBlock::decode(QByteArray(9, '\0')));
    QVERIFY(PanelBlock::decode(QByteArray(10, '\0')));
}

void tst_PanelImage::lineLostBlinks()
{
    QCOMPARE(PanelBlock::lineLost(true).text, QStringLiteral("coMe"));
    QCOMPARE(PanelBlock::lineLost(false).text, QStringLiteral("    "));
    QCOMPARE(int(PanelBlock::lineLost(true).lamps), 0);
}

void tst_PanelImage::keyCodes_data()
{
    QTest::addColumn<qint64>("periodMs");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("code");
    QTest::newRow("RUN at once") << qint64(0) << int(PanelKey::Run) << 0x0001;
    QTest::newRow("STOP 20 ms") << qint64(20) << int(PanelKey::Stop) << 0x0502;
    QTest::newRow("UP 23 ms rounds down") << qint64(23) << int(PanelKey::Up) << 0x0504;
    QTest::newRow("DOWN 100 ms") << qint64(100) << int(PanelKey::Down) << 0x1908;
    QTest::newRow("MON 4 ms") << qint64(4) << int(PanelKey::Mon) << 0x0110;
    QTest::newRow("ENT 1020 ms") << qint64(1020) << int(PanelKey::Ent) << 0xFF20;
    QTest::newRow("long pause stays in 16 bits") << qint64(5000) << int(PanelKey::Run) << 0xFF01;
}

void tst_PanelImage::keyCodes()
{
    QFETCH(qint64, periodMs);
    QFETCH(int, key);
    QFETCH(int, code);
    QCOMPARE(PanelKeys::code(PanelKeys::base(periodMs), PanelKey(key)), code);
}

void tst_PanelImage::keyNames()
{
    QCOMPARE(PanelKeys::UpRelease, 0x0104);
    QCOMPARE(PanelKeys::DownRelease, 0x0108);
    for (PanelKey key : {PanelKey::Run, PanelKey::Stop, PanelKey::Up, PanelKey::Down, PanelKey::Mon, PanelKey::Ent})
        QCOMPARE(PanelKeys::fromName(PanelKeys::name(key).toLower()), std::optional<PanelKey>(key));
    QVERIFY(!PanelKeys::fromName(QStringLiteral("PRG")));
}

QTEST_GUILESS_MAIN(tst_PanelImage)
#include "tst_PanelImage.moc"
