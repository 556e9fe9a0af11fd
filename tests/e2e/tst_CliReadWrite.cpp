// vkr read and vkr write against vkr-drive-sim on a pseudo-terminal, in both protocols.
#include "SimProcess.h"

#include <QFile>
#include <QTest>

namespace {

struct Run {
    int exitCode = -1;
    QString out;
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
    r.out = QString::fromLocal8Bit(p.readAllStandardOutput());
    r.err = QString::fromLocal8Bit(p.readAllStandardError());
    return r;
}

QStringList drive(const QString &device)
{
    return {"--data", VKR_SAMPLE_DATA "/dat", "--lng", VKR_SAMPLE_DATA "/lng", "--type", "KDA1", "--cpu", "V100",
            "--form", "-2007P", "--lang", "English", "--port", device};
}

const QStringList ReadNumbers{"0000", "0011", "0206", "0441", "0621", "FB05", "FB07", "FC10", "FE08"};

}  // namespace

class tst_CliReadWrite : public QObject
{
    Q_OBJECT
private slots:
    void readsBothProtocols_data();
    void readsBothProtocols();
    void writesAreEchoedAndReadBack_data();
    void writesAreEchoedAndReadBack();
    void valuesTheParameterCannotHold_data();
    void valuesTheParameterCannotHold();
    void lateRepliesDoNotCrossProcesses_data();
    void lateRepliesDoNotCrossProcesses();
    void inverterNumberAndBroadcast_data();
    void inverterNumberAndBroadcast();
    void failuresAreReported_data();
    void failuresAreReported();
    void timeOutAgainstLineTime_data();
    void timeOutAgainstLineTime();
};

void tst_CliReadWrite::readsBothProtocols_data()
{
    QTest::addColumn<QStringList>("simLine");
    QTest::addColumn<QStringList>("toolLine");
    QTest::newRow("native, defaults") << QStringList{"--protocol", "native"} << QStringList{};
    QTest::newRow("modbus 38400 odd")
        << QStringList{"--protocol", "modbus", "--baud", "38400", "--parity", "odd"}
        << QStringList{"--protocol", "modbus", "--baud", "38400", "--parity", "odd"};
    QTest::newRow("native 19200 none with line timing")
        << QStringList{"--protocol", "native", "--baud", "19200", "--parity", "none", "--line-timing"}
        << QStringList{"--baud", "19200", "--parity", "none"};
}

void tst_CliReadWrite::readsBothProtocols()
{
    QFETCH(QStringList, simLine);
    QFETCH(QStringList, toolLine);
    SimProcess sim(simLine);
    QVERIFY(!sim.device().isEmpty());
    const Run r = vkr(QStringList{"read"} + drive(sim.device()) + toolLine + ReadNumbers);
    QFile expected(QStringLiteral(VKR_TEST_DATA "/comm/read-KDA1-2007P.txt"));
    QVERIFY(expected.open(QIODevice::ReadOnly));
    QCOMPARE(r.out, QString::fromUtf8(expected.readAll()));
    QCOMPARE(r.exitCode, 0);
    QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
}

void tst_CliReadWrite::writesAreEchoedAndReadBack_data()
{
    QTest::addColumn<QString>("protocol");
    QTest::addColumn<QStringList>("write");
    QTest::addColumn<QString>("line");
    QTest::newRow("native RAM write") << "native" << QStringList{"0011", "6000"} << "0011,6000,60.00";
    QTest::newRow("native EEPROM write of a negative value")
        << "native" << QStringList{"--eeprom", "0206", "-5"} << "0206,-5,-0.5";
    QTest::newRow("native negative value before an option")
        << "native" << QStringList{"0206", "-7", "--eeprom"} << "0206,-7,-0.7";
    QTest::newRow("native 32-bit write above 2^31") << "native" << QStringList{"0731", "4000000000"}
                                                    << "0731,4000000000,4000000000";
    QTest::newRow("modbus RAM write") << "modbus" << QStringList{"0011", "6000"} << "0011,6000,60.00";
    QTest::newRow("modbus EEPROM write of a negative value")
        << "modbus" << QStringList{"--eeprom", "0441", "-100"} << "0441,-100,-10.0";
}

void tst_CliReadWrite::writesAreEchoedAndReadBack()
{
    QFETCH(QString, protocol);
    QFETCH(QStringList, write);
    QFETCH(QString, line);
    SimProcess sim({"--protocol", protocol});
    QVERIFY(!sim.device().isEmpty());
    const QStringList tool = drive(sim.device()) + QStringList{"--protocol", protocol};
    const Run w = vkr(QStringList{"write"} + tool + write);
    QCOMPARE(w.out, line + '\n');
    QCOMPARE(w.exitCode, 0);
    const Run r = vkr(QStringList{"read"} + tool + QStringList{line.section(',', 0, 0)});
    QCOMPARE(r.out, line + '\n');
    QCOMPARE(r.exitCode, 0);
}

void tst_CliReadWrite::valuesTheParameterCannotHold_data()
{
    QTest::addColumn<QString>("protocol");
    QTest::addColumn<QStringList>("write");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("after");  // the value read back afterwards
    // 0009: 16 bits, 1 to 36000, factory 100. FE70: the drive keeps its own rated current.
    QTest::newRow("native value above 16 bits") << "native" << QStringList{"0009", "65636"} << 9
                                                << "does not fit the 16-bit data of 0009 (0 to 65535)" << "0009,100,10.0";
    QTest::newRow("modbus value above 16 bits") << "modbus" << QStringList{"0009", "99999"} << 9
                                                << "does not fit the 16-bit data of 0009" << "0009,100,10.0";
    QTest::newRow("forced value above 16 bits") << "native" << QStringList{"--force", "0009", "65636"} << 9
                                                << "does not fit the 16-bit data" << "0009,100,10.0";
    QTest::newRow("native value above the limit") << "native" << QStringList{"0009", "40000"} << 9
                                                  << "outside the limits of 0009 (1 to 36000)" << "0009,100,10.0";
    QTest::newRow("negative value of an unsigned parameter") << "native" << QStringList{"0009", "-1"} << 9
                                                             << "does not fit the 16-bit data" << "0009,100,10.0";
    QTest::newRow("modbus 32-bit value above the 16 bits it carries")
        << "modbus" << QStringList{"0731", "70000"} << 9 << "does not fit the 16-bit data of 0731" << "0731,0,0";
    QTest::newRow("native differing echo") << "native" << QStringList{"FE70", "50"} << 7
                                           << "50 was sent to FE70 but the drive echoed 33" << "FE70,33,3.3";
}

void tst_CliReadWrite::valuesTheParameterCannotHold()
{
    QFETCH(QString, protocol);
    QFETCH(QStringList, write);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    QFETCH(QString, after);
    SimProcess sim({"--protocol", protocol});
    QVERIFY(!sim.device().isEmpty());
    const QStringList tool = drive(sim.device()) + QStringList{"--protocol", protocol};
    const Run w = vkr(QStringList{"write"} + tool + write);
    QCOMPARE(w.exitCode, exitCode);
    QVERIFY2(w.err.contains(message), qPrintable(w.err));
    const Run r = vkr(QStringList{"read"} + tool + QStringList{after.section(',', 0, 0)});
    QCOMPARE(r.out, after + '\n');
}

void tst_CliReadWrite::lateRepliesDoNotCrossProcesses_data()
{
    QTest::addColumn<QString>("protocol");
    QTest::newRow("native") << "native";
    QTest::newRow("modbus") << "modbus";
}

// Every reply comes 150 ms after a 100 ms time-out: each exchange fails, and none of the
// late replies reaches the next process as its answer.
void tst_CliReadWrite::lateRepliesDoNotCrossProcesses()
{
    QFETCH(QString, protocol);
    SimProcess sim({"--protocol", protocol, "--late-ms", "150"});
    QVERIFY(!sim.device().isEmpty());
    const QStringList tool = drive(sim.device()) + QStringList{"--protocol", protocol, "--timeout", "100"};
    const Run first = vkr(QStringList{"read"} + tool + QStringList{"0011"});
    QCOMPARE(first.out, QString("0011,ERR\n"));
    const Run second = vkr(QStringList{"read"} + tool + QStringList{"0009"});
    QCOMPARE(second.out, QString("0009,ERR\n"));
    QCOMPARE(second.exitCode, 1);
    const Run write = vkr(QStringList{"write"} + tool + QStringList{"0009", "250"});
    QCOMPARE(write.out, QString());
    QCOMPARE(write.exitCode, 1);
}

void tst_CliReadWrite::inverterNumberAndBroadcast_data()
{
    QTest::addColumn<QString>("protocol");
    QTest::addColumn<QStringList>("address");
    QTest::addColumn<QString>("out");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("native number 7") << "native" << QStringList{"--id", "7"} << "FB07,41,41\n" << 0;
    QTest::newRow("native number 8 is nobody") << "native" << QStringList{"--id", "8"} << "FB07,ERR\n" << 1;
    QTest::newRow("native broadcast") << "native" << QStringList{"--broadcast"} << "FB07,41,41\n" << 0;
    QTest::newRow("modbus number 7") << "modbus" << QStringList{"--id", "7"} << "FB07,41,41\n" << 0;
    QTest::newRow("modbus number 8 is nobody") << "modbus" << QStringList{"--id", "8"} << "FB07,ERR\n" << 1;
}

void tst_CliReadWrite::inverterNumberAndBroadcast()
{
    QFETCH(QString, protocol);
    QFETCH(QStringList, address);
    QFETCH(QString, out);
    QFETCH(int, exitCode);
    SimProcess sim({"--protocol", protocol, "--drive", "KDA1:-2007P:V100:7", "--drive", "KDA1:-2007P:V100:9"});
    QVERIFY(!sim.device().isEmpty());
    const Run r = vkr(QStringList{"read"} + drive(sim.device()) + QStringList{"--protocol", protocol, "--timeout", "60"}
                      + address + QStringList{"FB07"});
    QCOMPARE(r.out, out);
    QCOMPARE(r.exitCode, exitCode);
}

void tst_CliReadWrite::failuresAreReported_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("out");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("port does not open") << QStringList{"read", "--port", "/dev/no-such-line", "0011"} << "" << 5
                                        << "serial port /dev/no-such-line cannot be opened";
    QTest::newRow("drive does not answer the protocol")
        << QStringList{"read", "--protocol", "modbus", "--timeout", "40", "0011", "FB05"} << "0011,ERR\nFB05,ERR\n" << 1
        << "no answer from the drive";
    QTest::newRow("unknown number among known ones") << QStringList{"read", "9999", "0011"} << "9999,ERR\n0011,8000,80.00\n"
                                                     << 3 << "9999 is not a parameter of this drive";
    QTest::newRow("write to a drive that does not answer")
        << QStringList{"write", "--protocol", "modbus", "--timeout", "40", "0011", "6000"} << "" << 1
        << "no valid answer from the drive";
    QTest::newRow("write of a text") << QStringList{"write", "0011", "fast"} << "" << 3 << "not a decimal raw value";
    QTest::newRow("baud rate not offered") << QStringList{"read", "--baud", "14400", "0011"} << "" << 3 << "--baud";
    QTest::newRow("time-out below 30 ms") << QStringList{"read", "--timeout", "20", "0011"} << "" << 3 << "--timeout";
    QTest::newRow("inverter number above 63") << QStringList{"read", "--id", "64", "0011"} << "" << 3 << "--id";
    QTest::newRow("number and broadcast together") << QStringList{"read", "--id", "1", "--broadcast", "0011"} << "" << 3
                                                   << "exclude";
    QTest::newRow("unknown option") << QStringList{"read", "--speed", "0011"} << "" << 3 << "unknown option";
    QTest::newRow("no number to read") << QStringList{"read"} << "" << 3 << "wrong number of arguments";
}

void tst_CliReadWrite::failuresAreReported()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, out);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    SimProcess sim({"--protocol", "native"});
    QVERIFY(!sim.device().isEmpty());
    // The drive and line options go after the command name; a later --port wins.
    const Run r = vkr(QStringList{arguments.first()} + drive(sim.device()) + arguments.mid(1));
    QCOMPARE(r.out, out);
    QCOMPARE(r.exitCode, exitCode);
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
}

void tst_CliReadWrite::timeOutAgainstLineTime_data()
{
    QTest::addColumn<QString>("protocol");
    QTest::addColumn<QString>("timeout");
    QTest::addColumn<QString>("out");
    // A native read and its reply are 12 characters: about 110 ms at 1200 bit/s.
    QTest::newRow("native, 30 ms at 1200 bit/s fails") << "native" << "30" << "0011,ERR\n";
    QTest::newRow("native, 200 ms at 1200 bit/s is enough") << "native" << "200" << "0011,8000,80.00\n";
    QTest::newRow("modbus, 30 ms at 1200 bit/s fails") << "modbus" << "30" << "0011,ERR\n";
    QTest::newRow("modbus, 200 ms at 1200 bit/s is enough") << "modbus" << "200" << "0011,8000,80.00\n";
}

void tst_CliReadWrite::timeOutAgainstLineTime()
{
    QFETCH(QString, protocol);
    QFETCH(QString, timeout);
    QFETCH(QString, out);
    SimProcess sim({"--protocol", protocol, "--baud", "1200", "--line-timing"});
    QVERIFY(!sim.device().isEmpty());
    const Run r = vkr(QStringList{"read"} + drive(sim.device())
                      + QStringList{"--protocol", protocol, "--baud", "1200", "--timeout", timeout, "0011"});
    QCOMPARE(r.out, out);
}

QTEST_GUILESS_MAIN(tst_CliReadWrite)
#include "tst_CliReadWrite.moc"
