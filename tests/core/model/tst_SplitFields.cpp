#include "model/SplitFields.h"

#include <QTest>

class tst_SplitFields : public QObject
{
    Q_OBJECT

private slots:
    void split_data();
    void split();
};

void tst_SplitFields::split_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("fields");

    QTest::newRow("plain fields") << "0001,0,600" << QStringList{"0001", "0", "600"};
    QTest::newRow("quoted name keeps its blank")
        << "0001,\"Max freq\",Hz" << QStringList{"0001", "Max freq", "Hz"};
    QTest::newRow("blank outside quotes dropped") << "0001,Max freq,Hz" << QStringList{"0001", "Maxfreq", "Hz"};
    QTest::newRow("tab, CR, VT and FF dropped") << "a\tb,c\rd\ve\f" << QStringList{"ab", "cde"};
    QTest::newRow("quoted comma kept") << "\"a,b\",c" << QStringList{"a,b", "c"};
    QTest::newRow("quoted tab kept") << "\"a\tb\"" << QStringList{"a\tb"};
    QTest::newRow("doubled quote gives apostrophe inside quotes")
        << "\"it\"\"s\",x" << QStringList{"it's,x"};
    QTest::newRow("doubled quote outside quotes: apostrophe then quoting on")
        << "a\"\"b c,d" << QStringList{"a'b c,d"};
    QTest::newRow("three quotes: two apostrophes, the third opens quoting")
        << "\"\"\"x\",y" << QStringList{"''x", "y"};
    QTest::newRow("quote in the middle of a field") << "ab\"c d\"e,f" << QStringList{"abc de", "f"};
    QTest::newRow("unclosed quote keeps later commas") << "a,\"b,c" << QStringList{"a", "b,c"};
    QTest::newRow("trailing comma gives an empty last field") << "a,b," << QStringList{"a", "b", ""};
    QTest::newRow("empty fields kept") << ",,x" << QStringList{"", "", "x"};
    QTest::newRow("empty line gives one empty field") << "" << QStringList{""};
    QTest::newRow("only blanks gives one empty field") << "   " << QStringList{""};
    QTest::newRow("double-byte names kept whole")
        << QString::fromUtf8("0001,\"最高 周波数\",ヘルツ") << QStringList{"0001", QString::fromUtf8("最高 周波数"), QString::fromUtf8("ヘルツ")};
    QTest::newRow("ideographic space is not a blank")
        << QString::fromUtf8("a\u3000b") << QStringList{QString::fromUtf8("a\u3000b")};
}

void tst_SplitFields::split()
{
    QFETCH(QString, line);
    QFETCH(QStringList, fields);
    QCOMPARE(SplitFields(line), fields);
}

QTEST_GUILESS_MAIN(tst_SplitFields)
#include "tst_SplitFields.moc"
