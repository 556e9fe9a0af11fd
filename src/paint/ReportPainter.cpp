#include "ReportPainter.h"

#include "report/ReportDocument.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>

namespace {

constexpr double RuleWidth = 0.5;         // points
// A text too wide for its box is narrowed down to 80 % of its width, then shortened with "…".
constexpr double NarrowestText = 0.8;
const QColor RuleColor(0x40, 0x40, 0x40);
const QColor ShadeColor(0xEC, 0xEC, 0xEC);

QPageSize pageSizeOf(int paperCode)
{
    switch (paperCode) {
    case 8:
        return QPageSize(QPageSize::A3);
    case 11:
        return QPageSize(QPageSize::A5);
    case 12:
        return QPageSize(QPageSize::JisB4);
    case 13:
        return QPageSize(QPageSize::JisB5);
    default:
        return QPageSize(QPageSize::A4);
    }
}

QColor colorOf(int bgr)
{
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

void drawText(QPainter &painter, const QFontMetricsF &metrics, const ReportText &t, double k)
{
    const QRectF box(t.box.left() * k, t.box.top() * k, t.box.width() * k, t.box.height() * k);
    const double width = metrics.horizontalAdvance(t.text);
    painter.setPen(colorOf(t.color));
    if (width <= box.width() || box.width() <= 0) {
        painter.drawText(box, int(t.align) | Qt::TextSingleLine | Qt::TextDontClip, t.text);
        return;
    }
    // Narrow the text to its box rather than let it run into the next column.
    const double squeeze = qMax(NarrowestText, box.width() / width);
    const QString text = metrics.elidedText(t.text, Qt::ElideRight, box.width() / squeeze);
    painter.save();
    painter.translate(box.left(), box.top());
    painter.scale(squeeze, 1);
    painter.drawText(QRectF(0, 0, box.width() / squeeze, box.height()), int(t.align) | Qt::TextSingleLine, text);
    painter.restore();
}

}  // namespace

namespace ReportPainter {

void preparePage(QPagedPaintDevice &device, const ReportDocument &doc)
{
    device.setPageLayout(QPageLayout(pageSizeOf(doc.paperCode),
                                     doc.portrait ? QPageLayout::Portrait : QPageLayout::Landscape,
                                     QMarginsF(0, 0, 0, 0), QPageLayout::Point));
}

void drawPage(QPainter &painter, const ReportDocument &doc, const ReportPage &page, const QImage &picture,
              double k)
{
    QFont font(doc.fontName);
    font.setPointSizeF(doc.fontSize);
    painter.setFont(font);
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (const QRectF &box : page.shades)
        painter.fillRect(QRectF(box.left() * k, box.top() * k, box.width() * k, box.height() * k), ShadeColor);
    for (const QRectF &box : page.pictures) {
        if (!picture.isNull())
            painter.drawImage(QRectF(box.left() * k, box.top() * k, box.width() * k, box.height() * k), picture);
    }
    QPen rule(RuleColor, RuleWidth * k);
    rule.setCapStyle(Qt::SquareCap);
    painter.setPen(rule);
    for (const QLineF &line : page.lines)
        painter.drawLine(QLineF(line.p1() * k, line.p2() * k));
    const QFontMetricsF metrics(painter.font(), painter.device());
    for (const ReportText &t : page.texts) {
        if (!t.text.isEmpty())
            drawText(painter, metrics, t, k);
    }
}

bool print(QPagedPaintDevice &device, const ReportDocument &doc, const QImage &picture, int from, int to)
{
    preparePage(device, doc);
    if (to < 0 || to >= doc.pages.size())
        to = int(doc.pages.size()) - 1;
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const double k = device.logicalDpiY() / 72.0;
    for (int n = qMax(0, from); n <= to; ++n) {
        if (n > qMax(0, from) && !device.newPage())
            return false;
        drawPage(painter, doc, doc.pages[n], picture, k);
    }
    return painter.end();
}

}  // namespace ReportPainter
