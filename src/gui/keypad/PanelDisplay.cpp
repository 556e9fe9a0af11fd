#include "PanelDisplay.h"

#include "keypad/PanelFont.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <array>

namespace {

// One digit in its own units: 1.0 wide, 1.8 high, segments 0.17 thick; the point sits to the
// right of the digit. A digit pitch of 1.45 leaves room for the point and the slant.
constexpr double Thick = 0.17;
constexpr double Gap = 0.025;
constexpr double DigitHeight = 1.8;
constexpr double Pitch = 1.45;
constexpr double Slant = 0.09;
constexpr double Margin = 0.45;  // around the four digits, inside the window
constexpr double TotalWidth = 4 * Pitch + 2 * Margin - 0.3;
constexpr double TotalHeight = DigitHeight + 2 * Margin;

const QColor Lit(255, 52, 30);
const QColor Glow(255, 60, 30, 70);
const QColor Dark(58, 16, 14);
const QColor Window(20, 6, 6);

QPolygonF horizontal(double x1, double x2, double y)
{
    const double h = Thick / 2;
    return QPolygonF({QPointF(x1, y), QPointF(x1 + h, y - h), QPointF(x2 - h, y - h), QPointF(x2, y),
                      QPointF(x2 - h, y + h), QPointF(x1 + h, y + h)});
}

QPolygonF vertical(double x, double y1, double y2)
{
    const double h = Thick / 2;
    return QPolygonF({QPointF(x, y1), QPointF(x + h, y1 + h), QPointF(x + h, y2 - h), QPointF(x, y2),
                      QPointF(x - h, y2 - h), QPointF(x - h, y1 + h)});
}

// Segments a..g in bit order.
const std::array<QPolygonF, 7> &segments()
{
    static const std::array<QPolygonF, 7> shapes = [] {
        const double left = Thick / 2, right = 1.0 - Thick / 2;
        const double top = Thick / 2, mid = DigitHeight / 2, bottom = DigitHeight - Thick / 2;
        return std::array<QPolygonF, 7>{
            horizontal(left + Gap, right - Gap, top),      // a
            vertical(right, top + Gap, mid - Gap),         // b
            vertical(right, mid + Gap, bottom - Gap),      // c
            horizontal(left + Gap, right - Gap, bottom),   // d
            vertical(left, mid + Gap, bottom - Gap),       // e
            vertical(left, top + Gap, mid - Gap),          // f
            horizontal(left + Gap, right - Gap, mid),      // g
        };
    }();
    return shapes;
}

}  // namespace

PanelDisplay::PanelDisplay(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("PanelDisplay"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

void PanelDisplay::setText(const QString &fontText)
{
    const QString text = fontText.leftJustified(4, u' ', true);
    if (text == m_text)
        return;
    m_text = text;
    update();
}

QSize PanelDisplay::sizeHint() const
{
    return QSize(300, heightForWidth(300));
}

QSize PanelDisplay::minimumSizeHint() const
{
    return QSize(120, heightForWidth(120));
}

int PanelDisplay::heightForWidth(int width) const
{
    return int(width * TotalHeight / TotalWidth + 0.5);
}

void PanelDisplay::paintDigit(QPainter &painter, uint8_t code) const
{
    const std::array<QPolygonF, 7> &shapes = segments();
    painter.setPen(Qt::NoPen);
    for (int s = 0; s < 7; ++s) {
        const bool on = (code >> s) & 1;
        if (on) {
            // A soft halo first, then the segment itself.
            QPainterPath halo;
            halo.addPolygon(shapes[size_t(s)]);
            painter.strokePath(halo, QPen(Glow, Thick * 0.55, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        }
        painter.setBrush(on ? Lit : Dark);
        painter.drawPolygon(shapes[size_t(s)]);
    }
    painter.setBrush((code & 0x80) ? Lit : Dark);
    painter.drawEllipse(QPointF(1.0 + 0.17, DigitHeight - Thick / 2), Thick * 0.62, Thick * 0.62);
}

void PanelDisplay::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // The display window keeps its proportions and is centred in the widget.
    const double scale = std::min(width() / TotalWidth, height() / TotalHeight);
    const QRectF window((width() - TotalWidth * scale) / 2, (height() - TotalHeight * scale) / 2,
                        TotalWidth * scale, TotalHeight * scale);
    painter.setPen(QPen(QColor(8, 8, 8), std::max(1.0, scale * 0.06)));
    painter.setBrush(Window);
    painter.drawRoundedRect(window, scale * 0.18, scale * 0.18);
    for (int position = 0; position < 4; ++position) {
        painter.save();
        painter.translate(window.left() + (Margin + position * Pitch + Slant * DigitHeight / 2) * scale,
                          window.top() + Margin * scale);
        painter.scale(scale, scale);
        painter.shear(-Slant, 0);
        paintDigit(painter, PanelFont::SegmentsOf(m_text.at(position)));
        painter.restore();
    }
}

void PanelDisplay::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
    emit doubleClicked();
}
