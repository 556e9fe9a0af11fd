// vkr monitor against vkr-drive-sim on a pseudo-terminal: the CSV it prints, failed reads,
// a silent line and the end by a signal.
#include "../core/files/SampleDrive.h"
#include "SimProcess.h"

#include "monitor/MonitorItems.h"
#include "monitor/MonitorReadSlot.h"

#include <QTest>
#include <csignal>

namespace {

struct Run {
    int exitCode = -1;
    QStringList lines;
    QString err;
};

QStringList driveArgs(const QString &device)
{
    return {"--data", VKR_SAMPLE_DATA "/dat", "--lng", VKR_SAMPLE_DATA "/lng", "--type", "KDA1", "--cpu", "V100",
            "--form", "-2004P", "--lang", "English", "--port", device};
}

Run finished(QProcess &p)
{
    Run r;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    const QString out = QString::fromLocal8Bit(p.readAllStandardOutput());
    // The output ends with a whole line.
    if (!out.isEmpty() && !out.endsWith(QLatin1Char('\n')))
        r.exitCode = -2;
    r.lines = out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    r.err = QString::fromLocal8Bit(p.readAllStandardError());
    return r;
}

Run monitor(const QString &device, const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(VKR_BIN_DIR "/vkr"), QStringList{"monitor"} + driveArgs(device) + args);
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    return finished(p);
}

// The limits of an item in the unit it is printed in; a bit reads 0 or 15.
std::pair<double, double> limits(const DriveData &data, const QString &code)
{
    const MonitorReadSlot slot = MonitorReadSlot::forCode(data, code);
    if (!slot.bitText.isEmpty())
        return {0, 15};
    return {data.paraDat.at(slot.row, ParaDat::Low).toDouble() / slot.divisor,
            data.paraDat.at(slot.row, ParaDat::High).toDouble() / slot.divisor};
}

// Checks the lines against the header and the items' limits; returns the count of ERR fields.
int checkLines(const Run &r, const QStringList &header, const QStringList &codes)
{
    SampleDrive drive;
    if (!drive.load())
        return -1;
    if (r.lines.isEmpty() || r.lines.first() != header.join(QLatin1Char(',')))
        return -1;
    int errors = 0;
    double lastTime = -1;
    for (int i = 1; i < r.lines.size(); ++i) {
        const QStringList f = r.lines[i].split(QLatin1Char(','));
        if (f.size() != codes.size() + 1 || f[0].toDouble() < lastTime)
            return -1;
        lastTime = f[0].toDouble();
        for (int c = 0; c < codes.size(); ++c) {
            if (f[c + 1] == QLatin1String("ERR")) {
                ++errors;
                continue;
            }
            bool ok = false;
            const double v = f[c + 1].toDouble(&ok);
            const auto [low, high] = limits(drive.data, codes[c]);
            if (!ok || v < low || v > high)
                return -1;
        }
    }
    return errors;
}

}  // namespace

class tst_CliMonitor : public QObject
{
    Q_OBJECT
private slots:
    void samplesAsCsv_data();
    void samplesAsCsv();
    void failedReadsAreErr();
    void silentLineEndsWithExchangeFailed();
    void signalEndsAfterTheCurrentSample_data();
    void signalEndsAfterTheCurrentSample();
};

void tst_CliMonitor::samplesAsCsv_data()
{
    QTest::addColumn<QStringList>("simLine");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QStringList>("header");
    QTest::addColumn<QStringList>("codes");
    QTest::addColumn<int>("samples");
    const QStringList defaultHeader{"time_s", "Output frequency (Hz)", "Frequency command (Hz)", "Output current (%)",
                                    "Output voltage (%)", "DC bus voltage (%)"};
    const QStringList defaultCodes{"FD00", "FD02", "FD03", "FD05", "FD04"};
    QTest::newRow("first five items, four samples")
        << QStringList{} << QStringList{"--samples", "4", "--interval-ms", "100"} << defaultHeader << defaultCodes << 4;
    QTest::newRow("fastest interval measured on a timed line")
        << QStringList{"--line-timing"} << QStringList{"--samples", "3"} << defaultHeader << defaultCodes << 3;
    QTest::newRow("bit items and any parameter, for a duration")
        << QStringList{} << QStringList{"--items", "FD06-3,FD16,FE10-3", "--interval-ms", "100", "--duration", "0.5"}
        << QStringList{"time_s", "Input terminal S1 (-)", "Torque (%)", "Trip history 1 (latest) bit 3"}
        << QStringList{"FD06-3", "FD16", "FE10-3"} << 5;
    QTest::newRow("Modbus") << QStringList{"--protocol", "modbus"}
                            << QStringList{"--protocol", "modbus", "--items", "FD04", "--samples", "6", "--interval-ms",
                                           "50"}
                            << QStringList{"time_s", "DC bus voltage (%)"} << QStringList{"FD04"} << 6;
}

void tst_CliMonitor::samplesAsCsv()
{
    QFETCH(QStringList, simLine);
    QFETCH(QStringList, args);
    QFETCH(QStringList, header);
    QFETCH(QStringList, codes);
    QFETCH(int, samples);
    SimProcess sim(simLine);
    QVERIFY(!sim.device().isEmpty());
    const Run r = monitor(sim.device(), args);
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.lines.size(), samples + 1);
    QCOMPARE(checkLines(r, header, codes), 0);
    QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
}

void tst_CliMonitor::failedReadsAreErr()
{
    SimProcess sim({"--drop-rate", "0.3", "--seed", "7"});
    QVERIFY(!sim.device().isEmpty());
    const Run r = monitor(sim.device(), {"--items", "FD04,FD00", "--samples", "20", "--interval-ms", "20", "--timeout",
                                         "30"});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.lines.size(), 21);
    const int errors = checkLines(r, {"time_s", "DC bus voltage (%)", "Output frequency (Hz)"}, {"FD04", "FD00"});
    QVERIFY2(errors > 0 && errors < 40, qPrintable(QString::number(errors)));
}

void tst_CliMonitor::silentLineEndsWithExchangeFailed()
{
    SimProcess sim({"--drop-rate", "1"});
    QVERIFY(!sim.device().isEmpty());
    const Run r = monitor(sim.device(), {"--items", "FD00", "--interval-ms", "100", "--timeout", "50"});
    QCOMPARE(r.exitCode, 1);
    QVERIFY(r.lines.size() >= 3);
    QCOMPARE(checkLines(r, {"time_s", "Output frequency (Hz)"}, {"FD00"}), r.lines.size() - 1);
    QVERIFY2(r.err.contains(QStringLiteral("no answer from the drive on ") + sim.device()), qPrintable(r.err));
}

void tst_CliMonitor::signalEndsAfterTheCurrentSample_data()
{
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGINT") << int(SIGINT);
}

void tst_CliMonitor::signalEndsAfterTheCurrentSample()
{
    QFETCH(int, signal);
    SimProcess sim({"--line-timing"});
    QVERIFY(!sim.device().isEmpty());
    QProcess p;
    p.start(QStringLiteral(VKR_BIN_DIR "/vkr"),
            QStringList{"monitor"} + driveArgs(sim.device()) + QStringList{"--interval-ms", "100"});
    QVERIFY(p.waitForStarted());
    QByteArray seen;
    while (seen.count('\n') < 4 && p.waitForReadyRead(5000))
        seen += p.readAllStandardOutput();
    QVERIFY(seen.count('\n') >= 4);
    ::kill(pid_t(p.processId()), signal);
    QVERIFY(p.waitForFinished(10000));
    Run r = finished(p);
    const QStringList earlier = QString::fromLocal8Bit(seen).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    r.lines = earlier + r.lines;
    QCOMPARE(r.exitCode, 0);
    QVERIFY(r.lines.size() >= 4);
    QCOMPARE(checkLines(r, {"time_s", "Output frequency (Hz)", "Frequency command (Hz)", "Output current (%)",
                            "Output voltage (%)", "DC bus voltage (%)"},
                        {"FD00", "FD02", "FD03", "FD05", "FD04"}),
             0);
}

QTEST_GUILESS_MAIN(tst_CliMonitor)
#include "tst_CliMonitor.moc"
