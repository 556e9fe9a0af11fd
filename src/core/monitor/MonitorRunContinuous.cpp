// The continuous loop of MonitorRun: long recordings, every sample a table line, one plotted
// point per ContinuousPlotDivider samples.
#include "MonitorReader.h"
#include "MonitorRecording.h"
#include "MonitorRun.h"

#include <cmath>

int MonitorRun::runContinuous()
{
    const MonitorSetup &setup = m_settings.setup;
    const qint64 recordMs = qint64(m_settings.recordMinutes) * 60000;
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
            m_recording.beginSample(plotIndex, sample.elapsedMs);
            for (int c = 0; c < MonitorSetup::Channels; ++c) {
                MonitorChannelSample &out = sample.channels[size_t(c)];
                out.point = setup.channels[size_t(c)].drawn(plotted[size_t(c)]);
                m_recording.setValue(c, plotted[size_t(c)], out.point, out.failed && n > 0);
            }
            subSample = 1;
            ++plotIndex;
        } else {
            ++subSample;
        }
        afterReads(sample, true, false);
        // Every sample taken is written, the last one before a stop included.
        if (m_cb.continuousLine && !m_cb.continuousLine(sample.elapsedMs, values))
            break;
        if (!waitUntil(int(next)) || recordMs < sample.elapsedMs)
            break;
    }
    return m_recording.SamplesTaken();
}
