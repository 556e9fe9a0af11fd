#include "TransferLine.h"
#include "../../common/SmallTmpfs.h"

#include "files/ParameterFile.h"
#include "model/EditBuffer.h"
#include "model/ParameterValues.h"
#include "transfer/ExportSnapshot.h"
#include "transfer/SelectedTransfer.h"
#include "transfer/SnapshotFiles.h"

#include <QTemporaryDir>
#include <QtTest>

// The snapshot taken before an export writes, against the simulated drive on the in-process
// line: what it reads, what the file holds, what a failure leaves, and the restore.
class tst_ExportSnapshot : public QObject
{
    Q_OBJECT

private:
    static void enter(TransferLine &line, int index, const QString &raw)
    {
        line.data().uPara.setAt(index, UPara::Value, raw);
        ParameterValues(line.data(), line.tool.messages, line.tool.prompter)
            .MarkChanged(line.data().paraDat.at(index, ParaDat::ComNo), raw.toDouble());
    }
    static QString driveValue(TransferLine &line, int index)
    {
        const auto v = line.drive().parameterValue(line.data().paraDat.at(index, ParaDat::ComNo));
        return v ? QString::number(*v) : QStringLiteral("none");
    }
    static ExportSnapshot snapshotOf(TransferLine &line, const QString &folder)
    {
        ExportSnapshot s(line.data(), *line.exchange, SnapshotTexts::load(nullptr, line.tool.messages),
                         line.tool.prompter);
        s.folder = folder;
        s.selection = line.tool.selection;
        s.inverterNumber = 0;
        return s;
    }
    // The command letter of a native request; a 32-bit one has "L" before it.
    static char command(const QByteArray &frame) { return frame.at(1) == 'L' ? frame.at(2) : frame.at(1); }
    static QStringList fileLines(const QString &path)
    {
        QStringList lines;
        ParameterFile::readLines(path, QStringLiteral("Eng"), &lines);
        return lines;
    }
    // Two changed rows entered in the table; the drive holds other values.
    static void twoChangedRows(TransferLine &line, int *acc, int *dec)
    {
        *acc = line.indexOf("0009");
        *dec = line.indexOf("0010");
        line.drive().write(0x0009, 77, false, false, 0);
        line.drive().write(0x0010, 88, false, false, 0);
        enter(line, *acc, QStringLiteral("150"));
        enter(line, *dec, QStringLiteral("250"));
    }

private slots:
    void exportLeavesTheOldValuesAndRestoreBringsThemBack();
    void snapshotCostsOneReadPerWrittenRow();
    void failedReadStopsTheExportUnlessTheUserGoesOn_data();
    void failedReadStopsTheExportUnlessTheUserGoesOn();
    void fullDiskStopsTheExport();
    void switchedOffTakesNothing();
    void selectedExportIsSnapshottedFirst_data();
    void selectedExportIsSnapshottedFirst();
    void foreignOrBrokenSnapshotIsRefused_data();
    void foreignOrBrokenSnapshotIsRefused();
    void namesAreUniqueAndTheLastIsFound();
};

void tst_ExportSnapshot::exportLeavesTheOldValuesAndRestoreBringsThemBack()
{
    TransferLine line;
    QVERIFY(line.setUp());
    QTemporaryDir dir;
    int acc = 0, dec = 0;
    twoChangedRows(line, &acc, &dec);
    line.options.changedOnly = true;
    TransferRun run(TransferMode::Export, line.data(), *line.exchange, line.tool.prompter, line.texts, line.options,
                    line.data().lastUserIndex);
    QCOMPARE(run.rowsToWrite(), (QList<int>{acc, dec}));
    ExportSnapshot snapshot = snapshotOf(line, dir.filePath(QStringLiteral("snapshots")));
    QVERIFY(snapshot.guard(run.rowsToWrite()));
    run.run();
    QCOMPARE(run.errors(), 0);
    QCOMPARE(driveValue(line, acc), QStringLiteral("150"));

    // Only the written rows, with the values the drive held before.
    const QStringList lines = fileLines(snapshot.result().path);
    QCOMPARE(lines.mid(0, 4), (QStringList{"###", "KDA1", "-2004P", "V100"}));
    QCOMPARE(lines.mid(8), (QStringList{"0009,77,0,0", "0010,88,0,0"}));
    QVERIFY(line.tool.prompter.shown.isEmpty());

    // Restore: the snapshot's rows written back through the export, snapshotted first.
    const SnapshotFiles::Loaded loaded = SnapshotFiles::read(
        SnapshotFiles::lastPath(snapshot.folder, line.tool.selection, 0), line.data(), line.tool.selection);
    QVERIFY2(loaded.error.isEmpty(), qPrintable(loaded.error));
    SnapshotFiles::apply(loaded, line.data(), line.tool.messages, line.tool.prompter);
    line.options.changedOnly = false;
    TransferRun back(TransferMode::Export, line.data(), *line.exchange, line.tool.prompter, line.texts, line.options,
                     line.data().lastUserIndex);
    back.onlyRows = QSet<int>(loaded.rows.cbegin(), loaded.rows.cend());
    QCOMPARE(back.rowsToWrite(), (QList<int>{acc, dec}));
    QVERIFY(snapshot.guard(back.rowsToWrite()));
    back.run();
    QCOMPARE(back.errors(), 0);
    QCOMPARE(driveValue(line, acc), QStringLiteral("77"));
    QCOMPARE(driveValue(line, dec), QStringLiteral("88"));
    QCOMPARE(fileLines(snapshot.result().path).mid(8), (QStringList{"0009,150,0,0", "0010,250,0,0"}));
}

void tst_ExportSnapshot::snapshotCostsOneReadPerWrittenRow()
{
    TransferLine line;
    QVERIFY(line.setUp());
    QTemporaryDir dir;
    line.options.changedOnly = false;
    TransferRun run(TransferMode::Export, line.data(), *line.exchange, line.tool.prompter, line.texts, line.options,
                    line.data().lastUserIndex);
    const QList<int> rows = run.rowsToWrite();
    ExportSnapshot snapshot = snapshotOf(line, dir.path());
    const qsizetype before = line.port->frames.size();
    QCOMPARE(snapshot.take(rows).outcome, ExportSnapshot::Outcome::Taken);
    QCOMPARE(line.port->frames.size() - before, rows.size());
    QCOMPARE(snapshot.result().exchanges, rows.size());
    for (const QByteArray &frame : std::as_const(line.port->frames))
        QCOMPARE(command(frame), 'R');
    QCOMPARE(fileLines(snapshot.result().path).size(), 8 + rows.size());
}

void tst_ExportSnapshot::failedReadStopsTheExportUnlessTheUserGoesOn_data()
{
    QTest::addColumn<Prompter::Answer>("answer");
    QTest::addColumn<bool>("goesOn");
    QTest::newRow("no: nothing written") << Prompter::Answer::No << false;
    QTest::newRow("yes: written without") << Prompter::Answer::Yes << true;
}

void tst_ExportSnapshot::failedReadStopsTheExportUnlessTheUserGoesOn()
{
    QFETCH(Prompter::Answer, answer);
    QFETCH(bool, goesOn);
    TransferLine line;
    QVERIFY(line.setUp());
    QTemporaryDir dir;
    int acc = 0, dec = 0;
    twoChangedRows(line, &acc, &dec);
    // The second row's reply is lost twice: the read and its one repetition.
    line.port->lose = {1, 2};
    ExportSnapshot snapshot = snapshotOf(line, dir.path());
    line.tool.prompter.answers = {answer};
    QCOMPARE(snapshot.guard({acc, dec}), goesOn);
    QCOMPARE(snapshot.result().outcome, ExportSnapshot::Outcome::ReadFailed);
    QCOMPARE(snapshot.result().exchanges, 3);
    QCOMPARE(line.tool.prompter.shown.size(), 1);
    const ScriptedPrompter::Shown &box = line.tool.prompter.shown.first();
    QVERIFY(box.text.contains(QStringLiteral("(0010)")));
    QVERIFY(box.text.contains(QStringLiteral("Nothing has been written.")));
    QCOMPARE(box.buttons, Prompter::Buttons::YesNo);
    QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    QCOMPARE(driveValue(line, acc), QStringLiteral("77"));
}

void tst_ExportSnapshot::fullDiskStopsTheExport()
{
    SmallTmpfs disk;
    if (!disk.mounted())
        QSKIP("mounting a tmpfs is not permitted here");
    TransferLine line;
    QVERIFY(line.setUp());
    line.options.changedOnly = false;
    TransferRun run(TransferMode::Export, line.data(), *line.exchange, line.tool.prompter, line.texts, line.options,
                    line.data().lastUserIndex);
    QDir().mkpath(disk.filePath(QStringLiteral("snapshots")));
    disk.fill();
    ExportSnapshot snapshot = snapshotOf(line, disk.filePath(QStringLiteral("snapshots")));
    line.tool.prompter.answers = {Prompter::Answer::No};
    QVERIFY(!snapshot.guard(run.rowsToWrite()));
    QCOMPARE(snapshot.result().outcome, ExportSnapshot::Outcome::WriteFailed);
    QVERIFY(line.tool.prompter.shown.first().text.contains(QStringLiteral("could not be saved")));
    QVERIFY(QDir(disk.filePath(QStringLiteral("snapshots"))).entryList(QDir::Files).isEmpty());
    for (const QByteArray &frame : std::as_const(line.port->frames))
        QCOMPARE(command(frame), 'R');
}

void tst_ExportSnapshot::switchedOffTakesNothing()
{
    TransferLine line;
    QVERIFY(line.setUp());
    QTemporaryDir dir;
    ExportSnapshot snapshot = snapshotOf(line, dir.path());
    snapshot.enabled = false;
    QVERIFY(snapshot.guard({line.indexOf("0009")}));
    QVERIFY(line.port->frames.isEmpty());
    QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

void tst_ExportSnapshot::selectedExportIsSnapshottedFirst_data()
{
    QTest::addColumn<bool>("folderUsable");
    QTest::newRow("taken: written") << true;
    QTest::newRow("failed and refused: nothing written") << false;
}

void tst_ExportSnapshot::selectedExportIsSnapshottedFirst()
{
    QFETCH(bool, folderUsable);
    TransferLine line;
    QVERIFY(line.setUp());
    QTemporaryDir dir;
    const int acc = line.indexOf("0009");
    line.drive().write(0x0009, 77, false, false, 0);
    // A file where the folder would go: the snapshot cannot be saved.
    const QString folder = dir.filePath(QStringLiteral("snapshots"));
    if (!folderUsable)
        QVERIFY(QFile(folder).open(QIODevice::WriteOnly));
    ExportSnapshot snapshot = snapshotOf(line, folder);
    SelectedTransfer t(line.data(), *line.exchange, line.tool.messages, line.tool.prompter);
    t.connectionCheck = [] { return true; };
    t.beforeWriting = [&snapshot](const QList<int> &rows) { return snapshot.guard(rows); };
    line.tool.prompter.answers = {Prompter::Answer::No};
    EditBuffer edit(line.data(), line.tool.messages, line.tool.prompter);
    for (const QChar c : QStringLiteral("12.3"))
        edit.KeyPress(c, QString());
    const SelectedTransfer::Typed typed = t.exportTyped(acc, edit);
    if (folderUsable) {
        QCOMPARE(typed.outcome, SelectedTransfer::TypedOutcome::Written);
        QCOMPARE(driveValue(line, acc), QStringLiteral("123"));
        QCOMPARE(fileLines(snapshot.result().path).mid(8), QStringList{QStringLiteral("0009,77,0,0")});
    } else {
        QCOMPARE(typed.outcome, SelectedTransfer::TypedOutcome::Stopped);
        QCOMPARE(driveValue(line, acc), QStringLiteral("77"));
        QCOMPARE(edit.buffer(), QStringLiteral("12.3"));
    }
    // Fixed rows are never written, so never read for the snapshot either.
    line.data().paraDat.setAt(acc, ParaDat::Flag, QStringLiteral("1"));
    QList<int> asked{-1};
    t.beforeWriting = [&asked](const QList<int> &rows) {
        asked = rows;
        return true;
    };
    QVERIFY(t.mayWrite({acc}));
    QVERIFY(asked.isEmpty());
}

void tst_ExportSnapshot::foreignOrBrokenSnapshotIsRefused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("error");
    QTest::newRow("other form") << QByteArray("###\r\nKDA1\r\n-2007P\r\nV100\r\nEnglish\r\nx\r\n0\r\n0\r\n0009,1,0,0\r\n")
                                << "taken from KDA1-2007P";
    QTest::newRow("unknown number") << QByteArray("###\r\nKDA1\r\n-2004P\r\nV100\r\nEnglish\r\nx\r\n0\r\n0\r\nZZZZ,1\r\n")
                                    << "line 9 is no parameter of this drive";
    QTest::newRow("not a number") << QByteArray("###\r\nKDA1\r\n-2004P\r\nV100\r\nEnglish\r\nx\r\n0\r\n0\r\n0009,abc\r\n")
                                  << "line 9 is no parameter of this drive";
    QTest::newRow("empty") << QByteArray("###\r\nKDA1\r\n-2004P\r\nV100\r\nEnglish\r\nx\r\n0\r\n0\r\n")
                           << "it holds no parameter";
    QTest::newRow("no mark") << QByteArray("garbage\r\n") << "not a parameter data file";
}

void tst_ExportSnapshot::foreignOrBrokenSnapshotIsRefused()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, error);
    SampleDrive tool;
    QVERIFY(tool.load());
    QTemporaryDir dir;
    QFile f(dir.filePath(QStringLiteral("s.vkr")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();
    const SnapshotFiles::Loaded loaded = SnapshotFiles::read(f.fileName(), tool.data, tool.selection);
    QCOMPARE(loaded.error, error);
    QVERIFY(loaded.rows.isEmpty());
}

void tst_ExportSnapshot::namesAreUniqueAndTheLastIsFound()
{
    QTemporaryDir dir;
    DriveSelection s;
    s.typeName = QStringLiteral("KDA1");
    s.formName = QStringLiteral("-2004P/x");
    const QDateTime when(QDate(2026, 12, 9), QTime(19, 45, 12));
    const QString first = SnapshotFiles::newPath(dir.path(), s, 3, when);
    QCOMPARE(QFileInfo(first).fileName(), QStringLiteral("KDA1-2004P_x_No03_20261209-194512.vkr"));
    QFile(first).open(QIODevice::WriteOnly);
    const QString second = SnapshotFiles::newPath(dir.path(), s, 3, when);
    QCOMPARE(QFileInfo(second).fileName(), QStringLiteral("KDA1-2004P_x_No03_20261209-194512-2.vkr"));
    QFile(second).open(QIODevice::WriteOnly);
    QCOMPARE(SnapshotFiles::lastPath(dir.path(), s, 3), second);
    QVERIFY(SnapshotFiles::lastPath(dir.path(), s, 4).isEmpty());
    QCOMPARE(SnapshotFiles::folderBeside(QStringLiteral("/a/b/VKR410T.ini")), QStringLiteral("/a/b/snapshots"));
}

QTEST_GUILESS_MAIN(tst_ExportSnapshot)
#include "tst_ExportSnapshot.moc"
