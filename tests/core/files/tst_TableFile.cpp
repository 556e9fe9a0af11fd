#include "ConfigDrive.h"
#include "files/TableFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(TableFile::Display)

class tst_TableFile : public QObject
{
    Q_OBJECT

private slots:
    void writesTheRowsWithCrLf_data();
    void writesTheRowsWithCrLf();
    void displays_data();
    void displays();

private:
    QTemporaryDir m_tmp;
};

void tst_TableFile::writesTheRowsWithCrLf_data()
{
    QTest::addColumn<bool>("decimalComma");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("point") << false << QByteArray("Title,Comm. No.\r\nF1,0009,12.5,\"Acc (1, 2)\"\r\n");
    QTest::newRow("decimal comma keeps its column")
        << true << QByteArray("Title;Comm. No.\r\nF1;0009;12,5;Acc (1, 2)\r\n");
}

void tst_TableFile::writesTheRowsWithCrLf()
{
    QFETCH(bool, decimalComma);
    QFETCH(QByteArray, expected);
    DriveSelection selection;
    selection.decimalComma = decimalComma;
    selection.languagePrefix = QStringLiteral("Eng");
    const QString path = m_tmp.filePath(QStringLiteral("t.csv"));
    const QList<QStringList> rows{{"Title", "Comm. No."}, {"F1", "0009", decimalComma ? "12,5" : "12.5", "Acc (1, 2)"}};
    QVERIFY(TableFile::WriteTableFile(path, rows, selection));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), expected);
    QVERIFY(!TableFile::WriteTableFile(m_tmp.filePath(QStringLiteral("no/such/dir/t.csv")), rows, selection));
}

void tst_TableFile::displays_data()
{
    QTest::addColumn<TableFile::Display>("display");
    QTest::addColumn<int>("rows");  // title row included
    QTest::newRow("all") << TableFile::Display::All << -1;
    QTest::newRow("changed") << TableFile::Display::Changed << 1 + 2;
    QTest::newRow("quick rows are the Quick count") << TableFile::Display::Quick << 1 + 20;
    QTest::newRow("blind hides the hidden one") << TableFile::Display::Blind << -2;
}

void tst_TableFile::displays()
{
    QFETCH(TableFile::Display, display);
    QFETCH(int, rows);
    ConfigDrive d;
    QVERIFY(d.load(QStringLiteral("KDA1"), QStringLiteral("V100"), QStringLiteral("-2004P")));
    d.set(QStringLiteral("0009"), QStringLiteral("250"));
    d.set(QStringLiteral("0011"), QStringLiteral("6000"));
    d.data.uPara.setFlag(d.data.IndexOfComNo(u"0005"), UPara::BlindIndex, true);
    const QList<QStringList> table = TableFile::gridRows(d.data, d.messages, d.prompter, display, 20);
    const int all = d.data.lastShownIndex + 2;
    QCOMPARE(table.size(), rows < 0 ? all + rows + 1 : rows);
    QCOMPARE(table.first(), (QStringList{d.messages.text(21), d.messages.text(22), d.messages.text(23),
                                         d.messages.text(25), d.messages.text(26), d.messages.text(27),
                                         d.messages.text(28), QString()}));
    for (const QStringList &row : table)
        QCOMPARE(row.size(), 8);
    bool found = false;
    for (const QStringList &row : table) {
        if (row.at(1) != QLatin1String("0009"))
            continue;
        found = true;
        QCOMPARE(row.at(3).trimmed(), QStringLiteral("25.0"));
        QCOMPARE(row.at(7), d.messages.text(30));
    }
    QCOMPARE(found, display != TableFile::Display::Quick || table.size() > 1);
    if (display == TableFile::Display::Blind) {
        for (const QStringList &row : table)
            QVERIFY(row.at(1) != QLatin1String("0005"));
    }
}

QTEST_GUILESS_MAIN(tst_TableFile)
#include "tst_TableFile.moc"
