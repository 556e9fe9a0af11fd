#pragma once

#include <QWidget>

// The small picture of the sheet in "Page Setup": the paper turned to the orientation, with
// the four margin lines one pixel per millimetre from the edge; the margin being edited is
// drawn red.
class PageSketch : public QWidget
{
    Q_OBJECT

public:
    enum Side { Top, Bottom, Left, Right, None };

    explicit PageSketch(QWidget *parent = nullptr);

    void setPortrait(bool portrait);
    void setMargin(Side side, int millimetres);
    void setEditing(Side side);
    QSize sizeHint() const override { return {110, 110}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_portrait = true;
    int m_margins[4] = {10, 10, 10, 10};
    Side m_editing = None;
};
