#include "MonitorTiming.h"

namespace MonitorTiming {

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
