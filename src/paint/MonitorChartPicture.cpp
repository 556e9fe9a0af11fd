#include "MonitorChartPicture.h"

#include "report/MonitorReportData.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace MonitorChartPicture {

namespace {

constexpr int GridStep = 5;         // samples per division
constexpr int ScreenSamples = 100;  // the shortest range the chart shows

QColor fromBgr(int bgr)
{
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

}  // namespace

QImage draw(const MonitorReportData &data, double valueMax, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    if (size.isEmpty() || !(valueMax > 0))
        return image;
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const int samples = std::max(ScreenSamples, data.samplesTaken + GridStep);
    const double dx = size.width() / double(samples);
    const double dy = size.height() / valueMax;
    p.setPen(QPen(QColor(192, 192, 192), 1));
    for (int x = 0; x <= samples; x += GridStep)
        p.drawLine(QPointF(x * dx, 0), QPointF(x * dx, size.height()));
    for (int k = 0; k <= 10; ++k)
        p.drawLine(QPointF(0, k * size.height() / 10.0), QPointF(size.width(), k * size.height() / 10.0));
    for (const MonitorReportChannel &c : data.channels) {
        if (!c.selected || c.points.isEmpty())
            continue;
        const qsizetype n = std::min<qsizetype>(c.points.size(), qsizetype(data.samplesTaken) + 1);
        QPainterPath path;
        for (qsizetype i = 0; i < n; ++i) {
            const QPointF at(i * dx, size.height() - std::clamp(c.points[i], -valueMax, 2 * valueMax) * dy);
            i == 0 ? path.moveTo(at) : path.lineTo(at);
        }
        p.setPen(QPen(fromBgr(c.color), 2));
        p.drawPath(path);
    }
    return image;
}

}  // namespace MonitorChartPicture
