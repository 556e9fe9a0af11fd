#include "transfer/ThreeWayComparison.h"

#include <QtTest>

// Which of factory, table and drive value is named as the one that differs.
class tst_ThreeWayComparison : public QObject
{
    Q_OBJECT

private slots:
    void oddOne_data();
    void oddOne();
};

using Odd = ThreeWayComparison::Odd;
using Value = std::optional<qint64>;
Q_DECLARE_METATYPE(Value)

void tst_ThreeWayComparison::oddOne_data()
{
    QTest::addColumn<Value>("factory");
    QTest::addColumn<Value>("table");
    QTest::addColumn<Value>("drive");
    QTest::addColumn<int>("odd");
    const Value none;
    QTest::newRow("all three equal") << Value(5) << Value(5) << Value(5) << int(Odd::None);
    QTest::newRow("table edited, drive at factory") << Value(5) << Value(7) << Value(5) << int(Odd::Table);
    QTest::newRow("drive changed, table at factory") << Value(5) << Value(5) << Value(7) << int(Odd::Drive);
    QTest::newRow("table and drive agree on a setting") << Value(5) << Value(7) << Value(7) << int(Odd::Factory);
    QTest::newRow("three different values") << Value(5) << Value(6) << Value(7) << int(Odd::All);
    QTest::newRow("no reply wins over any difference") << Value(5) << Value(6) << none << int(Odd::NoReply);
    QTest::newRow("negative values compared as numbers") << Value(-1) << Value(-1) << Value(65535) << int(Odd::Drive);
    QTest::newRow("unresolved factory value, table and drive agree") << none << Value(7) << Value(7)
                                                                      << int(Odd::Factory);
    QTest::newRow("unresolved factory value, drive differs") << none << Value(7) << Value(8) << int(Odd::All);
    QTest::newRow("table value no number, drive at factory") << Value(5) << none << Value(5) << int(Odd::Table);
}

void tst_ThreeWayComparison::oddOne()
{
    QFETCH(Value, factory);
    QFETCH(Value, table);
    QFETCH(Value, drive);
    QFETCH(int, odd);
    QCOMPARE(int(ThreeWayComparison::oddOne(factory, table, drive)), odd);
}

QTEST_GUILESS_MAIN(tst_ThreeWayComparison)
#include "tst_ThreeWayComparison.moc"
