#include "SimMotion.h"

#include <algorithm>

SimMotion::SimMotion(quint32 seed)
    : m_random(seed)
{
}

void SimMotion::setTripAfter(qint64 ms, int code)
{
    m_tripAfterMs = ms;
    m_tripCodeToSet = code;
    m_tripAtMs = (ms > 0 && m_lastMs >= 0) ? m_lastMs + ms : -1;
}

void SimMotion::update(qint64 nowMs)
{
    if (m_startMs < 0) {
        m_startMs = m_lastMs = nowMs;
        if (m_tripAfterMs > 0)
            m_tripAtMs = nowMs + m_tripAfterMs;
    }
    const double seconds = double(std::max<qint64>(0, nowMs - m_lastMs)) / 1000.0;
    m_lastMs = std::max(m_lastMs, nowMs);
    const double target = m_running ? m_commandHz : 0.0;
    const double step = m_rate * seconds;
    if (m_outputHz < target)
        m_outputHz = std::min(target, m_outputHz + step);
    else
        m_outputHz = std::max(target, m_outputHz - step);
    if (m_tripAtMs >= 0 && m_lastMs >= m_tripAtMs && m_tripCode == 0)
        trip();
}

void SimMotion::trip()
{
    m_tripAtMs = -1;
    m_tripCode = m_tripCodeToSet;
    std::rotate(m_history.rbegin(), m_history.rbegin() + 1, m_history.rend());
    m_history[0] = m_tripCode;
    m_running = false;
    m_outputHz = 0.0;  // coasts: the output is cut at once
}

void SimMotion::run()
{
    if (m_tripCode == 0)
        m_running = true;
}

void SimMotion::stop()
{
    m_running = false;
    if (m_tripCode != 0) {
        m_tripCode = 0;
        if (m_tripAfterMs > 0)
            m_tripAtMs = m_lastMs + m_tripAfterMs;
    }
}

double SimMotion::currentPercent()
{
    if (!turning())
        return 0.0;
    std::uniform_real_distribution<double> noise(-1.0, 1.0);
    // Magnetising current plus a load that grows with speed; a ramp adds torque current.
    const double ramping = (m_running && m_outputHz < m_commandHz) ? 15.0 : 0.0;
    return 30.0 + 50.0 * m_outputHz / m_maxHz + ramping + noise(m_random);
}

quint16 SimMotion::alarmWord() const
{
    if (m_alarmCount == 0 || m_startMs < 0)
        return 0;
    const qint64 t = m_lastMs - m_startMs;
    const qint64 cycle = t / AlarmCycleMs;
    if (t % AlarmCycleMs < AlarmCycleMs - AlarmOnMs)
        return 0;
    return quint16(1u << (cycle % m_alarmCount));
}

quint16 SimMotion::terminalWord() const
{
    quint16 word = 0;
    if (m_running)
        word |= 0x0001;
    if (m_running && m_outputHz == m_commandHz && m_outputHz > 0)
        word |= 0x0002;
    if (m_tripCode != 0)
        word |= 0x0004;
    // The remaining inputs toggle, bit k every k/2 seconds, so every bit moves on a chart.
    const qint64 t = m_startMs < 0 ? 0 : m_lastMs - m_startMs;
    for (int k = 3; k < 16; ++k)
        if ((t / (500 * k)) & 1)
            word |= quint16(1u << k);
    return word;
}
