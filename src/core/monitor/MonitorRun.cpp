#include "MonitorRun.h"

#include "MonitorReader.h"
#include "MonitorRecording.h"
#include "MonitorTiming.h"
#include "MonitorValues.h"
#include "MonitorWaits.h"
#include "model/NumberText.h"

#include <cmath>

MonitorRunSettings MonitorRunSettings::fromSetup(const MonitorSetup &setup, int pointsPerChannel)
{
    MonitorRunSettings s;
    s.setup = setup;
    s.pointsPerChannel = pointsPerChannel;
    s.sampleIntervalMs = MonitorTiming::SampleIntervalMs(setup.timePerDivisionS);
    return s;
}

MonitorRun::MonitorRun(MonitorReader &reader, MonitorRecording &recording, MonitorRunFlags &flags,
                       MonitorRunCallbacks callbacks)
    : m_reader(reader)
    , m_recording(recording)
    , m_flags(flags)
    , m_cb(std::move(callbacks))
{
    if (!m_cb.wait)
        m_cb.wait = WaitInEventLoop;
}

int MonitorRun::run(Kind kind, const MonitorRunSettings &settings)
{
    m_settings = settings;
    m_flags.StopRequested = false;
    m_flags.MonitoringRunning = true;
    std::array<bool, MonitorSetup::Channels> selected{};
    for (int c = 0; c < MonitorSetup::Channels; ++c)
        selected[size_t(c)] = settings.setup.channels[size_t(c)].selected;
    m_recording.start(settings.pointsPerChannel, selected, settings.keepSamples);
    m_ending = Ending::Completed;
    m_lastAnswer.start();
    int taken = -1;
    switch (kind) {
    case Kind::Plain:
        taken = runPlain();
        break;
    case Kind::Triggered:
        taken = runTriggered();
        break;
    case Kind::Continuous:
        taken = runContinuous();
        break;
    }
    m_flags.MonitoringRunning = false;
    if (m_ending == Ending::Completed && m_flags.StopRequested)
        m_ending = Ending::Stopped;
    return taken;
}

void MonitorRun::beginSample(MonitorSample &sample, int deadlineMs)
{
    const qint64 ns = m_clock.nsecsElapsed();
    sample.elapsedMs = int(ns / 1000000);
    sample.deadlineMs = deadlineMs;
    sample.lateMs = double(ns) / 1e6 - deadlineMs;
    sample.erroneous = false;
}

void MonitorRun::readChannels(MonitorSample &sample, bool failuresCount,
                              const std::array<double, MonitorSetup::Channels> &fallback)
{
    const DriveData &data = m_reader.data();
    for (int c = 0; c < MonitorSetup::Channels; ++c) {
        const MonitorChannel &ch = m_settings.setup.channels[size_t(c)];
        MonitorChannelSample &out = sample.channels[size_t(c)];
        out = MonitorChannelSample();
        if (!ch.selected)
            continue;
        out.read = true;
        out.raw = m_reader.ReadMonitorItem(c, out.failed);
        if (out.failed && failuresCount) {
            out.value = fallback[size_t(c)];
            out.text = QStringLiteral("Err.");
            sample.erroneous = true;
            continue;
        }
        out.value = m_reader.ItemValue(c, out.raw);
        const double shown = ScaleToDisplayUnit(ch, m_settings.altUnits[size_t(c)], out.value, m_reader.display());
        out.text = FormatItemValue(data, m_reader.slot(c).row, shown);
    }
}

void MonitorRun::sendDriveCommands()
{
    if (m_flags.DriveRunRequest) {
        m_flags.DriveRunRequest = false;
        if (m_cb.driveCommand)
            m_cb.driveCommand(DriveCommand::Run);
    }
    if (m_flags.DriveStopRequest) {
        m_flags.DriveStopRequest = false;
        if (m_cb.driveCommand)
            m_cb.driveCommand(DriveCommand::Stop);
    }
}

void MonitorRun::watchSilence(const MonitorSample &sample)
{
    bool read = false;
    bool answered = false;
    for (const MonitorChannelSample &ch : sample.channels) {
        read = read || ch.read;
        answered = answered || (ch.read && !ch.failed);
    }
    if (answered || !read)
        m_lastAnswer.start();
    else if (m_settings.silenceLimitMs > 0 && m_lastAnswer.elapsed() >= m_settings.silenceLimitMs) {
        m_ending = Ending::LineSilent;
        m_flags.StopRequested = true;
    }
}

void MonitorRun::afterReads(MonitorSample &sample, bool countErrors, bool sendCommands)
{
    watchSilence(sample);
    if (m_cb.checks)
        m_cb.checks(sample);
    if (countErrors && sample.erroneous)
        m_recording.markErroneous();
    sample.errorCount = m_recording.errorCount();
    if (m_cb.sampleTaken)
        m_cb.sampleTaken(sample);
    if (sendCommands)
        sendDriveCommands();
}

bool MonitorRun::waitUntil(int deadlineMs)
{
    const qint64 deadlineNs = qint64(deadlineMs) * 1000000;
    while (!m_flags.StopRequested) {
        const qint64 remaining = deadlineNs - m_clock.nsecsElapsed();
        if (remaining <= 0)
            break;
        QDeadlineTimer deadline(Qt::PreciseTimer);
        deadline.setPreciseRemainingTime(0, remaining, Qt::PreciseTimer);
        m_cb.wait(deadline);
    }
    m_cb.wait(QDeadlineTimer(0));
    return !m_flags.StopRequested;
}

int MonitorRun::runPlain()
{
    const bool zeroOnError = m_reader.display().zeroOnError;
    m_clock.start();
    double next = 0;
    for (int i = 0; i <= m_settings.pointsPerChannel; ++i) {
        MonitorSample sample;
        sample.phase = MonitorSample::Phase::Plain;
        sample.index = i;
        beginSample(sample, int(next));
        next = std::trunc(next + m_settings.sampleIntervalMs);
        m_recording.beginSample(i, sample.elapsedMs);
        std::array<double, MonitorSetup::Channels> fallback{};
        for (int c = 0; c < MonitorSetup::Channels; ++c)
            fallback[size_t(c)] = zeroOnError ? 0.0 : m_recording.lastPoint(c);
        readChannels(sample, i > 0, fallback);
        for (int c = 0; c < MonitorSetup::Channels; ++c) {
            MonitorChannelSample &out = sample.channels[size_t(c)];
            if (!out.read)
                continue;
            const bool usedFallback = out.failed && i > 0;
            // A failed read is drawn at the value used instead, without multiplier and offset.
            out.point = usedFallback ? out.value : m_settings.setup.channels[size_t(c)].drawn(out.value);
            m_recording.setValue(c, out.value, out.point, usedFallback);
        }
        afterReads(sample, true, true);
        if (!waitUntil(int(next)))
            break;
    }
    return m_recording.SamplesTaken();
}
