// Alarm and trip checks and the drive commands inside real runs against a simulated drive on
// the in-process line, in both protocols.
#include "InfoLine.h"

#include "monitor/AlarmTripChecks.h"
#include "monitor/DriveCommandSender.h"
#include "monitor/MonitorItems.h"
#include "monitor/MonitorReader.h"
#include "monitor/MonitorRecording.h"
#include "monitor/MonitorRun.h"
#include "monitor/MonitorRunWatch.h"
#include "monitor/MonitorWaits.h"
#include "transfer/TransferReport.h"

#include <QTest>

namespace {

// A run of CH1 (output frequency) and CH2 (output current) every 40 ms on the drive of `line`.
struct WatchedRun {
    InfoLine &line;
    MonitorItemList items;
    std::unique_ptr<MonitorReader> reader;
    std::unique_ptr<AlarmTripChecks> checks;
    MonitorRunFlags flags;
    MonitorRecording recording;
    std::unique_ptr<MonitorRunWatch> watch;
    QStringList tripLabels;  // the trip label after each sample
    std::function<void(const MonitorSample &)> onSample;

    explicit WatchedRun(InfoLine &l) : line(l) {}

    bool setUp(AlarmTripChecks::Options options)
    {
        const DriveSelection &s = line.selection;
        if (!LoadMonitorItems(IniFile(line.folders.infoFile), s.typeName, s.languagePrefix, line.data, items))
            return false;
        reader = std::make_unique<MonitorReader>(line.data, *line.exchange);
        reader->refreshSlot(0, items.items[0].code);
        reader->refreshSlot(1, items.items[2].code);
        checks = std::make_unique<AlarmTripChecks>(items.alarmTrips);
        checks->Arm(options, AlarmTripChecks::enabledOptions(items.alarmTrips, true, true, options.displayTrip));
        watch = std::make_unique<MonitorRunWatch>(*reader, *checks, flags);
        watch->armSlots();
        return true;
    }

    MonitorRun::Ending run(int points, MonitorRun::Kind kind = MonitorRun::Kind::Plain)
    {
        MonitorSetup setup = MonitorSetup::defaults();
        for (int c = 0; c < MonitorSetup::Channels; ++c)
            setup.channels[size_t(c)].selected = c < 2;
        MonitorRunSettings settings = MonitorRunSettings::fromSetup(setup, points);
        settings.sampleIntervalMs = 40;
        MonitorRunCallbacks cb;
        cb.wait = WaitInEventLoop;
        cb.sampleTaken = [this](const MonitorSample &sample) {
            tripLabels << checks->tripLabel;
            if (onSample)
                onSample(sample);
        };
        watch->startRun(settings, cb);
        MonitorRun run(*reader, recording, flags, cb);
        run.run(kind, settings);
        return run.ending();
    }
};

}  // namespace

class tst_MonitorRunWatch : public QObject
{
    Q_OBJECT
private slots:
    void tripEndsTheRunWithTheReport_data();
    void tripEndsTheRunWithTheReport();
    void tripWithoutTripDatasLetsTheRunGoOn_data();
    void tripWithoutTripDatasLetsTheRunGoOn();
    void runAndStopDuringARun_data();
    void runAndStopDuringARun();
    void armedChecksTakeTheirSlots();

private:
    void protocols();
};

void tst_MonitorRunWatch::protocols()
{
    QTest::addColumn<bool>("modbus");
    QTest::newRow("native protocol") << false;
    QTest::newRow("Modbus RTU") << true;
}

void tst_MonitorRunWatch::tripEndsTheRunWithTheReport_data()
{
    protocols();
}

void tst_MonitorRunWatch::tripEndsTheRunWithTheReport()
{
    QFETCH(bool, modbus);
    InfoLine line;
    QVERIFY(line.setUp(QStringLiteral("KDA1"), QStringLiteral("-2007P"), QStringLiteral("V100"), modbus));
    line.drive->setTripAfter(0.3);
    WatchedRun w(line);
    QVERIFY(w.setUp({}));
    QCOMPARE(w.run(500), MonitorRun::Ending::Stopped);

    // The run ends with the sample that read the trip, long before its 501 samples.
    QVERIFY(w.watch->stoppedByTrip());
    QVERIFY(w.checks->Tripped);
    QVERIFY(w.recording.SamplesTaken() < 100);
    QCOMPARE(w.recording.SamplesTaken() + 1, w.tripLabels.size());
    const int code = line.drive->motion().tripCode();
    QCOMPARE(w.tripLabels.last(), w.items.alarmTrips.tripName(code).value());
    QVERIFY(w.tripLabels.first().isEmpty());
    QCOMPARE(w.watch->failedReads(), 0);

    QVERIFY(w.watch->finishRun());
    QVERIFY(w.checks->tripLabel.isEmpty());
    TransferReport report;
    InverterInfo info = line.info();
    MonitorRunWatch::CollectTripReport(info, line.language, QStringLiteral("KDA1"), w.items, report);
    const QStringList lines = report.lines();
    QCOMPARE(lines.at(0), QStringLiteral("* Trip Data"));
    QCOMPARE(lines.at(1), QStringLiteral("* Inverter Information"));
    QVERIFY(lines.contains(QStringLiteral("Trip history 1 (latest) :") + w.items.alarmTrips.tripName(code).value()));
    // An empty line, then every monitor item in list order.
    const int first = int(lines.size()) - w.items.size();
    QCOMPARE(lines.at(first - 1), QString());
    for (int i = 0; i < w.items.size(); ++i)
        QVERIFY2(lines.at(first + i).startsWith(w.items.items[size_t(i)].name + QStringLiteral(" : ")),
                 qPrintable(lines.at(first + i)));
}

void tst_MonitorRunWatch::tripWithoutTripDatasLetsTheRunGoOn_data()
{
    protocols();
}

void tst_MonitorRunWatch::tripWithoutTripDatasLetsTheRunGoOn()
{
    QFETCH(bool, modbus);
    InfoLine line;
    QVERIFY(line.setUp(QStringLiteral("KDA1"), QStringLiteral("-2007P"), QStringLiteral("V100"), modbus));
    line.drive->setTripAfter(0.1);
    WatchedRun w(line);
    AlarmTripChecks::Options options;
    options.displayTripData = false;
    QVERIFY(w.setUp(options));
    QCOMPARE(w.run(10), MonitorRun::Ending::Completed);
    QCOMPARE(w.recording.SamplesTaken(), 10);
    QVERIFY(!w.watch->stoppedByTrip());
    QVERIFY(w.checks->Tripped);
    QVERIFY(!w.tripLabels.last().isEmpty());
    QVERIFY(!w.watch->finishRun());
}

void tst_MonitorRunWatch::runAndStopDuringARun_data()
{
    protocols();
}

void tst_MonitorRunWatch::runAndStopDuringARun()
{
    QFETCH(bool, modbus);
    InfoLine line;
    QVERIFY(line.setUp(QStringLiteral("KDA1"), QStringLiteral("-2007P"), QStringLiteral("V100"), modbus));
    WatchedRun w(line);
    QVERIFY(w.setUp({}));
    DriveCommandSender sender(line.data, *line.exchange);
    w.watch->setDriveCommands(&sender);
    QList<bool> running;
    w.onSample = [&](const MonitorSample &s) {
        running << line.drive->motion().running();
        // Asked while the run waits: the command goes out after the checks of the next sample.
        if (s.index == 2)
            QVERIFY(w.watch->request(DriveCommand::Run));
        if (s.index == 6)
            QVERIFY(w.watch->request(DriveCommand::Stop));
    };
    QCOMPARE(w.run(9), MonitorRun::Ending::Completed);
    QCOMPARE(running, (QList<bool>{false, false, false, true, true, true, true, false, false, false}));
    QCOMPARE(w.watch->failedCommands(), 0);
    QVERIFY(!w.flags.DriveRunRequest && !w.flags.DriveStopRequest);

    // Without the command numbers nothing is asked of the drive.
    w.watch->setDriveCommands(nullptr);
    QVERIFY(!w.watch->request(DriveCommand::Run));
    QVERIFY(!w.flags.DriveRunRequest);
}

void tst_MonitorRunWatch::armedChecksTakeTheirSlots()
{
    InfoLine line;
    QVERIFY(line.setUp(QStringLiteral("KDA1"), QStringLiteral("-2007P"), QStringLiteral("V100")));
    WatchedRun w(line);
    AlarmTripChecks::Options options;
    options.displayAlarm = false;
    QVERIFY(w.setUp(options));
    QCOMPARE(w.reader->slot(MonitorRunWatch::AlarmSlot).row, -1);
    QCOMPARE(w.reader->slot(MonitorRunWatch::TripSlot).row, line.data.IndexOfComNo(u"FC90"));
    QCOMPARE(w.run(0), MonitorRun::Ending::Completed);
    QCOMPARE(w.watch->failedReads(), 0);
}

QTEST_GUILESS_MAIN(tst_MonitorRunWatch)
#include "tst_MonitorRunWatch.moc"
