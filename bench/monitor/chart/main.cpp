// Drawing cost of the monitor chart: a whole redraw of ten lines of 10,000 points, and the
// cost of one ten-channel sample during a run (adding the points, and adding plus drawing).
// The reference is QPainter drawing the same ten polylines into an image of the same size,
// measured in the same run: the floor any chart widget has to stand on.

#include "monitor/MonitorChart.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr int Points = 10000;
constexpr int Width = 1000, Height = 420;

double valueAt(int channel, int i)
{
    return 50 + 40 * std::sin(i * 0.01 * (channel + 1)) + 5 * std::sin(i * 0.37 + channel);
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

template <typename F>
double medianMs(int runs, F &&f)
{
    std::vector<double> t;
    for (int r = 0; r < runs; ++r) {
        QElapsedTimer timer;
        timer.start();
        f();
        t.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    return median(t);
}

double painterFloorMs()
{
    std::vector<QPolygonF> lines(MonitorChart::Lines);
    for (int c = 0; c < MonitorChart::Lines; ++c) {
        for (int i = 0; i < Points; ++i)
            lines[c] << QPointF(double(i) * Width / Points, Height - valueAt(c, i) * Height / 100);
    }
    QImage image(Width, Height, QImage::Format_ARGB32_Premultiplied);
    return medianMs(20, [&] {
        image.fill(Qt::white);
        QPainter p(&image);
        for (int c = 0; c < MonitorChart::Lines; ++c) {
            p.setPen(QColor::fromHsv(c * 36, 255, 200));
            p.drawPolyline(lines[c]);
        }
    });
}

}  // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    MonitorChart chart;
    chart.resize(Width, Height);
    chart.show();
    for (int c = 0; c < MonitorChart::Lines; ++c) {
        for (int i = 0; i < Points; ++i)
            chart.addPoint(c, i, valueAt(c, i));
    }
    chart.setFullRange(Points + 5);
    chart.setRange({0, Points + 5});
    chart.replotNow();
    const double redraw = medianMs(20, [&] { chart.replotNow(); });
    const double floor = painterFloorMs();
    std::printf("redraw, 10 lines x %d points:           %7.2f ms  (goal < 20 ms; QPainter polylines %.2f ms)\n",
                Points, redraw, floor);

    // During a run: the newest 100 samples in view, one point per line per sample.
    MonitorChart run;
    run.resize(Width, Height);
    run.show();
    constexpr int Samples = 2000;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < Samples; ++i) {
        for (int c = 0; c < MonitorChart::Lines; ++c)
            run.addPoint(c, i, valueAt(c, i));
    }
    const double add = double(timer.nsecsElapsed()) / 1e6 / Samples;
    std::printf("add one sample to 10 lines:               %7.4f ms  (goal < 0.2 ms)\n", add);
    int i = Samples;
    const double addAndDraw = medianMs(200, [&] {
        for (int c = 0; c < MonitorChart::Lines; ++c)
            run.addPoint(c, i, valueAt(c, i));
        ++i;
        run.replotNow();
    });
    std::printf("add one sample to 10 lines and redraw:    %7.2f ms  (%d points per line in view of %d)\n", addAndDraw,
                100, i);
    return 0;
}
