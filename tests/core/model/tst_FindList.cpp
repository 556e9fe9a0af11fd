#include "model/FindList.h"

#include <QTest>

class tst_FindList : public QObject
{
    Q_OBJECT

private slots:
    void search_data();
    void search();
    void failedSearchKeepsPosition();
};

namespace {
const QStringList Lines{QStringLiteral("0009,Acceleration time 1"), QStringLiteral("0010,Deceleration time 1"),
                        QStringLiteral("0011,Maximum frequency"), QStringLiteral("0100,Low-speed frequency")};
}

void tst_FindList::search_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("matchCase");
    QTest::addColumn<bool>("wholeWord");
    QTest::addColumn<QList<int>>("lines");  // successive searches

    QTest::newRow("number then end") << "0010" << false << false << QList<int>{1, -1};
    QTest::newRow("part of a word, any case") << "celeration" << false << false << QList<int>{0, 1, -1};
    QTest::newRow("match case") << "Deceleration" << true << false << QList<int>{1, -1};
    QTest::newRow("match case refuses other case") << "deceleration" << true << false << QList<int>{-1};
    QTest::newRow("whole word") << "time" << false << true << QList<int>{0, 1, -1};
    QTest::newRow("whole word refuses a part") << "celeration" << false << true << QList<int>{-1};
    QTest::newRow("twice in one line") << "1" << false << true << QList<int>{0, 1, -1};
    QTest::newRow("hyphen ends a word") << "Low" << false << true << QList<int>{3, -1};
    QTest::newRow("comma splits number and name") << "0011" << false << true << QList<int>{2, -1};
}

void tst_FindList::search()
{
    QFETCH(QString, text);
    QFETCH(bool, matchCase);
    QFETCH(bool, wholeWord);
    QFETCH(QList<int>, lines);
    FindList list;
    list.setLines(Lines);
    for (int expected : lines)
        QCOMPARE(list.findNext(text, matchCase, wholeWord), expected);
}

void tst_FindList::failedSearchKeepsPosition()
{
    FindList list;
    list.setLines(Lines);
    QCOMPARE(list.findNext(QStringLiteral("frequency"), false, false), 2);
    QCOMPARE(list.findNext(QStringLiteral("Acceleration"), false, false), -1);
    QCOMPARE(list.line(), 2);
    QCOMPARE(list.findNext(QStringLiteral("frequency"), false, false), 3);
    QCOMPARE(list.findNext(QStringLiteral("frequency"), false, false), -1);
    list.reset();
    QCOMPARE(list.findNext(QStringLiteral("Acceleration"), false, false), 0);
}

QTEST_GUILESS_MAIN(tst_FindList)
#include "tst_FindList.moc"
