#include "MonitorRecording.h"

#include <algorithm>

void MonitorRecording::start(int pointsPerChannel, const std::array<bool, Channels> &selected, bool keep)
{
    m_pointsPerChannel = std::max(0, pointsPerChannel);
    m_keep = keep;
    m_samplesTaken = -1;
    m_current = -1;
    m_errorCount = 0;
    m_pretriggerPlaced = 0;
    m_pretrigger.clear();
    m_sampleTimes.clear();
    m_erroneous.clear();
    const int reserve = keep ? std::min(m_pointsPerChannel + 1, MaxSamples) : 1;
    m_sampleTimes.reserve(reserve);
    m_erroneous.reserve(reserve);
    for (int c = 0; c < Channels; ++c) {
        Channel &ch = m_channels[size_t(c)];
        ch = Channel();
        ch.selected = selected[size_t(c)];
        if (ch.selected) {
            ch.values.reserve(reserve);
            ch.points.reserve(reserve);
            ch.failed.reserve(reserve);
        }
    }
    m_lastPoint.fill(0);
    m_lastValue.fill(0);
}

void MonitorRecording::ensureSize(int slot)
{
    if (m_sampleTimes.size() > slot)
        return;
    m_sampleTimes.resize(slot + 1);
    m_erroneous.resize(slot + 1);
    for (Channel &ch : m_channels) {
        if (!ch.selected)
            continue;
        ch.values.resize(slot + 1);
        ch.points.resize(slot + 1);
        ch.failed.resize(slot + 1);
    }
}

void MonitorRecording::beginSample(int index, int elapsedMs)
{
    m_current = m_keep ? index : 0;
    ensureSize(m_current);
    m_sampleTimes[m_current] = elapsedMs;
    m_erroneous[m_current] = false;
    m_samplesTaken = index;
}

void MonitorRecording::setValue(int channel, double value, double point, bool failed)
{
    if (channel < 0 || channel >= Channels || m_current < 0)
        return;
    Channel &ch = m_channels[size_t(channel)];
    if (ch.selected) {
        ch.values[m_current] = value;
        ch.points[m_current] = point;
        ch.failed[m_current] = failed;
    }
    m_lastPoint[size_t(channel)] = point;
    m_lastValue[size_t(channel)] = value;
}

void MonitorRecording::markErroneous()
{
    ++m_errorCount;
    if (m_current >= 0)
        m_erroneous[m_current] = true;
}

bool MonitorRecording::erroneous(int index) const
{
    const int slot = m_keep ? index : 0;
    return slot >= 0 && slot < m_erroneous.size() && m_erroneous[slot];
}

void MonitorRecording::pushPretrigger(const Buffered &sample, int keepAtMost)
{
    m_pretrigger.push_back(sample);
    while (int(m_pretrigger.size()) > std::max(0, keepAtMost))
        m_pretrigger.pop_front();
}

void MonitorRecording::placePretrigger(const std::array<double, Channels> &multipliers,
                                       const std::array<int, Channels> &offsets)
{
    const int kept = int(m_pretrigger.size());
    m_pretriggerPlaced = kept;
    if (!m_keep || kept == 0)
        return;
    ensureSize(kept - 1);
    for (int p = 0; p < kept; ++p) {
        const Buffered &b = m_pretrigger[size_t(p)];
        m_sampleTimes[p] = b.elapsedMs;
        m_erroneous[p] = false;
        for (int c = 0; c < Channels; ++c) {
            Channel &ch = m_channels[size_t(c)];
            if (!ch.selected)
                continue;
            ch.values[p] = b.values[size_t(c)];
            ch.points[p] = b.values[size_t(c)] * multipliers[size_t(c)] + offsets[size_t(c)];
            ch.failed[p] = false;
        }
    }
    m_pretrigger.clear();
}

void MonitorRecording::redrawChannel(int c, double multiplier, int offset)
{
    if (c < 0 || c >= Channels || !m_keep)
        return;
    Channel &ch = m_channels[size_t(c)];
    for (int i = 0; i < ch.points.size(); ++i) {
        if (ch.failed[i])
            ch.points[i] = i > 0 ? ch.points[i - 1] : 0.0;
        else
            ch.points[i] = ch.values[i] * multiplier + offset;
    }
}
