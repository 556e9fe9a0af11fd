#pragma once

#include "monitor/ChartScope.h"

#include <QColor>
#include <QCursor>
#include <QWidget>

class QCPGraph;
class QCustomPlot;
class QLabel;
class TriggerMarker;

// The monitor chart: ten lines (one per channel) over a time axis counted in samples and a
// value axis from 0 to "Max.", the labels over the plot ("Waiting for Trigger", the error
// counter, the time per division) and the trigger marker beside it. The view arithmetic is
// ChartScope's; this class only draws and turns mouse actions into its calls.
class MonitorChart : public QWidget
{
    Q_OBJECT

public:
    static constexpr int Lines = 10;

    explicit MonitorChart(QWidget *parent = nullptr);

    QCustomPlot *plot() const { return m_plot; }
    QCPGraph *line(int channel) const { return m_lines[channel]; }

    // Lines, channel 0..9.
    void clearLines();
    void setLineColor(int channel, const QColor &color);
    void setLineVisible(int channel, bool visible);
    /// Adds a point without drawing; the view follows when `channel` carries it.
    void addPoint(int channel, double x, double y);
    /// Replaces a line by points at x = 0, 1, 2, ...
    void setLinePoints(int channel, const QVector<double> &ys);
    int pointCount(int channel) const;
    double pointY(int channel, int index) const;
    double lastY(int channel) const;
    /// The line whose additions move the view (the first selected channel).
    void setFollowLine(int channel) { m_followLine = channel; }
    void setPretrigger(int samples) { m_pretrigger = samples; }
    /// Draws at the next pass of the event loop (one drawing for many additions).
    void replotLater();
    void replotNow();

    // The axes.
    void setValueMax(double max);
    double valueMax() const { return m_valueMax; }
    ChartScope::Range range() const;
    void setRange(ChartScope::Range range);
    int fullRange() const { return m_fullRange; }
    void setFullRange(int fullRange) { m_fullRange = fullRange; }
    int scope() const { return m_scope; }
    /// A scope entry: the visible range becomes that share of the full range.
    void setScope(int scope);

    // The trigger marker.
    void setTrigger(bool on, double level);
    bool markerShown() const;
    int markerTop() const;
    QWidget *marker() const;
    ChartScope::Plot plotArea() const;

    // Labels and colours.
    void setWaiting(bool waiting);
    void setErrorCount(int count);
    /// The names of the active alarms and of the trip, red, over the plot (empty: hidden).
    void setAlarmTrip(const QString &alarm, const QString &trip);
    void setTimePerDivision(const QString &seconds);
    QString timePerDivision() const;
    void setBackColor(const QColor &color);
    void setLabelColors(const QColor &waiting, const QColor &time, const QColor &errors);
    void setTexts(const QString &waiting, const QString &timeUnit);
    QLabel *label(const QString &name) const;

    /// While a run goes on every mouse press on the chart is cancelled.
    void setRunning(bool running) { m_running = running; }
    /// Zoom mode: a click on the background zooms; otherwise a click on a point asks for it.
    void setZoomMode(bool on);
    bool zoomMode() const { return m_zoomMode; }

    /// The channel and point index of a line near `pos` (plot coordinates), or -1.
    int lineAt(const QPoint &pos, int *index) const;
    /// Acts on a click at `pos` of the plot as a mouse click would.
    void clickAt(const QPoint &pos, Qt::MouseButton button);

signals:
    void pointClicked(int channel, int index);
    /// The scope changed by a click in zoom mode or by following the newest point.
    void scopeChanged(const QString &scopeText);
    /// The marker is being dragged: the level it stands for.
    void markerMoved(int level);
    /// The marker was let go at `level`.
    void markerReleased(int level);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void setUpAxes();
    void createLabels();
    void placeOverlays();
    void placeMarker(int top);
    void keepRangeInside();
    void markerDragged(int dy);
    void markerLetGo();
    void follow(int position, double x);
    void updateHoverCursor(const QPoint &pos);
    void chooseAntialiasing();

    QCustomPlot *m_plot = nullptr;
    QCPGraph *m_lines[Lines] = {};
    TriggerMarker *m_marker = nullptr;
    QLabel *m_wait = nullptr, *m_err = nullptr, *m_errNo = nullptr, *m_timeVal = nullptr, *m_timeUnit = nullptr;
    QLabel *m_alarm = nullptr, *m_trip = nullptr;
    double m_valueMax = 100;
    int m_fullRange = ChartScope::ScreenSamples;
    int m_scope = ChartScope::MaxScope;
    int m_followLine = 0;
    int m_pretrigger = 0;
    bool m_triggerOn = false;
    double m_level = 0;
    bool m_running = false;
    bool m_zoomMode = false;
    bool m_clamping = false;
    QPoint m_pressPos;
    QRect m_plotRect;  // the plot area the marker was last placed for
    QCursor m_zoomCursor;
};
