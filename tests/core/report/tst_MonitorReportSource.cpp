#include "app/LanguageFile.h"
#include "model/DriveData.h"
#include "monitor/MonitorItems.h"
#include "monitor/MonitorRecording.h"
#include "monitor/MonitorSetup.h"
#include "report/MonitorReport.h"
#include "report/MonitorReportSource.h"

#include <QtTest>

namespace {

MonitorItemList twoItems()
{
    MonitorItemList items;
    MonitorItem frequency;
    frequency.name = QStringLiteral("Output frequency");
    items.items.push_back(frequency);
    MonitorItem current;
    current.name = QStringLiteral("Output current");
    items.items.push_back(current);
    return items;
}

LanguageFile english()
{
    LanguageFile language;
    language.open(QStringLiteral(VKR_SAMPLE_DATA "/lng/English.ini"), QStringLiteral("English"));
    return language;
}

}  // namespace

// The monitor report's data as the monitoring window hands it over.
class tst_MonitorReportSource : public QObject
{
    Q_OBJECT

private slots:
    void channelsFromTheSetUpAndTheRecording()
    {
        MonitorSetup setup = MonitorSetup::defaults();
        setup.channels[0].item = 1;
        setup.channels[0].multiplierTenths = 20;
        setup.channels[0].offset = 10;
        setup.channels[2].selected = true;  // selected after the run: nothing recorded
        std::array<bool, MonitorRecording::Channels> recorded{};
        recorded[0] = recorded[1] = true;
        MonitorRecording recording;
        recording.start(10, recorded);
        for (int i = 0; i < 3; ++i) {
            recording.beginSample(i, i * 100);
            recording.setValue(0, i, setup.channels[0].drawn(i), false);
            recording.setValue(1, 5, 5, false);
        }
        DriveData data;
        const MonitorReportData d =
            MonitorReportSource::collect(setup, recording, twoItems(), data, english());
        QCOMPARE(d.samplesTaken, 2);
        QCOMPARE(d.channels.size(), 10);
        const MonitorReport::Row first = MonitorReport::row(d, 0);
        QCOMPARE(first[1], QStringLiteral("ON"));
        QCOMPARE(first[2], QStringLiteral("Output current"));
        QCOMPARE(first[3], QStringLiteral("2.0"));
        QCOMPARE(first[4], QStringLiteral("10"));
        QCOMPARE(first[5], QStringLiteral("0"));
        QCOMPARE(first[6], QStringLiteral("2"));
        QCOMPARE(first[8], QStringLiteral("2"));
        QCOMPARE(MonitorReport::row(d, 2)[7], QStringLiteral("-"));
        QCOMPARE(MonitorReport::row(d, 6)[1], QStringLiteral("OFF"));
        QCOMPARE(d.channels[3].color, setup.channels[3].color);
    }

    void triggerAndCaptions_data()
    {
        QTest::addColumn<bool>("trigger");
        QTest::addColumn<QString>("scope");
        QTest::addColumn<QString>("level");
        QTest::addColumn<QString>("delay");
        QTest::newRow("trigger off") << false << "100" << ": -" << ": -";
        QTest::newRow("trigger on, full scope") << true << "100" << ": 120" << ": 30";
        QTest::newRow("trigger on, half scope") << true << "50" << ": 120" << ": -";
    }
    void triggerAndCaptions()
    {
        QFETCH(bool, trigger);
        QFETCH(QString, scope);
        MonitorSetup setup = MonitorSetup::defaults();
        setup.useTrigger = trigger;
        setup.triggerChannel = 3;
        setup.triggerLevel = 120;
        setup.triggerDelayPercent = 30;
        setup.triggerSlope = TriggerSlope::Both;
        DriveData data;
        MonitorReportData d = MonitorReportSource::collect(setup, MonitorRecording(), twoItems(), data, english());
        d.scope = scope;
        const QVector<MonitorReport::SettingLine> lines = MonitorReport::settings(d);
        QCOMPARE(lines[0].caption, QStringLiteral("Time"));
        QCOMPARE(lines[2].caption, QStringLiteral("Trigger Sourse"));
        QCOMPARE(lines[2].value, trigger ? QStringLiteral(": CH4") : QStringLiteral(": -"));
        QTEST(lines[3].value, "level");
        QCOMPARE(lines[4].value, trigger ? QStringLiteral(": Both") : QStringLiteral(": -"));
        QTEST(lines[5].value, "delay");
        QCOMPARE(d.samplesTaken, -1);
        QCOMPARE(d.headings.at(2), QStringLiteral("Monitoring"));
        QCOMPARE(d.headings.at(8), QStringLiteral("Stop"));
    }
};

QTEST_GUILESS_MAIN(tst_MonitorReportSource)
#include "tst_MonitorReportSource.moc"
