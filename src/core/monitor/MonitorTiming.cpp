#include "MonitorTiming.h"

#include "model/NumberText.h"

#include <cmath>

namespace MonitorTiming {

double SampleIntervalMs(double timePerDivisionS)
{
    return std::round(timePerDivisionS * 200.0 * 1000.0) / 1000.0;
}

TimePerDivisionEntry CheckTimePerDivision(const QString &text, int lowestMs)
{
    TimePerDivisionEntry entry;
    const auto seconds = NumberText::parse(text);
    if (!seconds || std::fabs(*seconds) > 1e9) {
        entry.status = seconds ? TimePerDivisionEntry::Status::OutOfRange : TimePerDivisionEntry::Status::NotNumber;
        entry.ms = seconds && *seconds < 0 ? lowestMs : MaxTimePerDivisionMs;
        return entry;
    }
    entry.ms = int(std::lround(*seconds * 1000.0));
    if (entry.ms < lowestMs || entry.ms > MaxTimePerDivisionMs) {
        entry.status = TimePerDivisionEntry::Status::OutOfRange;
        entry.ms = entry.ms < lowestMs ? lowestMs : MaxTimePerDivisionMs;
    }
    return entry;
}

Continuous ContinuousTimeBase(int recordMinutes, int samplingSeconds, int pointsPerChannel)
{
    Continuous base;
    if (recordMinutes <= 0 || samplingSeconds <= 0)
        return base;
    base.points = int(unsigned(recordMinutes) * 60U / unsigned(samplingSeconds));
    base.estimatedFileSizeKb = (base.points * 110 - 17930) / 1000;
    if (base.estimatedFileSizeKb < 0)
        base.estimatedFileSizeKb = 1;
    const double x = pointsPerChannel > 0 ? double(recordMinutes) * base.points / pointsPerChannel : 0.0;
    // The smallest divider with S x 5 x d > x.
    int d = 1;
    while (double(samplingSeconds) * 5 * d <= x)
        ++d;
    base.plotDivider = d;
    base.timePerDivisionS = samplingSeconds * 5 * d;
    return base;
}

}  // namespace MonitorTiming
