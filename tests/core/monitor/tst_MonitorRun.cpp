// The plain, triggered and continuous runs against a simulated drive on the in-process line.
#include "MonitorLine.h"

#include "monitor/MonitorRecording.h"
#include "monitor/MonitorRun.h"
#include "monitor/MonitorWaits.h"

#include <QTest>

Q_DECLARE_METATYPE(TriggerSlope)
Q_DECLARE_METATYPE(MonitorRun::Kind)

namespace {

// Items of the sample drive: 0 output frequency (Hz), 2 output current (%), 4 DC bus voltage.
MonitorSetup channels(std::initializer_list<int> items)
{
    MonitorSetup setup = MonitorSetup::defaults();
    for (MonitorChannel &ch : setup.channels)
        ch.selected = false;
    int c = 0;
    for (int item : items) {
        setup.channels[size_t(c)].selected = true;
        setup.channels[size_t(c)].item = item;
        ++c;
    }
    return setup;
}

struct Observed {
    QList<MonitorSample> samples;
    QList<qint64> waits;  // remaining ns of each wait's deadline
    QList<bool> waiting;
    QList<DriveCommand> commands;
};

MonitorRunCallbacks observe(Observed &seen)
{
    MonitorRunCallbacks cb;
    cb.wait = [&seen](const QDeadlineTimer &deadline) {
        seen.waits << deadline.remainingTimeNSecs();
        WaitInEventLoop(deadline);
    };
    cb.sampleTaken = [&seen](const MonitorSample &s) { seen.samples << s; };
    cb.waitingForTrigger = [&seen](bool w) { seen.waiting << w; };
    cb.driveCommand = [&seen](DriveCommand c) { seen.commands << c; };
    return cb;
}

}  // namespace

class tst_MonitorRun : public QObject
{
    Q_OBJECT
private slots:
    void plainTakesEverySampleOnItsDeadline_data();
    void plainTakesEverySampleOnItsDeadline();
    void plainStoppedAfterItsTenthSample();
    void waitsBlockBetweenSamples();
    void plainFailedReads_data();
    void plainFailedReads();
    void driveCommandsAndChecksRunEverySample();
    void triggerKeepsPretriggerSamples_data();
    void triggerKeepsPretriggerSamples();
    void stopWhileWaitingTakesOneSample();
    void continuousPlotsEveryDividerSamples();
    void continuousEndsAfterTheRecordTime();
    void silentLineEndsTheRun_data();
    void silentLineEndsTheRun();
    void continuousEndsWhenALineIsNotWritten();
};

void tst_MonitorRun::plainTakesEverySampleOnItsDeadline_data()
{
    QTest::addColumn<MonitorSetup>("setup");
    QTest::addColumn<int>("points");
    QTest::addColumn<double>("interval");
    QTest::addColumn<QList<int>>("deadlines");
    QTest::newRow("five channels, ten samples at 20 ms")
        << channels({0, 1, 2, 3, 4}) << 9 << 20.0 << QList<int>{0, 20, 40, 60, 80, 100, 120, 140, 160, 180};
    QTest::newRow("one channel, one sample") << channels({4}) << 0 << 20.0 << QList<int>{0};
    QTest::newRow("interval truncated at every step")
        << channels({0}) << 4 << 12.5 << QList<int>{0, 12, 24, 36, 48};
    QTest::newRow("ten channels with a bit item")
        << channels({0, 1, 2, 3, 4, 5, 6, 7, 8, 12}) << 3 << 30.0 << QList<int>{0, 30, 60, 90};
}

void tst_MonitorRun::plainTakesEverySampleOnItsDeadline()
{
    QFETCH(MonitorSetup, setup);
    QFETCH(int, points);
    QFETCH(double, interval);
    QFETCH(QList<int>, deadlines);
    MonitorLine line;
    QVERIFY(line.setUp());
    line.bind(setup);
    MonitorRecording recording;
    MonitorRunFlags flags;
    Observed seen;
    MonitorRunSettings settings = MonitorRunSettings::fromSetup(setup, points);
    settings.sampleIntervalMs = interval;
    bool runningDuringRun = false;
    MonitorRunCallbacks cb = observe(seen);
    cb.sampleTaken = [&](const MonitorSample &s) {
        seen.samples << s;
        runningDuringRun = flags.MonitoringRunning;
    };
    MonitorRun run(*line.reader, recording, flags, cb);
    const int frames = line.engine->faultCounts().frames;
    QCOMPARE(run.run(MonitorRun::Kind::Plain, settings), points);
    QCOMPARE(run.ending(), MonitorRun::Ending::Completed);
    QVERIFY(runningDuringRun);
    QVERIFY(!flags.MonitoringRunning);
    QCOMPARE(recording.SamplesTaken(), points);
    QCOMPARE(recording.sampleCount(), points + 1);
    QCOMPARE(seen.samples.size(), points + 1);
    QCOMPARE(line.engine->faultCounts().frames - frames, (points + 1) * setup.selectedCount());
    for (int i = 0; i <= points; ++i) {
        const MonitorSample &s = seen.samples[i];
        QCOMPARE(s.index, i);
        QCOMPARE(s.deadlineMs, deadlines[i]);
        // Never before its deadline; how late it is goes to the benchmark.
        QVERIFY2(s.lateMs >= 0, qPrintable(QString::number(s.lateMs)));
        QCOMPARE(recording.SampleTimes()[i], s.elapsedMs);
        QVERIFY(!s.erroneous);
        for (int c = 0; c < 10; ++c) {
            const MonitorChannelSample &ch = s.channels[size_t(c)];
            QCOMPARE(ch.read, setup.channels[size_t(c)].selected);
            if (!ch.read)
                continue;
            QVERIFY(!ch.failed);
            QCOMPARE(recording.channel(c).values[i], ch.value);
            QCOMPARE(ch.point, setup.channels[size_t(c)].drawn(ch.value));
        }
    }
    // A bit item reads as 0 or the terminal signal level.
    const int bitChannel = setup.selectedCount() == 10 ? 9 : -1;
    if (bitChannel >= 0) {
        for (const MonitorSample &s : std::as_const(seen.samples))
            QVERIFY(s.channels[9].value == 0.0 || s.channels[9].value == 15.0);
    }
    // Every wait had a deadline ahead of it, or was the pass over pending events.
    for (qint64 ns : std::as_const(seen.waits))
        QVERIFY(ns <= qint64(interval * 1e6));
}

void tst_MonitorRun::plainStoppedAfterItsTenthSample()
{
    MonitorLine line;
    QVERIFY(line.setUp());
    const MonitorSetup setup = channels({0, 4});
    line.bind(setup);
    MonitorRecording recording;
    MonitorRunFlags flags;
    Observed seen;
    MonitorRunCallbacks cb = observe(seen);
    // "Stop" is pressed while the run waits after its tenth sample (on a busy machine the
    // deadline may have passed already: then it comes with the pass over pending events).
    cb.wait = [&](const QDeadlineTimer &deadline) {
        if (seen.samples.size() == 10)
            flags.StopRequested = true;
        WaitInEventLoop(deadline);
    };
    MonitorRun run(*line.reader, recording, flags, cb);
    MonitorRunSettings settings = MonitorRunSettings::fromSetup(setup, 600);
    settings.sampleIntervalMs = 10;
    QCOMPARE(run.run(MonitorRun::Kind::Plain, settings), 9);
    QCOMPARE(run.ending(), MonitorRun::Ending::Stopped);
    QCOMPARE(recording.SamplesTaken(), 9);
    QCOMPARE(seen.samples.size(), 10);
}

void tst_MonitorRun::waitsBlockBetweenSamples()
{
    MonitorLine line;
    QVERIFY(line.setUp());
    const MonitorSetup setup = channels({0});
    line.bind(setup);
    MonitorRecording recording;
    MonitorRunFlags flags;
    int waits = 0;
    MonitorRunCallbacks cb;
    cb.wait = [&waits](const QDeadlineTimer &deadline) {
        ++waits;
        WaitInEventLoop(deadline);
    };
    MonitorRun run(*line.reader, recording, flags, cb);
    MonitorRunSettings settings = MonitorRunSettings::fromSetup(setup, 4);
    settings.sampleIntervalMs = 100;
    run.run(MonitorRun::Kind::Plain, settings);
    // A loop that spun would call the wait thousands of times in 400 ms; a blocking one calls
    // it once or twice per pause, and once more for the pass over pending events.
    QVERIFY2(waits <= 5 * 4, qPrintable(QString::number(waits)));
}

void tst_MonitorRun::plainFailedReads_data()
{
    QTest::addColumn<bool>("zeroOnError");
    QTest::newRow("previous drawn value repeated") << false;
    QTest::newRow("0 Value when Commnunication Error") << true;
}

void tst_MonitorRun::plainFailedReads()
{
    QFETCH(bool, zeroOnError);
    SimFaultRates faults;
    faults.drop = 1.0;
    MonitorLine line;
    QVERIFY(line.setUp(faults, {}, 20));
    MonitorSetup setup = channels({4});
    setup.channels[0].offset = 30;  // a failed first read is drawn like a value of 0
    line.bind(setup);
    line.reader->display().zeroOnError = zeroOnError;
    MonitorRecording recording;
    MonitorRunFlags flags;
    Observed seen;
    MonitorRun run(*line.reader, recording, flags, observe(seen));
    MonitorRunSettings settings = MonitorRunSettings::fromSetup(setup, 3);
    settings.sampleIntervalMs = 10;
    QCOMPARE(run.run(MonitorRun::Kind::Plain, settings), 3);
    QCOMPARE(seen.samples.size(), 4);
    // The first sample's failure is not an error: 0 is its raw value.
    QVERIFY(seen.samples[0].channels[0].failed);
    QVERIFY(!seen.samples[0].erroneous);
    QCOMPARE(seen.samples[0].channels[0].text, QStringLiteral("0.00"));
    QCOMPARE(seen.samples[0].channels[0].point, 30.0);
    for (int i = 1; i < 4; ++i) {
        const MonitorSample &s = seen.samples[i];
        QVERIFY(s.erroneous);
        QCOMPARE(s.errorCount, i);
        QCOMPARE(s.channels[0].text, QStringLiteral("Err."));
        QCOMPARE(s.channels[0].point, zeroOnError ? 0.0 : 30.0);
        QVERIFY(recording.erroneous(i));
        QVERIFY(recording.channel(0).failed[i]);
    }
    QCOMPARE(recording.errorCount(), 3);
}

void tst_MonitorRun::driveCommandsAndChecksRunEverySample()
{
    MonitorLine line;
    QVERIFY(line.setUp());
    const MonitorSetup setup = channels({0});
    line.bind(setup);
    line.reader->refreshSlot(MonitorReadSlot::AlarmSlot, QStringLiteral("FC91"));
    MonitorRecording recording;
    MonitorRunFlags flags;
    Observed seen;
    MonitorRunCallbacks cb = observe(seen);
    int checks = 0;
    cb.checks = [&](MonitorSample &s) {
        ++checks;
        bool failed = false;
        line.reader->ReadMonitorItem(MonitorReadSlot::AlarmSlot, failed);
        if (s.index == 1)
            flags.DriveRunRequest = true;
        if (s.index == 3) {
            flags.DriveStopRequest = true;
            s.erroneous = true;  // a check may count the sample as erroneous
        }
    };
    MonitorRun run(*line.reader, recording, flags, cb);
    MonitorRunSettings settings = MonitorRunSettings::fromSetup(setup, 4);
    settings.sampleIntervalMs = 10;
    run.run(MonitorRun::Kind::Plain, settings);
    QCOMPARE(checks, 5);
    QCOMPARE(seen.commands, (QList<DriveCommand>{DriveCommand::Run, DriveCommand::Stop}));
    QVERIFY(!flags.DriveRunRequest);
    QVERIFY(!flags.DriveStopRequest);
    QCOMPARE(recording.errorCount(), 1);
}

void tst_MonitorRun::triggerKeepsPretriggerSamples_data()
{
    QTest::addColumn<TriggerSlope>("slope");
    QTest::addColumn<int>("delay");
    QTest::addColumn<int>("kept");
    // 40 points per channel: 25 % keeps 10 samples before the trigger.
    QTest::newRow("rising, 25 %") << TriggerSlope::Up << 25 << 10;
    QTest::newRow("falling, 25 %") << TriggerSlope::Down << 25 << 10;
    QTest::newRow("both, falling first, 10 %") << TriggerSlope::Both << 10 << 4;
    QTest::newRow("rising, 0 %: the first recorded sample is 0") << TriggerSlope::Up << 0 << 0;
}

void tst_MonitorRun::triggerKeepsPretriggerSamples()
{
    QFETCH(TriggerSlope, slope);
    QFETCH(int, delay);
    QFETCH(int, kept);
    MonitorLine line;
    QVERIFY(line.setUp());
    SimMotion &motion = line.drive().motion();
    motion.setRampHzPerSecond(400);
    motion.setCommandHz(60);
    const bool rising = slope == TriggerSlope::Up;
    // Up: the drive starts at 0 Hz and is started; Down and Both: it runs at 60 Hz and stops.
    if (!rising) {
        motion.run();
        motion.update(0);
        motion.update(1000);
    }
    MonitorSetup setup = channels({0, 4});
    setup.useTrigger = true;
    setup.triggerChannel = 0;
    setup.triggerSlope = slope;
    setup.triggerLevel = 30;
    setup.triggerDelayPercent = delay;
    setup.channels[0].multiplierTenths = 20;  // drawn at 2 x Hz: fires at 15 Hz
    line.bind(setup);
    MonitorRecording recording;
    MonitorRunFlags flags;
    Observed seen;
    MonitorRunCallbacks cb = observe(seen);
    cb.sampleTaken = [&](const MonitorSample &s) {
        seen.samples << s;
        if (seen.samples.size() == 16)
            rising ? motion.run() : motion.stop();
        if (seen.samples.size() > 500)
            flags.StopRequested = true;  // never triggered: the checks below fail
    };
    MonitorRun run(*line.reader, recording, flags, cb);
    MonitorRunSettings settings = MonitorRunSettings::fromSetup(setup, 40);
    settings.sampleIntervalMs = 10;
    QCOMPARE(run.run(MonitorRun::Kind::Triggered, settings), 40);
    QCOMPARE(seen.waiting, (QList<bool>{true, false}));
    QCOMPARE(recording.pretriggerSamples(), kept);
    QCOMPARE(recording.sampleCount(), 41);
    const auto firstRecorded = std::find_if(seen.samples.cbegin(), seen.samples.cend(), [](const MonitorSample &s) {
        return s.phase == MonitorSample::Phase::Recording;
    });
    QVERIFY(firstRecorded != seen.samples.cend());
    QCOMPARE(firstRecorded->index, kept);
    QCOMPARE(firstRecorded->pretriggerKept, kept);
    const int waited = int(firstRecorded - seen.samples.cbegin());
    QVERIFY(waited > 15);
    // The kept samples are the last ones before the triggering sample, drawn in front.
    const QVector<double> &hz = recording.channel(0).values;
    for (int p = 0; p < kept; ++p) {
        const MonitorSample &buffered = seen.samples[waited - 1 - kept + p];
        QCOMPARE(hz[p], buffered.channels[0].value);
        QCOMPARE(recording.channel(0).points[p], 2 * buffered.channels[0].value);
        QCOMPARE(recording.SampleTimes()[p], buffered.elapsedMs);
        QVERIFY(rising ? hz[p] * 2 <= 30 : hz[p] * 2 >= 30);
    }
    // The triggering sample itself is not kept: the first recorded one is read afresh, beyond.
    QVERIFY(rising ? hz[kept] * 2 > 30 : hz[kept] * 2 < 30);
    // Recorded samples are timed from the trigger, not from the start of waiting.
    QVERIFY(recording.SampleTimes()[kept] < seen.samples[waited - 1].elapsedMs);
    for (int b = kept + 1; b <= 40; ++b)
        QVERIFY(recording.SampleTimes()[b] >= recording.SampleTimes()[b - 1]);
}

void tst_MonitorRun::stopWhileWaitingTakesOneSample()
{
    MonitorLine line;
    QVERIFY(line.setUp());
    MonitorSetup setup = channels({0});
    setup.useTrigger = true;
    setup.triggerLevel = 30;
    setup.triggerDelayPercent = 50;
    line.bind(setup);
    MonitorRecording recording;
    MonitorRunFlags flags;
    Observed seen;
    MonitorRunCallbacks cb = observe(seen);
    cb.sampleTaken = [&](const MonitorSample &s) {
        seen.samples << s;
        if (s.phase == MonitorSample::Phase::Waiting && s.index == 6)
            flags.StopRequested = true;
    };
    MonitorRun run(*line.reader, recording, flags, cb);
    MonitorRunSettings settings = MonitorRunSettings::fromSetup(setup, 40);
    settings.sampleIntervalMs = 10;
    // Seven waiting samples, of which the six before the stop are kept, then one recorded.
    QCOMPARE(run.run(MonitorRun::Kind::Triggered, settings), 6);
    QCOMPARE(recording.pretriggerSamples(), 6);
    QCOMPARE(seen.samples.size(), 8);
    QCOMPARE(seen.samples.last().phase, MonitorSample::Phase::Recording);
    QCOMPARE(seen.samples.last().index, 6);
}

void tst_MonitorRun::continuousPlotsEveryDividerSamples()
{
    MonitorLine line;
    QVERIFY(line.setUp());
    MonitorSetup setup = channels({4, 0});
    line.bind(setup);
    MonitorRecording recording;
    MonitorRunFlags flags;
    Observed seen;
    QList<std::array<double, 10>> lines;
    MonitorRunCallbacks cb = observe(seen);
    cb.continuousLine = [&](qint64, const std::array<double, 10> &values) {
        lines << values;
        if (lines.size() == 7)
            flags.StopRequested = true;
        return true;
    };
    flags.DriveRunRequest = true;  // drive control is unavailable in continuous runs
    MonitorRun run(*line.reader, recording, flags, cb);
    MonitorRunSettings settings = MonitorRunSettings::fromSetup(setup, 600);
    settings.samplingSeconds = 0.015;
    settings.plotDivider = 3;
    settings.recordMinutes = 10;
    run.run(MonitorRun::Kind::Continuous, settings);
    QCOMPARE(lines.size(), 7);
    QVERIFY(seen.commands.isEmpty());
    QCOMPARE(seen.samples.size(), 7);
    QList<int> plotted;
    for (int n = 0; n < 7; ++n) {
        QCOMPARE(seen.samples[n].deadlineMs, n * 15);
        QCOMPARE(lines[n][0], 141.0);  // DC bus voltage of a stopped drive
        QCOMPARE(lines[n][5], 0.0);    // an unselected channel
        if (seen.samples[n].plotted)
            plotted << n;
    }
    QCOMPARE(plotted, (QList<int>{2, 5}));
    QCOMPARE(recording.SamplesTaken(), 1);
    // A plotted point is the mean of the sample and the one before it.
    QCOMPARE(recording.channel(0).values[0], 141.0);
}

void tst_MonitorRun::continuousEndsAfterTheRecordTime()
{
    MonitorLine line;
    QVERIFY(line.setUp());
    const MonitorSetup setup = channels({4});
    line.bind(setup);
    MonitorRecording recording;
    MonitorRunFlags flags;
    Observed seen;
    int written = 0;
    MonitorRunCallbacks cb = observe(seen);
    cb.continuousLine = [&](qint64, const std::array<double, 10> &) { return ++written > 0; };
    MonitorRun run(*line.reader, recording, flags, cb);
    MonitorRunSettings settings = MonitorRunSettings::fromSetup(setup, 600);
    settings.samplingSeconds = 0.02;
    settings.recordMinutes = 0.1 / 60;  // 100 ms
    run.run(MonitorRun::Kind::Continuous, settings);
    QCOMPARE(run.ending(), MonitorRun::Ending::RecordTimeOver);
    QVERIFY(seen.samples.size() >= 6);
    QVERIFY(seen.samples.last().elapsedMs > 100);
    for (int n = 0; n + 1 < seen.samples.size(); ++n)
        QVERIFY(seen.samples[n].elapsedMs <= 100);
    QCOMPARE(written, seen.samples.size());
}

void tst_MonitorRun::silentLineEndsTheRun_data()
{
    QTest::addColumn<MonitorRun::Kind>("kind");
    QTest::newRow("plain") << MonitorRun::Kind::Plain;
    QTest::newRow("triggered, while waiting") << MonitorRun::Kind::Triggered;
    QTest::newRow("continuous") << MonitorRun::Kind::Continuous;
}

void tst_MonitorRun::silentLineEndsTheRun()
{
    QFETCH(MonitorRun::Kind, kind);
    SimFaultRates faults;
    faults.drop = 1.0;
    MonitorLine line;
    QVERIFY(line.setUp(faults, {}, 20));
    MonitorSetup setup = channels({0, 4});
    setup.useTrigger = true;
    line.bind(setup);
    MonitorRecording recording;
    MonitorRunFlags flags;
    Observed seen;
    MonitorRun run(*line.reader, recording, flags, observe(seen));
    MonitorRunSettings settings = MonitorRunSettings::fromSetup(setup, 100000);
    settings.sampleIntervalMs = 20;
    settings.samplingSeconds = 0.02;
    settings.silenceLimitMs = 300;
    run.run(kind, settings);
    QCOMPARE(run.ending(), MonitorRun::Ending::LineSilent);
    QVERIFY(flags.StopRequested);
    // Each failed read waits out its time-out and the quiet line after it: about 80 ms a sample.
    QVERIFY2(seen.samples.size() >= 2 && seen.samples.size() < 20, qPrintable(QString::number(seen.samples.size())));
}

void tst_MonitorRun::continuousEndsWhenALineIsNotWritten()
{
    MonitorLine line;
    QVERIFY(line.setUp());
    const MonitorSetup setup = channels({4});
    line.bind(setup);
    MonitorRecording recording;
    MonitorRunFlags flags;
    Observed seen;
    int written = 0;
    MonitorRunCallbacks cb = observe(seen);
    cb.continuousLine = [&](qint64, const std::array<double, 10> &) { return ++written < 3; };
    MonitorRun run(*line.reader, recording, flags, cb);
    MonitorRunSettings settings = MonitorRunSettings::fromSetup(setup, 600);
    settings.samplingSeconds = 0.01;
    run.run(MonitorRun::Kind::Continuous, settings);
    QCOMPARE(run.ending(), MonitorRun::Ending::LineNotWritten);
    QCOMPARE(written, 3);
    QCOMPARE(seen.samples.size(), 3);
}

QTEST_GUILESS_MAIN(tst_MonitorRun)
#include "tst_MonitorRun.moc"
