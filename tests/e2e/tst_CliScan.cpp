// vkr scan and vkr identify against vkr-drive-sim on a pseudo-terminal.
#include "SimProcess.h"
#include "VkrProcess.h"

#include <QTest>

namespace {

QStringList drive(const QString &device, const QString &form = QStringLiteral("-2007P"))
{
    return {"--data", VKR_SAMPLE_DATA "/dat", "--lng", VKR_SAMPLE_DATA "/lng", "--type", "KDA1", "--cpu", "V100",
            "--form", form, "--lang", "English", "--port", device};
}

}  // namespace

class tst_CliScan : public QObject
{
    Q_OBJECT
private slots:
    void scanFindsTheDrive_data();
    void scanFindsTheDrive();
    void scanWithoutPortsFindsNone();
    void identify_data();
    void identify();
    void helpOfBoth();
};

void tst_CliScan::scanFindsTheDrive_data()
{
    QTest::addColumn<QStringList>("simLine");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("line");
    QTest::newRow("19200 odd Modbus behind a port that is gone")
        << QStringList{"--protocol", "modbus", "--baud", "19200", "--parity", "odd"}
        << QStringList{"--timeout", "50"} << "19200,odd,modbus";
    QTest::newRow("start-up variant, 38400 native")
        << QStringList{"--protocol", "native", "--baud", "38400", "--parity", "odd"}
        << QStringList{"--startup"} << "38400,odd,native";
}

void tst_CliScan::scanFindsTheDrive()
{
    QFETCH(QStringList, simLine);
    QFETCH(QStringList, options);
    QFETCH(QString, line);
    SimProcess sim(simLine);
    QVERIFY(!sim.device().isEmpty());
    const Run r = vkr(QStringList{"scan", "--ports", "/dev/vkr-no-such-port," + sim.device()} + options);
    QCOMPARE(QString::fromLocal8Bit(r.out), sim.device() + "," + line + "\n");
    QCOMPARE(r.exitCode, 0);
}

void tst_CliScan::scanWithoutPortsFindsNone()
{
    const Run r = vkr({"scan", "--ports", "/dev/vkr-no-such-port"});
    QCOMPARE(r.out, QByteArray("none\n"));
    QCOMPARE(r.exitCode, 1);
}

void tst_CliScan::identify_data()
{
    QTest::addColumn<QStringList>("simArgs");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("out");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("matching drive") << QStringList{"--drive", "KDA1:-2007P:V100"} << QStringList{}
                                    << "type=KDA1 form=-2007P cpu=V100 typecheck=1 formcheck=1 cpucheck=1\n" << 0;
    QTest::newRow("matching drive over Modbus")
        << QStringList{"--drive", "KDA1:-2007P:V100", "--protocol", "modbus"} << QStringList{"--protocol", "modbus"}
        << "type=KDA1 form=-2007P cpu=V100 typecheck=1 formcheck=1 cpucheck=1\n" << 0;
    QTest::newRow("another form")
        << QStringList{"--drive", "KDA1:-2015P:V100"} << QStringList{}
        << "type=KDA1 form=-2015P cpu=V100 typecheck=1 formcheck=0 cpucheck=1\n"
           "The form of the connected inverter differs from the selected form.\n"
        << 7;
    QTest::newRow("another type")
        << QStringList{"--drive", "KDC3:-4150P:V200"} << QStringList{}
        << "type=KDC3 form=-4150P cpu=Err. typecheck=0 formcheck=0 cpucheck=0\n"
           "The type of the connected inverter differs from the selected type.\n"
           "The CPU version of the connected inverter is not supported.\n"
           "The form of the connected inverter differs from the selected form.\n"
        << 7;
    QTest::newRow("no answer") << QStringList{"--drive", "KDA1:-2007P:V100"} << QStringList{"--protocol", "modbus"}
                               << "type=Err. form=Err. cpu=Err. typecheck=0 formcheck=0 cpucheck=0\n"
                                  "The type of the connected inverter is not supported.\n"
                                  "The CPU version of the connected inverter is not supported.\n"
                                  "The form of the connected inverter is not supported.\n"
                               << 1;
}

void tst_CliScan::identify()
{
    QFETCH(QStringList, simArgs);
    QFETCH(QStringList, options);
    QFETCH(QString, out);
    QFETCH(int, exitCode);
    SimProcess sim(simArgs);
    QVERIFY(!sim.device().isEmpty());
    const Run r = vkr(QStringList{"identify"} + drive(sim.device()) + options + QStringList{"--timeout", "100"});
    QCOMPARE(QString::fromLocal8Bit(r.out), out);
    QCOMPARE(r.exitCode, exitCode);
}

void tst_CliScan::helpOfBoth()
{
    for (const char *command : {"scan", "identify"}) {
        const Run r = vkr({QString::fromLatin1(command), "--help"});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(r.out.startsWith("Usage: vkr " + QByteArray(command)));
    }
}

QTEST_GUILESS_MAIN(tst_CliScan)
#include "tst_CliScan.moc"
