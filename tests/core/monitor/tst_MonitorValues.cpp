// Raw texts, item values, display units and value texts of monitor items.
#include "../model/ModelFixture.h"

#include "monitor/MonitorReadSlot.h"
#include "monitor/MonitorSetup.h"
#include "monitor/MonitorValues.h"

#include <QTest>

class tst_MonitorValues : public QObject
{
    Q_OBJECT
private slots:
    void rawText_data();
    void rawText();
    void itemValue_data();
    void itemValue();
    void displayUnit_data();
    void displayUnit();
    void formatted_data();
    void formatted();
};

void tst_MonitorValues::rawText_data()
{
    QTest::addColumn<int>("dataSize");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<qint64>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("16 bits unsigned") << 2 << 0 << qint64(0xFFFF) << "65535";
    QTest::newRow("16 bits signed") << 2 << -100 << qint64(0xFFFF) << "-1";
    QTest::newRow("16 bits keeps the low half only") << 2 << 0 << qint64(0x12345) << "9029";
    QTest::newRow("16 bits signed from a wide value") << 1 << -1 << qint64(0x18000) << "-32768";
    QTest::newRow("32 bits unsigned") << 4 << 0 << qint64(-1) << "4294967295";
    QTest::newRow("32 bits signed") << 4 << -5 << qint64(-1) << "-1";
    QTest::newRow("32 bits large") << 4 << 0 << qint64(100000) << "100000";
}

void tst_MonitorValues::rawText()
{
    QFETCH(int, dataSize);
    QFETCH(int, minimum);
    QFETCH(qint64, value);
    QFETCH(QString, text);
    MonitorReadSlot slot;
    slot.dataSize = dataSize;
    slot.minimum = minimum;
    QCOMPARE(slot.rawText(int32_t(value)), text);
}

void tst_MonitorValues::itemValue_data()
{
    QTest::addColumn<QString>("bit");
    QTest::addColumn<double>("divisor");
    QTest::addColumn<QString>("raw");
    QTest::addColumn<int>("level");
    QTest::addColumn<double>("value");
    QTest::newRow("plain divided by Mul") << "" << 100.0 << "1234" << 15 << 12.34;
    QTest::newRow("plain negative") << "" << 10.0 << "-55" << 15 << -5.5;
    QTest::newRow("not a number counts as 0") << "" << 1.0 << "x" << 15 << 0.0;
    QTest::newRow("bit 3 set in 8") << "3" << 1.0 << "8" << 15 << 15.0;
    QTest::newRow("bit 3 clear in 7") << "3" << 1.0 << "7" << 15 << 0.0;
    QTest::newRow("bit 0 with another level") << "0" << 1.0 << "1" << 40 << 40.0;
    QTest::newRow("bit 15 of a 16-bit word") << "15" << 1.0 << "32768" << 15 << 15.0;
    QTest::newRow("bit 12 of a signed word") << "12" << 1.0 << "-4096" << 15 << 15.0;
    QTest::newRow("bit number beyond 15") << "16" << 1.0 << "65535" << 15 << 0.0;
    QTest::newRow("bit text not a number") << "x" << 1.0 << "65535" << 15 << 0.0;
}

void tst_MonitorValues::itemValue()
{
    QFETCH(QString, bit);
    QFETCH(double, divisor);
    QFETCH(QString, raw);
    QFETCH(int, level);
    QFETCH(double, value);
    MonitorReadSlot slot;
    slot.bitText = bit;
    slot.divisor = float(divisor);
    QCOMPARE(ItemValue(slot, raw, level), value);
}

void tst_MonitorValues::displayUnit_data()
{
    QTest::addColumn<bool>("selected");
    QTest::addColumn<bool>("unitChange");
    QTest::addColumn<QString>("altUnit");
    QTest::addColumn<bool>("freeUnit");
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("shown");
    // Rated current 10 A, rated voltage 200 V, free unit factor 2.5.
    QTest::newRow("percent of the rated current") << true << true << "(A)" << false << 50.0 << 5.0;
    QTest::newRow("percent of the rated voltage") << true << true << "(V)" << false << 50.0 << 100.0;
    QTest::newRow("unit change off") << true << false << "(A)" << false << 50.0 << 50.0;
    QTest::newRow("channel not selected") << false << true << "(A)" << false << 50.0 << 50.0;
    QTest::newRow("no alternative unit") << true << true << "(-)" << false << 50.0 << 50.0;
    QTest::newRow("free unit wins for every channel") << false << true << "(A)" << true << 50.0 << 125.0;
}

void tst_MonitorValues::displayUnit()
{
    QFETCH(bool, selected);
    QFETCH(bool, unitChange);
    QFETCH(QString, altUnit);
    QFETCH(bool, freeUnit);
    QFETCH(double, value);
    QFETCH(double, shown);
    MonitorChannel ch;
    ch.selected = selected;
    ch.unitChange = unitChange;
    MonitorDisplayOptions options;
    options.currentBase = 10;
    options.voltageBase = 200;
    options.freeUnit = freeUnit;
    options.freeUnitFactor = 2.5;
    QCOMPARE(ScaleToDisplayUnit(ch, altUnit, value, options), shown);
}

void tst_MonitorValues::formatted_data()
{
    QTest::addColumn<QString>("mul");
    QTest::addColumn<bool>("comma");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("Mul 100 two decimals") << "100" << false << 12.3 << "12.30";
    QTest::newRow("Mul 10 one decimal") << "10" << false << 7.25 << "7.2";
    QTest::newRow("Mul 1000 three decimals") << "1000" << false << -0.5 << "-0.500";
    QTest::newRow("Mul 1 none") << "1" << false << 15.0 << "15";
    QTest::newRow("Mul 0.1 none") << "0.1" << false << 42.7 << "43";
    QTest::newRow("decimal comma") << "100" << true << 5.0 << "5,00";
    QTest::newRow("large value keeps its digits") << "10" << false << 4294967295.0 << "4294967295.0";
}

void tst_MonitorValues::formatted()
{
    QFETCH(QString, mul);
    QFETCH(bool, comma);
    QFETCH(double, value);
    QFETCH(QString, text);
    DriveData data;
    Def d{QStringLiteral("FD00")};
    d.mul = mul;
    loadDefs(data, {d});
    data.decimalComma = comma;
    QCOMPARE(FormatItemValue(data, 0, value), text);
    QCOMPARE(FormatItemValue(data, -1, 3.0), QStringLiteral("3"));
}

QTEST_GUILESS_MAIN(tst_MonitorValues)
#include "tst_MonitorValues.moc"
