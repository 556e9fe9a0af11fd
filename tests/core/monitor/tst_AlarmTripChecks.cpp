// The alarm and trip watch of a run: alarm bits to names, trip labels, the arming rules, and a
// simulated drive tripping during a run with the trip report it leaves.
#include "InfoLine.h"

#include "monitor/AlarmTripChecks.h"
#include "transfer/TransferReport.h"

#include <QDeadlineTimer>
#include <QTest>

namespace {

AlarmTripLists kda1Lists()
{
    AlarmTripLists lists;
    lists.load(IniFile(QStringLiteral(VKR_SAMPLE_DATA "/dat/KDA1(V100)/Info.ini")), QStringLiteral("KDA1"),
               QStringLiteral("Eng"));
    return lists;
}

}  // namespace

class tst_AlarmTripChecks : public QObject
{
    Q_OBJECT
private slots:
    void listsFromTheInfoFile();
    void alarmBitsToNames_data();
    void alarmBitsToNames();
    void tripLabels_data();
    void tripLabels();
    void arming_data();
    void arming();
    void tripEndsTheRunWithTheReportInOrder();
};

void tst_AlarmTripChecks::listsFromTheInfoFile()
{
    const AlarmTripLists lists = kda1Lists();
    QCOMPARE(lists.fc91Buff.size(), 16);
    QCOMPARE(lists.fc91BuffNo.first(), QStringLiteral("Bit0"));
    QCOMPARE(lists.fc90BuffNo.first(), QStringLiteral("0"));
    QCOMPARE(lists.fc90Buff.at(1), QStringLiteral("OC1: Overcurrent during acceleration"));

    AlarmTripLists japanese;
    japanese.load(IniFile(QStringLiteral(VKR_SAMPLE_DATA "/dat/KDA1(V100)/Info.ini"), CodePage::ShiftJis),
                  QStringLiteral("KDA1"), QStringLiteral("Jap"));
    QCOMPARE(japanese.fc90BuffNo, lists.fc90BuffNo);
    QVERIFY(japanese.fc90Buff.at(1).startsWith(QStringLiteral("OC1:")));
    QVERIFY(japanese.fc90Buff.at(1) != lists.fc90Buff.at(1));

    AlarmTripLists none;
    none.load(IniFile(QStringLiteral(VKR_SAMPLE_DATA "/dat/KDA1(V100)/Info.ini")), QStringLiteral("KDA1"),
              QStringLiteral("Ger"));
    QVERIFY(!none.hasAlarms());
    QVERIFY(!none.hasTrips());
}

void tst_AlarmTripChecks::alarmBitsToNames_data()
{
    QTest::addColumn<QString>("raw");
    QTest::addColumn<QString>("label");
    QTest::newRow("no bit set") << "0" << "";
    QTest::newRow("bits 0 and 2, each followed by a comma")
        << "5" << "Overcurrent alarm,Inverter overload alarm,";
    QTest::newRow("bit 15 alone") << "32768" << "Option card alarm,";
    QTest::newRow("negative reads name nothing") << "-1" << "";
    QTest::newRow("bits above 15 are not alarms") << "65536" << "";
}

void tst_AlarmTripChecks::alarmBitsToNames()
{
    QFETCH(QString, raw);
    QFETCH(QString, label);
    const AlarmTripLists lists = kda1Lists();
    AlarmTripChecks checks(lists);
    checks.CheckAlarm(raw);
    QCOMPARE(checks.alarmLabel, label);

    // A list shorter than the word leaves the unnamed bits out.
    AlarmTripLists shortList;
    shortList.fc91Buff = {QStringLiteral("A")};
    QCOMPARE(shortList.alarmText(3), QStringLiteral("A,"));
}

void tst_AlarmTripChecks::tripLabels_data()
{
    QTest::addColumn<QStringList>("codes");      // trip codes read sample after sample
    QTest::addColumn<QString>("label");          // the label after the last one
    QTest::addColumn<bool>("tripped");
    QTest::addColumn<bool>("stopsAtLast");
    QTest::newRow("listed code names the trip and stops the run") << QStringList{"0", "13"} << "OL1: Inverter overload"
                                                                   << true << true;
    QTest::newRow("code 0 empties the label, Tripped stays")
        << QStringList{"13", "0"} << "" << true << false;
    QTest::newRow("code not in the list trips with an empty label") << QStringList{"99"} << "" << true << true;
    QTest::newRow("the first entry is never a label") << QStringList{"0"} << "" << false << false;
}

void tst_AlarmTripChecks::tripLabels()
{
    QFETCH(QStringList, codes);
    QFETCH(QString, label);
    QFETCH(bool, tripped);
    QFETCH(bool, stopsAtLast);
    const AlarmTripLists lists = kda1Lists();
    AlarmTripChecks checks(lists);
    checks.Arm({}, AlarmTripChecks::enabledOptions(lists, true, true, true));
    checks.startRun();
    bool stop = false;
    for (const QString &code : std::as_const(codes))
        stop = checks.CheckTrip(code);
    QCOMPARE(checks.tripLabel, label);
    QCOMPARE(checks.Tripped, tripped);
    QCOMPARE(stop, stopsAtLast);
    QCOMPARE(lists.tripName(99), std::nullopt);
    QCOMPARE(lists.tripName(0), std::optional<QString>(QStringLiteral("No trip")));
}

void tst_AlarmTripChecks::arming_data()
{
    QTest::addColumn<bool>("alarm");
    QTest::addColumn<bool>("trip");
    QTest::addColumn<bool>("tripData");
    QTest::addColumn<bool>("tableHasBoth");
    QTest::addColumn<QString>("armed");  // AlarmChk, TripChk, TripDatas as 0/1
    QTest::addColumn<int>("hidden");
    QTest::newRow("all on: CH9 and CH10 given up") << true << true << true << true << "111" << 2;
    QTest::newRow("alarm only: CH10 given up") << true << false << true << true << "100" << 1;
    QTest::newRow("trip data need the trip display") << false << false << true << true << "000" << 0;
    QTest::newRow("table without FC90 and FC91") << true << true << true << false << "000" << 0;
}

void tst_AlarmTripChecks::arming()
{
    QFETCH(bool, alarm);
    QFETCH(bool, trip);
    QFETCH(bool, tripData);
    QFETCH(bool, tableHasBoth);
    QFETCH(QString, armed);
    QFETCH(int, hidden);
    const AlarmTripLists lists = kda1Lists();
    AlarmTripChecks checks(lists);
    checks.Arm({alarm, trip, tripData}, AlarmTripChecks::enabledOptions(lists, tableHasBoth, tableHasBoth, trip));
    const QString got = QString::number(checks.AlarmChk) + QString::number(checks.TripChk)
        + QString::number(checks.TripDatas);
    QCOMPARE(got, armed);
    QCOMPARE(checks.hiddenChannels(), hidden);
    QCOMPARE(checks.extraReads(), int(checks.AlarmChk) + int(checks.TripChk));
}

void tst_AlarmTripChecks::tripEndsTheRunWithTheReportInOrder()
{
    InfoLine line;
    QVERIFY(line.setUp(QStringLiteral("KDA1"), QStringLiteral("-2007P"), QStringLiteral("V100")));
    line.drive->setTripAfter(0.2);
    AlarmTripChecks checks(line.lists);
    checks.Arm({}, AlarmTripChecks::enabledOptions(line.lists, true, true, true));
    checks.startRun();
    const int fc90 = line.data.IndexOfComNo(u"FC90");
    const int fc91 = line.data.IndexOfComNo(u"FC91");
    QVERIFY(fc90 >= 0 && fc91 >= 0);

    // A run: one sample every 10 ms until the trip asks to stop.
    int samples = 0;
    bool stop = false;
    const QDeadlineTimer deadline(5000);
    while (!stop && !deadline.hasExpired()) {
        bool failed = false;
        const int32_t alarm = line.exchange->exchange(fc91, QString(), failed, 'R');
        QVERIFY(!failed);
        checks.CheckAlarm(QString::number(alarm));
        const int32_t trip = line.exchange->exchange(fc90, QString(), failed, 'R');
        QVERIFY(!failed);
        stop = checks.CheckTrip(QString::number(trip));
        ++samples;
        QTest::qWait(10);
    }
    QVERIFY(stop);
    // The run ends at the first sample that reads the trip.
    QVERIFY(samples >= 1);
    const int code = line.drive->motion().tripCode();
    QCOMPARE(checks.tripLabel, line.lists.tripName(code).value());
    QVERIFY(checks.finishRun());
    QVERIFY(checks.tripLabel.isEmpty() && checks.alarmLabel.isEmpty());

    TransferReport report;
    InverterInfo info = line.info();
    QVERIFY(info.CollectInverterInfo(line.language, QStringLiteral("KDA1"), report));
    const QList<InverterInfo::MonitorItem> items{{QStringLiteral("FD00"), QStringLiteral("Output frequency")},
                                                 {QStringLiteral("FD06-1"), QStringLiteral("Input terminal R")},
                                                 {QStringLiteral("FD99"), QStringLiteral("Not in the table")}};
    info.CollectTripValues(line.language, items, report);
    const QStringList lines = report.lines();
    QCOMPARE(lines.at(0), QStringLiteral("* Trip Data"));
    QCOMPARE(lines.at(1), QStringLiteral("* Inverter Information"));
    QCOMPARE(lines.at(2), QStringLiteral("Inverter type           :KDA1"));
    QVERIFY(lines.contains(QStringLiteral("Trip history 1 (latest) :") + line.lists.tripName(code).value()));
    QCOMPARE(lines.at(lines.size() - 4), QString());
    QVERIFY(lines.at(lines.size() - 3).startsWith(QStringLiteral("Output frequency : ")));
    QVERIFY(QRegularExpression(QStringLiteral("^Input terminal R : (ON|OFF)$")).match(lines.at(lines.size() - 2)).hasMatch());
    QCOMPARE(lines.last(), QStringLiteral("Not in the table : -"));
}

QTEST_GUILESS_MAIN(tst_AlarmTripChecks)
#include "tst_AlarmTripChecks.moc"
