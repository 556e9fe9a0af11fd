#pragma once

#include <QColor>
#include <QFrame>

// A box filled with a channel's colour; a double-click asks for another.
class ColorBox : public QFrame
{
    Q_OBJECT

public:
    explicit ColorBox(QWidget *parent);

    QColor color() const { return m_color; }
    void setColor(const QColor &color);

signals:
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    QColor m_color = Qt::black;
};
