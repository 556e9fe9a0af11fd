#include "MonitorChart.h"

#include "TriggerMarker.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <qcustomplot.h>

#include <cmath>

namespace {

// Time-axis marks: a caret at each division instead of a number.
class CaretTicker : public QCPAxisTickerFixed
{
protected:
    QString getTickLabel(double, const QLocale &, QChar, int) override { return QStringLiteral("^"); }
};

// The zoom cursor: a magnifying glass with its hot spot in the middle of the lens.
QCursor makeZoomCursor()
{
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 4));
    p.drawEllipse(QPointF(9, 9), 6.5, 6.5);
    p.drawLine(QPointF(14, 14), QPointF(21, 21));
    p.setPen(QPen(Qt::black, 2));
    p.drawEllipse(QPointF(9, 9), 6.5, 6.5);
    p.drawLine(QPointF(14, 14), QPointF(21, 21));
    p.end();
    return QCursor(pixmap, 9, 9);
}

constexpr int LabelGap = 5;      // labels over the plot: pixels below its top edge
constexpr int TimeAboveBottom = 16;
constexpr int TripBelowAlarm = 17;  // the trip label under the alarm label
constexpr double DenseView = 5000;  // points in view from which lines are not antialiased

}  // namespace

MonitorChart::MonitorChart(QWidget *parent) : QWidget(parent), m_zoomCursor(makeZoomCursor())
{
    setObjectName(QStringLiteral("MonitorChart"));
    m_plot = new QCustomPlot(this);
    m_plot->setObjectName(QStringLiteral("Chart2"));
    m_plot->setNoAntialiasingOnDrag(true);
    m_plot->setPlottingHint(QCP::phCacheLabels, true);
    static const QColor Colors[Lines] = {Qt::red, Qt::blue, Qt::green, Qt::magenta, Qt::cyan,
                                         QColor(128, 0, 0), QColor(0, 0, 128), QColor(0, 128, 0),
                                         QColor(128, 0, 128), QColor(0, 128, 128)};
    for (int c = 0; c < Lines; ++c) {
        m_lines[c] = m_plot->addGraph();
        m_lines[c]->setName(QStringLiteral("CH%1").arg(c + 1));
        m_lines[c]->setAdaptiveSampling(true);
        setLineColor(c, Colors[c]);
    }
    setUpAxes();
    createLabels();
    m_marker = new TriggerMarker(m_plot);
    m_marker->hide();
    connect(m_marker, &TriggerMarker::dragged, this, &MonitorChart::markerDragged);
    connect(m_marker, &TriggerMarker::released, this, &MonitorChart::markerLetGo);
    m_plot->installEventFilter(this);
    m_plot->setMouseTracking(true);
    setZoomMode(false);
}

void MonitorChart::setUpAxes()
{
    QCPAxis *x = m_plot->xAxis;
    QCPAxis *y = m_plot->yAxis;
    auto ticker = QSharedPointer<CaretTicker>::create();
    ticker->setTickStep(ChartScope::GridStep);
    // A grid line every 5 samples on a screen of 100; when more samples are in view the
    // divisions become whole multiples of 5 so the grid stays readable.
    ticker->setScaleStrategy(QCPAxisTickerFixed::ssMultiples);
    ticker->setTickCount(ChartScope::ScreenSamples / ChartScope::GridStep);
    x->setTicker(ticker);
    x->setSubTicks(false);
    y->setSubTicks(false);
    x->setRange(0, ChartScope::ScreenSamples);
    y->setRange(0, m_valueMax);
    // Room between the value labels and the axis for the trigger marker.
    y->setTickLabelPadding(TriggerMarker::Width + 4);
    const QPen grid(QColor(192, 192, 192), 0, Qt::SolidLine);
    x->grid()->setPen(grid);
    y->grid()->setPen(grid);
    x->grid()->setZeroLinePen(grid);
    y->grid()->setZeroLinePen(grid);
    m_plot->axisRect()->setRangeDrag(Qt::Horizontal);
    m_plot->axisRect()->setRangeZoom(Qt::Orientations());
    m_plot->setInteraction(QCP::iRangeDrag, true);
    connect(x, qOverload<const QCPRange &>(&QCPAxis::rangeChanged), this, &MonitorChart::keepRangeInside);
    connect(m_plot, &QCustomPlot::afterLayout, this, &MonitorChart::placeOverlays);
    connect(m_plot, &QCustomPlot::beforeReplot, this, &MonitorChart::chooseAntialiasing);
}

void MonitorChart::createLabels()
{
    auto make = [this](const char *name, const QString &text) {
        auto *l = new QLabel(text, m_plot);
        l->setObjectName(QString::fromLatin1(name));
        l->setAttribute(Qt::WA_TransparentForMouseEvents);
        l->hide();
        return l;
    };
    m_wait = make("Label_Wait", QStringLiteral("Waiting for Trigger"));
    QFont italic = m_wait->font();
    italic.setItalic(true);
    italic.setPointSizeF(italic.pointSizeF() * 1.1);
    m_wait->setFont(italic);
    m_err = make("Label_Err", QStringLiteral("Err.:"));
    m_errNo = make("Label_ErrNo", QStringLiteral("0"));
    m_timeVal = make("Label_TimeVal", QString());
    m_timeUnit = make("Label_TimeUnit2", QStringLiteral("(s/div)"));
    m_alarm = make("Label_Alarm", QString());
    m_trip = make("Label_Trip", QString());
    QFont bold = m_trip->font();
    bold.setBold(true);
    m_trip->setFont(bold);
    for (QLabel *l : {m_alarm, m_trip}) {
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, Qt::red);
        l->setPalette(p);
    }
    setLabelColors(QColor(128, 128, 128), QColor(128, 128, 128), QColor(128, 128, 128));
}

QLabel *MonitorChart::label(const QString &name) const
{
    return m_plot->findChild<QLabel *>(name);
}

void MonitorChart::clearLines()
{
    for (QCPGraph *g : m_lines)
        g->data()->clear();
    m_pretrigger = 0;
}

void MonitorChart::setLineColor(int channel, const QColor &color)
{
    m_lines[channel]->setPen(QPen(color, 1));
}

void MonitorChart::setLineVisible(int channel, bool visible)
{
    m_lines[channel]->setVisible(visible);
}

void MonitorChart::addPoint(int channel, double x, double y)
{
    QCPGraph *g = m_lines[channel];
    g->addData(x, y);
    if (channel == m_followLine)
        follow(g->dataCount() - 1, x);
}

void MonitorChart::setLinePoints(int channel, const QVector<double> &ys)
{
    QVector<double> xs(ys.size());
    for (int i = 0; i < ys.size(); ++i)
        xs[i] = i;
    m_lines[channel]->setData(xs, ys, true);
}

int MonitorChart::pointCount(int channel) const
{
    return m_lines[channel]->dataCount();
}

double MonitorChart::pointY(int channel, int index) const
{
    const auto data = m_lines[channel]->data();
    return index >= 0 && index < data->size() ? data->at(index)->value : 0.0;
}

double MonitorChart::lastY(int channel) const
{
    return pointY(channel, pointCount(channel) - 1);
}

void MonitorChart::follow(int position, double x)
{
    const ChartScope::Followed f = ChartScope::scrollToNewest(range(), m_pretrigger, position, x);
    m_fullRange = f.fullRange;
    if (f.moved)
        setRange(f.range);
    m_scope = std::clamp(ChartScope::scopeTextAfterFollow(m_fullRange).toInt(), ChartScope::MinScope,
                         ChartScope::MaxScope);
    emit scopeChanged(ChartScope::scopeTextAfterFollow(m_fullRange));
}

void MonitorChart::chooseAntialiasing()
{
    // Smooth lines while few points are in view; a whole long recording is drawn plain,
    // which takes about a third of the time.
    int lines = 0;
    for (const QCPGraph *g : m_lines)
        lines += g->visible() && g->dataCount() > 0 ? 1 : 0;
    const double points = (range().max - range().min) * lines;
    m_plot->setNotAntialiasedElements(points > DenseView ? QCP::aePlottables : QCP::aeNone);
}

void MonitorChart::replotLater()
{
    m_plot->replot(QCustomPlot::rpQueuedReplot);
}

void MonitorChart::replotNow()
{
    m_plot->replot(QCustomPlot::rpImmediateRefresh);
}

void MonitorChart::setValueMax(double max)
{
    m_valueMax = max;
    m_plot->yAxis->setRange(0, max);
    setTrigger(m_triggerOn, m_level);
    replotLater();
}

ChartScope::Range MonitorChart::range() const
{
    const QCPRange r = m_plot->xAxis->range();
    return {r.lower, r.upper};
}

void MonitorChart::setRange(ChartScope::Range range)
{
    m_clamping = true;
    m_plot->xAxis->setRange(range.min, range.max);
    m_clamping = false;
    replotLater();
}

void MonitorChart::setScope(int scope)
{
    m_scope = scope;
    setRange(ChartScope::scopeRange(range(), scope, m_fullRange));
}

void MonitorChart::keepRangeInside()
{
    // A drag may show only what lies within 0 .. the full range.
    if (m_clamping)
        return;
    const ChartScope::Range inside = ChartScope::panned(range(), m_fullRange);
    if (inside != range())
        setRange(inside);
}

ChartScope::Plot MonitorChart::plotArea() const
{
    const QRect r = m_plot->axisRect()->rect();
    return {r.top(), r.height()};
}

void MonitorChart::setTrigger(bool on, double level)
{
    m_triggerOn = on;
    m_level = level;
    const ChartScope::Plot area = plotArea();
    const int top = ChartScope::markerTopForLevel(level, m_valueMax, area);
    placeMarker(top);
    m_marker->setToolTip(QString::number(level));
}

void MonitorChart::placeMarker(int top)
{
    const int x = m_plot->axisRect()->rect().left() - TriggerMarker::Width - 1;
    m_marker->move(x, top);
    m_marker->setVisible(ChartScope::markerVisible(m_triggerOn, top, plotArea()));
}

bool MonitorChart::markerShown() const
{
    return !m_marker->isHidden();
}

int MonitorChart::markerTop() const
{
    return m_marker->y();
}

QWidget *MonitorChart::marker() const
{
    return m_marker;
}

void MonitorChart::markerDragged(int dy)
{
    const int top = ChartScope::markerTopInPlot(m_marker->y() + dy, plotArea());
    m_marker->move(m_marker->x(), top);
    const int level = ChartScope::levelAtMarker(top, m_valueMax, plotArea());
    m_marker->setToolTip(QString::number(level));
    emit markerMoved(level);
}

void MonitorChart::markerLetGo()
{
    const int top = ChartScope::markerTopInPlot(m_marker->y(), plotArea());
    emit markerReleased(ChartScope::levelAtMarker(top, m_valueMax, plotArea()));
}

void MonitorChart::setWaiting(bool waiting)
{
    m_wait->setVisible(waiting);
    placeOverlays();
}

void MonitorChart::setAlarmTrip(const QString &alarm, const QString &trip)
{
    m_alarm->setText(alarm);
    m_trip->setText(trip);
    m_alarm->setVisible(!alarm.isEmpty());
    m_trip->setVisible(!trip.isEmpty());
    placeOverlays();
}

void MonitorChart::setErrorCount(int count)
{
    m_errNo->setText(QString::number(count));
    m_err->setVisible(count > 0);
    m_errNo->setVisible(count > 0);
    placeOverlays();
}

void MonitorChart::setTimePerDivision(const QString &seconds)
{
    m_timeVal->setText(seconds);
    m_timeVal->setVisible(!seconds.isEmpty());
    m_timeUnit->setVisible(!seconds.isEmpty());
    placeOverlays();
}

QString MonitorChart::timePerDivision() const
{
    return m_timeVal->text();
}

void MonitorChart::setTexts(const QString &waiting, const QString &timeUnit)
{
    m_wait->setText(waiting);
    m_timeUnit->setText(timeUnit);
    placeOverlays();
}

void MonitorChart::setBackColor(const QColor &color)
{
    m_plot->setBackground(color);
    m_plot->axisRect()->setBackground(color);
    replotLater();
}

void MonitorChart::setLabelColors(const QColor &waiting, const QColor &time, const QColor &errors)
{
    auto colour = [](QLabel *l, const QColor &c) {
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, c);
        l->setPalette(p);
    };
    colour(m_wait, waiting);
    colour(m_timeVal, time);
    colour(m_timeUnit, time);
    colour(m_err, errors);
    colour(m_errNo, errors);
}

void MonitorChart::placeOverlays()
{
    const QRect r = m_plot->axisRect()->rect();
    for (QLabel *l : {m_wait, m_err, m_errNo, m_timeVal, m_timeUnit, m_alarm, m_trip})
        l->adjustSize();
    // Centred, so that neither covers "Waiting for Trigger" nor the error counter.
    m_alarm->move(r.center().x() - m_alarm->width() / 2, r.top() + LabelGap);
    m_trip->move(r.center().x() - m_trip->width() / 2, m_alarm->y() + TripBelowAlarm);
    m_wait->move(r.left() + LabelGap, r.top() + LabelGap);
    m_errNo->move(r.right() - LabelGap - m_errNo->width(), r.top() + LabelGap);
    m_err->move(m_errNo->x() - m_err->width() - 2, r.top() + LabelGap);
    m_timeVal->move(r.left() + LabelGap, r.bottom() - TimeAboveBottom - m_timeVal->height() / 2);
    m_timeUnit->move(m_timeVal->x() + m_timeVal->width() + 4, m_timeVal->y());
    // After a resize the marker keeps its level; other layouts (every drawing) leave it be,
    // so a drag is not undone by the next sample.
    if (r != m_plotRect) {
        m_plotRect = r;
        placeMarker(ChartScope::markerTopAfterResize(m_level, m_valueMax, plotArea()));
    }
}

void MonitorChart::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_plot->setGeometry(rect());
}

void MonitorChart::setZoomMode(bool on)
{
    m_zoomMode = on;
    m_plot->setCursor(on ? m_zoomCursor : QCursor(Qt::ArrowCursor));
}

int MonitorChart::lineAt(const QPoint &pos, int *index) const
{
    int best = -1;
    double bestDistance = m_plot->selectionTolerance();
    for (int c = 0; c < Lines; ++c) {
        const QCPGraph *g = m_lines[c];
        if (!g->visible() || g->dataCount() == 0)
            continue;
        QVariant details;
        const double d = g->selectTest(pos, false, &details);
        if (d >= 0 && d < bestDistance) {
            bestDistance = d;
            best = c;
            if (index)
                *index = details.value<QCPDataSelection>().dataRange().begin();
        }
    }
    return best;
}

void MonitorChart::clickAt(const QPoint &pos, Qt::MouseButton button)
{
    int index = -1;
    const int channel = lineAt(pos, &index);
    if (channel >= 0) {
        if (!m_zoomMode && button == Qt::LeftButton)
            emit pointClicked(channel, index);
        return;
    }
    if (!m_zoomMode || !m_plot->axisRect()->rect().contains(pos))
        return;
    const ChartScope::Zoomed z = ChartScope::zoomAt(range(), m_scope, m_fullRange, button == Qt::RightButton,
                                                    pos.x(), m_plot->axisRect()->rect().center().x(),
                                                    m_plot->width());
    m_scope = z.scope;
    setRange(z.range);
    emit scopeChanged(QString::number(z.scope));
}

void MonitorChart::updateHoverCursor(const QPoint &pos)
{
    if (m_zoomMode)
        return;
    m_plot->setCursor(lineAt(pos, nullptr) >= 0 ? Qt::WhatsThisCursor : Qt::ArrowCursor);
}

bool MonitorChart::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_plot)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (m_running)
            return true;
        m_pressPos = static_cast<QMouseEvent *>(event)->pos();
        break;
    case QEvent::MouseButtonRelease: {
        if (m_running)
            return true;
        auto *e = static_cast<QMouseEvent *>(event);
        if ((e->pos() - m_pressPos).manhattanLength() < 4)
            clickAt(e->pos(), e->button());
        break;
    }
    case QEvent::MouseMove: {
        auto *e = static_cast<QMouseEvent *>(event);
        if (e->buttons() == Qt::NoButton && !m_running)
            updateHoverCursor(e->pos());
        break;
    }
    default:
        break;
    }
    return false;
}
