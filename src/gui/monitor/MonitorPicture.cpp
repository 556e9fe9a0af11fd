#include "MonitorPicture.h"

#include "MonitorChart.h"
#include "TMonitoring.h"
#include "app/Session.h"
#include "base/CodePage.h"
#include "monitor/MonitorSetup.h"
#include "pictures/PictureFiles.h"

#include <QBuffer>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <cmath>
#include <qcustomplot.h>

namespace {

constexpr int Margin = 10;      // the legend's horizontal margin
constexpr int BoxWidth = 20;    // a legend entry's colour box
constexpr int BoxGap = 6;       // between the box and the text
constexpr int LineGap = 4;      // between two legend entries
const QColor Grid(192, 192, 192);

quint32 rgb(const QColor &c)
{
    return quint32(c.rgb() & 0xFFFFFF);
}

QString scaleText(double multiplier, int offset)
{
    return QStringLiteral("x%1 +%2").arg(QString::number(multiplier, 'f', 1)).arg(offset);
}

}  // namespace

MonitorPicture::MonitorPicture(MonitorChart &chart, const QList<LegendEntry> &legend, const QFont &font)
    : m_chart(chart), m_legend(legend), m_font(font)
{
    const QFontMetrics metrics(m_font);
    m_lineHeight = metrics.height();
    int widest = 0;
    for (const LegendEntry &e : m_legend)
        widest = std::max(widest, metrics.horizontalAdvance(e.text));
    // The legend's width + 10 + its colour box's width + 16.
    m_legendWidth = widest + Margin + BoxWidth + BoxGap + Margin;
    m_size = QSize(m_legendWidth + chart.width(), chart.height());
}

QList<MonitorPicture::LegendEntry> MonitorPicture::legendOf(const TMonitoring &window)
{
    QList<LegendEntry> legend;
    const MonitorSetup &setup = window.setup();
    for (int c = 0; c < MonitorSetup::Channels; ++c) {
        const MonitorChannel &ch = setup.channels[size_t(c)];
        const MonitorItem *item = window.items().at(ch.item);
        if (!ch.selected || !item)
            continue;
        const QColor colour(BgrColor::red(ch.color), BgrColor::green(ch.color), BgrColor::blue(ch.color));
        legend.append({c, item->name + QLatin1Char(' ') + scaleText(ch.multiplier(), ch.offset), colour});
    }
    return legend;
}

MonitorPicture::Legend MonitorPicture::place(int i) const
{
    const int top = m_chart.plot()->axisRect()->rect().top() + i * (m_lineHeight + LineGap);
    Legend l;
    l.box = QRect(Margin, top + m_lineHeight / 4, BoxWidth, std::max(4, m_lineHeight / 2));
    l.text = QPoint(Margin + BoxWidth + BoxGap, top);
    return l;
}

template <typename F>
void MonitorPicture::withLegendLines(F draw)
{
    bool shown[MonitorChart::Lines] = {};
    for (const LegendEntry &e : m_legend)
        shown[e.channel] = true;
    for (int c = 0; c < MonitorChart::Lines; ++c)
        m_chart.setLineVisible(c, shown[c]);
    m_chart.replotNow();
    draw();
    for (int c = 0; c < MonitorChart::Lines; ++c)
        m_chart.setLineVisible(c, true);
    m_chart.replotNow();
}

QImage MonitorPicture::image()
{
    QImage out(m_size, QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter p(&out);
    p.setFont(m_font);
    for (int i = 0; i < m_legend.size(); ++i) {
        const Legend l = place(i);
        p.fillRect(l.box, m_legend[i].colour);
        p.setPen(Qt::black);
        p.drawRect(l.box);
        p.drawText(QRect(l.text, QSize(m_legendWidth, m_lineHeight)), Qt::AlignLeft | Qt::AlignVCenter,
                   m_legend[i].text);
    }
    withLegendLines([&] {
        QPixmap chart = m_chart.grab();
        chart.setDevicePixelRatio(1);
        p.drawPixmap(m_legendWidth, 0, chart);
    });
    return out;
}

WmfPicture MonitorPicture::metafile()
{
    WmfPicture w;
    w.width = m_size.width();
    w.height = m_size.height();
    w.background = 0xFFFFFF;
    w.fontName = m_font.family();
    w.fontHeight = m_lineHeight;
    w.pens = {{0x000000, 1}, {rgb(Grid), 1}};
    for (int i = 0; i < m_legend.size(); ++i) {
        const Legend l = place(i);
        // The colour box as a line as thick as the box.
        w.pens.append({rgb(m_legend[i].colour), l.box.height()});
        const int y = l.box.center().y();
        w.polylines.append({int(w.pens.size()) - 1, {QPoint(l.box.left(), y), QPoint(l.box.right(), y)}});
        w.texts.append({l.text, m_legend[i].text, 0x000000});
    }
    withLegendLines([&] {
        addPlot(w);
        addLines(w);
        addLabels(w);
    });
    return w;
}

void MonitorPicture::addPlot(WmfPicture &w) const
{
    QCustomPlot *plot = m_chart.plot();
    const QRect r = plot->axisRect()->rect().translated(m_legendWidth, 0);
    const QFontMetrics metrics(m_font);
    for (double t : plot->xAxis->tickVector()) {
        const double at = m_legendWidth + plot->xAxis->coordToPixel(t);
        const int x = std::clamp(int(std::lround(at)), r.left(), r.right());
        if (std::abs(at - x) > 1.5)
            continue;
        w.polylines.append({1, {QPoint(x, r.top()), QPoint(x, r.bottom())}});
        w.texts.append({QPoint(x - metrics.horizontalAdvance(u'^') / 2, r.bottom() + 4), QStringLiteral("^"), 0});
    }
    const QVector<double> ticks = plot->yAxis->tickVector();
    const QVector<QString> labels = plot->yAxis->tickVectorLabels();
    for (int i = 0; i < ticks.size(); ++i) {
        // The ticks at the ends may land a pixel outside the rectangle by rounding.
        const int y = std::clamp(int(std::lround(plot->yAxis->coordToPixel(ticks[i]))), r.top(), r.bottom());
        if (std::abs(plot->yAxis->coordToPixel(ticks[i]) - y) > 1.5)
            continue;
        w.polylines.append({1, {QPoint(r.left(), y), QPoint(r.right(), y)}});
        const QString label = labels.value(i);
        w.texts.append({QPoint(r.left() - 4 - metrics.horizontalAdvance(label), y - m_lineHeight / 2), label, 0});
    }
    // The left and bottom axes; there is no right or top axis.
    w.polylines.append({0, {r.topLeft(), r.bottomLeft(), r.bottomRight()}});
}

void MonitorPicture::addLines(WmfPicture &w) const
{
    QCustomPlot *plot = m_chart.plot();
    const QRect r = plot->axisRect()->rect();
    const QCPRange range = plot->xAxis->range();
    for (const LegendEntry &e : m_legend) {
        w.pens.append({rgb(e.colour), 1});
        WmfPicture::Polyline line{int(w.pens.size()) - 1, {}};
        QCPGraph *g = m_chart.line(e.channel);
        for (auto it = g->data()->findBegin(range.lower); it != g->data()->findEnd(range.upper); ++it) {
            const int x = int(plot->xAxis->coordToPixel(it->key));
            const int y = std::clamp(int(plot->yAxis->coordToPixel(it->value)), r.top(), r.bottom());
            line.points.append(QPoint(m_legendWidth + std::clamp(x, r.left(), r.right()), y));
        }
        if (line.points.size() == 1)
            line.points.append(line.points.first());
        if (!line.points.isEmpty())
            w.polylines.append(line);
    }
}

void MonitorPicture::addLabels(WmfPicture &w) const
{
    // The labels over the chart, where and as they show.
    for (const QLabel *l : m_chart.plot()->findChildren<QLabel *>()) {
        if (l->isHidden() || l->text().isEmpty())
            continue;
        const QPoint at = l->mapTo(&m_chart, QPoint(0, 0)) + QPoint(m_legendWidth, 0);
        w.texts.append({at, l->text(), rgb(l->palette().color(QPalette::WindowText))});
    }
}

QByteArray MonitorPicture::png(TMonitoring &window)
{
    MonitorChart *chart = window.findChild<MonitorChart *>();
    if (!chart)
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!MonitorPicture(*chart, legendOf(window), chart->font()).image().save(&buffer, "PNG"))
        return {};
    return bytes;
}

bool MonitorPicture::save(TMonitoring &window, const QString &path, QString *error)
{
    const QString extension = QFileInfo(path).suffix().toLower();
    MonitorChart *chart = window.findChild<MonitorChart *>();
    if (!chart || (extension != QLatin1String("bmp") && extension != QLatin1String("jpg")
                   && extension != QLatin1String("wmf"))) {
        if (error)
            *error = QStringLiteral("%1 is not a .bmp, .jpg or .wmf file").arg(path);
        return false;
    }
    MonitorPicture picture(*chart, legendOf(window), chart->font());
    if (extension == QLatin1String("wmf")) {
        WmfPicture metafile = picture.metafile();
        // Item names are in the language's code page, as in every other file.
        metafile.codePage = CodePages::forLanguage(window.m_session.selection.languageName);
        return WmfWriter::write(path, metafile, error);
    }
    const QImage image = picture.image();
    return extension == QLatin1String("bmp") ? PictureFiles::saveBmp(image, path, error)
                                             : PictureFiles::saveJpeg(image, path, error);
}
