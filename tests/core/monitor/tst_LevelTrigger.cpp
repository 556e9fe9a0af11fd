// The edge test of the level trigger and the arithmetic around it.
#include "monitor/LevelTrigger.h"

#include <QTest>

Q_DECLARE_METATYPE(TriggerSlope)

class tst_LevelTrigger : public QObject
{
    Q_OBJECT
private slots:
    void fires_data();
    void fires();
    void pretriggerCount_data();
    void pretriggerCount();
    void marker_data();
    void marker();
};

void tst_LevelTrigger::fires_data()
{
    QTest::addColumn<TriggerSlope>("slope");
    QTest::addColumn<int>("level");
    QTest::addColumn<double>("multiplier");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QList<double>>("values");
    QTest::addColumn<int>("firesAt");  // index of the value that fires, -1 none
    const auto up = TriggerSlope::Up;
    const auto down = TriggerSlope::Down;
    const auto both = TriggerSlope::Both;
    QTest::newRow("up: rising through the level") << up << 50 << 1.0 << 0 << QList<double>{10, 40, 60} << 2;
    QTest::newRow("up: first sample above waits for a new rise")
        << up << 50 << 1.0 << 0 << QList<double>{60, 70, 40, 55} << 3;
    QTest::newRow("up: never below") << up << 50 << 1.0 << 0 << QList<double>{60, 70, 80} << -1;
    QTest::newRow("up: exactly at the level neither arms nor fires")
        << up << 50 << 1.0 << 0 << QList<double>{50, 50, 60} << -1;
    QTest::newRow("up: at the level after below keeps armed") << up << 50 << 1.0 << 0 << QList<double>{40, 50, 51} << 2;
    QTest::newRow("up: falling does not fire") << up << 50 << 1.0 << 0 << QList<double>{40, 60, 30} << 1;
    QTest::newRow("down: falling through the level") << down << 50 << 1.0 << 0 << QList<double>{80, 60, 49} << 2;
    QTest::newRow("down: first sample below waits") << down << 50 << 1.0 << 0 << QList<double>{40, 30, 60, 45} << 3;
    QTest::newRow("down: rising does not fire") << down << 50 << 1.0 << 0 << QList<double>{40, 60, 70} << -1;
    QTest::newRow("both: first crossing upward") << both << 50 << 1.0 << 0 << QList<double>{40, 60} << 1;
    QTest::newRow("both: first crossing downward") << both << 50 << 1.0 << 0 << QList<double>{60, 40} << 1;
    QTest::newRow("both: staying on one side") << both << 50 << 1.0 << 0 << QList<double>{60, 70, 65} << -1;
    QTest::newRow("multiplier 2 offset 10: 20 is not above 50")
        << up << 50 << 2.0 << 10 << QList<double>{0, 20, 20.5} << 2;
    QTest::newRow("multiplier 0.1: fixed point keeps small steps")
        << up << 1 << 0.1 << 0 << QList<double>{9.9, 10.0, 10.01} << 2;
    QTest::newRow("level above Max. still fires") << up << 450 << 1.0 << 0 << QList<double>{0, 451} << 1;
    QTest::newRow("offset alone over the level") << up << 50 << 1.0 << 60 << QList<double>{-20, 0} << 1;
}

void tst_LevelTrigger::fires()
{
    QFETCH(TriggerSlope, slope);
    QFETCH(int, level);
    QFETCH(double, multiplier);
    QFETCH(int, offset);
    QFETCH(QList<double>, values);
    QFETCH(int, firesAt);
    LevelTrigger trigger(slope, level, multiplier, offset);
    int fired = -1;
    for (int i = 0; i < values.size() && fired < 0; ++i) {
        if (trigger.test(values[i]))
            fired = i;
    }
    QCOMPARE(fired, firesAt);
}

void tst_LevelTrigger::pretriggerCount_data()
{
    QTest::addColumn<int>("delay");
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("count");
    QTest::newRow("25 % of 600") << 25 << 600 << 150;
    QTest::newRow("0 %") << 0 << 600 << 0;
    QTest::newRow("100 %") << 100 << 428 << 428;
    QTest::newRow("truncated") << 5 << 599 << 29;
}

void tst_LevelTrigger::pretriggerCount()
{
    QFETCH(int, delay);
    QFETCH(int, points);
    QFETCH(int, count);
    QCOMPARE(LevelTrigger::PretriggerCount(delay, points), count);
}

void tst_LevelTrigger::marker_data()
{
    QTest::addColumn<bool>("use");
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("max");
    QTest::addColumn<bool>("shown");
    QTest::newRow("inside the scale") << true << 100 << 250 << true;
    QTest::newRow("on the top edge") << true << 250 << 250 << true;
    QTest::newRow("above Max. hides it") << true << 255 << 250 << false;
    QTest::newRow("trigger off") << false << 10 << 100 << false;
}

void tst_LevelTrigger::marker()
{
    QFETCH(bool, use);
    QFETCH(int, level);
    QFETCH(int, max);
    QFETCH(bool, shown);
    QCOMPARE(LevelTrigger::MarkerShown(use, level, max), shown);
}

QTEST_GUILESS_MAIN(tst_LevelTrigger)
#include "tst_LevelTrigger.moc"
