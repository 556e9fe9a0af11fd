#include "PageSketch.h"

#include <QPainter>

PageSketch::PageSketch(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("PageSketch"));
    setMinimumSize(sizeHint());
}

void PageSketch::setPortrait(bool portrait)
{
    m_portrait = portrait;
    update();
}

void PageSketch::setMargin(Side side, int millimetres)
{
    if (side != None)
        m_margins[side] = qBound(0, millimetres, 30);
    update();
}

void PageSketch::setEditing(Side side)
{
    m_editing = side;
    update();
}

void PageSketch::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    // A sheet in the proportions of A4, centred.
    const QSize sheet = m_portrait ? QSize(74, 104) : QSize(104, 74);
    const QRect page(QPoint((width() - sheet.width()) / 2, (height() - sheet.height()) / 2), sheet);
    p.fillRect(page.translated(2, 2), palette().color(QPalette::Mid));
    p.fillRect(page, Qt::white);
    p.setPen(palette().color(QPalette::Dark));
    p.drawRect(page.adjusted(0, 0, -1, -1));
    const auto pen = [&](Side side) { return QPen(m_editing == side ? Qt::red : Qt::black, 1, Qt::DashLine); };
    p.setPen(pen(Top));
    p.drawLine(page.left(), page.top() + m_margins[Top], page.right(), page.top() + m_margins[Top]);
    p.setPen(pen(Bottom));
    p.drawLine(page.left(), page.bottom() - m_margins[Bottom], page.right(), page.bottom() - m_margins[Bottom]);
    p.setPen(pen(Left));
    p.drawLine(page.left() + m_margins[Left], page.top(), page.left() + m_margins[Left], page.bottom());
    p.setPen(pen(Right));
    p.drawLine(page.right() - m_margins[Right], page.top(), page.right() - m_margins[Right], page.bottom());
}
