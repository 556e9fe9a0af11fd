#include "ModelFixture.h"
#include "model/ValueConversion.h"

#include <QTest>

// One parameter per case, set up directly in the tables.
struct Param {
    QString tMul = QStringLiteral("#");
    QString mul = QStringLiteral("1");
    QString lValue = QStringLiteral("0");
    QString byte = QStringLiteral("2");
    QString cv = QString();
    bool hex = false;
};
Q_DECLARE_METATYPE(Param)

namespace {

void setUp(DriveData &data, const Param &p)
{
    loadDefs(data, {{.comNo = "0001", .tMul = p.tMul, .mul = p.mul, .byte = p.byte}});
    data.paraDat.setAt(0, ParaDat::TMul, p.tMul);  // an empty pattern stays empty here
    data.paraDat.setAt(0, ParaDat::CurrentVoltIndex, p.cv);
    data.uPara.setRowCount(2);
    data.uPara.setAt(0, UPara::LValue, p.lValue);
    data.uPara.setFlag(0, UPara::HexIndex, p.hex);
}

}  // namespace

class tst_ValueConversion : public QObject
{
    Q_OBJECT

private slots:
    void formatScaled_data();
    void formatScaled();
    void hexText_data();
    void hexText();
    void hexToValue_data();
    void hexToValue();
    void cvText_data();
    void cvText();
    void cvToPercent_data();
    void cvToPercent();
    void valueText_data();
    void valueText();
    void entryToRaw_data();
    void entryToRaw();
    void rawToValueText_data();
    void rawToValueText();
};

void tst_ValueConversion::formatScaled_data()
{
    QTest::addColumn<QString>("tMul");
    QTest::addColumn<double>("scaled");
    QTest::addColumn<bool>("comma");
    QTest::addColumn<QString>("text");

    QTest::newRow("two decimals") << "#.##" << 3.14159 << false << "    3.14";
    QTest::newRow("two decimals, decimal comma") << "#.##" << 3.14159 << true << "    3,14";
    QTest::newRow("x pattern one decimal") << "#.x" << 12.5 << false << "    12.5";
    QTest::newRow("unknown pattern") << "##" << 12.0 << false << "      12";
    QTest::newRow("pattern compared exactly") << "#.X" << 12.5 << false << "      12";
    QTest::newRow("one decimal") << "#.#" << 60.0 << false << "    60.0";
    QTest::newRow("three decimals") << "#.###" << 1.0005 << false << "   1.000";
    QTest::newRow("mixed #.#x") << "#.#x" << 0.126 << false << "    0.13";
    QTest::newRow("mixed #.#xx") << "#.#xx" << 2.0 << false << "   2.000";
    QTest::newRow("mixed #.##x") << "#.##x" << -1.5 << false << "  -1.500";
    QTest::newRow("#.xx") << "#.xx" << 7.0 << false << "    7.00";
    QTest::newRow("#.xxx") << "#.xxx" << 7.0 << false << "   7.000";
    QTest::newRow("whole rounds half to even") << "#" << 2.5 << false << "       2";
    QTest::newRow("negative whole") << "#" << -600.0 << false << "    -600";
    QTest::newRow("wider than eight") << "#.##" << 123456789.0 << false << "123456789.00";
    QTest::newRow("decimal comma without a point") << "#" << 5.0 << true << "       5";
}

void tst_ValueConversion::formatScaled()
{
    QFETCH(QString, tMul);
    QFETCH(double, scaled);
    QFETCH(bool, comma);
    QFETCH(QString, text);
    DriveData data;
    setUp(data, Param{.tMul = tMul});
    data.decimalComma = comma;
    QCOMPARE(ValueConversion(data).FormatScaled(0, scaled), text);
}

void tst_ValueConversion::hexText_data()
{
    QTest::addColumn<qint64>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("zero") << qint64(0) << "0";
    QTest::newRow("255") << qint64(255) << "FF";
    QTest::newRow("minus one") << qint64(-1) << "FFFFFFFF";
    QTest::newRow("int32 min") << qint64(-2147483648LL) << "80000000";
    QTest::newRow("uint32 max") << qint64(4294967295LL) << "FFFFFFFF";
    QTest::newRow("no leading zeros") << qint64(0x0A0B) << "A0B";
}

void tst_ValueConversion::hexText()
{
    QFETCH(qint64, value);
    QFETCH(QString, text);
    QCOMPARE(ValueConversion::HexText(value), text);
}

void tst_ValueConversion::hexToValue_data()
{
    QTest::addColumn<QString>("digits");
    QTest::addColumn<QString>("lValue");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<qint64>("value");

    QTest::newRow("eight F signed") << "FFFFFFFF" << "-100" << true << qint64(-1);
    QTest::newRow("eight F unsigned") << "FFFFFFFF" << "0" << true << qint64(4294967295LL);
    QTest::newRow("four F signed") << "FFFF" << "-100" << true << qint64(65535);
    QTest::newRow("four F unsigned") << "FFFF" << "0" << true << qint64(65535);
    QTest::newRow("lower case") << "ff" << "0" << true << qint64(255);
    QTest::newRow("linked lower limit text") << "FFFFFFFF" << "-Error." << true << qint64(4294967295LL);
    QTest::newRow("nine digits") << "000000001" << "0" << false << qint64(0);
    QTest::newRow("not hexadecimal") << "FG" << "0" << false << qint64(0);
    QTest::newRow("blank") << " F" << "0" << false << qint64(0);
    QTest::newRow("empty") << "" << "0" << false << qint64(0);
    QTest::newRow("sign") << "-1" << "0" << false << qint64(0);
}

void tst_ValueConversion::hexToValue()
{
    QFETCH(QString, digits);
    QFETCH(QString, lValue);
    QFETCH(bool, ok);
    QFETCH(qint64, value);
    DriveData data;
    setUp(data, Param{.lValue = lValue});
    const std::optional<qint64> v = ValueConversion(data).HexToValue(digits, 0);
    QCOMPARE(v.has_value(), ok);
    if (ok)
        QCOMPARE(*v, value);
}

void tst_ValueConversion::cvText_data()
{
    QTest::addColumn<Param>("param");
    QTest::addColumn<double>("base");
    QTest::addColumn<QString>("raw");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("unit");

    const Param current{.tMul = "#.#", .mul = "10", .cv = "C"};
    QTest::newRow("small step: one decimal") << current << 20.0 << "500" << "10.0A" << "0.1A";
    QTest::newRow("step 0.2: two decimals") << current << 200.0 << "500" << "100.00A" << "0.20A";
    QTest::newRow("volts") << Param{.mul = "1", .cv = "V"} << 400.0 << "50" << "200.00V" << "4.00V";
    QTest::newRow("no decimal comma in amperes") << current << 20.0 << "505" << "10.1A" << "0.1A";
    QTest::newRow("other parameter: decimal") << Param{.tMul = "#.#", .mul = "10"} << 20.0 << "505" << "    50.5"
                                              << "";
    QTest::newRow("other parameter: hexadecimal") << Param{.mul = "10", .hex = true} << 20.0 << "255" << "hFF" << "";
    QTest::newRow("not a number shown as is") << current << 20.0 << "Error." << "Error." << "0.1A";
}

void tst_ValueConversion::cvText()
{
    QFETCH(Param, param);
    QFETCH(double, base);
    QFETCH(QString, raw);
    QFETCH(QString, text);
    QFETCH(QString, unit);
    DriveData data;
    setUp(data, param);
    data.currentBase = base;
    data.voltageBase = base;
    data.decimalComma = true;
    ValueConversion conv(data);
    QCOMPARE(conv.CVText(raw, 0), text.replace(QLatin1Char('.'), param.cv.isEmpty() ? ',' : '.'));
    QCOMPARE(conv.CVUnitText(0), unit);
}

void tst_ValueConversion::cvToPercent_data()
{
    QTest::addColumn<Param>("param");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("percent");

    QTest::newRow("amperes with unit") << Param{.mul = "10", .cv = "C"} << "5A" << "25.0";
    QTest::newRow("amperes without unit") << Param{.mul = "10", .cv = "C"} << "5" << "25.0";
    QTest::newRow("mul 1: no decimals") << Param{.mul = "1", .cv = "C"} << "5" << "25";
    QTest::newRow("mul 100: two decimals") << Param{.mul = "100", .cv = "C"} << "5" << "25.00";
    QTest::newRow("other mul: three decimals") << Param{.mul = "2", .cv = "C"} << "5" << "25.000";
    QTest::newRow("volts on a current parameter") << Param{.mul = "10", .cv = "C"} << "5V" << "";
    QTest::newRow("volts") << Param{.mul = "10", .cv = "V"} << "100V" << "25.0";
    QTest::newRow("other parameter unchanged") << Param{.mul = "10"} << "5A" << "5A";
}

void tst_ValueConversion::cvToPercent()
{
    QFETCH(Param, param);
    QFETCH(QString, entry);
    QFETCH(QString, percent);
    DriveData data;
    setUp(data, param);
    data.currentBase = 20;
    data.voltageBase = 400;
    QCOMPARE(ValueConversion(data).CVToPercent(entry, 0).value_or(QString()), percent);
}

void tst_ValueConversion::valueText_data()
{
    QTest::addColumn<Param>("param");
    QTest::addColumn<bool>("cvDisplay");
    QTest::addColumn<QString>("raw");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("limit");

    const Param freq{.tMul = "#.#", .mul = "10"};
    QTest::newRow("decimal") << freq << false << "600" << "    60.0" << "    60.0";
    QTest::newRow("empty counts as zero") << freq << false << "" << "     0.0" << "     0.0";
    QTest::newRow("hexadecimal, limit never") << Param{.mul = "10", .hex = true} << false << "600" << "h258"
                                              << "      60";
    QTest::newRow("negative hexadecimal") << Param{.hex = true} << false << "-1" << "hFFFFFFFF" << "      -1";
    QTest::newRow("fractional raw value") << freq << false << "123.4" << "    12.3" << "    12.3";
    QTest::newRow("amperes display") << Param{.tMul = "#.#", .mul = "10", .cv = "C"} << true << "500" << "10.0A"
                                     << "10.0A";
    QTest::newRow("amperes display, other parameter in hex")
        << Param{.tMul = "#.#", .mul = "10", .hex = true} << true << "600" << "h258" << "    60.0";
    QTest::newRow("not a number") << freq << false << "Error." << "Error." << "Error.";
    QTest::newRow("Mul 0 does not divide by zero") << Param{.mul = "0"} << false << "7" << "       7" << "       7";
}

void tst_ValueConversion::valueText()
{
    QFETCH(Param, param);
    QFETCH(bool, cvDisplay);
    QFETCH(QString, raw);
    QFETCH(QString, value);
    QFETCH(QString, limit);
    DriveData data;
    setUp(data, param);
    data.cvDisplay = cvDisplay;
    data.currentBase = 20;
    ValueConversion conv(data);
    QCOMPARE(conv.ValueText(raw, 0), value);
    QCOMPARE(conv.LimitText(raw, 0), limit);
}

void tst_ValueConversion::entryToRaw_data()
{
    QTest::addColumn<Param>("param");
    QTest::addColumn<bool>("cvDisplay");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("raw");  // empty: refused
    QTest::addColumn<int>("error");
    QTest::addColumn<bool>("hexAfter");

    const Param freq{.tMul = "#.#", .mul = "10"};
    const Param hexFreq{.tMul = "#.#", .mul = "10", .hex = true};
    const int none = int(ValueConversion::EntryError::None);
    const int emptyHex = int(ValueConversion::EntryError::EmptyHex);
    const int notNumber = int(ValueConversion::EntryError::NotANumber);
    QTest::newRow("decimal") << freq << false << "60" << "600" << none << false;
    QTest::newRow("more decimals than resolved keep a fraction") << freq << false << "12.34" << "123.4" << none
                                                                 << false;
    QTest::newRow("decimal entry clears hex") << hexFreq << false << "1" << "10" << none << false;
    QTest::newRow("hex entry") << freq << false << "h258" << "600" << none << true;
    QTest::newRow("upper-case H") << freq << false << "HFF" << "255" << none << true;
    QTest::newRow("hex of a signed parameter") << Param{.lValue = "-5"} << false << "hFFFFFFFF" << "-1" << none
                                               << true;
    QTest::newRow("h alone") << hexFreq << false << "h" << "" << emptyHex << true;
    QTest::newRow("bad hex keeps the flag") << freq << false << "hxyz" << "" << notNumber << false;
    QTest::newRow("not a number") << hexFreq << false << "abc" << "" << notNumber << true;
    QTest::newRow("decimal comma entry") << freq << false << "1,5" << "" << notNumber << false;
    QTest::newRow("amperes") << Param{.mul = "10", .cv = "C"} << true << "5A" << "250" << none << false;
    QTest::newRow("amperes keep hex flag") << Param{.mul = "10", .cv = "C", .hex = true} << true << "5" << "250"
                                           << none << true;
}

void tst_ValueConversion::entryToRaw()
{
    QFETCH(Param, param);
    QFETCH(bool, cvDisplay);
    QFETCH(QString, entry);
    QFETCH(QString, raw);
    QFETCH(int, error);
    QFETCH(bool, hexAfter);
    DriveData data;
    setUp(data, param);
    data.cvDisplay = cvDisplay;
    data.currentBase = 20;
    ValueConversion::EntryError e = ValueConversion::EntryError::None;
    const std::optional<double> v = ValueConversion(data).EntryToRaw(entry, 0, &e);
    QCOMPARE(int(e), error);
    QCOMPARE(v.has_value(), !raw.isEmpty());
    if (v)
        QCOMPARE(*v, raw.toDouble());
    QCOMPARE(data.uPara.flag(0, UPara::HexIndex), hexAfter);
}

void tst_ValueConversion::rawToValueText_data()
{
    QTest::addColumn<QString>("byte");
    QTest::addColumn<QString>("lValue");
    QTest::addColumn<quint32>("word");
    QTest::addColumn<QString>("text");

    QTest::newRow("16 bits signed") << "2" << "-10" << quint32(0xFFFF) << "-1";
    QTest::newRow("16 bits unsigned") << "2" << "0" << quint32(0xFFFF) << "65535";
    QTest::newRow("high half ignored") << "2" << "0" << quint32(0x12340005) << "5";
    QTest::newRow("16 bits sign from bit 15 only") << "2" << "-1" << quint32(0x00008000) << "-32768";
    QTest::newRow("32 bits signed") << "4" << "-1" << quint32(0xFFFFFFFF) << "-1";
    QTest::newRow("32 bits unsigned") << "4" << "0" << quint32(0xFFFFFFFF) << "4294967295";
    QTest::newRow("width other than 4 is 16 bits") << "1" << "0" << quint32(0x10001) << "1";
}

void tst_ValueConversion::rawToValueText()
{
    QFETCH(QString, byte);
    QFETCH(QString, lValue);
    QFETCH(quint32, word);
    QFETCH(QString, text);
    DriveData data;
    setUp(data, Param{.lValue = lValue, .byte = byte});
    QCOMPARE(ValueConversion(data).RawToValueText(word, 0), text);
}

QTEST_GUILESS_MAIN(tst_ValueConversion)
#include "tst_ValueConversion.moc"
