// The communication log of vkr --trace against the simulator: frames of both protocols, and
// the one hint line each typical fault of a line earns.

#include "SimProcess.h"
#include "VkrProcess.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QStringList drive(const QString &device)
{
    return {"--data", VKR_SAMPLE_DATA "/dat", "--lng", VKR_SAMPLE_DATA "/lng", "--type", "KDA1", "--cpu", "V100",
            "--form", "-2007P", "--lang", "English", "--port", device};
}

QStringList readLines(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

int countContaining(const QStringList &lines, const QString &text)
{
    int n = 0;
    for (const QString &line : lines)
        n += line.contains(text) ? 1 : 0;
    return n;
}

const QString NoReply = QStringLiteral("Hint: no reply at all");
const QString BadCheck = QStringLiteral("Hint: replies arrive garbled or with bad check values");

}  // namespace

class tst_CliTrace : public QObject
{
    Q_OBJECT
private slots:
    void framesOfBothProtocols_data();
    void framesOfBothProtocols();
    void faultsGiveTheirHintOnce_data();
    void faultsGiveTheirHintOnce();
    void portWithoutPermissionNamesTheGroup();
    void unwritableTraceFileIsRefused();
    void simulatorLogsWhatItHearsAndSends();
};

void tst_CliTrace::framesOfBothProtocols_data()
{
    QTest::addColumn<QString>("protocol");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("native") << "native"
                            << QStringList{"port %1 open: 9600 bit/s, 8 data bits, even parity, 1 stop bit",
                                           "TX 2F 52 FB 05 81  | native, read, No. FB05, check 81 good",
                                           "RX 2F 52 FB 05 00 01 82  | native, read, No. FB05, value 1, check 82 good"};
    QTest::newRow("Modbus") << "modbus"
                            << QStringList{"TX FB 03 FB 05 00 01 B1 75  | Modbus, slave 251 (the drive alone), read "
                                           "holding registers, No. FB05, count 1, CRC 75B1 good",
                                           "RX FB 03 02 00 01 A1 90  | Modbus, slave 251 (the drive alone), read holding "
                                           "registers, 2 bytes, value 1, CRC 90A1 good"};
}

void tst_CliTrace::framesOfBothProtocols()
{
    QFETCH(QString, protocol);
    QFETCH(QStringList, expected);
    SimProcess sim({"--protocol", protocol});
    QVERIFY(!sim.device().isEmpty());
    QTemporaryDir dir;
    const QString trace = dir.filePath("trace.log");
    const Run r = vkr(QStringList{"read"} + drive(sim.device()) + QStringList{"--protocol", protocol, "--trace", trace, "FB05"});
    QCOMPARE(r.exitCode, 0);
    const QStringList lines = readLines(trace);
    for (const QString &text : expected)
        QCOMPARE(countContaining(lines, QString(text).replace("%1", sim.device())), 1);
    QCOMPARE(countContaining(lines, "Hint:"), 0);
    // Every line starts with the time of day to the millisecond.
    for (const QString &line : lines)
        QVERIFY2(QRegularExpression("^\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d ").match(line).hasMatch(), qPrintable(line));
}

void tst_CliTrace::faultsGiveTheirHintOnce_data()
{
    QTest::addColumn<QStringList>("simArgs");
    QTest::addColumn<QStringList>("toolArgs");
    QTest::addColumn<QString>("hint");
    QTest::newRow("every request dropped") << QStringList{"--drop-rate", "1"} << QStringList{} << NoReply;
    QTest::newRow("drive at another baud rate") << QStringList{"--baud", "19200"} << QStringList{} << NoReply;
    QTest::newRow("drive with odd parity") << QStringList{"--parity", "odd"} << QStringList{} << NoReply;
    QTest::newRow("nobody at that inverter number") << QStringList{} << QStringList{"--id", "9"} << NoReply;
    QTest::newRow("silent line in Modbus") << QStringList{} << QStringList{"--protocol", "modbus"} << NoReply;
    QTest::newRow("corrupted replies") << QStringList{"--corrupt-rate", "1"} << QStringList{} << BadCheck;
    QTest::newRow("garbage replies") << QStringList{"--garbage-rate", "1", "--seed", "3"} << QStringList{} << BadCheck;
    QTest::newRow("corrupted Modbus replies") << QStringList{"--protocol", "modbus", "--corrupt-rate", "1"}
                                              << QStringList{"--protocol", "modbus"} << BadCheck;
}

void tst_CliTrace::faultsGiveTheirHintOnce()
{
    QFETCH(QStringList, simArgs);
    QFETCH(QStringList, toolArgs);
    QFETCH(QString, hint);
    SimProcess sim(simArgs);
    QVERIFY(!sim.device().isEmpty());
    QTemporaryDir dir;
    const QString trace = dir.filePath("trace.log");
    const Run r = vkr(QStringList{"read"} + drive(sim.device()) + toolArgs
                      + QStringList{"--timeout", "60", "--trace", trace, "FB05", "0011", "0000"});
    QCOMPARE(r.exitCode, 1);
    const QStringList lines = readLines(trace);
    // Three failed exchanges, one hint.
    QCOMPARE(countContaining(lines, "TX "), 3);
    QCOMPARE(countContaining(lines, hint), 1);
    QCOMPARE(countContaining(lines, "Hint:"), 1);
}

void tst_CliTrace::portWithoutPermissionNamesTheGroup()
{
    if (geteuid() != 0)
        QSKIP("needs root to hand the line to the dialout group and run the tool as nobody");
    SimProcess sim({});
    QVERIFY(!sim.device().isEmpty());
    const QByteArray device = QFile::encodeName(sim.device());
    QCOMPARE(::chown(device.constData(), 0, 20), 0);  // group dialout
    QCOMPARE(::chmod(device.constData(), 0660), 0);
    QTemporaryDir dir;
    QCOMPARE(::chmod(QFile::encodeName(dir.path()).constData(), 0777), 0);
    const QString trace = dir.filePath("trace.log");
    auto runAsNobody = [&](const QStringList &groups) {
        QProcess p;
        p.start("setpriv", QStringList{"--reuid=nobody", "--regid=nogroup"} + groups
                               + QStringList{"--", VKR_BIN_DIR "/vkr", "read"} + drive(sim.device())
                               + QStringList{"--trace", trace, "FB05"});
        p.waitForFinished(60000);
        return p.exitCode();
    };
    QCOMPARE(runAsNobody({"--clear-groups"}), 5);
    QStringList lines = readLines(trace);
    QCOMPARE(countContaining(lines, "cannot be opened: Permission denied"), 1);
    QCOMPARE(countContaining(lines, QStringLiteral("Hint: %1 belongs to group \"dialout\" and the user \"nobody\" is not "
                                                   "in it").arg(sim.device())), 1);
    // In the group, the same user reaches the drive.
    QCOMPARE(runAsNobody({"--groups=dialout"}), 0);
    lines = readLines(trace);
    QCOMPARE(countContaining(lines, "Hint:"), 0);
    QCOMPARE(countContaining(lines, "check 82 good"), 1);
}

void tst_CliTrace::unwritableTraceFileIsRefused()
{
    const Run r = vkr(QStringList{"read"} + drive("/dev/null") + QStringList{"--trace", "/no/such/folder/t.log", "FB05"});
    QCOMPARE(r.exitCode, 6);
    QVERIFY(r.err.contains("/no/such/folder/t.log"));
}

void tst_CliTrace::simulatorLogsWhatItHearsAndSends()
{
    QTemporaryDir dir;
    const QString simTrace = dir.filePath("sim.log");
    SimProcess sim({"--corrupt-rate", "1", "--trace", simTrace});
    QVERIFY(!sim.device().isEmpty());
    vkr(QStringList{"read"} + drive(sim.device()) + QStringList{"--timeout", "60", "FB05"});
    vkr(QStringList{"read"} + drive(sim.device()) + QStringList{"--timeout", "60", "--baud", "4800", "FB05"});
    QCOMPARE(sim.stop(), 0);
    const QStringList lines = readLines(simTrace);
    QCOMPARE(countContaining(lines, "RX 2F 52 FB 05 81  | native, read, No. FB05, check 81 good"), 2);
    QCOMPARE(countContaining(lines, "check 82 bad"), 0);
    QCOMPARE(countContaining(lines, "fault: corrupted"), 1);
    QCOMPARE(countContaining(lines, "not heard: the master's line is at 4800 bit/s"), 1);
}

QTEST_GUILESS_MAIN(tst_CliTrace)
#include "tst_CliTrace.moc"
