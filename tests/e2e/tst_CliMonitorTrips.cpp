// vkr monitor with --alarms, --trips and --stop-on-trip against vkr-drive-sim on a
// pseudo-terminal, in both protocols.
#include "SimProcess.h"

#include <QTest>

namespace {

struct Run {
    int exitCode = -1;
    QStringList lines;
    QStringList err;
};

Run monitor(const QStringList &simLine, const QStringList &args)
{
    SimProcess sim(QStringList{"--trip-after", "1"} + simLine);
    Run r;
    if (sim.device().isEmpty())
        return r;
    QProcess p;
    p.start(QStringLiteral(VKR_BIN_DIR "/vkr"),
            QStringList{"monitor", "--data", VKR_SAMPLE_DATA "/dat", "--lng", VKR_SAMPLE_DATA "/lng", "--type", "KDA1",
                        "--cpu", "V100", "--form", "-2004P", "--lang", "English", "--port", sim.device(),
                        "--items", "FD00,FD02", "--interval-ms", "100"}
                + simLine + args);
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.lines = QString::fromLocal8Bit(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    // The report keeps the result window's CR LF line ends.
    r.err = QString::fromLocal8Bit(p.readAllStandardError()).remove(QLatin1Char('\r')).split(QLatin1Char('\n'));
    return r;
}

void protocols()
{
    QTest::addColumn<QStringList>("simLine");
    QTest::newRow("native protocol") << QStringList{};
    QTest::newRow("Modbus RTU") << QStringList{"--protocol", "modbus"};
}

}  // namespace

class tst_CliMonitorTrips : public QObject
{
    Q_OBJECT
private slots:
    void stopOnTripEndsTheRunWithTheReport_data() { protocols(); }
    void stopOnTripEndsTheRunWithTheReport()
    {
        QFETCH(QStringList, simLine);
        // Without an end the run would go on until a signal: the trip ends it.
        const Run r = monitor(simLine, {"--alarms", "--stop-on-trip"});
        QCOMPARE(r.exitCode, 8);
        QVERIFY(r.lines.size() >= 3);
        QVERIFY2(r.lines.first().endsWith(QStringLiteral(",alarms,trip")), qPrintable(r.lines.first()));
        // The last sample names the trip; the ones before it do not.
        const QString trip = r.lines.last().section(QLatin1Char(','), -1);
        QVERIFY2(!trip.isEmpty() && trip != QLatin1String("ERR"), qPrintable(r.lines.last()));
        QVERIFY(r.lines.at(1).endsWith(QLatin1Char(',')));
        const int report = int(r.err.indexOf(QStringLiteral("* Trip Data")));
        QVERIFY2(report >= 1, qPrintable(r.err.join(u'\n')));
        QVERIFY(r.err.at(0).contains(QStringLiteral("tripped")));
        QCOMPARE(r.err.at(report + 1), QStringLiteral("* Inverter Information"));
        QVERIFY(r.err.contains(QStringLiteral("Trip history 1 (latest) :") + trip));
        QVERIFY(r.err.at(report + 1 + 15).isEmpty());
        QVERIFY2(r.err.at(report + 1 + 16).startsWith(QStringLiteral("Output frequency : ")),
                 qPrintable(r.err.at(report + 1 + 16)));
    }

    void tripsWithoutStopGoOn_data() { protocols(); }
    void tripsWithoutStopGoOn()
    {
        QFETCH(QStringList, simLine);
        const Run r = monitor(simLine, {"--trips", "--samples", "20"});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.lines.size(), 21);
        QVERIFY(r.lines.first().endsWith(QStringLiteral(",trip")));
        QVERIFY(r.lines.at(1).endsWith(QLatin1Char(',')));
        QVERIFY2(!r.lines.last().endsWith(QLatin1Char(',')), qPrintable(r.lines.last()));
        QVERIFY(!r.err.join(QString()).contains(QStringLiteral("Trip Data")));
    }

    void helpExplainsTheOptions()
    {
        SimProcess sim({});
        QProcess p;
        p.start(QStringLiteral(VKR_BIN_DIR "/vkr"),
                QStringList{"monitor", "--data", VKR_SAMPLE_DATA "/dat", "--lng", VKR_SAMPLE_DATA "/lng", "--type",
                            "KDA1", "--cpu", "V100", "--form", "-2004P", "--lang", "English", "--port", sim.device(),
                            "--stop-on-trip", "--alarms", "--samples", "1", "--help"});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 0);
        const QString help = QString::fromLocal8Bit(p.readAllStandardOutput());
        for (const char *option : {"--alarms", "--trips", "--stop-on-trip"})
            QVERIFY2(help.contains(QLatin1String(option)), option);
    }
};

QTEST_GUILESS_MAIN(tst_CliMonitorTrips)
#include "tst_CliMonitorTrips.moc"
