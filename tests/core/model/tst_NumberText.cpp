#include "model/NumberText.h"

#include <QTest>
#include <clocale>
#include <cmath>

class tst_NumberText : public QObject
{
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void parseWhole_data();
    void parseWhole();
    void format_data();
    void format();
    void fixed_data();
    void fixed();
    void leadingWhole_data();
    void leadingWhole();
    void independentOfProcessLocale();
};

void tst_NumberText::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("value");

    QTest::newRow("whole") << "600" << true << 600.0;
    QTest::newRow("negative") << "-2147483648" << true << -2147483648.0;
    QTest::newRow("fraction") << "123.4" << true << 123.4;
    QTest::newRow("blanks around") << "  12.5 " << true << 12.5;
    QTest::newRow("leading point") << ".5" << true << 0.5;
    QTest::newRow("trailing point") << "5." << true << 5.0;
    QTest::newRow("plus sign") << "+7" << true << 7.0;
    QTest::newRow("exponent") << "1E3" << true << 1000.0;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("comma is not the separator") << "3,14" << false << 0.0;
    QTest::newRow("error text") << "Error." << false << 0.0;
    QTest::newRow("hex prefix") << "0x10" << false << 0.0;
    QTest::newRow("infinity word") << "inf" << false << 0.0;
    QTest::newRow("not a number word") << "nan" << false << 0.0;
    QTest::newRow("sign only") << "-" << false << 0.0;
    QTest::newRow("exponent without digits") << "1e" << false << 0.0;
    QTest::newRow("inner blank") << "1 2" << false << 0.0;
    QTest::newRow("overflow") << "1e999" << false << 0.0;
}

void tst_NumberText::parse()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(double, value);
    const std::optional<double> v = NumberText::parse(text);
    QCOMPARE(v.has_value(), ok);
    if (ok)
        QCOMPARE(*v, value);
}

void tst_NumberText::parseWhole_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<qint64>("value");

    QTest::newRow("zero") << "0" << true << qint64(0);
    QTest::newRow("one with blanks") << " 1 " << true << qint64(1);
    QTest::newRow("minus one") << "-1" << true << qint64(-1);
    QTest::newRow("int32 max") << "2147483647" << true << qint64(2147483647);
    QTest::newRow("int32 min") << "-2147483648" << true << qint64(-2147483648LL);
    QTest::newRow("beyond int32") << "2147483648" << false << qint64(0);
    QTest::newRow("fraction") << "1.5" << false << qint64(0);
    QTest::newRow("empty") << "" << false << qint64(0);
    QTest::newRow("letters") << "x1" << false << qint64(0);
    QTest::newRow("very long") << "99999999999999999999999" << false << qint64(0);
}

void tst_NumberText::parseWhole()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(qint64, value);
    const std::optional<qint64> v = NumberText::parseWhole(text);
    QCOMPARE(v.has_value(), ok);
    if (ok)
        QCOMPARE(*v, value);
}

void tst_NumberText::format_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("whole") << 600.0 << "600";
    QTest::newRow("negative") << -600.0 << "-600";
    QTest::newRow("fraction") << 123.4 << "123.4";
    QTest::newRow("binary noise cut at 15 digits") << 0.1 + 0.2 << "0.3";
    QTest::newRow("4294967295 whole") << 4294967295.0 << "4294967295";
    QTest::newRow("below 10^15 no exponent") << 999999999999999.0 << "999999999999999";
    QTest::newRow("10^15 uses exponent") << 1e15 << "1E15";
    QTest::newRow("small uses exponent") << 0.00001 << "1E-5";
    QTest::newRow("0.0001 stays plain") << 0.0001 << "0.0001";
}

void tst_NumberText::format()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(NumberText::format(value), text);
}

void tst_NumberText::fixed_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("text");

    QTest::newRow("two decimals") << 3.14159 << 2 << "3.14";
    QTest::newRow("rounds up") << 2.675001 << 2 << "2.68";
    QTest::newRow("2.675 is below the tie in binary") << 2.675 << 2 << "2.67";
    QTest::newRow("exact tie to even, down") << 0.125 << 2 << "0.12";
    QTest::newRow("exact tie to even, up") << 0.375 << 2 << "0.38";
    QTest::newRow("half to even at zero decimals") << 2.5 << 0 << "2";
    QTest::newRow("three halves to even") << 3.5 << 0 << "4";
    QTest::newRow("negative") << -12.5 << 1 << "-12.5";
    QTest::newRow("negative zero after rounding") << -0.001 << 1 << "-0.0";
    QTest::newRow("pads zeros") << 10.0 << 1 << "10.0";
}

void tst_NumberText::fixed()
{
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(QString, text);
    QCOMPARE(NumberText::fixed(value, decimals), text);
}

void tst_NumberText::leadingWhole_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("value");

    QTest::newRow("fraction dropped") << "12.7" << qint64(12);
    QTest::newRow("negative") << "-5.9" << qint64(-5);
    QTest::newRow("letters give zero") << "abc" << qint64(0);
    QTest::newRow("digits then letters") << "42abc" << qint64(42);
    QTest::newRow("leading blanks") << "  8" << qint64(8);
}

void tst_NumberText::leadingWhole()
{
    QFETCH(QString, text);
    QFETCH(qint64, value);
    QCOMPARE(NumberText::leadingWhole(text), value);
}

void tst_NumberText::independentOfProcessLocale()
{
    // A desktop session may run with a locale whose decimal separator is a comma.
    const char *set = std::setlocale(LC_ALL, "de_DE.UTF-8");
    QCOMPARE(NumberText::fixed(3.5, 1), QStringLiteral("3.5"));
    QCOMPARE(NumberText::format(0.5), QStringLiteral("0.5"));
    QCOMPARE(NumberText::parse(u"0.5").value_or(0), 0.5);
    if (set)
        std::setlocale(LC_ALL, "C");
}

QTEST_GUILESS_MAIN(tst_NumberText)
#include "tst_NumberText.moc"
