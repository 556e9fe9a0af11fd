#pragma once

#include <QString>
#include <QWidget>

// The panel's four-character LED display, drawn segment by segment from the segment codes of
// its characters (LED font alphabet, see PanelFont) so that it is sharp at any size and pixel
// density. Dark segments are drawn faintly, as on a real LED display.
class PanelDisplay : public QWidget
{
    Q_OBJECT

public:
    explicit PanelDisplay(QWidget *parent = nullptr);

    /// Four characters of the LED font's alphabet; repaints only when they change.
    void setText(const QString &fontText);
    QString text() const { return m_text; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

signals:
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void paintDigit(QPainter &painter, uint8_t code) const;

    QString m_text = QStringLiteral("    ");
};
