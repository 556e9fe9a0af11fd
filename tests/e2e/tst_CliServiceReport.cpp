// vkr service-report against vkr-drive-sim: the archive's listing and contents read back with
// bsdtar (libarchive's own reader, a separate program), and a full disk that leaves nothing.
#include "SimProcess.h"
#include "SmallTmpfs.h"
#include "VkrProcess.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

QStringList drive(const QString &device)
{
    return {"--data", VKR_SAMPLE_DATA "/dat", "--lng", VKR_SAMPLE_DATA "/lng", "--type", "KDA1", "--cpu", "V100",
            "--form", "-2004P", "--lang", "English", "--port", device, "--timeout", "60"};
}

const QString ChangedSet = QStringLiteral(VKR_TEST_DATA "/transfer/changed-KDA1-2004P.vkr");

QByteArray bsdtar(const QStringList &arguments)
{
    QProcess p;
    p.start(QStringLiteral("bsdtar"), arguments);
    if (!p.waitForFinished(20000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return "bsdtar failed: " + p.readAllStandardError();
    return p.readAllStandardOutput();
}

QByteArray member(const QString &archive, const QString &name)
{
    return bsdtar({"-xOf", archive, name});
}

}  // namespace

class tst_CliServiceReport : public QObject
{
    Q_OBJECT
private slots:
    void archiveHoldsTheDrivesState();
    void silentDriveGivesIdentificationOnly();
    void fullDiskLeavesNoArchive();
    void outIsRequired();
};

void tst_CliServiceReport::archiveHoldsTheDrivesState()
{
    SimProcess sim({"--drive", "KDA1:-2004P:V100"});
    QVERIFY(!sim.device().isEmpty());
    QCOMPARE(vkr(QStringList{"write"} + drive(sim.device()) + QStringList{"0006", "700"}).exitCode, 0);
    QTemporaryDir dir;
    const QString zip = dir.filePath("service.zip");
    const Run r = vkr(QStringList{"service-report", "--out", zip, "--open", ChangedSet} + drive(sim.device()));
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, zip.toUtf8() + "\n");
    QCOMPARE(bsdtar({"-tf", zip}), QByteArray("identification.txt\nparameters.vkr\nparameters.csv\nthree-way.txt\n"
                                              "three-way.csv\ninverter-info.txt\nversion.txt\ncommunication.log\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"service.zip"});

    const QByteArray identification = member(zip, "identification.txt");
    QVERIFY2(identification.contains("\r\nConnected drive: KDA1-2004P (CPU Ver.V100)\r\n"), identification.constData());
    QVERIFY(identification.contains("\r\nType: same, form: same, CPU version: same\r\n"));
    QVERIFY(identification.contains("\r\nLine: " + sim.device().toUtf8() + ", native protocol, 9600 bit/s"));
    QVERIFY(identification.contains("\r\nCommunication log: included\r\n"));
    // The log of the run itself, frame by frame.
    const QByteArray log = member(zip, "communication.log");
    QVERIFY2(log.count('\n') > 100, log.left(400).constData());
    // The set holds what the drive holds, not the table that was opened.
    const QByteArray set = member(zip, "parameters.vkr");
    QVERIFY(set.startsWith("###\r\nKDA1\r\n-2004P\r\nV100\r\nEnglish\r\nRead from the drive on "));
    QVERIFY(set.contains("\r\n0006,700,0,0\r\n"));
    QVERIFY(set.contains("\r\n0009,100,0,0\r\n"));
    QVERIFY(member(zip, "parameters.csv").contains("\r\nFM,0006,Meter adjustment,     700,"));
    const QByteArray threeWay = member(zip, "three-way.txt");
    QVERIFY(threeWay.startsWith("* Three-Way Comparison\r\n"));
    QVERIFY(threeWay.contains("   FM:        640 ,       640 ,       700  -       Inverter  (Meter adjustment)\r\n"));
    QVERIFY(threeWay.contains("  ACC:       10.0 ,      12.3 ,      10.0  s       VKR410T   (Acceleration time 1)\r\n"));
    QVERIFY(member(zip, "three-way.csv").startsWith("ComNo,Title,Factory,VKR410T,Inverter,Unit,Differs,Name\r\n"));
    // The information report is the one "vkr info" prints for the same drive.
    QCOMPARE(member(zip, "inverter-info.txt"), vkr(QStringList{"info"} + drive(sim.device())).out);
    const QByteArray version = vkr({"--version"}).out.trimmed();
    QVERIFY2(member(zip, "version.txt").startsWith("VKR410T " + version.split(' ').last() + "\r\n"),
             version.constData());
}

void tst_CliServiceReport::silentDriveGivesIdentificationOnly()
{
    SimProcess sim({"--drive", "KDA1:-2004P:V100", "--drop-rate", "1"});
    QTemporaryDir dir;
    const QString zip = dir.filePath("service.zip");
    const Run r = vkr(QStringList{"service-report", "--out", zip} + drive(sim.device()));
    QCOMPARE(r.exitCode, 1);
    QVERIFY(r.err.contains("the drive did not answer"));
    QCOMPARE(bsdtar({"-tf", zip}), QByteArray("identification.txt\nversion.txt\ncommunication.log\n"));
    // The log says why nothing came back.
    QVERIFY(member(zip, "communication.log").contains("Hint: no reply at all."));
    QVERIFY(member(zip, "identification.txt").contains("\r\nConnected drive: no answer; nothing was read\r\n"));
}

void tst_CliServiceReport::fullDiskLeavesNoArchive()
{
    SmallTmpfs disk;
    if (!disk.mounted())
        QSKIP("mounting a tmpfs needs root");
    disk.fill();
    SimProcess sim({"--drive", "KDA1:-2004P:V100"});
    const QString zip = disk.filePath("service.zip");
    const Run r = vkr(QStringList{"service-report", "--out", zip} + drive(sim.device()));
    QCOMPARE(r.exitCode, 6);
    QVERIFY2(r.err.contains("service.zip was not written: "), r.err.constData());
    QVERIFY(r.out.isEmpty());
    QCOMPARE(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"filler"});
}

void tst_CliServiceReport::outIsRequired()
{
    const Run r = vkr(QStringList{"service-report"} + drive("/dev/null"));
    QCOMPARE(r.exitCode, 3);
    QVERIFY(r.err.contains("--out is required"));
}

QTEST_GUILESS_MAIN(tst_CliServiceReport)
#include "tst_CliServiceReport.moc"
