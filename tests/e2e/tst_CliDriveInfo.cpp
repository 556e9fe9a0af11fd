// vkr info, vkr run and vkr stop against vkr-drive-sim on a pseudo-terminal: the report's
// bytes, the RUN lamp of the drive's panel after the commands, and the refusals.
#include "SimProcess.h"

#include "comm/CommExchange.h"
#include "comm/FrameItemSource.h"
#include "comm/PosixSerialPort.h"

#include <QTest>

namespace {

struct Run {
    int exitCode = -1;
    QByteArray out;
    QString err;
};

Run vkr(const QStringList &arguments)
{
    QProcess p;
    p.start(QStringLiteral(VKR_BIN_DIR "/vkr"), arguments);
    Run r;
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = QString::fromLocal8Bit(p.readAllStandardError());
    return r;
}

QStringList drive(const QString &device, const QString &type = QStringLiteral("KDA1"),
                  const QString &form = QStringLiteral("-2007P"), const QString &cpu = QStringLiteral("V100"))
{
    return {"--data", VKR_SAMPLE_DATA "/dat", "--lng", VKR_SAMPLE_DATA "/lng", "--type", type, "--cpu", cpu,
            "--form", form, "--lang", "English", "--port", device};
}

// The panel block alone, as the keypad reads it.
class PanelItem : public FrameItemSource
{
public:
    std::optional<FrameItem> frameItem(int index) const override
    {
        return index == 0 ? std::optional<FrameItem>(FrameItem{"FC10", false}) : std::nullopt;
    }
    int indexOfComNo(const QString &comNo) const override { return comNo == QLatin1String("FC10") ? 0 : -1; }
};

// The lamp bytes of the panel's two images (D8 of image B, D9 of image A), or -1 when the
// drive did not answer.
int runLamps(const QString &device)
{
    PosixSerialPort port;
    CommSettings settings;
    PanelItem items;
    CommExchange exchange(port, settings, &items);
    if (!port.open(device) || !port.setLine(settings.line()))
        return -1;
    bool failed = false;
    exchange.exchange(0, QString(), failed, 'R');
    const QByteArray reply = exchange.lastReply();
    if (failed || reply.size() < 15)
        return -1;
    // Ten data bytes, then the check byte.
    const int lamps = (quint8(reply.at(reply.size() - 3)) & 0x01) | (quint8(reply.at(reply.size() - 2)) & 0x01) << 1;
    port.close();
    return lamps;
}

}  // namespace

class tst_CliDriveInfo : public QObject
{
    Q_OBJECT
private slots:
    void infoPrintsTheSavedReport_data();
    void infoPrintsTheSavedReport();
    void infoWithoutADrive();
    void runLightsTheRunLampAndStopPutsItOut();
    void driveCommandRefusals();
};

void tst_CliDriveInfo::infoPrintsTheSavedReport_data()
{
    QTest::addColumn<QStringList>("simLine");
    QTest::addColumn<QStringList>("toolLine");
    QTest::addColumn<QStringList>("drive");
    QTest::addColumn<QByteArray>("detail");  // the CPU detail line's value
    QTest::newRow("native, decimal CPU detail") << QStringList{} << QStringList{}
                                                << QStringList{"KDA1", "-2007P", "V100"} << QByteArray("100");
    QTest::newRow("Modbus, hexadecimal CPU detail, shared type number")
        << QStringList{"--protocol", "modbus"} << QStringList{"--protocol", "modbus"}
        << QStringList{"KDB2", "-4055P", "V820"} << QByteArray("8203");
}

void tst_CliDriveInfo::infoPrintsTheSavedReport()
{
    QFETCH(QStringList, simLine);
    QFETCH(QStringList, toolLine);
    QFETCH(QStringList, drive);
    QFETCH(QByteArray, detail);
    SimProcess sim(QStringList{"--drive", drive.join(u':')} + simLine);
    QVERIFY(!sim.device().isEmpty());
    const Run r = vkr(QStringList{"info"} + ::drive(sim.device(), drive[0], drive[1], drive[2]) + toolLine);
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QVERIFY(r.err.isEmpty());
    const QList<QByteArray> lines = r.out.split('\n');
    QCOMPARE(lines.size(), 16);  // 15 lines, each ended by CR LF
    QVERIFY(lines.last().isEmpty());
    for (qsizetype i = 0; i + 1 < lines.size(); ++i)
        QVERIFY2(lines.at(i).endsWith('\r'), lines.at(i).constData());
    QCOMPARE(lines.at(0), QByteArray("* Inverter Information\r"));
    QCOMPARE(lines.at(1), "Inverter type           :" + drive[0].toLatin1() + '\r');
    QCOMPARE(lines.at(2), "Inverter form           :" + drive[1].toLatin1() + '\r');
    QCOMPARE(lines.at(4), "CPU version (detail)    :" + detail + '\r');
    QCOMPARE(lines.at(7), QByteArray("\r"));
    QCOMPARE(lines.at(8), QByteArray("Trip history 1 (latest) :No trip\r"));
}

void tst_CliDriveInfo::infoWithoutADrive()
{
    SimProcess sim({});
    QVERIFY(!sim.device().isEmpty());
    // A drive of another inverter number: nothing answers on the line.
    const Run r = vkr(QStringList{"info"} + drive(sim.device()) + QStringList{"--id", "5", "--timeout", "50"});
    QCOMPARE(r.exitCode, 1);
    QVERIFY(r.out.isEmpty());
    QVERIFY2(r.err.contains(QStringLiteral("no answer")), qPrintable(r.err));
}

void tst_CliDriveInfo::runLightsTheRunLampAndStopPutsItOut()
{
    SimProcess sim({});
    QVERIFY(!sim.device().isEmpty());
    QCOMPARE(runLamps(sim.device()), 0);
    Run r = vkr(QStringList{"run"} + drive(sim.device()));
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QVERIFY(r.out.startsWith("run: command word "));
    QCOMPARE(runLamps(sim.device()), 3);  // steady in both images
    r = vkr(QStringList{"stop"} + drive(sim.device()));
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    // Ramping down it blinks (image A only), then goes out.
    QVERIFY(runLamps(sim.device()) != 3);
    QTRY_COMPARE_WITH_TIMEOUT(runLamps(sim.device()), 0, 20000);
}

void tst_CliDriveInfo::driveCommandRefusals()
{
    SimProcess sim(QStringList{"--drive", "KDC3:-4150P:V200"});
    QVERIFY(!sim.device().isEmpty());
    const QStringList kdc3 = drive(sim.device(), "KDC3", "-4150P", "V200");
    // This type keeps RUN/STOP for maintenance mode.
    Run r = vkr(QStringList{"run"} + kdc3);
    QCOMPARE(r.exitCode, 2);
    QVERIFY2(r.err.contains(QStringLiteral("maintenance")), qPrintable(r.err));
    QCOMPARE(runLamps(sim.device()), 0);
    r = vkr(QStringList{"run", "--maintenance"} + kdc3);
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QCOMPARE(runLamps(sim.device()), 3);
    QCOMPARE(vkr(QStringList{"stop", "--maintenance"} + kdc3).exitCode, 0);
    // A silent line.
    r = vkr(QStringList{"stop", "--maintenance", "--id", "7", "--timeout", "50"} + kdc3);
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(vkr({"run", "--reverse"}).exitCode, 3);
}

QTEST_GUILESS_MAIN(tst_CliDriveInfo)
#include "tst_CliDriveInfo.moc"
