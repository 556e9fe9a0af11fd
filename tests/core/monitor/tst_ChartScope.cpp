#include "monitor/ChartScope.h"

#include <QtTest>

using namespace ChartScope;

Q_DECLARE_METATYPE(ChartScope::Range)

namespace QTest {
template <>
char *toString(const ChartScope::Range &r)
{
    return qstrdup(QByteArray::number(r.min) + ".." + QByteArray::number(r.max));
}
}  // namespace QTest

// The view arithmetic of the monitor chart: integer division where the chart counts whole
// samples, truncation toward zero, and the trigger marker's pixel geometry.
class tst_ChartScope : public QObject
{
    Q_OBJECT

private slots:
    void scope_data()
    {
        QTest::addColumn<Range>("current");
        QTest::addColumn<double>("scope");
        QTest::addColumn<int>("full");
        QTest::addColumn<Range>("expected");
        QTest::newRow("whole range") << Range{0, 100} << 100.0 << 100 << Range{0, 100};
        QTest::newRow("half of 600 from the start") << Range{0, 600} << 50.0 << 600 << Range{0, 300};
        QTest::newRow("end would pass the full range") << Range{400, 600} << 50.0 << 600 << Range{300, 600};
        QTest::newRow("width in whole samples") << Range{0, 100} << 33.0 << 101 << Range{0, 33};
        QTest::newRow("typed fraction truncated") << Range{10, 100} << 12.9 << 600 << Range{10, 82};
    }
    void scope()
    {
        QFETCH(Range, current);
        QFETCH(double, scope);
        QFETCH(int, full);
        QFETCH(Range, expected);
        QCOMPARE(scopeRange(current, scope, full), expected);
    }

    void zoom_data()
    {
        QTest::addColumn<Range>("current");
        QTest::addColumn<int>("scope");
        QTest::addColumn<int>("full");
        QTest::addColumn<bool>("right");
        QTest::addColumn<int>("clickX");
        QTest::addColumn<int>("newScope");
        QTest::addColumn<Range>("expected");
        // Plot centre 300 px, chart 600 px wide in every row.
        QTest::newRow("left click right of centre narrows toward the click")
            << Range{0, 300} << 50 << 600 << false << 500 << 45 << Range{115, 385};
        QTest::newRow("right click widens, clipped at the start")
            << Range{0, 300} << 50 << 600 << true << 100 << 55 << Range{0, 330};
        QTest::newRow("right click widens, clipped at the end")
            << Range{300, 600} << 50 << 600 << true << 550 << 55 << Range{270, 600};
        QTest::newRow("whole range cannot widen") << Range{0, 600} << 100 << 600 << true << 300 << 100 << Range{0, 600};
        QTest::newRow("smallest scope cannot narrow") << Range{0, 30} << 5 << 600 << false << 300 << 5 << Range{0, 30};
        QTest::newRow("odd change halves toward zero")
            << Range{0, 305} << 50 << 610 << false << 300 << 45 << Range{15, 290};
    }
    void zoom()
    {
        QFETCH(Range, current);
        QFETCH(int, scope);
        QFETCH(int, full);
        QFETCH(bool, right);
        QFETCH(int, clickX);
        QFETCH(int, newScope);
        QFETCH(Range, expected);
        const Zoomed z = zoomAt(current, scope, full, right, clickX, 300, 600);
        QCOMPARE(z.scope, newScope);
        QCOMPARE(z.range, expected);
    }

    void follow_data()
    {
        QTest::addColumn<Range>("current");
        QTest::addColumn<int>("pretrigger");
        QTest::addColumn<int>("added");
        QTest::addColumn<double>("largestX");
        QTest::addColumn<Range>("expected");
        QTest::addColumn<int>("full");
        QTest::newRow("far from the edge") << Range{0, 100} << 0 << 50 << 50.0 << Range{0, 100} << 100;
        QTest::newRow("within five of the edge stays") << Range{0, 100} << 0 << 95 << 95.0 << Range{0, 100} << 100;
        QTest::newRow("past it jumps to the newest") << Range{0, 100} << 0 << 96 << 96.0 << Range{1, 101} << 101;
        QTest::newRow("triggered run counts its kept samples")
            << Range{150, 250} << 150 << 96 << 246.0 << Range{151, 251} << 251;
        QTest::newRow("triggered run before the edge") << Range{150, 250} << 150 << 95 << 245.0 << Range{150, 250} << 250;
    }
    void follow()
    {
        QFETCH(Range, current);
        QFETCH(int, pretrigger);
        QFETCH(int, added);
        QFETCH(double, largestX);
        QFETCH(Range, expected);
        QFETCH(int, full);
        const Followed f = scrollToNewest(current, pretrigger, added, largestX);
        QCOMPARE(f.range, expected);
        QCOMPARE(f.fullRange, full);
    }

    void scopeTextFollowsTheFullRange()
    {
        QCOMPARE(scopeTextAfterFollow(100), QStringLiteral("100"));
        QCOMPARE(scopeTextAfterFollow(600), QStringLiteral("17"));
        QCOMPARE(scopeTextAfterFollow(101), QStringLiteral("99"));
    }

    void pan_data()
    {
        QTest::addColumn<Range>("wanted");
        QTest::addColumn<Range>("expected");
        QTest::newRow("inside stays") << Range{100, 200} << Range{100, 200};
        QTest::newRow("before the start") << Range{-30, 70} << Range{0, 100};
        QTest::newRow("past the end") << Range{560, 660} << Range{500, 600};
        QTest::newRow("wider than everything") << Range{-10, 700} << Range{0, 710};
    }
    void pan()
    {
        QFETCH(Range, wanted);
        QFETCH(Range, expected);
        QCOMPARE(panned(wanted, 600), expected);
    }

    void marker_data()
    {
        QTest::addColumn<double>("level");
        QTest::addColumn<double>("max");
        QTest::addColumn<int>("top");
        QTest::addColumn<bool>("visible");
        // Plot from y 10, 200 px high: bottom 210, centre 110.
        QTest::newRow("level 0 on the bottom edge") << 0.0 << 100.0 << 203 << true;
        QTest::newRow("level at Max. on the top edge") << 100.0 << 100.0 << 3 << true;
        QTest::newRow("Max. 250 level 100 at 40 percent") << 100.0 << 250.0 << 123 << true;
        QTest::newRow("level above Max. hides it") << 150.0 << 100.0 << -97 << false;
        QTest::newRow("just above Max. hides it") << 101.0 << 100.0 << 1 << false;
    }
    void marker()
    {
        QFETCH(double, level);
        QFETCH(double, max);
        QFETCH(int, top);
        QFETCH(bool, visible);
        const Plot plot{10, 200};
        QCOMPARE(markerTopForLevel(level, max, plot), top);
        QCOMPARE(markerVisible(true, top, plot), visible);
        QVERIFY(!markerVisible(false, top, plot));
        if (visible) {
            QCOMPARE(levelAtMarker(top, max, plot), int(level));
            QCOMPARE(markerTopAfterResize(level, max, plot), top);
        }
    }

    void draggedMarkerStaysInThePlot()
    {
        const Plot plot{10, 200};
        QCOMPARE(markerTopInPlot(-50, plot), 3);
        QCOMPARE(levelAtMarker(markerTopInPlot(-50, plot), 250, plot), 250);
        QCOMPARE(markerTopInPlot(400, plot), 203);
        QCOMPARE(levelAtMarker(markerTopInPlot(400, plot), 250, plot), 0);
        // Around the centre the level moves in steps of whole pixel halves.
        QCOMPARE(levelAtMarker(105, 100, plot), 49);
        QCOMPARE(levelAtMarker(104, 100, plot), 50);
    }

    void resizedMarkerNeverBelowTheBottom()
    {
        const Plot plot{10, 200};
        QCOMPARE(markerTopAfterResize(0, 100, plot), 203);
        QCOMPARE(markerTopAfterResize(-5, 100, plot), 203);
    }

    void pointInformation_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<double>("secondsPerDivision");
        QTest::addColumn<double>("multiplier");
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("multiplierText");
        QTest::newRow("17.5 s per division") << 10 << 17.5 << 2.0 << "35.0" << "2";
        QTest::newRow("fast sampling") << 7 << 0.5 << 1.0 << "0.7" << "1";
        QTest::newRow("multiplier from tenths") << 0 << 2.5 << 3 * 0.1 << "0.0" << "0.3";
    }
    void pointInformation()
    {
        QFETCH(int, index);
        QFETCH(double, secondsPerDivision);
        QFETCH(double, multiplier);
        QFETCH(QString, time);
        QFETCH(QString, multiplierText);
        PointInfo info;
        info.channel = 3;
        info.itemName = QStringLiteral("Output current");
        info.valueText = QStringLiteral("12.5");
        info.multiplier = multiplier;
        info.offset = 10;
        info.index = index;
        info.secondsPerDivision = secondsPerDivision;
        info.valueCaption = QStringLiteral("Value");
        info.multiplierCaption = QStringLiteral("Multi.");
        info.offsetCaption = QStringLiteral("Offset");
        info.timeCaption = QStringLiteral("Passed Time");
        QCOMPARE(pointTimeText(index, secondsPerDivision), time);
        QCOMPARE(pointInfoText(info), QStringLiteral("CH3 : Output current\n\nValue : 12.5\nMulti. : ") + multiplierText
                                          + QStringLiteral("\nOffset : 10\n\nPassed Time : ") + time
                                          + QStringLiteral(" (s) "));
    }
};

QTEST_GUILESS_MAIN(tst_ChartScope)
#include "tst_ChartScope.moc"
