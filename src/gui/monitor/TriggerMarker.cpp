#include "TriggerMarker.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

TriggerMarker::TriggerMarker(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TrigMak"));
    setFixedSize(Width, Height);
    setCursor(Qt::SplitVCursor);
    setAttribute(Qt::WA_TranslucentBackground);
}

void TriggerMarker::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath arrow;
    arrow.moveTo(0.5, 0.5);
    arrow.lineTo(Width - 0.5, Height / 2.0);
    arrow.lineTo(0.5, Height - 0.5);
    arrow.closeSubpath();
    p.setPen(QPen(QColor(120, 0, 0), 1));
    p.setBrush(QColor(220, 40, 40));
    p.drawPath(arrow);
}

void TriggerMarker::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_dragging = true;
    m_lastY = int(event->globalPosition().y());
}

void TriggerMarker::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragging)
        return;
    const int y = int(event->globalPosition().y());
    const int dy = y - m_lastY;
    m_lastY = y;
    if (dy != 0)
        emit dragged(dy);
}

void TriggerMarker::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_dragging || event->button() != Qt::LeftButton)
        return;
    m_dragging = false;
    emit released();
}
