#include "SimProcess.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

// vkr-drive-sim as a program: against Debian's mbpoll and against the tool's own vkr.
class tst_DriveSimProgram : public QObject
{
    Q_OBJECT

private:
    static QStringList vkrRead(const QString &device, const QString &protocol, const QStringList &comNos,
                               const QStringList &extra = {})
    {
        return QStringList{"read", "--data", VKR_SAMPLE_DATA "/dat", "--lng", VKR_SAMPLE_DATA "/lng", "--type", "KDA1",
                           "--cpu", "V100", "--form", "-2007P", "--lang", "English", "--port", device, "--protocol",
                           protocol} + extra + comNos;
    }

private slots:
    void printsDeviceAndEndsOnSignal_data();
    void printsDeviceAndEndsOnSignal();
    void secondSimulatorKeepsOffAnExistingLink();
    void linkRemovedOnlyWhileItIsOwn_data();
    void linkRemovedOnlyWhileItIsOwn();
    void refusesBadOptions_data();
    void refusesBadOptions();
    void mbpollReadsFactoryValues_data();
    void mbpollReadsFactoryValues();
    void mbpollWritesReadBack();
    void vkrReadsBothProtocols_data();
    void vkrReadsBothProtocols();
    void stateFileKeepsEepromWrites();
    void severalDrivesAnswerTheirNumbers();
    void dropRateSeenByTheTool();
    void disconnectAfterFrames();
};

void tst_DriveSimProgram::printsDeviceAndEndsOnSignal_data()
{
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGINT") << int(SIGINT);
}

void tst_DriveSimProgram::printsDeviceAndEndsOnSignal()
{
    QFETCH(int, signal);
    QTemporaryDir dir;
    const QString link = dir.filePath("line");
    SimProcess sim({"--link", link});
    QVERIFY2(sim.device().startsWith("/dev/pts/"), sim.errors().constData());
    QCOMPARE(QFileInfo(link).symLinkTarget(), sim.device());
    QCOMPARE(sim.stop(signal), 0);
    QVERIFY(!QFileInfo::exists(link) && !QFileInfo(link).isSymLink());
}

void tst_DriveSimProgram::secondSimulatorKeepsOffAnExistingLink()
{
    QTemporaryDir dir;
    const QString link = dir.filePath("line");
    SimProcess first({"--link", link});
    QVERIFY(!first.device().isEmpty());
    QProcess second;
    second.start(VKR_BIN_DIR "/vkr-drive-sim", {"--data", VKR_SAMPLE_DATA "/dat", "--link", link});
    QVERIFY(second.waitForFinished(10000));
    QCOMPARE(second.exitCode(), 2);
    QCOMPARE(second.readAllStandardOutput(), QByteArray());
    QVERIFY(second.readAllStandardError().contains("link exists"));
    // The first simulator's link still leads to its line, and it still answers there.
    QCOMPARE(QFileInfo(link).symLinkTarget(), first.device());
    const ToolRun r = runTool(VKR_BIN_DIR "/vkr", vkrRead(link, "native", {"0011"}));
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(first.stop(), 0);
    QVERIFY(!QFileInfo(link).isSymLink());
}

void tst_DriveSimProgram::linkRemovedOnlyWhileItIsOwn_data()
{
    QTest::addColumn<QString>("replacement");
    QTest::newRow("link to another line") << "/dev/ptmx";
    QTest::newRow("regular file") << "";
}

void tst_DriveSimProgram::linkRemovedOnlyWhileItIsOwn()
{
    QFETCH(QString, replacement);
    QTemporaryDir dir;
    const QString link = dir.filePath("line");
    SimProcess sim({"--link", link});
    QVERIFY(!sim.device().isEmpty());
    // Someone else has put their own link or file there meanwhile.
    QVERIFY(QFile::remove(link));
    if (replacement.isEmpty()) {
        QFile f(link);
        QVERIFY(f.open(QIODevice::WriteOnly));
    } else {
        QVERIFY(QFile::link(replacement, link));
    }
    QCOMPARE(sim.stop(), 0);
    QVERIFY(QFileInfo(link).isSymLink() || QFileInfo(link).isFile());
    if (!replacement.isEmpty())
        QCOMPARE(QFileInfo(link).symLinkTarget(), replacement);
}

void tst_DriveSimProgram::refusesBadOptions_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("no data folder") << QStringList{"--drive", "KDA1:-2007P:V100"};
    QTest::newRow("drive not in the data") << QStringList{"--data", VKR_SAMPLE_DATA "/dat", "--drive", "KDA1:-9999P:V100"};
    QTest::newRow("inverter number above 63") << QStringList{"--data", VKR_SAMPLE_DATA "/dat", "--drive", "KDA1:-2007P:V100:64"};
    QTest::newRow("same number twice") << QStringList{"--data", VKR_SAMPLE_DATA "/dat", "--drive", "KDA1:-2007P:V100:3",
                                                      "--drive", "KDB2:-4055P:V820:3"};
    QTest::newRow("unknown protocol") << QStringList{"--data", VKR_SAMPLE_DATA "/dat", "--protocol", "can"};
    QTest::newRow("baud rate no line has") << QStringList{"--data", VKR_SAMPLE_DATA "/dat", "--baud", "9601"};
    QTest::newRow("rate above 1") << QStringList{"--data", VKR_SAMPLE_DATA "/dat", "--drop-rate", "1.5"};
}

void tst_DriveSimProgram::refusesBadOptions()
{
    QFETCH(QStringList, arguments);
    const ToolRun r = runTool(VKR_BIN_DIR "/vkr-drive-sim", arguments);
    QCOMPARE(r.exitCode, 2);
    QVERIFY(r.output.isEmpty());
}

void tst_DriveSimProgram::mbpollReadsFactoryValues_data()
{
    QTest::addColumn<int>("reference");
    QTest::addColumn<int>("count");
    QTest::addColumn<QList<qint64>>("expected");

    QTest::newRow("0000") << 0x0000 << 1 << QList<qint64>{0};
    QTest::newRow("maximum frequency 0011, upper limit 0012") << 0x0011 << 2 << QList<qint64>{8000, 6000};
    QTest::newRow("capacity reference 0009") << 0x0009 << 1 << QList<qint64>{100};
    QTest::newRow("type and form numbers") << 0xFB05 << 1 << QList<qint64>{2};
    QTest::newRow("rated current and voltage") << 0xFE70 << 2 << QList<qint64>{48, 2000};
}

void tst_DriveSimProgram::mbpollReadsFactoryValues()
{
    QFETCH(int, reference);
    QFETCH(int, count);
    QFETCH(QList<qint64>, expected);
    // mbpoll addresses slaves 1..247, so the drive gets a number of its own.
    SimProcess sim({"--protocol", "modbus", "--drive", "KDA1:-2007P:V100:1"});
    QVERIFY(!sim.device().isEmpty());
    const ToolRun r = runTool("mbpoll", mbpollArgs(sim.device(), 1, reference, count));
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(mbpollValues(r.output), expected);
    QCOMPARE(sim.stop(), 0);
}

void tst_DriveSimProgram::mbpollWritesReadBack()
{
    SimProcess sim({"--protocol", "modbus", "--drive", "KDA1:-2007P:V100:7"});
    QVERIFY(!sim.device().isEmpty());
    for (auto [reference, value] : {std::pair{0x0000, 3000}, {0x0009, 250}, {0x0011, 6500}}) {
        QCOMPARE(runTool("mbpoll", mbpollArgs(sim.device(), 7, reference) << QString::number(value)).exitCode, 0);
        const ToolRun r = runTool("mbpoll", mbpollArgs(sim.device(), 7, reference));
        QCOMPARE(mbpollValues(r.output), QList<qint64>{value});
    }
    // Out of range: 0012 may not exceed 0011 (now 6500); an unknown register is refused.
    const ToolRun refused = runTool("mbpoll", mbpollArgs(sim.device(), 7, 0x0012) << "7000");
    QVERIFY(refused.exitCode != 0 || refused.output.contains("Illegal data value"));
    QCOMPARE(mbpollValues(runTool("mbpoll", mbpollArgs(sim.device(), 7, 0x7777)).output), QList<qint64>{});
    QCOMPARE(sim.stop(), 0);
}

void tst_DriveSimProgram::vkrReadsBothProtocols_data()
{
    QTest::addColumn<QString>("protocol");
    QTest::newRow("native") << "native";
    QTest::newRow("modbus") << "modbus";
}

void tst_DriveSimProgram::vkrReadsBothProtocols()
{
    QFETCH(QString, protocol);
    SimProcess sim({"--protocol", protocol, "--drive", "KDA1:-2007P:V100"});
    QVERIFY(!sim.device().isEmpty());
    const ToolRun r = runTool(VKR_BIN_DIR "/vkr", vkrRead(sim.device(), protocol, {"0000", "0011", "FB07", "FB05", "FE70", "0009"}));
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.output.split('\n', Qt::SkipEmptyParts),
             (QStringList{"0000,0,0.00", "0011,8000,80.00", "FB07,41,41", "FB05,2,2", "FE70,48,4.8", "0009,100,10.0"}));
    QCOMPARE(sim.stop(), 0);
}

void tst_DriveSimProgram::stateFileKeepsEepromWrites()
{
    QTemporaryDir dir;
    const QStringList args{"--protocol", "modbus", "--drive", "KDA1:-2007P:V100:2", "--state", dir.filePath("eeprom.ini")};
    {
        SimProcess sim(args);
        QCOMPARE(runTool("mbpoll", mbpollArgs(sim.device(), 2, 0x0009) << "321").exitCode, 0);
        QCOMPARE(sim.stop(), 0);
    }
    SimProcess again(args);
    QCOMPARE(mbpollValues(runTool("mbpoll", mbpollArgs(again.device(), 2, 0x0009)).output), QList<qint64>{321});
    QCOMPARE(again.stop(), 0);
}

void tst_DriveSimProgram::severalDrivesAnswerTheirNumbers()
{
    SimProcess sim({"--protocol", "modbus", "--drive", "KDA1:-2007P:V100:1", "--drive", "KDB2:-4055P:V820:2",
                    "--drive", "KDC3:-4150P:V200:9"});
    QVERIFY(!sim.device().isEmpty());
    const QList<QPair<int, QList<qint64>>> expected{{1, {41}}, {2, {52}}, {3, {}}, {9, {52}}, {10, {}}};
    for (const auto &[slave, values] : expected)
        QCOMPARE(mbpollValues(runTool("mbpoll", mbpollArgs(sim.device(), slave, 0xFB07)).output), values);
    QCOMPARE(mbpollValues(runTool("mbpoll", mbpollArgs(sim.device(), 9, 0x0099)).output), QList<qint64>{2});
    QCOMPARE(sim.stop(), 0);
}

void tst_DriveSimProgram::dropRateSeenByTheTool()
{
    SimProcess sim({"--drive", "KDA1:-2007P:V100", "--drop-rate", "0.3", "--seed", "11"});
    QVERIFY(!sim.device().isEmpty());
    const int reads = 150;
    const ToolRun r = runTool(VKR_BIN_DIR "/vkr", vkrRead(sim.device(), "native", QStringList(reads, "0011"), {"--timeout", "40"}), 60000);
    const int errors = int(r.output.count(",ERR"));
    const int answers = int(r.output.count("0011,8000"));
    QCOMPARE(errors + answers, reads);
    qInfo("drop rate 0.30: %d of %d reads failed (%.3f)", errors, reads, double(errors) / reads);
    QVERIFY(errors > reads * 0.15 && errors < reads * 0.45);
    QCOMPARE(sim.stop(), 0);
}

void tst_DriveSimProgram::disconnectAfterFrames()
{
    SimProcess sim({"--drive", "KDA1:-2007P:V100", "--disconnect-after", "3"});
    QVERIFY(!sim.device().isEmpty());
    const ToolRun r = runTool(VKR_BIN_DIR "/vkr", vkrRead(sim.device(), "native", QStringList(5, "FB07"), {"--timeout", "60"}));
    QCOMPARE(r.output.split('\n', Qt::SkipEmptyParts),
             (QStringList{"FB07,41,41", "FB07,41,41", "FB07,41,41", "FB07,ERR", "FB07,ERR"}));
    QCOMPARE(sim.stop(), 0);  // still ends cleanly with its line gone
}

QTEST_GUILESS_MAIN(tst_DriveSimProgram)
#include "tst_DriveSimProgram.moc"
