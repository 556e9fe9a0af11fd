#pragma once

#include <QImage>
#include <QSize>

struct MonitorReportData;

// The chart of a recording drawn without the monitoring window, for the monitor report of a
// recording file: a white plot with the silver grid of the window's chart (a division per 5
// samples, ten across the value range) and each selected channel's line in its colour.
namespace MonitorChartPicture {

/// The whole recording across the picture, values 0 .. `valueMax` from bottom to top.
QImage draw(const MonitorReportData &data, double valueMax, QSize size = QSize(1418, 546));

}  // namespace MonitorChartPicture
