// The monitor item catalogue read from an Info file, and the read slots built from it.
#include "../files/SampleDrive.h"
#include "../model/ModelFixture.h"

#include "base/IniFile.h"
#include "monitor/MonitorItems.h"
#include "monitor/MonitorReadSlot.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Parameters the catalogue rows refer to: FD00 (unsigned, Mul 100), FD16 (signed, Mul 100),
// FD06 (terminal word), FE40 (32 bits, Mul 10).
DriveData catalogueDrive()
{
    DriveData data;
    Def fd00{QStringLiteral("FD00")};
    fd00.mul = QStringLiteral("100");
    Def fd16{QStringLiteral("FD16")};
    fd16.mul = QStringLiteral("100");
    fd16.low = QStringLiteral("-30000");
    Def fe40{QStringLiteral("FE40")};
    fe40.mul = QStringLiteral("10");
    fe40.byte = QStringLiteral("4");
    loadDefs(data, {fd00, fd16, Def{QStringLiteral("FD06")}, fe40});
    return data;
}

QString writeInfo(const QTemporaryDir &dir, const QByteArray &text)
{
    const QString path = dir.filePath(QStringLiteral("Info.ini"));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return QString();
    f.write(text);
    return path;
}

}  // namespace

class tst_MonitorItems : public QObject
{
    Q_OBJECT
private slots:
    void catalogue_data();
    void catalogue();
    void alarmAndTripLists();
    void sampleDataCatalogue();
    void readSlots_data();
    void readSlots();
    void itemsGivenByHand_data();
    void itemsGivenByHand();
};

void tst_MonitorItems::catalogue_data()
{
    QTest::addColumn<QByteArray>("info");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QStringList>("codes");    // code|name|comNo|bit|row|unit|alt per item
    QTest::addColumn<bool>("hasUnits");

    QTest::newRow("plain items with units")
        << QByteArray("[KX Monitor (Eng)]\r\nFD00=Output frequency\r\nFD16=Torque\r\n"
                      "[KX Monitor Unit]\r\n01(Hz)=(-)\r\n02(%)=(A)\r\n")
        << true
        << QStringList{"FD00|Output frequency|FD00||0|(Hz)|(-)", "FD16|Torque|FD16||1|(%)|(A)"} << true;
    QTest::newRow("bit items with one and two digits")
        << QByteArray("[KX Monitor (Eng)]\r\nFD06-3=Terminal S1\r\nFD06-12=Terminal VIA\r\n"
                      "[KX Monitor Unit]\r\n01(-)=(-)\r\n02(-)=(-)\r\n")
        << true << QStringList{"FD06-3|Terminal S1|FD06|3|2|(-)|(-)", "FD06-12|Terminal VIA|FD06|12|2|(-)|(-)"}
        << true;
    QTest::newRow("fewer unit keys than items: the rest has no unit")
        << QByteArray("[KX Monitor (Eng)]\r\nFD00=Output frequency\r\nFD16=Torque\r\n"
                      "[KX Monitor Unit]\r\n01(Hz)=(-)\r\n")
        << true << QStringList{"FD00|Output frequency|FD00||0|(Hz)|(-)", "FD16|Torque|FD16||1||(-)"} << true;
    QTest::newRow("no unit section")
        << QByteArray("[KX Monitor (Eng)]\r\nFD00=Output frequency\r\n") << true
        << QStringList{"FD00|Output frequency|FD00||0||(-)"} << false;
    QTest::newRow("units go by position, not by key")
        << QByteArray("[KX Monitor (Eng)]\r\nFD16=Torque\r\nFD00=Output frequency\r\n"
                      "[KX Monitor Unit]\r\n02(Hz)=(-)\r\n01(%)=(V)\r\n")
        << true << QStringList{"FD16|Torque|FD16||1|(Hz)|(-)", "FD00|Output frequency|FD00||0|(%)|(V)"} << true;
    QTest::newRow("item the drive does not have has row -1")
        << QByteArray("[KX Monitor (Eng)]\r\nFE99=Unknown\r\nFE99-4=Unknown bit\r\n") << true
        << QStringList{"FE99|Unknown|FE99||-1||(-)", "FE99-4|Unknown bit|FE99|4|-1||(-)"} << false;
    QTest::newRow("empty alternative unit counts as none")
        << QByteArray("[KX Monitor (Eng)]\r\nFD00=Output frequency\r\n[KX Monitor Unit]\r\n01(Hz)=\r\n") << true
        << QStringList{"FD00|Output frequency|FD00||0|(Hz)|(-)"} << true;
    QTest::newRow("section of another language only")
        << QByteArray("[KX Monitor (Jap)]\r\nFD00=x\r\n") << false << QStringList{} << false;
    QTest::newRow("empty item section") << QByteArray("[KX Monitor (Eng)]\r\n[KX Monitor Unit]\r\n01(Hz)=(-)\r\n")
                                        << false << QStringList{} << true;
    QTest::newRow("section names without case, numbers as written")
        << QByteArray("[kx monitor (eng)]\r\nfd00=Output frequency\r\nFD16=Torque\r\n") << true
        << QStringList{"fd00|Output frequency|fd00||-1||(-)", "FD16|Torque|FD16||1||(-)"} << false;
    QTest::newRow("code too short for a number")
        << QByteArray("[KX Monitor (Eng)]\r\nFD=Short\r\n") << true << QStringList{"FD|Short|FD||-1||(-)"} << false;
}

void tst_MonitorItems::catalogue()
{
    QFETCH(QByteArray, info);
    QFETCH(bool, found);
    QFETCH(QStringList, codes);
    QFETCH(bool, hasUnits);
    QTemporaryDir dir;
    const DriveData data = catalogueDrive();
    MonitorItemList list;
    list.items.resize(3);  // whatever was there before goes
    QCOMPARE(LoadMonitorItems(IniFile(writeInfo(dir, info)), QStringLiteral("KX"), QStringLiteral("Eng"), data, list),
             found);
    QCOMPARE(list.hasUnits, hasUnits);
    QCOMPARE(list.size(), codes.size());
    for (int i = 0; i < codes.size(); ++i) {
        const QStringList f = codes[i].split(QLatin1Char('|'));
        const MonitorItem &item = list.items[size_t(i)];
        QCOMPARE(item.code, f[0]);
        QCOMPARE(item.name, f[1]);
        QCOMPARE(item.comNo, f[2]);
        QCOMPARE(item.bitText, f[3]);
        QCOMPARE(item.row, f[4].toInt());
        QCOMPARE(item.normalUnit, f[5]);
        QCOMPARE(item.altUnit, f[6]);
        QCOMPARE(item.isBitItem(), !f[3].isEmpty());
    }
}

void tst_MonitorItems::alarmAndTripLists()
{
    QTemporaryDir dir;
    const QString path = writeInfo(dir, "[KX Monitor (Eng)]\r\nFD00=f\r\n[KX Alarm (Eng)]\r\nBit0=Overcurrent\r\nBit1=\r\n"
                                        "[KX Trip (Eng)]\r\n0=No trip\r\n1=OC1\r\n[KX Trip (Jap)]\r\n0=x\r\n");
    MonitorItemList list;
    QVERIFY(LoadMonitorItems(IniFile(path), QStringLiteral("KX"), QStringLiteral("Eng"), catalogueDrive(), list));
    QCOMPARE(list.alarmTrips.fc91BuffNo, (QStringList{"Bit0", "Bit1"}));
    QCOMPARE(list.alarmTrips.fc91Buff, (QStringList{"Overcurrent", ""}));
    QCOMPARE(list.alarmTrips.fc90BuffNo, (QStringList{"0", "1"}));
    QCOMPARE(list.alarmTrips.fc90Buff, (QStringList{"No trip", "OC1"}));
}

void tst_MonitorItems::sampleDataCatalogue()
{
    SampleDrive drive;
    QVERIFY(drive.load());
    MonitorItemList list;
    QVERIFY(LoadMonitorItems(IniFile(drive.folders.infoFile), QStringLiteral("KDA1"), QStringLiteral("Eng"), drive.data,
                             list));
    QCOMPARE(list.size(), 16);
    QCOMPARE(list.items[0].titleWithUnit(), QStringLiteral("Output frequency (Hz)"));
    QCOMPARE(list.items[2].altUnit, QStringLiteral("(A)"));
    QCOMPARE(list.indexOfCode(QStringLiteral("fd06-12")), 12);
    for (const MonitorItem &item : list.items)
        QVERIFY2(item.readable(), qPrintable(item.code));
    QCOMPARE(list.alarmTrips.fc91BuffNo.size(), 16);
}

void tst_MonitorItems::readSlots_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("dataSize");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<double>("divisor");
    QTest::addColumn<QString>("bit");
    QTest::newRow("unsigned 16 bits, Mul 100") << "FD00" << 0 << 2 << 0 << 100.0 << "";
    QTest::newRow("signed 16 bits") << "FD16" << 1 << 2 << -30000 << 100.0 << "";
    QTest::newRow("bit item") << "FD06-12" << 2 << 2 << 0 << 1.0 << "12";
    QTest::newRow("32 bits") << "FE40" << 3 << 4 << 0 << 10.0 << "";
    QTest::newRow("unknown number") << "FE99" << -1 << 2 << 0 << 1.0 << "";
    QTest::newRow("too short") << "FD" << -1 << 2 << 0 << 1.0 << "";
}

void tst_MonitorItems::readSlots()
{
    QFETCH(QString, code);
    QFETCH(int, row);
    QFETCH(int, dataSize);
    QFETCH(int, minimum);
    QFETCH(double, divisor);
    QFETCH(QString, bit);
    const MonitorReadSlot slot = MonitorReadSlot::forCode(catalogueDrive(), code);
    QCOMPARE(slot.row, row);
    QCOMPARE(slot.dataSize, dataSize);
    QCOMPARE(slot.minimum, minimum);
    QCOMPARE(double(slot.divisor), divisor);
    QCOMPARE(slot.bitText, bit);
}

void tst_MonitorItems::itemsGivenByHand_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("title");  // empty: refused
    QTest::addColumn<QString>("bit");
    QTest::newRow("from the monitor list") << "FD06-3" << "Input terminal S1 (-)" << "3";
    QTest::newRow("monitor list code in lower case") << "fd00" << "Output frequency (Hz)" << "";
    QTest::newRow("any parameter") << "FD29" << "Input power (kW)" << "";
    QTest::newRow("parameter without a unit") << "FC91" << "Alarm word" << "";
    QTest::newRow("one bit of a parameter") << "FE10-3" << "Trip history 1 (latest) bit 3" << "3";
    QTest::newRow("two-digit bit") << "FC91-15" << "Alarm word bit 15" << "15";
    QTest::newRow("bit 16 refused") << "FC91-16" << "" << "";
    QTest::newRow("three-digit bit refused") << "FC91-150" << "" << "";
    QTest::newRow("bit not a number refused") << "FC91-x" << "" << "";
    QTest::newRow("unknown number refused") << "FE99" << "" << "";
    QTest::newRow("five characters refused") << "FD000" << "" << "";
    QTest::newRow("empty refused") << "" << "" << "";
}

void tst_MonitorItems::itemsGivenByHand()
{
    QFETCH(QString, code);
    QFETCH(QString, title);
    QFETCH(QString, bit);
    SampleDrive drive;
    QVERIFY(drive.load());
    MonitorItemList list;
    QVERIFY(LoadMonitorItems(IniFile(drive.folders.infoFile), QStringLiteral("KDA1"), QStringLiteral("Eng"), drive.data,
                             list));
    const auto item = ResolveMonitorItem(list, drive.data, code);
    QCOMPARE(item.has_value(), !title.isEmpty());
    if (!item)
        return;
    QCOMPARE(item->titleWithUnit(), title);
    QCOMPARE(item->bitText, bit);
    QVERIFY(item->readable());
}

QTEST_GUILESS_MAIN(tst_MonitorItems)
#include "tst_MonitorItems.moc"
