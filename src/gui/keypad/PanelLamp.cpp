#include "PanelLamp.h"

#include <QPainter>
#include <QRadialGradient>

PanelLamp::PanelLamp(const QString &caption, const QColor &color, QWidget *parent)
    : QWidget(parent), m_caption(caption), m_color(color)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void PanelLamp::setLit(bool lit)
{
    if (lit == m_lit)
        return;
    m_lit = lit;
    update();
}

QSize PanelLamp::sizeHint() const
{
    const QFontMetrics fm(font());
    return QSize(std::max(fm.horizontalAdvance(m_caption) + 8, 30), fm.height() + 18);
}

void PanelLamp::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics fm(font());
    const double r = 5.5;
    const QPointF centre(width() / 2.0, r + 3);
    QRadialGradient light(centre - QPointF(r / 3, r / 3), r * 1.6);
    if (m_lit) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(m_color.red(), m_color.green(), m_color.blue(), 60));
        painter.drawEllipse(centre, r + 3.5, r + 3.5);
        light.setColorAt(0, m_color.lighter(170));
        light.setColorAt(1, m_color);
    } else {
        light.setColorAt(0, QColor(85, 85, 85));
        light.setColorAt(1, QColor(40, 40, 40));
    }
    painter.setPen(QPen(QColor(10, 10, 10), 1));
    painter.setBrush(light);
    painter.drawEllipse(centre, r, r);
    painter.setPen(m_lit ? QColor(235, 235, 235) : QColor(160, 160, 160));
    painter.drawText(QRectF(0, 2 * r + 5, width(), fm.height() + 2), Qt::AlignHCenter | Qt::AlignTop, m_caption);
}
