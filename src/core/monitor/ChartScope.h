#pragma once

#include <QString>

// The arithmetic of the monitor chart's view, apart from any widget: the visible part of the
// time axis (scope, zoom at a click, following the newest sample, panning), the trigger
// marker's place beside the plot, and the text shown for a clicked point. The time axis
// counts samples (sample i at x = i); the value axis runs from 0 to "Max.".
namespace ChartScope {

constexpr int GridStep = 5;        // samples per division of the time axis
constexpr int ScreenSamples = 100;  // a screen of 20 divisions
constexpr int MinScope = 5;         // scope in percent of the full range
constexpr int MaxScope = 100;
constexpr int ScopeStep = 5;
constexpr int MarkerHalfHeight = 7;  // pixels

/// The visible part of the time axis, in samples.
struct Range {
    double min = 0;
    double max = ScreenSamples;
    bool operator==(const Range &) const = default;
};

/// A scope entry of `scope` percent: the range keeps its start unless its end would pass the
/// full range; the width is scope × full / 100 in whole samples.
Range scopeRange(Range current, double scope, int fullRange);

struct Zoomed {
    int scope = MaxScope;
    Range range;
};
/// A click on the chart background in zoom mode: the right button widens the scope by one
/// step, any other narrows it; the range moves toward the click. `clickX`, `plotCentreX` and
/// `chartWidth` are pixels of the chart widget.
Zoomed zoomAt(Range current, int scope, int fullRange, bool rightButton, int clickX, int plotCentreX,
              int chartWidth);

struct Followed {
    Range range;
    int fullRange = ScreenSamples;
    bool moved = false;
};
/// A point was added at position `added` of the line that carries the view; `largestX` is the
/// line's largest x and `pretrigger` the samples kept before the trigger of a triggered run
/// (0 otherwise). Near the right edge the view jumps to show the newest 100 samples with 5
/// samples of room; the full range always becomes the view's end.
Followed scrollToNewest(Range current, int pretrigger, int added, double largestX);
/// The scope field after following: 100 / full range × 100, without decimals.
QString scopeTextAfterFollow(int fullRange);

/// A dragged range kept inside 0 .. full range at its width (a range wider than the full
/// range starts at 0).
Range panned(Range wanted, int fullRange);

/// The plot area of the chart in pixels.
struct Plot {
    int top = 0;
    int height = 0;
    int bottom() const { return top + height; }
    int half() const { return height / 2; }
    int centre() const { return top + height / 2; }
};
/// Marker top for a level: level 0 on the plot's bottom edge, "Max." on its top edge.
int markerTopForLevel(double level, double valueMax, Plot plot);
/// Marker top after the chart was resized, never below the bottom edge.
int markerTopAfterResize(double level, double valueMax, Plot plot);
/// The marker shows while the trigger is used and it does not lie above the plot.
bool markerVisible(bool triggerOn, int markerTop, Plot plot);
/// A dragged marker stays between the plot's top and bottom edges.
int markerTopInPlot(int markerTop, Plot plot);
/// The level at a marker top (whole number).
int levelAtMarker(int markerTop, double valueMax, Plot plot);

/// What a click on a point of a channel's line shows.
struct PointInfo {
    int channel = 1;          // 1..10
    QString itemName;
    QString valueText;        // (y - offset) / multiplier as the item formats it
    double multiplier = 1;
    int offset = 0;
    int index = 0;            // the point's sample index
    double secondsPerDivision = 0;
    // Captions of the window's "Value", "Multi.", "Offset" and "Passed Time" labels.
    QString valueCaption, multiplierCaption, offsetCaption, timeCaption;
};
/// The elapsed time of sample `index`: index × seconds per division × 0.2, one decimal.
QString pointTimeText(int index, double secondsPerDivision);
QString pointInfoText(const PointInfo &info);

}  // namespace ChartScope
