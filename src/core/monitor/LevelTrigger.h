#pragma once

#include "MonitorSetup.h"

#include <QtGlobal>

// The edge test of a triggered run. The source channel's value is compared with the level in
// fixed point (x 10000, 64 bits) after the channel's multiplier and offset, so the test sees
// what the chart draws. A crossing fires only after the value has been on the other side:
// a first sample already above the level does not fire an upward trigger, and a sample
// exactly at the level neither arms nor fires.
class LevelTrigger
{
public:
    LevelTrigger(TriggerSlope slope, int level, double multiplier, int offset);

    /// Tests the next value of the source (before multiplier and offset); true when it fires.
    bool test(double value);

    /// Samples kept before the trigger: trunc(delay x 0.01 x PointsPerChannel).
    static int PretriggerCount(int delayPercent, int pointsPerChannel);
    /// Whether the marker can be shown: the trigger is on and the level is not above "Max."
    /// (a level above it is accepted, up to 500, and still fires).
    static bool MarkerShown(bool useTrigger, int level, int valueMax);

private:
    TriggerSlope m_slope;
    qint64 m_multiplier;  // round(multiplier x 10000)
    qint64 m_offset;
    qint64 m_level;       // round(level x 10000)
    bool m_havePrevious = false;
    bool m_armedRising = true;
    bool m_armedFalling = true;
};
