#include "monitor/MonitorChart.h"

#include <QLabel>
#include <QSignalSpy>
#include <QtTest>
#include <qcustomplot.h>

namespace {

// A pixel of the plot for a point in samples and value units.
QPoint pixelOf(const MonitorChart &chart, double x, double y)
{
    return QPoint(int(chart.plot()->xAxis->coordToPixel(x)), int(chart.plot()->yAxis->coordToPixel(y)));
}

void moveWithButton(QWidget *w, const QPoint &local)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(local), QPointF(w->mapToGlobal(local)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(w, &move);
}

}  // namespace

// The chart widget driven with the mouse, offscreen: clicks on points and on the background,
// the view kept inside the recording, and the trigger marker dragged.
class tst_MonitorChart : public QObject
{
    Q_OBJECT

private:
    static void fill(MonitorChart &chart, int points, double y)
    {
        for (int c = 0; c < 2; ++c) {
            for (int i = 0; i < points; ++i)
                chart.addPoint(c, i, y + 30 * c);
        }
        chart.replotNow();
    }

private slots:
    void clickOnAPointAsksForIt()
    {
        MonitorChart chart;
        chart.resize(800, 400);
        chart.show();
        fill(chart, 101, 20);
        QSignalSpy clicked(&chart, &MonitorChart::pointClicked);
        QTest::mouseClick(chart.plot(), Qt::LeftButton, {}, pixelOf(chart, 40, 50));
        QCOMPARE(clicked.size(), 1);
        QCOMPARE(clicked[0][0].toInt(), 1);
        QCOMPARE(clicked[0][1].toInt(), 40);
        // Nothing while a run goes on, nor in zoom mode, nor on the background.
        chart.setRunning(true);
        QTest::mouseClick(chart.plot(), Qt::LeftButton, {}, pixelOf(chart, 40, 50));
        chart.setRunning(false);
        QTest::mouseClick(chart.plot(), Qt::LeftButton, {}, pixelOf(chart, 40, 80));
        chart.setZoomMode(true);
        QTest::mouseClick(chart.plot(), Qt::LeftButton, {}, pixelOf(chart, 40, 50));
        QCOMPARE(clicked.size(), 1);
    }

    void zoomModeNarrowsAndWidensAtTheClick()
    {
        MonitorChart chart;
        chart.resize(800, 400);
        chart.show();
        fill(chart, 600, 10);
        chart.setFullRange(600);
        chart.setRange({0, 600});
        chart.setScope(50);
        QCOMPARE(chart.range(), (ChartScope::Range{0, 300}));
        QSignalSpy scope(&chart, &MonitorChart::scopeChanged);
        QTest::mouseClick(chart.plot(), Qt::LeftButton, {}, pixelOf(chart, 150, 90));
        QCOMPARE(scope.size(), 0);  // zoom mode is off
        chart.setZoomMode(true);
        const QPoint rightOfCentre = pixelOf(chart, 250, 90);
        QTest::mouseClick(chart.plot(), Qt::LeftButton, {}, rightOfCentre);
        QCOMPARE(scope.size(), 1);
        QCOMPARE(scope[0][0].toString(), QStringLiteral("45"));
        QCOMPARE(chart.scope(), 45);
        QCOMPARE(chart.range().max - chart.range().min, 270.0);
        QVERIFY(chart.range().min > 15);  // moved toward the click
        QTest::mouseClick(chart.plot(), Qt::RightButton, {}, pixelOf(chart, chart.range().min + 1, 90));
        QCOMPARE(chart.scope(), 50);
        QVERIFY(chart.range().min >= 0);
        QCOMPARE(chart.range().max - chart.range().min, 300.0);
    }

    void panningStaysInsideTheRecording()
    {
        MonitorChart chart;
        chart.resize(800, 400);
        chart.show();
        fill(chart, 600, 10);
        chart.setFullRange(600);
        chart.setRange({0, 100});
        // What a drag does: the axis moves; the chart keeps it inside 0 .. 600.
        chart.plot()->xAxis->setRange(-40, 60);
        QCOMPARE(chart.range(), (ChartScope::Range{0, 100}));
        chart.plot()->xAxis->setRange(550, 650);
        QCOMPARE(chart.range(), (ChartScope::Range{500, 600}));
        chart.plot()->xAxis->setRange(200, 300);
        QCOMPARE(chart.range(), (ChartScope::Range{200, 300}));
    }

    void newestSampleStaysInView()
    {
        MonitorChart chart;
        chart.resize(800, 400);
        chart.show();
        QSignalSpy scope(&chart, &MonitorChart::scopeChanged);
        for (int i = 0; i <= 150; ++i)
            chart.addPoint(0, i, 5);
        QCOMPARE(chart.range(), (ChartScope::Range{55, 155}));
        QCOMPARE(chart.fullRange(), 155);
        QCOMPARE(scope.last()[0].toString(), QStringLiteral("65"));
        // Another line does not move the view.
        chart.addPoint(1, 400, 5);
        QCOMPARE(chart.range(), (ChartScope::Range{55, 155}));
    }

    void draggedMarkerGivesTheLevel()
    {
        MonitorChart chart;
        chart.resize(800, 400);
        chart.show();
        chart.setValueMax(200);
        chart.replotNow();
        chart.setTrigger(true, 100);
        QWidget *marker = chart.marker();
        QVERIFY(chart.markerShown());
        const ChartScope::Plot plot = chart.plotArea();
        QCOMPARE(chart.markerTop(), ChartScope::markerTopForLevel(100, 200, plot));
        QSignalSpy moved(&chart, &MonitorChart::markerMoved);
        QSignalSpy released(&chart, &MonitorChart::markerReleased);
        QTest::mousePress(marker, Qt::LeftButton, {}, QPoint(5, 7));
        moveWithButton(marker, QPoint(5, 7 - 2000));  // far above the plot
        QTest::mouseRelease(marker, Qt::LeftButton, {}, QPoint(5, 7));
        QVERIFY(!moved.isEmpty());
        QCOMPARE(released.size(), 1);
        QCOMPARE(released[0][0].toInt(), 200);
        QCOMPARE(chart.markerTop(), plot.top - ChartScope::MarkerHalfHeight);
        // A level above "Max." hides it.
        chart.setTrigger(true, 250);
        QVERIFY(!chart.markerShown());
        chart.setValueMax(300);
        QVERIFY(chart.markerShown());
    }

    void errorCounterAndWaitingLabel()
    {
        MonitorChart chart;
        chart.resize(800, 400);
        chart.show();
        QLabel *count = chart.label(QStringLiteral("Label_ErrNo"));
        QVERIFY(!count->isVisible());
        chart.setErrorCount(3);
        QVERIFY(count->isVisible());
        QCOMPARE(count->text(), QStringLiteral("3"));
        chart.setErrorCount(0);
        QVERIFY(!count->isVisible());
        chart.setWaiting(true);
        QVERIFY(chart.label(QStringLiteral("Label_Wait"))->isVisible());
    }
};

QTEST_MAIN(tst_MonitorChart)
#include "tst_MonitorChart.moc"
