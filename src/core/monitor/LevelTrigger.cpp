#include "LevelTrigger.h"

#include <cmath>

namespace {

// Rounding to the nearest whole number, halves to the even one.
qint64 roundEven(double value)
{
    return qint64(std::nearbyint(value));
}

}  // namespace

LevelTrigger::LevelTrigger(TriggerSlope slope, int level, double multiplier, int offset)
    : m_slope(slope)
    , m_multiplier(roundEven(multiplier * 10000))
    , m_offset(offset)
    , m_level(roundEven(level * 10000.0))
{
}

bool LevelTrigger::test(double value)
{
    if (!std::isfinite(value))
        return false;
    const qint64 y = (roundEven(value * 10000) * m_multiplier) / 10000 + m_offset * 10000;
    if (y > m_level) {
        if (m_havePrevious)
            m_armedFalling = true;
        else
            m_armedRising = false;
        m_havePrevious = true;
    } else if (y < m_level) {
        if (m_havePrevious)
            m_armedRising = true;
        else
            m_armedFalling = false;
        m_havePrevious = true;
    }
    const bool up = m_slope == TriggerSlope::Up || m_slope == TriggerSlope::Both;
    const bool down = m_slope == TriggerSlope::Down || m_slope == TriggerSlope::Both;
    return (m_armedRising && y > m_level && up) || (m_armedFalling && y < m_level && down);
}

int LevelTrigger::PretriggerCount(int delayPercent, int pointsPerChannel)
{
    return int(delayPercent * 0.01 * pointsPerChannel);
}

bool LevelTrigger::MarkerShown(bool useTrigger, int level, int valueMax)
{
    return useTrigger && level <= valueMax;
}
