// The inverter information report read from a simulated drive: every kind of value the
// report names (type, form, CPU detail in decimal or hexadecimal, trip history, run time,
// scaled values), missing numbers, a drive that does not answer, and a language file without
// the report.
#include "InfoLine.h"

#include "transfer/TransferReport.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

QString ratedText(InfoLine &line, const char *comNo, const QString &dot = QStringLiteral("."))
{
    const int index = line.data.IndexOfComNo(QString::fromLatin1(comNo));
    const double value = line.data.uPara.at(index, UPara::Value).toDouble() / 10.0;
    return QString::number(value, 'f', 1).replace(QStringLiteral("."), dot);
}

}  // namespace

class tst_InverterInfo : public QObject
{
    Q_OBJECT
private slots:
    void everyValueKind_data();
    void everyValueKind();
    void tripHistoryAfterATrip();
    void missingNumbersAndEmptyLines();
    void silentDriveShowsNoValues();
    void noSectionGivesMessage8();
};

void tst_InverterInfo::everyValueKind_data()
{
    QTest::addColumn<QStringList>("drive");  // type, form, CPU version
    QTest::addColumn<bool>("modbus");
    QTest::addColumn<bool>("decimalComma");
    QTest::addColumn<QString>("cpuDetail");  // FE73 as the report shows it
    QTest::newRow("decimal CPU flag, native") << QStringList{"KDA1", "-2007P", "V100"} << false << false << "100";
    QTest::newRow("hexadecimal CPU flag, shared type number, Modbus")
        << QStringList{"KDB2", "-4055P", "V820"} << true << false << "8203";
    QTest::newRow("decimal comma") << QStringList{"KDA1", "-2015P", "V110"} << false << true << "112";
}

void tst_InverterInfo::everyValueKind()
{
    QFETCH(QStringList, drive);
    QFETCH(bool, modbus);
    QFETCH(bool, decimalComma);
    QFETCH(QString, cpuDetail);
    InfoLine line;
    QVERIFY(line.setUp(drive[0], drive[1], drive[2], modbus));
    line.data.decimalComma = decimalComma;
    const QString dot = decimalComma ? QStringLiteral(",") : QStringLiteral(".");
    TransferReport report;
    QVERIFY(line.info().CollectInverterInfo(line.language, drive[0], report));
    const QStringList expected{
        "* Inverter Information",
        "Inverter type           :" + drive[0],
        "Inverter form           :" + drive[1],
        "CPU version             :" + drive[2].mid(1),
        "CPU version (detail)    :" + cpuDetail,
        "Rated current (A)       :" + ratedText(line, "FE70", dot),
        "Rated voltage (V)       :" + ratedText(line, "FE71", dot),
        "",
        "Trip history 1 (latest) :No trip",
        "Trip history 2          :No trip",
        "Trip history 3          :No trip",
        "Trip history 4          :No trip",
        "",
        "Cumulative run time (h) :0",
        "Output frequency (Hz)   :0" + dot + "00",
    };
    QCOMPARE(report.lines(), expected);
    QVERIFY(line.prompter.shown.isEmpty());
    // FB91 = 251 is written before the first read.
    QVERIFY(line.port.frames.size() > 2);
}

void tst_InverterInfo::tripHistoryAfterATrip()
{
    InfoLine line;
    QVERIFY(line.setUp(QStringLiteral("KDA1"), QStringLiteral("-2007P"), QStringLiteral("V100")));
    line.drive->setTripAfter(0.02);
    bool failed = false;
    line.exchange->exchange(line.data.IndexOfComNo(u"FC90"), QString(), failed, 'R');
    QTest::qWait(60);
    TransferReport report;
    QVERIFY(line.info().CollectInverterInfo(line.language, QStringLiteral("KDA1"), report));
    const int code = line.drive->motion().tripCode();
    QVERIFY(code > 0);
    QVERIFY(report.lines().contains(QStringLiteral("Trip history 1 (latest) :") + line.lists.tripName(code).value()));
    QVERIFY(report.lines().contains(QStringLiteral("Trip history 2          :No trip")));
}

void tst_InverterInfo::missingNumbersAndEmptyLines()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("lang.ini"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[InverterInfo]\r\nTitle=Info\r\nTripTitle=Trip\r\nNot a parameter :=ABCD\r\ncr=\r\n"
               "No value given :=\r\ncr9=FE70\r\nTime:=FE14\r\n");
    file.close();
    InfoLine line;
    QVERIFY(line.setUp(QStringLiteral("KDA1"), QStringLiteral("-2007P"), QStringLiteral("V100")));
    TransferReport report;
    QVERIFY(line.info().CollectInverterInfo(IniFile(path), QStringLiteral("KDA1"), report));
    const QStringList expected{"Info", "Not a parameter :-", "", "No value given :-", "", "Time:0"};
    QCOMPARE(report.lines(), expected);
}

void tst_InverterInfo::silentDriveShowsNoValues()
{
    InfoLine line;
    QVERIFY(line.setUp(QStringLiteral("KDA1"), QStringLiteral("-2007P"), QStringLiteral("V100"), false, true));
    TransferReport report;
    InverterInfo info = line.info();
    QVERIFY(info.CollectInverterInfo(line.language, QStringLiteral("KDA1"), report));
    info.CollectTripValues(line.language, {{QStringLiteral("FD00"), QStringLiteral("Output frequency")}}, report);
    // Nothing the drive did not send is shown as a value.
    for (const QString &l : report.lines()) {
        if (l.contains(u':'))
            QVERIFY2(l.endsWith(u'-'), qPrintable(l));
    }
    QCOMPARE(report.lines().first(), QStringLiteral("* Trip Data"));
    QCOMPARE(report.lines().last(), QStringLiteral("Output frequency : -"));
}

void tst_InverterInfo::noSectionGivesMessage8()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("lang.ini"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[General]\r\nMsg0=Confirmation\r\n");
    file.close();
    InfoLine line;
    QVERIFY(line.setUp(QStringLiteral("KDA1"), QStringLiteral("-2007P"), QStringLiteral("V100")));
    const qsizetype framesBefore = line.port.frames.size();
    TransferReport report;
    QVERIFY(!line.info().CollectInverterInfo(IniFile(path), QStringLiteral("KDA1"), report));
    QVERIFY(report.isEmpty());
    QCOMPARE(line.port.frames.size(), framesBefore);
    QCOMPARE(line.prompter.shown.size(), 1);
    QCOMPARE(line.prompter.shown.first().text, line.messages.text(8));
}

QTEST_GUILESS_MAIN(tst_InverterInfo)
#include "tst_InverterInfo.moc"
