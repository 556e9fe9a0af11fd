#pragma once

// The arithmetic of the time base: how many samples a recording holds and how fast they may
// come. Integer divisions truncate as noted.
namespace MonitorTiming {

constexpr int MaxTimePerDivisionMs = 30000;

/// Selected channels, plus one for an armed alarm check and one for an armed trip check.
constexpr int ReadsPerSample(int selectedChannels, bool alarmCheck, bool tripCheck)
{
    return selectedChannels + (alarmCheck ? 1 : 0) + (tripCheck ? 1 : 0);
}
/// "Nunmbers of All Recording Points" / ReadsPerSample; a recording has this + 1 samples.
constexpr int PointsPerChannel(int recordingPoints, int readsPerSample)
{
    return readsPerSample > 0 ? recordingPoints / readsPerSample : 0;
}
/// Points a chart line must hold for the whole recording: recording points + 10 x reads.
constexpr int LineCapacity(int recordingPoints, int readsPerSample)
{
    return recordingPoints + 10 * readsPerSample;
}
/// The lowest time per division in milliseconds: MinExchangeTime x ReadsPerSample x 5, so one
/// sample interval (a fifth of a division) covers all reads of a sample.
constexpr int LowestTimePerDivisionMs(int minExchangeTimeMs, int readsPerSample)
{
    return minExchangeTimeMs * readsPerSample * 5;
}
/// MinExchangeTime from the mean time of one read: ((mean + margin) / 50) x 50 + 50 ms.
constexpr int MinExchangeTimeFromMean(int meanMs, int marginMs)
{
    return ((meanMs + marginMs) / 50) * 50 + 50;
}
/// MinExchangeTime while the drive is off-line.
constexpr int OfflineMinExchangeTime = 500;
/// The sample interval of plain and triggered runs: time per division x 200 ms.
constexpr double SampleIntervalMs(double timePerDivisionS)
{
    return timePerDivisionS * 200.0;
}

// The time base of continuous monitoring.
struct Continuous {
    int points = 0;               // recordMinutes x 60 / samplingSeconds
    int estimatedFileSizeKb = 1;  // EstimatedFileSize
    int plotDivider = 1;          // ContinuousPlotDivider: samples per plotted point
    int timePerDivisionS = 0;     // samplingSeconds x 5 x plotDivider
};
/// From "Record Time (min)" (30..1440), "Sampling Time (s/point)" (10..300) and
/// PointsPerChannel.
Continuous ContinuousTimeBase(int recordMinutes, int samplingSeconds, int pointsPerChannel);

}  // namespace MonitorTiming
