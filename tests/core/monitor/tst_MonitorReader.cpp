// Reads of monitor items over the in-process line to a simulated drive.
#include "MonitorLine.h"

#include <QTest>

class tst_MonitorReader : public QObject
{
    Q_OBJECT
private slots:
    void slotFollowsItem();
    void readsLiveValues();
    void unknownItemFailsWithoutTheLine();
    void failedReadGivesZero();
    void minExchangeTime_data();
    void minExchangeTime();
};

void tst_MonitorReader::slotFollowsItem()
{
    MonitorLine line;
    QVERIFY(line.setUp());
    line.reader->refreshSlot(0, QStringLiteral("FD16"));
    QCOMPARE(line.reader->slot(0).minimum, -30000);
    QCOMPARE(line.reader->slot(0).bitText, QString());
    // Choosing another item rebuilds the slot completely.
    line.reader->refreshSlot(0, QStringLiteral("FD06-12"));
    QCOMPARE(line.reader->slot(0).row, line.tool.data.IndexOfComNo(u"FD06"));
    QCOMPARE(line.reader->slot(0).minimum, 0);
    QCOMPARE(line.reader->slot(0).bitText, QStringLiteral("12"));
    line.reader->refreshSlot(13, QStringLiteral("FD00"));  // no such slot: ignored
    QCOMPARE(line.reader->slot(13).row, -1);
}

void tst_MonitorReader::readsLiveValues()
{
    MonitorLine line;
    QVERIFY(line.setUp());
    line.drive().motion().setCommandHz(30);
    line.drive().motion().setRampHzPerSecond(100000);
    line.drive().motion().run();
    line.reader->refreshSlot(0, QStringLiteral("FD00"));
    line.reader->refreshSlot(1, QStringLiteral("FD04"));
    bool failed = true;
    line.reader->ReadMonitorItem(0, failed);  // the first read starts the ramp's clock
    QTest::qWait(20);
    const QString raw = line.reader->ReadMonitorItem(0, failed);
    QVERIFY(!failed);
    QCOMPARE(raw, QStringLiteral("3000"));
    QCOMPARE(line.reader->ItemValue(0, raw), 30.0);
    const QString bus = line.reader->ReadMonitorItem(1, failed);
    QVERIFY(!failed);
    QCOMPARE(line.reader->ItemValue(1, bus), 141.0);
}

void tst_MonitorReader::unknownItemFailsWithoutTheLine()
{
    MonitorLine line;
    QVERIFY(line.setUp());
    line.reader->refreshSlot(2, QStringLiteral("FE99"));
    const int frames = line.engine->faultCounts().frames;
    bool failed = false;
    QCOMPARE(line.reader->ReadMonitorItem(2, failed), QStringLiteral("0"));
    QVERIFY(failed);
    QVERIFY(line.exchange->CommErrorFlag());
    QCOMPARE(line.engine->faultCounts().frames, frames);
}

void tst_MonitorReader::failedReadGivesZero()
{
    SimFaultRates faults;
    faults.drop = 1.0;
    MonitorLine line;
    QVERIFY(line.setUp(faults, {}, 30));
    line.reader->refreshSlot(0, QStringLiteral("FD04"));
    bool failed = false;
    QCOMPARE(line.reader->ReadMonitorItem(0, failed), QStringLiteral("0"));
    QVERIFY(failed);
}

void tst_MonitorReader::minExchangeTime_data()
{
    QTest::addColumn<bool>("online");
    QTest::addColumn<bool>("lineTiming");
    QTest::addColumn<int>("times");
    QTest::addColumn<int>("margin");
    QTest::addColumn<int>("lowest");
    QTest::addColumn<int>("highest");
    QTest::addColumn<int>("frames");
    QTest::newRow("off-line: 500 ms, nothing read") << false << false << 5 << 50 << 500 << 500 << 0;
    QTest::newRow("fast line, margin 50") << true << false << 5 << 50 << 100 << 150 << 5;
    QTest::newRow("fast line, no margin") << true << false << 3 << 0 << 50 << 100 << 3;
    // 9600 bit/s: a read's 5 + 7 bytes take 13.75 ms on the line.
    QTest::newRow("9600 bit/s line, margin 40") << true << true << 4 << 40 << 100 << 150 << 4;
}

void tst_MonitorReader::minExchangeTime()
{
    QFETCH(bool, online);
    QFETCH(bool, lineTiming);
    QFETCH(int, times);
    QFETCH(int, margin);
    QFETCH(int, lowest);
    QFETCH(int, highest);
    QFETCH(int, frames);
    SimTiming timing;
    timing.lineTiming = lineTiming;
    MonitorLine line;
    QVERIFY(line.setUp({}, timing));
    line.reader->refreshSlot(1, QStringLiteral("FD02"));
    int mean = -1;
    const int min = line.reader->MinExchangeTime(online, 1, times, margin, &mean);
    QCOMPARE(line.engine->faultCounts().frames, frames);
    QVERIFY2(min >= lowest && min <= highest, qPrintable(QString::number(min)));
    QCOMPARE(min % 50, 0);
    QCOMPARE(min, online ? ((mean + margin) / 50) * 50 + 50 : 500);
    if (lineTiming)
        QVERIFY2(mean >= int(SimLine::frameMs(5 + 7, 9600)), qPrintable(QString::number(mean)));
}

QTEST_GUILESS_MAIN(tst_MonitorReader)
#include "tst_MonitorReader.moc"
