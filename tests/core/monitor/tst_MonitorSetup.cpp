// The monitor set-up kept in [Monitor] of a real settings file, the shared entry validation
// and the time-base arithmetic.
#include "app/DriveSelection.h"
#include "app/Settings.h"
#include "monitor/MonitorSetup.h"
#include "monitor/MonitorTiming.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(MonitorEntry::Status)

namespace {

DriveSelection kda1()
{
    DriveSelection d;
    d.typeName = QStringLiteral("KDA1");
    d.formName = QStringLiteral("-2004P");
    d.cpuVersion = QStringLiteral("V100");
    return d;
}

void writeFile(const QString &path, const QByteArray &text)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
}

}  // namespace

class tst_MonitorSetup : public QObject
{
    Q_OBJECT
private slots:
    void defaultsWithoutFile();
    void savedSetupComesBack();
    void restoredEntries_data();
    void restoredEntries();
    void entries_data();
    void entries();
    void timing();
    void continuousTimeBase_data();
    void continuousTimeBase();
};

void tst_MonitorSetup::defaultsWithoutFile()
{
    QTemporaryDir dir;
    Settings settings(dir.filePath(QStringLiteral("VKR410T.ini")), dir.path());
    MonitorSetup setup;
    setup.channels[7].selected = true;
    RestoreMonitorSetup(settings, kda1(), 16, 0.5, setup);
    for (int c = 0; c < 10; ++c) {
        QCOMPARE(setup.channels[size_t(c)].selected, c < 5);
        QCOMPARE(setup.channels[size_t(c)].item, c);
        QCOMPARE(setup.channels[size_t(c)].multiplierTenths, 10);
        QCOMPARE(setup.channels[size_t(c)].offset, 0);
        QCOMPARE(setup.channels[size_t(c)].color, Keys::MonitorChannelColors[c]);
    }
    QCOMPARE(setup.channels[0].color, 0x0000FF);
    QCOMPARE(setup.timePerDivisionS, 25.0);
    QCOMPARE(setup.valueMax, 100);
    QCOMPARE(setup.useTrigger, false);
    QCOMPARE(setup.triggerSlope, TriggerSlope::Up);
}

void tst_MonitorSetup::savedSetupComesBack()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("VKR410T.ini"));
    MonitorSetup saved = MonitorSetup::defaults();
    saved.channels[0].selected = false;
    saved.channels[9].selected = true;
    saved.channels[9].item = 15;
    saved.channels[2].unitChange = true;
    saved.channels[3].multiplierTenths = 25;
    saved.channels[4].offset = 120;
    saved.channels[5].color = 0x123456;
    saved.timePerDivisionS = 17.5;
    saved.valueMax = 250;
    saved.zoom = true;
    saved.useTrigger = true;
    saved.triggerChannel = 3;
    saved.triggerSlope = TriggerSlope::Both;
    saved.triggerLevel = 75;
    saved.triggerDelayPercent = 25;
    {
        Settings settings(path, dir.path());
        SaveMonitorSetup(settings, kda1(), saved);
    }
    // Another settings object reads the file again, as the next session does.
    Settings settings(path, dir.path());
    QCOMPARE(settings.get(Keys::MonTime), QStringLiteral("17.5"));
    QCOMPARE(settings.monitorMultiplier(4), QStringLiteral("2.5"));
    MonitorSetup restored;
    RestoreMonitorSetup(settings, kda1(), 16, 0.5, restored);
    for (int c = 0; c < 10; ++c) {
        const MonitorChannel &a = saved.channels[size_t(c)];
        const MonitorChannel &b = restored.channels[size_t(c)];
        QCOMPARE(b.selected, a.selected);
        QCOMPARE(b.item, a.item);
        QCOMPARE(b.unitChange, a.unitChange);
        QCOMPARE(b.multiplierTenths, a.multiplierTenths);
        QCOMPARE(b.offset, a.offset);
        QCOMPARE(b.color, a.color);
    }
    QCOMPARE(restored.timePerDivisionS, 17.5);
    QCOMPARE(restored.valueMax, 250);
    QCOMPARE(restored.zoom, true);
    QCOMPARE(restored.useTrigger, true);
    QCOMPARE(restored.triggerChannel, 3);
    QCOMPARE(restored.triggerSlope, TriggerSlope::Both);
    QCOMPARE(restored.triggerLevel, 75);
    QCOMPARE(restored.triggerDelayPercent, 25);

    // Another CPU version: the section goes and every key takes its default.
    DriveSelection other = kda1();
    other.cpuVersion = QStringLiteral("V110");
    RestoreMonitorSetup(settings, other, 16, 0.5, restored);
    QCOMPARE(restored.channels[9].selected, false);
    QCOMPARE(restored.valueMax, 100);
    QVERIFY(!settings.get(Keys::MonTrig));
}

void tst_MonitorSetup::restoredEntries_data()
{
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<int>("item1");
    QTest::addColumn<int>("tenths1");
    QTest::addColumn<int>("offset1");
    QTest::addColumn<double>("time");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("delay");
    QTest::newRow("negative item becomes 0") << QByteArray("Item1=-3\r\n") << 0 << 10 << 0 << 25.0 << 100 << 0 << 0;
    QTest::newRow("item beyond the list becomes 0") << QByteArray("Item1=40\r\n") << 0 << 10 << 0 << 25.0 << 100 << 0 << 0;
    QTest::newRow("multiplier above 10 takes the limit") << QByteArray("Bi1=25\r\n") << 0 << 100 << 0 << 25.0 << 100 << 0 << 0;
    QTest::newRow("multiplier below 0.1 takes the limit") << QByteArray("Bi1=0\r\n") << 0 << 1 << 0 << 25.0 << 100 << 0 << 0;
    QTest::newRow("multiplier not a number keeps 1.0") << QByteArray("Bi1=abc\r\n") << 0 << 10 << 0 << 25.0 << 100 << 0 << 0;
    QTest::newRow("offset above 500") << QByteArray("Plus1=900\r\n") << 0 << 10 << 500 << 25.0 << 100 << 0 << 0;
    QTest::newRow("time below the lowest") << QByteArray("Time=0.1\r\n") << 0 << 10 << 0 << 1.5 << 100 << 0 << 0;
    QTest::newRow("time above 30 s") << QByteArray("Time=99\r\n") << 0 << 10 << 0 << 30.0 << 100 << 0 << 0;
    QTest::newRow("Max. out of range") << QByteArray("Max=1000\r\n") << 0 << 10 << 0 << 25.0 << 500 << 0 << 0;
    QTest::newRow("level and delay truncated") << QByteArray("TrigLv=12.9\r\nTrigPos=33.3\r\n") << 0 << 10 << 0 << 25.0
                                               << 100 << 12 << 33;
}

void tst_MonitorSetup::restoredEntries()
{
    QFETCH(QByteArray, section);
    QFETCH(int, item1);
    QFETCH(int, tenths1);
    QFETCH(int, offset1);
    QFETCH(double, time);
    QFETCH(int, max);
    QFETCH(int, level);
    QFETCH(int, delay);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("VKR410T.ini"));
    writeFile(path, "[Monitor]\r\nInv1=KDA1\r\nInv3=V100\r\n" + section);
    Settings settings(path, dir.path());
    MonitorSetup setup;
    RestoreMonitorSetup(settings, kda1(), 16, 1.5, setup);
    QCOMPARE(setup.channels[0].item, item1);
    QCOMPARE(setup.channels[0].multiplierTenths, tenths1);
    QCOMPARE(setup.channels[0].offset, offset1);
    QCOMPARE(setup.timePerDivisionS, time);
    QCOMPARE(setup.valueMax, max);
    QCOMPARE(setup.triggerLevel, level);
    QCOMPARE(setup.triggerDelayPercent, delay);
}

void tst_MonitorSetup::entries_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<MonitorEntry::Status>("status");
    QTest::addColumn<double>("value");
    QTest::newRow("inside") << "2.5" << MonitorEntry::Status::Accepted << 2.5;
    QTest::newRow("low limit itself") << "0.1" << MonitorEntry::Status::Accepted << 0.1;
    QTest::newRow("below") << "0.05" << MonitorEntry::Status::OutOfRange << 0.1;
    QTest::newRow("above") << "11" << MonitorEntry::Status::OutOfRange << 10.0;
    QTest::newRow("letters") << "1x" << MonitorEntry::Status::NotNumber << 0.0;
    QTest::newRow("empty") << "" << MonitorEntry::Status::NotNumber << 0.0;
    QTest::newRow("blanks around") << " 3 " << MonitorEntry::Status::Accepted << 3.0;
}

void tst_MonitorSetup::entries()
{
    QFETCH(QString, text);
    QFETCH(MonitorEntry::Status, status);
    QFETCH(double, value);
    const MonitorEntry entry = MonitorEntry::check(text, 0.1, 10.0);
    QCOMPARE(entry.status, status);
    if (status != MonitorEntry::Status::NotNumber)
        QCOMPARE(entry.value, value);
}

void tst_MonitorSetup::timing()
{
    using namespace MonitorTiming;
    QCOMPARE(PointsPerChannel(3000, ReadsPerSample(5, false, false)), 600);
    QCOMPARE(PointsPerChannel(3000, ReadsPerSample(5, true, true)), 428);
    QCOMPARE(PointsPerChannel(3000, 0), 0);
    QCOMPARE(LineCapacity(3000, 7), 3070);
    QCOMPARE(MinExchangeTimeFromMean(12, 50), 100);
    QCOMPARE(MinExchangeTimeFromMean(0, 50), 100);
    QCOMPARE(MinExchangeTimeFromMean(49, 50), 100);
    QCOMPARE(MinExchangeTimeFromMean(50, 50), 150);
    QCOMPARE(MinExchangeTimeFromMean(3, 0), 50);
    QCOMPARE(LowestTimePerDivisionMs(100, 5), 2500);
    QCOMPARE(SampleIntervalMs(17.5), 3500.0);
}

void tst_MonitorSetup::continuousTimeBase_data()
{
    QTest::addColumn<int>("minutes");
    QTest::addColumn<int>("seconds");
    QTest::addColumn<int>("pointsPerChannel");
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("estimate");
    QTest::addColumn<int>("divider");
    QTest::addColumn<int>("timePerDivision");
    QTest::newRow("120 min at 10 s, 600 points") << 120 << 10 << 600 << 720 << 61 << 3 << 150;
    QTest::newRow("short record: estimate at least 1") << 30 << 300 << 600 << 6 << 1 << 1 << 1500;
    QTest::newRow("a day at 10 s") << 1440 << 10 << 3000 << 8640 << 932 << 83 << 4150;
}

void tst_MonitorSetup::continuousTimeBase()
{
    QFETCH(int, minutes);
    QFETCH(int, seconds);
    QFETCH(int, pointsPerChannel);
    QFETCH(int, points);
    QFETCH(int, estimate);
    QFETCH(int, divider);
    QFETCH(int, timePerDivision);
    const MonitorTiming::Continuous base = MonitorTiming::ContinuousTimeBase(minutes, seconds, pointsPerChannel);
    QCOMPARE(base.points, points);
    QCOMPARE(base.estimatedFileSizeKb, estimate);
    QCOMPARE(base.plotDivider, divider);
    QCOMPARE(base.timePerDivisionS, timePerDivision);
}

QTEST_GUILESS_MAIN(tst_MonitorSetup)
#include "tst_MonitorSetup.moc"
