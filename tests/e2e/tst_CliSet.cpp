#include "VkrProcess.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QStringList setCommand(const QString &out, const QStringList &entries, const QStringList &extra = {})
{
    return QStringList{"set", "--data", VKR_SAMPLE_DATA "/dat", "--lng", VKR_SAMPLE_DATA "/lng", "--type", "KDA1",
                       "--cpu", "V100", "--form", "-2004P", "--lang", "English", "--out", out}
        + extra + entries;
}

// "COMNO,VALUE,SELECT,BLIND" of one parameter in a written parameter file.
QByteArray lineOf(const QByteArray &file, const QByteArray &comNo)
{
    for (const QByteArray &line : file.split('\n')) {
        if (line.startsWith(comNo + ','))
            return line.trimmed();
    }
    return {};
}

}  // namespace

class tst_CliSet : public QObject
{
    Q_OBJECT

private slots:
    void entries_data();
    void entries();
    void appliesOverAnOpenedFile();
    void usage_data();
    void usage();

private:
    QTemporaryDir m_tmp;
};

void tst_CliSet::entries_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QByteArray>("line");     // the parameter's line in the written file
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("stderrPart");

    // 0009: Mul 10, 0 to 36000; 0016: Mul 10, 0 to 300; 0011: Mul 100, 3000 to 50000.
    QTest::newRow("hexadecimal on Mul 10") << "0009=h1F4" << QByteArray("0009,500,0,0") << 0 << QByteArray();
    QTest::newRow("decimals beyond the display kept") << "0009=12.34" << QByteArray("0009,123.4,0,0") << 0
                                                      << QByteArray();
    QTest::newRow("decimal comma") << "0009=1,5" << QByteArray("0009,15,0,0") << 0 << QByteArray();
    QTest::newRow("above the limit takes the limit")
        << "0016=99999" << QByteArray("0016,300,0,0") << 9 << QByteArray("The value is out of range.");
    QTest::newRow("below the limit takes the limit")
        << "0011=1" << QByteArray("0011,3000,0,0") << 9 << QByteArray("set to the limit 30.00");
    QTest::newRow("not a number") << "0011=1-2" << QByteArray("0011,8000,0,0") << 9
                                  << QByteArray("The entered value is not a number.");
    QTest::newRow("character the cell refuses") << "0011=12x" << QByteArray("0011,8000,0,0") << 9
                                                << QByteArray("0011=12x");
    QTest::newRow("thirteen characters") << "0011=1234567890123" << QByteArray("0011,8000,0,0") << 9
                                         << QByteArray("0011=1234567890123");
    QTest::newRow("empty entry") << "0011=" << QByteArray("0011,8000,0,0") << 9
                                 << QByteArray("There is no value to enter.");
    QTest::newRow("h alone") << "0011=h" << QByteArray("0011,8000,0,0") << 9
                             << QByteArray("There is no value to enter.");
    QTest::newRow("unknown number") << "7777=1" << QByteArray() << 9 << QByteArray("7777: no parameter");
}

void tst_CliSet::entries()
{
    QFETCH(QString, entry);
    QFETCH(QByteArray, line);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, stderrPart);
    const QString out = m_tmp.filePath(QStringLiteral("out.vkr"));
    QFile::remove(out);
    // A second, good entry is applied whatever happens to the first.
    const Run r = vkr(setCommand(out, {entry, QStringLiteral("0010=5")}));
    QCOMPARE(r.exitCode, exitCode);
    QVERIFY2(r.err.contains(stderrPart), r.err.constData());
    QFile f(out);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray written = f.readAll();
    QVERIFY(written.startsWith("###\r\nKDA1\r\n-2004P\r\nV100\r\nEnglish\r\n"));
    if (!line.isEmpty())
        QCOMPARE(lineOf(written, line.left(4)), line);
    QCOMPARE(lineOf(written, "0010"), QByteArray("0010,50,0,0"));
}

void tst_CliSet::appliesOverAnOpenedFile()
{
    const QString in = m_tmp.filePath(QStringLiteral("in.vkr"));
    QFile f(in);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("###\r\nKDA1\r\n-2004P\r\nV100\r\nEnglish\r\nSite 4\r\n0\r\n0\r\n0012,4000,1,0\r\n0011,6000,0,0\r\n");
    f.close();
    const QString out = m_tmp.filePath(QStringLiteral("over.vkr"));
    // 0012's upper limit follows 0011: the file's 6000 applies before the entry is checked.
    const Run r = vkr(setCommand(out, {QStringLiteral("0012=70")}, {QStringLiteral("--open"), in}));
    QCOMPARE(r.exitCode, 9);
    QFile written(out);
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QByteArray text = written.readAll();
    QCOMPARE(lineOf(text, "0012"), QByteArray("0012,6000,1,0"));
    QVERIFY(text.contains("\r\nSite 4\r\n"));
}

void tst_CliSet::usage_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("no entry") << QStringList{"set", "--out", "x.vkr"};
    QTest::newRow("no output") << QStringList{"set", "0009=1"};
    QTest::newRow("--out without a value") << QStringList{"set", "0009=1", "--out"};
}

void tst_CliSet::usage()
{
    QFETCH(QStringList, args);
    QCOMPARE(vkr(args).exitCode, 3);
}

QTEST_GUILESS_MAIN(tst_CliSet)
#include "tst_CliSet.moc"
