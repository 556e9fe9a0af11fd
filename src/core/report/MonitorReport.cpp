#include "MonitorReport.h"

#include "PageSetup.h"
#include "model/NumberText.h"

#include <algorithm>

namespace {

// The separators of the channel table at their design positions, of 718 across the band.
constexpr double DesignWidth = 718;
constexpr double Separators[] = {44, 99, 338, 408, 478, 538, 598, 658};
constexpr double ItemInset = 5;
// The chart picture keeps the design's 709 × 273 proportions across the band.
constexpr double ChartAspect = 273.0 / 709.0;
constexpr double CaptionAt = 0.0111, ValueAt = 0.25;
const QString Dash = QStringLiteral("-");

}  // namespace

int MonitorReport::rowCount(const MonitorReportData &data)
{
    return qBound(0, 10 - data.armedChecks, int(data.channels.size()));
}

QString MonitorReport::valueText(const MonitorReportData &data, const MonitorReportChannel &channel, double y)
{
    const std::optional<double> multiplier = NumberText::parse(channel.multiplier);
    const std::optional<double> offset = NumberText::parse(channel.offset);
    if (!multiplier || *multiplier == 0 || !offset)
        return Dash;
    QString text = NumberText::fixed((y - *offset) / *multiplier, qBound(0, channel.decimals, 3));
    if (data.decimalComma) {
        const qsizetype dot = text.indexOf(QLatin1Char('.'));
        if (dot >= 0)
            text[dot] = QLatin1Char(',');
    }
    return text;
}

MonitorReport::Row MonitorReport::row(const MonitorReportData &data, int channel)
{
    const MonitorReportChannel &c = data.channels.at(channel);
    Row r;
    r[0] = QString::number(channel + 1);
    r[1] = c.selected ? QStringLiteral("ON") : QStringLiteral("OFF");
    r[2] = c.item;
    r[3] = c.multiplier;
    r[4] = c.offset;
    for (int k = 5; k < Columns; ++k)
        r[k] = Dash;
    // Points 0 .. SamplesTaken are the recording; anything after them is left from before.
    const qsizetype taken = qMin<qsizetype>(qsizetype(data.samplesTaken) + 1, c.points.size());
    if (!c.selected || data.samplesTaken < 0 || taken <= 0)
        return r;
    const auto [lowest, highest] = std::minmax_element(c.points.cbegin(), c.points.cbegin() + taken);
    r[5] = valueText(data, c, *lowest);
    r[6] = valueText(data, c, *highest);
    r[7] = valueText(data, c, c.points.first());
    if (data.samplesTaken < c.points.size())
        r[8] = valueText(data, c, c.points.at(data.samplesTaken));
    return r;
}

QVector<MonitorReport::SettingLine> MonitorReport::settings(const MonitorReportData &d)
{
    const QString none = QStringLiteral(": -");
    const auto shown = [&](const QString &value) { return d.trigger ? QStringLiteral(": ") + value : none; };
    const bool delayShown = d.trigger && d.scope.trimmed() == QLatin1String("100");
    return {{d.timeCaption, QStringLiteral(": ") + d.timePerDivision + d.timeUnit},
            {d.scopeCaption, QStringLiteral(": ") + d.scope + d.scopeUnit},
            {d.sourceCaption, shown(QStringLiteral("CH") + QString::number(d.triggerChannel + 1))},
            {d.levelCaption, shown(d.triggerLevel)},
            {d.slopeCaption, shown(d.triggerSlope)},
            {d.delayCaption, delayShown ? QStringLiteral(": ") + d.triggerDelay : none}};
}

namespace {

// Left and right edges of the nine cells of a band `width` wide starting at `x`.
QVector<double> cellEdges(double x, double width)
{
    QVector<double> edges{x};
    for (double s : Separators)
        edges.append(x + s / DesignWidth * width);
    edges.append(x + width);
    return edges;
}

void placeTableRow(ReportPage &page, const QVector<double> &edges, double y, double h, const MonitorReport::Row &cells,
                   int color, bool heading)
{
    if (heading) {
        page.shades.append(QRectF(edges.first(), y, edges.last() - edges.first(), h - 4));
        page.lines.append(QLineF(edges.first(), y + h - 4, edges.last(), y + h - 4));
    }
    for (int c = 0; c < MonitorReport::Columns; ++c) {
        QRectF box(edges[c], y, edges[c + 1] - edges[c], heading ? h - 4 : h);
        Qt::Alignment align = Qt::AlignCenter;
        if (c == 2 && !heading) {
            box.adjust(ItemInset, 0, -ItemInset, 0);
            align = Qt::AlignLeft | Qt::AlignVCenter;
        }
        page.texts.append({box, cells[c], align, color});
    }
    for (int c = 0; c <= MonitorReport::Columns; ++c)
        page.lines.append(QLineF(edges[c], y, edges[c], y + h));
    page.lines.append(QLineF(edges.first(), y + h, edges.last(), y + h));
}

}  // namespace

ReportDocument MonitorReport::layout(const PageSetup &given, const ReportHeader &header, const MonitorReportData &data)
{
    PageSetup setup = given;
    setup.paper = PageSetup::A4;
    setup.portrait = true;
    ReportDocument doc = header.document(setup);
    const QRectF area = setup.printable();
    const double row = setup.rowPoints();
    const double w = area.width();
    const QVector<double> edges = cellEdges(area.left(), w);
    doc.pages.append(ReportPage());
    double y = area.top() + header.place(doc.pages.last(), setup, area, row, false);
    const QRectF chart(area.left(), y, w, w * ChartAspect);
    doc.pages.last().pictures.append(chart);
    doc.pages.last().lines += {QLineF(chart.topLeft(), chart.topRight()), QLineF(chart.topRight(), chart.bottomRight()),
                               QLineF(chart.bottomRight(), chart.bottomLeft()), QLineF(chart.bottomLeft(), chart.topLeft())};
    y = chart.bottom() + row / 2;
    for (const SettingLine &line : settings(data)) {
        doc.pages.last().texts.append({QRectF(area.left() + CaptionAt * w, y, (ValueAt - CaptionAt) * w, row), line.caption});
        doc.pages.last().texts.append({QRectF(area.left() + ValueAt * w, y, (1 - ValueAt) * w, row), line.value});
        y += row;
    }
    y += row / 2;
    Row headings;
    for (int c = 0; c < Columns; ++c)
        headings[c] = data.headings.value(c);
    const auto startTable = [&](ReportPage &page) {
        page.lines.append(QLineF(edges.first(), y, edges.last(), y));
        placeTableRow(page, edges, y, row + 3, headings, 0, true);
        y += row + 3;
    };
    startTable(doc.pages.last());
    for (int ch = 0; ch < rowCount(data); ++ch) {
        if (y + row > area.bottom() - row) {
            doc.pages.append(ReportPage());
            y = area.top() + header.place(doc.pages.last(), setup, area, row, false);
            startTable(doc.pages.last());
        }
        placeTableRow(doc.pages.last(), edges, y, row, MonitorReport::row(data, ch), data.channels.at(ch).color, false);
        y += row;
    }
    return doc;
}
