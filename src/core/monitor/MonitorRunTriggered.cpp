// The triggered loop of MonitorRun: waiting for the level with a pre-trigger buffer, then
// recording.
#include "LevelTrigger.h"
#include "MonitorReader.h"
#include "MonitorRecording.h"
#include "MonitorRun.h"

#include <cmath>

int MonitorRun::runTriggered()
{
    waitForTrigger();
    const int kept = int(m_recording.pretrigger().size());
    if (m_cb.waitingForTrigger)
        m_cb.waitingForTrigger(false);
    recordFrom(kept);
    std::array<double, MonitorSetup::Channels> multipliers{};
    std::array<int, MonitorSetup::Channels> offsets{};
    for (int c = 0; c < MonitorSetup::Channels; ++c) {
        multipliers[size_t(c)] = m_settings.setup.channels[size_t(c)].multiplier();
        offsets[size_t(c)] = m_settings.setup.channels[size_t(c)].offset;
    }
    m_recording.placePretrigger(multipliers, offsets);
    return m_recording.SamplesTaken();
}

void MonitorRun::waitForTrigger()
{
    const MonitorSetup &setup = m_settings.setup;
    const int source = qBound(0, setup.triggerChannel, MonitorSetup::Channels - 1);
    const MonitorChannel &sourceChannel = setup.channels[size_t(source)];
    LevelTrigger trigger(setup.triggerSlope, setup.triggerLevel, sourceChannel.multiplier(), sourceChannel.offset);
    const int pretriggerCount = LevelTrigger::PretriggerCount(setup.triggerDelayPercent, m_settings.pointsPerChannel);
    m_recording.clearPretrigger();
    if (m_cb.waitingForTrigger)
        m_cb.waitingForTrigger(true);
    m_clock.start();
    double next = 0;
    for (;;) {
        const int kept = int(m_recording.pretrigger().size());
        MonitorSample sample;
        sample.phase = MonitorSample::Phase::Waiting;
        sample.index = kept;
        beginSample(sample, int(next));
        next = std::trunc(next + m_settings.sampleIntervalMs);
        MonitorRecording::Buffered buffered;
        buffered.elapsedMs = sample.elapsedMs;
        // A failed read repeats the channel's last buffered value, once there is one.
        std::array<double, MonitorSetup::Channels> fallback{};
        if (kept > 0)
            fallback = m_recording.pretrigger().back().values;
        readChannels(sample, kept > 0, fallback);
        for (int c = 0; c < MonitorSetup::Channels; ++c)
            buffered.values[size_t(c)] = sample.channels[size_t(c)].value;
        afterReads(sample, false, true);
        if (!waitUntil(int(next)))
            return;
        // A source that is not selected is never read: the run waits until it is stopped.
        if (sourceChannel.selected && trigger.test(buffered.values[size_t(source)]))
            return;
        m_recording.pushPretrigger(buffered, pretriggerCount);
    }
}

void MonitorRun::recordFrom(int kept)
{
    const MonitorSetup &setup = m_settings.setup;
    m_clock.start();
    double next = 0;
    for (int b = kept; b <= m_settings.pointsPerChannel; ++b) {
        MonitorSample sample;
        sample.phase = MonitorSample::Phase::Recording;
        sample.index = b;
        sample.pretriggerKept = kept;
        beginSample(sample, int(next));
        next = std::trunc(next + m_settings.sampleIntervalMs);
        m_recording.beginSample(b, sample.elapsedMs);
        std::array<double, MonitorSetup::Channels> fallback{};
        for (int c = 0; c < MonitorSetup::Channels; ++c)
            fallback[size_t(c)] = m_recording.lastValue(c);
        // The first two recorded samples take a failed read's 0 as its value.
        const bool counted = b > kept + 1;
        readChannels(sample, counted, fallback);
        for (int c = 0; c < MonitorSetup::Channels; ++c) {
            MonitorChannelSample &out = sample.channels[size_t(c)];
            if (!out.read)
                continue;
            const bool usedFallback = out.failed && counted;
            // A failed read repeats the line's previous point.
            out.point = usedFallback ? m_recording.lastPoint(c) : setup.channels[size_t(c)].drawn(out.value);
            m_recording.setValue(c, out.value, out.point, usedFallback);
        }
        afterReads(sample, true, true);
        if (!waitUntil(int(next)))
            return;
    }
}
