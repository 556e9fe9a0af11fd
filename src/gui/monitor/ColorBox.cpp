#include "ColorBox.h"

#include <QMouseEvent>
#include <QPainter>

ColorBox::ColorBox(QWidget *parent) : QFrame(parent)
{
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    setFixedSize(44, 20);
    setCursor(Qt::PointingHandCursor);
}

void ColorBox::setColor(const QColor &color)
{
    m_color = color;
    update();
}

void ColorBox::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter p(this);
    const QColor fill = isEnabled() ? m_color : m_color.lighter(160);
    p.fillRect(contentsRect().adjusted(2, 2, -2, -2), fill);
}

void ColorBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}
