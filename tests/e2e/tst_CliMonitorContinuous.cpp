// vkr monitor --continuous against vkr-drive-sim: the continuous table appended sample by
// sample, the refused command lines, and a disk that fills up before or during the run.
#include "../../src/cli/ExitCodes.h"
#include "SimProcess.h"
#include "SmallTmpfs.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QStringList Drive{"--data", VKR_SAMPLE_DATA "/dat", "--lng", VKR_SAMPLE_DATA "/lng", "--type", "KDA1",
                        "--cpu",  "V100",                 "--form", "-2004P",               "--lang", "English"};

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// vkr monitor --continuous at one sample a second into `path`, on the simulator's line.
struct ContinuousRun {
    QProcess p;

    ContinuousRun(const QString &device, const QString &path, const QStringList &more = {})
    {
        p.start(QStringLiteral(VKR_BIN_DIR "/vkr"),
                QStringList{"monitor"} + Drive
                    + QStringList{"--port", device, "--items", "FD00,FD04", "--continuous", "--record-time", "30",
                                  "--sampling-time", "1", "--out", path}
                    + more);
    }
    /// Waits until the table holds `lines` lines in all (head included).
    static bool waitForLines(const QString &path, int lines)
    {
        QDeadlineTimer deadline(15000);
        while (readAll(path).count('\n') < lines && !deadline.hasExpired())
            QTest::qWait(50);
        return readAll(path).count('\n') >= lines;
    }
    int stop()
    {
        ::kill(pid_t(p.processId()), SIGTERM);
        return finish();
    }
    int finish()
    {
        if (!p.waitForFinished(20000) || p.exitStatus() != QProcess::NormalExit)
            return -1;
        return p.exitCode();
    }
};

}  // namespace

class tst_CliMonitorContinuous : public QObject
{
    Q_OBJECT

private slots:
    void tableOfTheRun_data()
    {
        QTest::addColumn<QStringList>("more");
        QTest::addColumn<QByteArray>("head");
        QTest::addColumn<QByteArray>("voltage");
        QTest::newRow("full stop and commas")
            << QStringList{}
            << QByteArray("KDA1-2004P\r\n30(min)\r\n1(s/point)\r\n"
                          "Time(ms),Output frequency,DC bus voltage,-,-,-,-,-,-,-,-\r\n"
                          " ,(CH1),(CH2),(CH3),(CH4),(CH5),(CH6),(CH7),(CH8),(CH9),(CH10)\r\n")
            << QByteArray(",0.000000,141.000000,0.000000,0.000000,0.000000,0.000000,0.000000,0.000000,0.000000,"
                          "0.000000\r");
        QTest::newRow("decimal comma and semicolons")
            << QStringList{"--decimal-comma"}
            << QByteArray("KDA1-2004P\r\n30(min)\r\n1(s/point)\r\n"
                          "Time(ms);Output frequency;DC bus voltage;-;-;-;-;-;-;-;-\r\n"
                          " ;(CH1);(CH2);(CH3);(CH4);(CH5);(CH6);(CH7);(CH8);(CH9);(CH10)\r\n")
            << QByteArray(";0;141;0;0;0;0;0;0;0;0\r");
    }
    void tableOfTheRun()
    {
        QFETCH(QStringList, more);
        QFETCH(QByteArray, head);
        QFETCH(QByteArray, voltage);
        SimProcess sim({});
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("long.csv"));
        ContinuousRun run(sim.device(), path, more);
        // Each line is on the disk as soon as its sample is taken: three of them, then SIGTERM.
        QVERIFY(ContinuousRun::waitForLines(path, 5 + 3));
        QCOMPARE(run.stop(), ExitCode::Ok);
        QCOMPARE(run.p.readAllStandardError(), QByteArray());
        const QByteArray bytes = readAll(path);
        QVERIFY2(bytes.startsWith(head), bytes.constData());
        const QList<QByteArray> lines = bytes.mid(head.size()).split('\n');
        QVERIFY2(lines.size() >= 4 && lines.last().isEmpty(), bytes.constData());
        // What was printed is what was written: one row a sample under the header.
        const QList<QByteArray> printed = run.p.readAllStandardOutput().trimmed().split('\n');
        QCOMPARE(printed.size(), lines.size());
        qint64 previous = -1000;
        for (int n = 0; n + 1 < lines.size(); ++n) {
            const qint64 elapsed = lines[n].left(lines[n].indexOf(more.isEmpty() ? ',' : ';')).toLongLong();
            // Every second on the run's clock, the first at its start.
            QVERIFY2(elapsed >= previous + 900 && elapsed <= n * 1000 + 400, lines[n].constData());
            previous = elapsed;
            QVERIFY2(lines[n].endsWith(voltage), lines[n].constData());
        }
    }

    void badCommandLine_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("no table") << QStringList{"--continuous"} << "--continuous writes its table to --out FILE.csv";
        QTest::newRow("a .mon file") << QStringList{"--continuous", "--out", "x.mon"}
                                     << "--continuous writes its table to --out FILE.csv";
        QTest::newRow("with --samples") << QStringList{"--continuous", "--out", "x.csv", "--samples", "3"}
                                        << "--continuous does not go with --samples";
        QTest::newRow("with --interval-ms") << QStringList{"--continuous", "--out", "x.csv", "--interval-ms", "50"}
                                            << "--continuous does not go with --interval-ms";
        QTest::newRow("record time 0") << QStringList{"--continuous", "--out", "x.csv", "--record-time", "0"}
                                       << "--record-time takes whole minutes, 1..1440";
        QTest::newRow("sampling time 301") << QStringList{"--continuous", "--out", "x.csv", "--sampling-time", "301"}
                                           << "--sampling-time takes whole seconds, 1..300";
        QTest::newRow("sampling time not whole") << QStringList{"--continuous", "--out", "x.csv", "--sampling-time", "2.5"}
                                                 << "--sampling-time takes whole seconds, 1..300";
        QTest::newRow("times without --continuous") << QStringList{"--record-time", "30"}
                                                    << "--record-time and --sampling-time go with --continuous";
    }
    void badCommandLine()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        QProcess p;
        p.start(QStringLiteral(VKR_BIN_DIR "/vkr"), QStringList{"monitor"} + Drive + QStringList{"--port", "/dev/null"} + args);
        QVERIFY(p.waitForFinished(20000));
        QCOMPARE(p.exitCode(), ExitCode::Usage);
        const QString err = QString::fromLocal8Bit(p.readAllStandardError());
        QVERIFY2(err.startsWith(QStringLiteral("vkr: monitor: ") + message), qPrintable(err));
        QVERIFY(!QFile::exists(QStringLiteral("x.csv")));
    }

    void fullDiskBeforeTheHead()
    {
        SmallTmpfs disk;
        if (!disk.mounted())
            QSKIP("mounting a tmpfs is not permitted here");
        const QString path = disk.filePath(QStringLiteral("long.csv"));
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("an earlier recording\r\n");
        }
        disk.fill();
        SimProcess sim({});
        ContinuousRun run(sim.device(), path);
        QCOMPARE(run.finish(), ExitCode::FileFailed);
        const QString err = QString::fromLocal8Bit(run.p.readAllStandardError());
        QVERIFY2(err.startsWith(QStringLiteral("vkr: cannot write ") + path + QStringLiteral(": ")), qPrintable(err));
        QVERIFY2(err.contains(QStringLiteral("space"), Qt::CaseInsensitive), qPrintable(err));
        QCOMPARE(readAll(path), QByteArray("an earlier recording\r\n"));
    }

    void fullDiskDuringTheRun()
    {
        SmallTmpfs disk;
        if (!disk.mounted())
            QSKIP("mounting a tmpfs is not permitted here");
        const QString path = disk.filePath(QStringLiteral("long.csv"));
        SimProcess sim({});
        ContinuousRun run(sim.device(), path);
        QVERIFY(ContinuousRun::waitForLines(path, 5 + 1));
        // The rest of the disk taken, and the table's own page all but full (a line of padding
        // written beside the run's): the next sample line does not fit.
        disk.fill();
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::Append));
            const qint64 room = 4096 - f.size() - 40;
            QVERIFY(room > 0);
            f.write(QByteArray(room, 'x') + "\r\n");
        }
        QCOMPARE(run.finish(), ExitCode::FileFailed);
        const QString err = QString::fromLocal8Bit(run.p.readAllStandardError());
        QVERIFY2(err.startsWith(QStringLiteral("vkr: cannot write ") + path + QStringLiteral(": ")), qPrintable(err));
        const QByteArray bytes = readAll(path);
        QVERIFY(bytes.endsWith("\r\n"));
        // The run ended at the line that did not fit, taken back whole; the printed rows (after
        // the header) include it.
        const int written = int(bytes.count('\n')) - 5 - 1;
        QVERIFY(written >= 1);
        QCOMPARE(int(run.p.readAllStandardOutput().trimmed().count('\n')), written + 1);
    }
};

QTEST_GUILESS_MAIN(tst_CliMonitorContinuous)
#include "tst_CliMonitorContinuous.moc"
