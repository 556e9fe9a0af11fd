// The continuous monitoring table written by a continuous run of the simulated drive and read
// back byte for byte, and the same table meeting a full disk.
#include "MonitorLine.h"
#include "SmallTmpfs.h"

#include "monitor/ContinuousMonitoring.h"
#include "monitor/ContinuousTable.h"
#include "monitor/MonitorRecording.h"
#include "monitor/MonitorRun.h"
#include "monitor/MonitorWaits.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using Values = std::array<double, MonitorTableFile::Channels>;

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// CH1 the output frequency, CH2 the DC bus voltage; the others off.
MonitorSetup twoChannels()
{
    MonitorSetup setup = MonitorSetup::defaults();
    for (MonitorChannel &ch : setup.channels)
        ch.selected = false;
    setup.channels[0] = {true, 0};
    setup.channels[1] = {true, 4};
    return setup;
}

struct Lines {
    QList<qint64> elapsed;
    QList<Values> values;
};

// A continuous run of `seconds` at `periodMs`, its lines going into `table`.
MonitorRun::Ending runInto(MonitorLine &line, ContinuousTable &table, double seconds, int periodMs, Lines &seen)
{
    const MonitorSetup setup = twoChannels();
    line.bind(setup);
    MonitorRecording recording;
    MonitorRunFlags flags;
    MonitorRunCallbacks cb;
    cb.wait = WaitInEventLoop;
    cb.continuousLine = [&](qint64 elapsed, const Values &values) {
        seen.elapsed << elapsed;
        seen.values << values;
        return table.append(elapsed, values);
    };
    MonitorRun run(*line.reader, recording, flags, cb);
    MonitorRunSettings settings = MonitorRunSettings::fromSetup(setup, 600);
    settings.recordMinutes = seconds / 60;
    settings.samplingSeconds = periodMs / 1000.0;
    settings.plotDivider = 2;
    run.run(MonitorRun::Kind::Continuous, settings);
    return run.ending();
}

MonitorTableFile::ContinuousHead head(const MonitorLine &line)
{
    return ContinuousMonitoring::Head(line.tool.selection, twoChannels(), line.items.names(), 30, 10,
                                      line.tool.messages);
}

}  // namespace

class tst_ContinuousTable : public QObject
{
    Q_OBJECT

private slots:
    void runWritesHeadAndEveryLine_data();
    void runWritesHeadAndEveryLine();
    void fullDiskEndsTheRun();
    void headOnFullDiskKeepsTheFileItReplaces();
};

void tst_ContinuousTable::runWritesHeadAndEveryLine_data()
{
    QTest::addColumn<bool>("decimalComma");
    QTest::addColumn<QByteArray>("expectedHead");
    QTest::addColumn<QByteArray>("voltage");
    QTest::newRow("full stop and commas")
        << false
        << QByteArray("KDA1-2004P\r\n30(min)\r\n10(s/point)\r\n"
                      "Time(ms),Output frequency,DC bus voltage,-,-,-,-,-,-,-,-\r\n"
                      " ,(CH1),(CH2),(CH3),(CH4),(CH5),(CH6),(CH7),(CH8),(CH9),(CH10)\r\n")
        << QByteArray(",0.000000,141.000000,0.000000,");
    QTest::newRow("decimal comma and semicolons")
        << true
        << QByteArray("KDA1-2004P\r\n30(min)\r\n10(s/point)\r\n"
                      "Time(ms);Output frequency;DC bus voltage;-;-;-;-;-;-;-;-\r\n"
                      " ;(CH1);(CH2);(CH3);(CH4);(CH5);(CH6);(CH7);(CH8);(CH9);(CH10)\r\n")
        << QByteArray(";0;141;0;");
}

void tst_ContinuousTable::runWritesHeadAndEveryLine()
{
    QFETCH(bool, decimalComma);
    QFETCH(QByteArray, expectedHead);
    QFETCH(QByteArray, voltage);
    MonitorLine line;
    QVERIFY(line.setUp());
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("long.csv"));
    ContinuousTable table;
    QVERIFY(table.create(path, head(line), decimalComma, CodePage::Windows1252));
    QCOMPARE(readAll(path), expectedHead);
    Lines seen;
    // 1.2 s at 100 ms: samples at 0, 100 .. 1200 ms, and the one after it.
    QCOMPARE(runInto(line, table, 1.2, 100, seen), MonitorRun::Ending::RecordTimeOver);
    QVERIFY(table.close());
    QVERIFY2(seen.elapsed.size() >= 13 && seen.elapsed.size() <= 14, qPrintable(QString::number(seen.elapsed.size())));
    QCOMPARE(table.lines(), seen.elapsed.size());
    QVERIFY(seen.elapsed.first() < 50);
    QByteArray expected = expectedHead;
    for (int n = 0; n < seen.elapsed.size(); ++n) {
        expected += MonitorTableFile::continuousLine(seen.elapsed[n], seen.values[n], decimalComma);
        QCOMPARE(seen.values[n][1], 141.0);  // DC bus voltage of the stopped drive
    }
    const QByteArray bytes = readAll(path);
    QCOMPARE(bytes, expected);
    // Each line as the drive sent it: frequency 0, bus voltage 141, the others 0.
    const QList<QByteArray> lines = bytes.split('\n');
    QCOMPARE(lines.size(), 5 + seen.elapsed.size() + 1);
    for (int n = 5; n < lines.size() - 1; ++n)
        QVERIFY2(lines[n].contains(voltage), lines[n].constData());
}

void tst_ContinuousTable::fullDiskEndsTheRun()
{
    SmallTmpfs disk;
    if (!disk.mounted())
        QSKIP("mounting a tmpfs is not permitted here");
    MonitorLine line;
    QVERIFY(line.setUp());
    const QString path = disk.filePath(QStringLiteral("long.csv"));
    ContinuousTable table;
    QVERIFY(table.create(path, head(line), false, CodePage::Windows1252));
    disk.fill();
    Lines seen;
    // The lines fill what is left of the last block, then one does not fit and ends the run.
    QCOMPARE(runInto(line, table, 60, 2, seen), MonitorRun::Ending::LineNotWritten);
    QVERIFY(!table.isOpen());
    QVERIFY2(table.error().contains(QStringLiteral("space"), Qt::CaseInsensitive), qPrintable(table.error()));
    QVERIFY(!table.close());
    QCOMPARE(seen.elapsed.size(), table.lines() + 1);
    const QByteArray bytes = readAll(path);
    QVERIFY(bytes.endsWith("\r\n"));
    QCOMPARE(bytes.count("\r\n"), 5 + table.lines());
}

void tst_ContinuousTable::headOnFullDiskKeepsTheFileItReplaces()
{
    SmallTmpfs disk;
    if (!disk.mounted())
        QSKIP("mounting a tmpfs is not permitted here");
    MonitorLine line;
    QVERIFY(line.setUp());
    const QString path = disk.filePath(QStringLiteral("long.csv"));
    const QByteArray before("an earlier recording\r\n");
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(before);
    }
    disk.fill();
    ContinuousTable table;
    QVERIFY(!table.create(path, head(line), false, CodePage::Windows1252));
    QVERIFY(!table.error().isEmpty());
    QVERIFY(!table.isOpen());
    QVERIFY(!table.append(0, {}));
    QCOMPARE(readAll(path), before);
}

QTEST_GUILESS_MAIN(tst_ContinuousTable)
#include "tst_ContinuousTable.moc"
