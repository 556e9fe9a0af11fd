// vkr import, export and compare against vkr-drive-sim on a pseudo-terminal: reports byte for
// byte, the parameter file written, and the exit codes.
#include "SimProcess.h"
#include "VkrProcess.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QStringList drive(const QString &device, const QString &form = QStringLiteral("-2004P"))
{
    return {"--data", VKR_SAMPLE_DATA "/dat", "--lng", VKR_SAMPLE_DATA "/lng", "--type", "KDA1", "--cpu", "V100",
            "--form", form, "--lang", "English", "--port", device, "--timeout", "60"};
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const QString ChangedSet = QStringLiteral(VKR_TEST_DATA "/transfer/changed-KDA1-2004P.vkr");

}  // namespace

class tst_CliTransfer : public QObject
{
    Q_OBJECT
private slots:
    void importCompareExportRoundTrip_data();
    void importCompareExportRoundTrip();
    void faultyLineListsTheFailedAndExitsOne();
    void abortOnErrorWritesNothing();
    void otherFormIsRefusedUnlessUnchecked();
    void usageErrors_data();
    void usageErrors();
};

void tst_CliTransfer::importCompareExportRoundTrip_data()
{
    QTest::addColumn<QString>("protocol");
    QTest::newRow("native") << "native";
    QTest::newRow("modbus") << "modbus";
}

void tst_CliTransfer::importCompareExportRoundTrip()
{
    QFETCH(QString, protocol);
    SimProcess sim({"--drive", "KDA1:-2004P:V100", "--protocol", protocol});
    QVERIFY(!sim.device().isEmpty());
    QTemporaryDir dir;
    const QStringList base = drive(sim.device()) + QStringList{"--protocol", protocol};
    const QString imported = dir.filePath("imported.vkr");

    Run r = vkr(QStringList{"import"} + base + QStringList{"--out", imported, "--progress"});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, QByteArray("* Communication Error Parameters\r\n"));
    QVERIFY(r.err.endsWith("import 100%\n"));
    QVERIFY(readFile(imported).startsWith("###\r\nKDA1\r\n-2004P\r\nV100\r\nEnglish\r\nNo Comments.\r\n"));

    r = vkr(QStringList{"compare"} + base + QStringList{"--open", imported});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, readFile(VKR_TEST_DATA "/transfer/compare-none.txt"));

    const QString report = dir.filePath("report.txt");
    r = vkr(QStringList{"compare"} + base + QStringList{"--open", ChangedSet, "--report", report});
    QCOMPARE(r.exitCode, 7);
    QVERIFY(r.out.isEmpty());
    QCOMPARE(readFile(report), readFile(VKR_TEST_DATA "/transfer/compare-changed.txt"));

    r = vkr(QStringList{"export"} + base
            + QStringList{"--open", ChangedSet, "--changed-only", "--eeprom", "--settings", dir.filePath("VKR410T.ini")});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, QByteArray("* Communication Error Parameters\r\n"));
    r = vkr(QStringList{"compare"} + base + QStringList{"--open", ChangedSet});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, readFile(VKR_TEST_DATA "/transfer/compare-none.txt"));
}

void tst_CliTransfer::faultyLineListsTheFailedAndExitsOne()
{
    // The identification reads may fail on such a line too; the check is off so the run starts.
    SimProcess sim({"--drive", "KDA1:-2004P:V100", "--drop-rate", "0.1", "--corrupt-rate", "0.05", "--seed", "4"});
    QTemporaryDir dir;
    const QString imported = dir.filePath("imported.vkr");
    const Run r = vkr(QStringList{"import"} + drive(sim.device()) + QStringList{"--out", imported, "--no-type-check"});
    QCOMPARE(r.exitCode, 1);
    const QList<QByteArray> lines = r.out.split('\n');
    QVERIFY(lines.size() > 3);
    QCOMPARE(lines.first(), QByteArray("* Communication Error Parameters\r"));
    // The set is written all the same: the failed rows hold their factory values.
    QVERIFY(readFile(imported).startsWith("###\r\n"));
}

void tst_CliTransfer::abortOnErrorWritesNothing()
{
    SimProcess sim({"--drive", "KDA1:-2004P:V100", "--drop-rate", "0.3", "--seed", "1"});
    QTemporaryDir dir;
    const QString imported = dir.filePath("imported.vkr");
    const Run r = vkr(QStringList{"import"} + drive(sim.device()) + QStringList{"--out", imported, "--on-error", "abort", "--no-type-check"});
    QCOMPARE(r.exitCode, 1);
    QVERIFY(r.err.contains("[answered: abort]"));
    QVERIFY(r.err.contains("aborted at parameter"));
    QVERIFY(!QFile::exists(imported));
    QVERIFY(r.out.isEmpty());
}

void tst_CliTransfer::otherFormIsRefusedUnlessUnchecked()
{
    SimProcess sim({"--drive", "KDA1:-2007P:V100"});
    Run r = vkr(QStringList{"import"} + drive(sim.device()));
    QCOMPARE(r.exitCode, 2);
    QVERIFY(r.out.isEmpty());
    r = vkr(QStringList{"import"} + drive(sim.device()) + QStringList{"--no-type-check"});
    QCOMPARE(r.exitCode, 0);
    // A comparison identifies the drive only while the check is on, and never stops for it.
    r = vkr(QStringList{"compare"} + drive(sim.device()));
    QVERIFY(r.exitCode == 0 || r.exitCode == 7);
}

void tst_CliTransfer::usageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("--out with compare") << QStringList{"compare", "--out", "x.vkr"} << 3;
    QTest::newRow("bad --on-error") << QStringList{"import", "--on-error", "retry"} << 3;
    QTest::newRow("unknown argument") << QStringList{"export", "surplus"} << 3;
    QTest::newRow("no such port") << QStringList{"import", "--port", "/dev/no-such-port"} << 5;
}

void tst_CliTransfer::usageErrors()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    const QString command = arguments.takeFirst();
    QStringList base = drive(QStringLiteral("/dev/null"));
    base.remove(base.indexOf("--port"), 2);
    QCOMPARE(vkr(QStringList{command} + base + arguments).exitCode, exitCode);
}

QTEST_GUILESS_MAIN(tst_CliTransfer)
#include "tst_CliTransfer.moc"
