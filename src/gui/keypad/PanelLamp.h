#pragma once

#include <QString>
#include <QWidget>

// One status lamp of the panel: a small LED with its caption under it.
class PanelLamp : public QWidget
{
    Q_OBJECT

public:
    PanelLamp(const QString &caption, const QColor &color, QWidget *parent = nullptr);

    void setLit(bool lit);
    bool isLit() const { return m_lit; }
    QString caption() const { return m_caption; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_caption;
    QColor m_color;
    bool m_lit = false;
};
