// What starting a continuous run asks and names: the note from the English language file, the
// table's name, and how long a continuous run rides through a silent line.
#include "../files/SampleDrive.h"

#include "monitor/ContinuousMonitoring.h"

#include <QtTest>

class tst_ContinuousMonitoring : public QObject
{
    Q_OBJECT

private slots:
    void confirmation_data()
    {
        QTest::addColumn<int>("minutes");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QString>("expected");
        QTest::newRow("factory times: 720 points, about 61 KB")
            << 120 << 10
            << "Record time : 120(min)\nSampling time : 10(s/point)\n\nThe monitor data are written to a file while "
               "monitoring.\nEstimated file size : about 61(KB)";
        QTest::newRow("short record, estimate never below 1 KB")
            << 30 << 300
            << "Record time : 30(min)\nSampling time : 300(s/point)\n\nThe monitor data are written to a file while "
               "monitoring.\nEstimated file size : about 1(KB)";
    }
    void confirmation()
    {
        QFETCH(int, minutes);
        QFETCH(int, seconds);
        QFETCH(QString, expected);
        SampleDrive drive;
        QVERIFY(drive.load());
        const MonitorTiming::Continuous base = MonitorTiming::ContinuousTimeBase(minutes, seconds, 600);
        QCOMPARE(ContinuousMonitoring::ConfirmationText(drive.messages, minutes, seconds, base.estimatedFileSizeKb),
                 expected);
    }

    void csvExtension_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("written");
        QTest::newRow("no extension") << "/m/long" << "/m/long.csv";
        QTest::newRow("another extension") << "/m/long.txt" << "/m/long.txt.csv";
        QTest::newRow("upper case kept") << "/m/LONG.CSV" << "/m/LONG.CSV";
        QTest::newRow("mixed case kept") << "/m/long.Csv" << "/m/long.Csv";
        QTest::newRow("csv without the dot") << "/m/longcsv" << "/m/longcsv.csv";
    }
    void csvExtension()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, written);
        QCOMPARE(ContinuousMonitoring::WithCsvExtension(chosen), written);
    }

    void silenceLimit_data()
    {
        QTest::addColumn<int>("limitMs");
        QTest::addColumn<double>("samplingSeconds");
        QTest::addColumn<int>("expected");
        QTest::newRow("fast sampling keeps the limit") << 10000 << 0.5 << 10000;
        QTest::newRow("10 s sampling: three samples") << 10000 << 10.0 << 30000;
        QTest::newRow("300 s sampling") << 1000 << 300.0 << 900000;
        QTest::newRow("no limit stays none") << 0 << 10.0 << 0;
    }
    void silenceLimit()
    {
        QFETCH(int, limitMs);
        QFETCH(double, samplingSeconds);
        QFETCH(int, expected);
        QCOMPARE(ContinuousMonitoring::SilenceLimitMs(limitMs, samplingSeconds), expected);
    }
};

QTEST_GUILESS_MAIN(tst_ContinuousMonitoring)
#include "tst_ContinuousMonitoring.moc"
