// vkr export and vkr restore against vkr-drive-sim: the snapshot taken before writing, the
// restore that brings the old values back, and the snapshot failures that stop the write.
#include "SimProcess.h"
#include "SmallTmpfs.h"
#include "VkrProcess.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QStringList drive(const QString &device)
{
    return {"--data", VKR_SAMPLE_DATA "/dat", "--lng", VKR_SAMPLE_DATA "/lng", "--type", "KDA1", "--cpu", "V100",
            "--form", "-2004P", "--lang", "English", "--port", device, "--timeout", "60"};
}

QList<QByteArray> fileLines(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll().split('\n') : QList<QByteArray>();
}

QStringList snapshots(const QString &folder)
{
    return QDir(folder + QStringLiteral("/snapshots")).entryList({"*.vkr"}, QDir::Files, QDir::Name);
}

// The parameter lines of a parameter data file as "ComNo,value", CR dropped.
QMap<QByteArray, QByteArray> values(const QString &path)
{
    QMap<QByteArray, QByteArray> out;
    const QList<QByteArray> lines = fileLines(path);
    for (qsizetype i = 8; i < lines.size(); ++i) {
        const QList<QByteArray> f = lines.at(i).trimmed().split(',');
        if (f.size() >= 2)
            out.insert(f.at(0), f.at(1));
    }
    return out;
}

const QString ChangedSet = QStringLiteral(VKR_TEST_DATA "/transfer/changed-KDA1-2004P.vkr");

}  // namespace

class tst_CliSnapshot : public QObject
{
    Q_OBJECT
private slots:
    void exportIsUndoneByRestore();
    void failedReadStopsTheExport();
    void fullDiskStopsTheExportAndWritesNothing();
    void switchedOff_data();
    void switchedOff();
    void restoreWithoutSnapshotIsRefused();
};

void tst_CliSnapshot::exportIsUndoneByRestore()
{
    SimProcess sim({"--drive", "KDA1:-2004P:V100"});
    QVERIFY(!sim.device().isEmpty());
    QTemporaryDir dir;
    const QStringList settings{"--settings", dir.filePath("VKR410T.ini")};
    const QString before = dir.filePath("before.vkr");
    QCOMPARE(vkr(QStringList{"import"} + drive(sim.device()) + QStringList{"--out", before}).exitCode, 0);

    Run r = vkr(QStringList{"export"} + drive(sim.device()) + settings
                + QStringList{"--open", ChangedSet, "--changed-only"});
    QCOMPARE(r.exitCode, 0);
    QVERIFY2(r.err.contains("snapshot " + dir.filePath("snapshots").toUtf8() + "/KDA1-2004P_No00_"), r.err.constData());
    QCOMPARE(snapshots(dir.path()).size(), 1);
    // Only the written rows, each with the value the drive held before.
    const QString taken = dir.filePath("snapshots/" + snapshots(dir.path()).first());
    const QMap<QByteArray, QByteArray> old = values(taken);
    const QMap<QByteArray, QByteArray> changed = values(ChangedSet);
    const QMap<QByteArray, QByteArray> drive0 = values(before);
    QVERIFY(!old.isEmpty());
    for (auto it = old.cbegin(); it != old.cend(); ++it) {
        QCOMPARE(it.value(), drive0.value(it.key()));
        QVERIFY2(changed.contains(it.key()), it.key().constData());
    }
    QCOMPARE(vkr(QStringList{"compare"} + drive(sim.device()) + QStringList{"--open", before}).exitCode, 7);

    r = vkr(QStringList{"restore"} + drive(sim.device()) + settings);
    QCOMPARE(r.exitCode, 0);
    QVERIFY2(r.err.contains("restoring " + taken.toUtf8()), r.err.constData());
    QCOMPARE(r.out, QByteArray("* Communication Error Parameters\r\n"));
    // The drive holds its old values again, and the restore took its own snapshot first.
    r = vkr(QStringList{"compare"} + drive(sim.device()) + QStringList{"--open", before});
    QCOMPARE(r.exitCode, 0);
    QStringList all = snapshots(dir.path());
    QCOMPARE(all.size(), 2);
    all.removeOne(QFileInfo(taken).fileName());
    const QString second = dir.filePath("snapshots/" + all.first());
    QCOMPARE(values(second).keys(), old.keys());
    for (auto it = old.cbegin(); it != old.cend(); ++it)
        QCOMPARE(values(second).value(it.key()), changed.value(it.key()));
}

void tst_CliSnapshot::failedReadStopsTheExport()
{
    // The line hangs up after the connection check: the identification fails (the type check
    // is off so the export goes on) and every read of the snapshot goes unanswered.
    SimProcess sim({"--drive", "KDA1:-2004P:V100", "--disconnect-after", "2"});
    QTemporaryDir dir;
    const Run r = vkr(QStringList{"export"} + drive(sim.device())
                      + QStringList{"--settings", dir.filePath("VKR410T.ini"), "--open", ChangedSet, "--changed-only",
                                    "--no-type-check"});
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.err.contains("The snapshot before writing could not be taken: the inverter did not answer for"),
             r.err.constData());
    QVERIFY2(r.err.contains("Nothing has been written. (--no-snapshot writes without one)"), r.err.constData());
    QVERIFY(r.out.isEmpty());
    QVERIFY(snapshots(dir.path()).isEmpty());
}

void tst_CliSnapshot::fullDiskStopsTheExportAndWritesNothing()
{
    SmallTmpfs disk;
    if (!disk.mounted())
        QSKIP("mounting a tmpfs is not permitted here");
    SimProcess sim({"--drive", "KDA1:-2004P:V100"});
    QTemporaryDir dir;
    const QString before = dir.filePath("before.vkr");
    QCOMPARE(vkr(QStringList{"import"} + drive(sim.device()) + QStringList{"--out", before}).exitCode, 0);
    QVERIFY(QDir().mkpath(disk.filePath("snapshots")));
    disk.fill();
    const Run r = vkr(QStringList{"export"} + drive(sim.device())
                      + QStringList{"--settings", disk.filePath("VKR410T.ini"), "--open", ChangedSet});
    QCOMPARE(r.exitCode, 6);
    QVERIFY2(r.err.contains("The snapshot before writing could not be saved to " + disk.filePath("snapshots").toUtf8()),
             r.err.constData());
    QVERIFY(r.out.isEmpty());
    QCOMPARE(vkr(QStringList{"compare"} + drive(sim.device()) + QStringList{"--open", before}).exitCode, 0);
}

void tst_CliSnapshot::switchedOff_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QStringList>("flags");
    QTest::newRow("--no-snapshot") << QByteArray() << QStringList{"--no-snapshot"};
    QTest::newRow("option off") << QByteArray("[Options]\r\nSnapshot=0\r\n") << QStringList{};
}

void tst_CliSnapshot::switchedOff()
{
    QFETCH(QByteArray, settings);
    QFETCH(QStringList, flags);
    SimProcess sim({"--drive", "KDA1:-2004P:V100"});
    QTemporaryDir dir;
    if (!settings.isEmpty()) {
        QFile f(dir.filePath("VKR410T.ini"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(settings);
    }
    const Run r = vkr(QStringList{"export"} + drive(sim.device()) + flags
                      + QStringList{"--settings", dir.filePath("VKR410T.ini"), "--open", ChangedSet, "--changed-only"});
    QCOMPARE(r.exitCode, 0);
    QVERIFY(!r.err.contains("snapshot"));
    QVERIFY(!QFileInfo::exists(dir.filePath("snapshots")));
}

void tst_CliSnapshot::restoreWithoutSnapshotIsRefused()
{
    SimProcess sim({"--drive", "KDA1:-2004P:V100"});
    QTemporaryDir dir;
    Run r = vkr(QStringList{"restore"} + drive(sim.device()) + QStringList{"--settings", dir.filePath("VKR410T.ini")});
    QCOMPARE(r.exitCode, 2);
    QVERIFY2(r.err.contains("No snapshot of this inverter was found in " + dir.filePath("snapshots").toUtf8()),
             r.err.constData());
    const QString missing = dir.filePath("none.vkr");
    r = vkr(QStringList{"restore"} + drive(sim.device()) + QStringList{"--snapshot", missing});
    QCOMPARE(r.exitCode, 2);
    QVERIFY2(r.err.contains("cannot be restored"), r.err.constData());
}

QTEST_GUILESS_MAIN(tst_CliSnapshot)
#include "tst_CliSnapshot.moc"
