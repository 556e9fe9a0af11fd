// The continuous loop of MonitorRun: long recordings, every sample a table line, one plotted
// point per ContinuousPlotDivider samples.
#include "MonitorReader.h"
#include "MonitorRecording.h"
#include "MonitorRun.h"

#include <cmath>

void MonitorRun::plot(MonitorSample &sample, const std::array<double, MonitorSetup::Channels> &plotted)
{
    m_recording.beginSample(sample.plotIndex, sample.elapsedMs);
    for (int c = 0; c < MonitorSetup::Channels; ++c) {
        MonitorChannelSample &out = sample.channels[size_t(c)];
        out.point = m_settings.setup.channels[size_t(c)].drawn(plotted[size_t(c)]);
        m_recording.setValue(c, plotted[size_t(c)], out.point, out.failed && sample.index > 0);
    }
}

int MonitorRun::runContinuous()
{
    const double recordMs = m_settings.recordMinutes * 60000;
    const double period = m_settings.samplingSeconds * 1000.0;
    const int divider = std::max(1, m_settings.plotDivider);
    std::array<double, MonitorSetup::Channels> previous{};
    int subSample = 1;
    int plotIndex = 0;
    m_clock.start();
    double next = 0;
    for (int n = 0;; ++n) {
        MonitorSample sample;
        sample.phase = MonitorSample::Phase::Continuous;
        sample.index = n;
        beginSample(sample, int(next));
        next = std::trunc(next + period);
        // A failed read repeats the channel's own value of the sample before.
        readChannels(sample, n > 0, previous);
        std::array<double, MonitorSetup::Channels> values{};
        std::array<double, MonitorSetup::Channels> plotted{};
        for (int c = 0; c < MonitorSetup::Channels; ++c) {
            values[size_t(c)] = sample.channels[size_t(c)].value;
            plotted[size_t(c)] = (values[size_t(c)] + previous[size_t(c)]) * 0.5;
        }
        previous = values;
        sample.plotted = subSample >= divider;
        sample.plotIndex = plotIndex;
        if (sample.plotted) {
            plot(sample, plotted);
            subSample = 1;
            ++plotIndex;
        } else {
            ++subSample;
        }
        afterReads(sample, true, false);
        // Every sample taken is written, the last one before a stop included.
        if (m_cb.continuousLine && !m_cb.continuousLine(sample.elapsedMs, values)) {
            m_ending = Ending::LineNotWritten;
            break;
        }
        if (!waitUntil(int(next)))
            break;
        if (recordMs < sample.elapsedMs) {
            m_ending = Ending::RecordTimeOver;
            break;
        }
    }
    return m_recording.SamplesTaken();
}
