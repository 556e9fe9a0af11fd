#include "ChartScope.h"

#include "model/NumberText.h"

#include <algorithm>

namespace ChartScope {

namespace {
// Whole samples and pixels are truncated toward zero.
qint64 whole(double value)
{
    return NumberText::truncate(value);
}
}  // namespace

Range scopeRange(Range current, double scope, int fullRange)
{
    const qint64 width = whole(scope) * fullRange / 100;
    Range r{current.min, current.min + double(width)};
    if (r.max > fullRange) {
        r.max = fullRange;
        r.min = r.max - double(width);
    }
    return r;
}

Zoomed zoomAt(Range current, int scope, int fullRange, bool rightButton, int clickX, int plotCentreX,
              int chartWidth)
{
    Zoomed z;
    z.scope = std::clamp(scope + (rightButton ? ScopeStep : -ScopeStep), MinScope, MaxScope);
    const qint64 b = whole(current.max - current.min);
    const qint64 d = chartWidth > 0 ? whole(double(b) * (clickX - plotCentreX) / chartWidth) : 0;
    const qint64 e = qint64(z.scope) * fullRange / 100;
    const qint64 x = (e - b) / 2;
    Range r = current;
    r.max += double(d);
    r.max += double(x);
    if (fullRange >= r.max) {
        r.min += double(d);
        r.min -= double(x);
        if (r.min < 0) {
            r.min = 0;
            r.max = r.min + double(e);
        }
    } else {
        r.max = fullRange;
        r.min = r.max - double(e);
    }
    z.range = r;
    return z;
}

Followed scrollToNewest(Range current, int pretrigger, int added, double largestX)
{
    Followed f;
    f.range = current;
    if (added > current.max - pretrigger - GridStep) {
        f.range.max = largestX + GridStep;
        f.range.min = f.range.max - ScreenSamples;
        f.moved = true;
    }
    f.fullRange = int(whole(f.range.max));
    return f;
}

QString scopeTextAfterFollow(int fullRange)
{
    if (fullRange <= 0)
        return QString::number(MaxScope);
    return NumberText::fixed(100.0 / fullRange * 100.0, 0);
}

Range panned(Range wanted, int fullRange)
{
    const double width = wanted.max - wanted.min;
    Range r = wanted;
    if (r.max > fullRange) {
        r.max = fullRange;
        r.min = r.max - width;
    }
    if (r.min < 0) {
        r.min = 0;
        r.max = width;
    }
    return r;
}

int markerTopForLevel(double level, double valueMax, Plot plot)
{
    const double halfMax = valueMax / 2;
    if (halfMax <= 0)
        return plot.bottom() - MarkerHalfHeight;
    return int(whole(plot.centre() + plot.half() * (halfMax - level) / halfMax - MarkerHalfHeight));
}

int markerTopAfterResize(double level, double valueMax, Plot plot)
{
    if (valueMax <= 0)
        return plot.bottom() - MarkerHalfHeight;
    const int top = plot.bottom() - int(whole(level / valueMax * plot.height)) - MarkerHalfHeight;
    return std::min(top, plot.bottom() - MarkerHalfHeight);
}

bool markerVisible(bool triggerOn, int markerTop, Plot plot)
{
    // A level of exactly "Max." sits on the top edge and stays visible (a marker dragged to
    // the top must not vanish); only a level above "Max." hides it.
    return triggerOn && markerTop >= plot.top - MarkerHalfHeight;
}

int markerTopInPlot(int markerTop, Plot plot)
{
    return std::clamp(markerTop, plot.top - MarkerHalfHeight, plot.bottom() - MarkerHalfHeight);
}

int levelAtMarker(int markerTop, double valueMax, Plot plot)
{
    if (plot.half() <= 0)
        return 0;
    const double halfMax = valueMax / 2;
    const qint64 fromCentre = whole((markerTop + MarkerHalfHeight - plot.centre()) * halfMax / plot.half());
    return int(whole(valueMax - (double(fromCentre) + halfMax)));
}

QString pointTimeText(int index, double secondsPerDivision)
{
    return NumberText::fixed(index * secondsPerDivision * 0.2, 1);
}

QString pointInfoText(const PointInfo &info)
{
    return QStringLiteral("CH%1 : %2\n\n").arg(info.channel).arg(info.itemName)
           + info.valueCaption + QStringLiteral(" : ") + info.valueText + QLatin1Char('\n')
           + info.multiplierCaption + QStringLiteral(" : ") + QString::number(info.multiplier, 'g', 7)
           + QLatin1Char('\n') + info.offsetCaption + QStringLiteral(" : ") + QString::number(info.offset)
           + QStringLiteral("\n\n") + info.timeCaption + QStringLiteral(" : ")
           + pointTimeText(info.index, info.secondsPerDivision) + QStringLiteral(" (s) ");
}

}  // namespace ChartScope
