#pragma once

#include <QWidget>

// The trigger level's marker beside the chart: a small arrow that the user drags up and
// down. It only reports the vertical movement; the chart turns positions into levels.
class TriggerMarker : public QWidget
{
    Q_OBJECT

public:
    static constexpr int Width = 13;
    static constexpr int Height = 15;  // twice the half height of 7, plus the tip row

    explicit TriggerMarker(QWidget *parent);

signals:
    /// The marker was dragged by `dy` pixels (the marker has not moved yet).
    void dragged(int dy);
    void released();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool m_dragging = false;
    int m_lastY = 0;
};
