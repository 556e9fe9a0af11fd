#pragma once

#include "monitor/WmfWriter.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QRect>
#include <QString>

class MonitorChart;
class TMonitoring;

// The monitor chart as a picture: the chart as it is on screen, widened on the left by a
// legend with one entry per selected channel (colour box, item name, multiplier and offset),
// unselected lines left out. One layout serves the three files: the bitmap and the JPEG are
// drawn from it into an image on white, the metafile gets the same legend, frame, grid,
// lines and labels as records.
class MonitorPicture
{
public:
    struct LegendEntry {
        int channel = 0;  // 0..9
        QString text;     // "Output frequency x1.0 +0"
        QColor colour;
    };

    MonitorPicture(MonitorChart &chart, const QList<LegendEntry> &legend, const QFont &font);

    /// The legend of the window's selected channels.
    static QList<LegendEntry> legendOf(const TMonitoring &window);
    /// Writes `path` by its extension, compared without case: ".bmp", ".jpg" or ".wmf". False
    /// with *error when the extension is none of them or the file could not be written.
    static bool save(TMonitoring &window, const QString &path, QString *error = nullptr);
    /// The window's picture as PNG bytes, for archives (empty without a chart).
    static QByteArray png(TMonitoring &window);

    /// The whole picture: the legend's width + the chart's, the chart's height.
    QSize size() const { return m_size; }
    int legendWidth() const { return m_legendWidth; }

    /// The picture drawn on white, for the bitmap and the JPEG.
    QImage image();
    /// The same picture as metafile records.
    WmfPicture metafile();

private:
    struct Legend {
        QRect box;     // the colour box
        QPoint text;   // top left of the text
    };
    /// Where entry i goes.
    Legend place(int i) const;
    /// Shows only the selected lines while `draw` runs, then every line again.
    template <typename F>
    void withLegendLines(F draw);
    void addPlot(WmfPicture &picture) const;
    void addLines(WmfPicture &picture) const;
    void addLabels(WmfPicture &picture) const;

    MonitorChart &m_chart;
    QList<LegendEntry> m_legend;
    QFont m_font;
    int m_lineHeight = 0;
    int m_boxWidth = 0;
    int m_legendWidth = 0;
    QSize m_size;
};
