// vkr monitor --out against vkr-drive-sim, and vkr print-monitor of the recording it wrote:
// the file holds what was printed, opens as the window opens it, and bad files are refused.
#include "../../src/cli/ExitCodes.h"
#include "SimProcess.h"

#include "app/DriveSelection.h"
#include "app/MessageTable.h"
#include "base/IniFile.h"
#include "base/ScriptedPrompter.h"
#include "monitor/MonitorFileOpen.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run {
    int exitCode = -1;
    QStringList lines;
    QString err;
};

const QStringList Drive{"--data", VKR_SAMPLE_DATA "/dat", "--lng", VKR_SAMPLE_DATA "/lng", "--type", "KDA1",
                        "--cpu",  "V100",                 "--form", "-2004P",               "--lang", "English"};

Run vkr(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(VKR_BIN_DIR "/vkr"), args);
    Run r;
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.lines = QString::fromLocal8Bit(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    r.err = QString::fromLocal8Bit(p.readAllStandardError());
    return r;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString pdfText(const QString &pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    return p.waitForFinished(30000) ? QString::fromUtf8(p.readAllStandardOutput()) : QString();
}

}  // namespace

class tst_CliMonitorFiles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }
    void recordingHoldsWhatWasPrinted();
    void tableOfTheRun();
    void badOut_data();
    void badOut();
    void printMonitor();
    void printMonitorRefuses_data();
    void printMonitorRefuses();

private:
    /// A .mon of a short run of the simulator, written once.
    QString recorded();

    QTemporaryDir m_dir;
    QString m_recorded;
    QStringList m_printed;  // vkr monitor's output for it
};

QString tst_CliMonitorFiles::recorded()
{
    if (!m_recorded.isEmpty())
        return m_recorded;
    SimProcess sim({});
    const QString path = m_dir.filePath(QStringLiteral("run.mon"));
    const Run r = vkr(QStringList{"monitor"} + Drive
                      + QStringList{"--port", sim.device(), "--items", "FD00,FD03", "--samples", "12", "--interval-ms",
                                    "40", "--out", path});
    if (r.exitCode == ExitCode::Ok && r.lines.size() == 13) {
        m_recorded = path;
        m_printed = r.lines;
    }
    return m_recorded;
}

void tst_CliMonitorFiles::recordingHoldsWhatWasPrinted()
{
    const QString path = recorded();
    QVERIFY(!path.isEmpty());
    const QList<QByteArray> lines = readAll(path).split('\n');
    QCOMPARE(lines.size(), 19 + 12 + 1);
    QCOMPARE(lines[8], QByteArray("0.2\r"));  // 40 ms a sample, five a division
    QCOMPARE(lines[15], QByteArray("Data1,0,2,2,3,4,5,6,7,8,9\r"));
    QCOMPARE(lines[18], QByteArray("Data4,1,1,0,0,0,0,0,0,0,0\r"));
    DriveSelection drive;
    drive.typeName = QStringLiteral("KDA1");
    drive.cpuVersion = QStringLiteral("V100");
    MessageTable messages;
    QVERIFY(messages.load(IniFile(QStringLiteral(VKR_SAMPLE_DATA "/lng/English.ini"))));
    ScriptedPrompter prompter;
    MonitorFileOpen open(drive, messages, prompter);
    QCOMPARE(open.OpenRecording(path, CodePage::Windows1252), MonitorFileOpen::Result::Loaded);
    const MonitorFile &file = open.file();
    QCOMPARE(file.sampleCount(), 12);
    for (int i = 0; i < 12; ++i) {
        const QStringList printed = m_printed[i + 1].split(QLatin1Char(','));
        QVERIFY(qAbs(file.times[i] - printed[0].toDouble() * 1000) <= 1);
        for (int c = 0; c < 2; ++c) {
            // Printed with the item's decimals, kept as a 32-bit float.
            QVERIFY2(qAbs(file.channels[size_t(c)].values[i] - printed[c + 1].toDouble()) <= 0.0051,
                     qPrintable(m_printed[i + 1]));
        }
    }
}

void tst_CliMonitorFiles::tableOfTheRun()
{
    SimProcess sim({});
    const QString path = m_dir.filePath(QStringLiteral("run.csv"));
    const Run r = vkr(QStringList{"monitor"} + Drive
                      + QStringList{"--decimal-comma", "--port", sim.device(), "--items", "FD00,FE10-3", "--samples",
                                    "5", "--interval-ms", "40", "--out", path});
    QCOMPARE(r.exitCode, ExitCode::Ok);
    const QList<QByteArray> lines = readAll(path).split('\n');
    QCOMPARE(lines.size(), 6 + 5 + 1);
    QCOMPARE(lines[0], QByteArray("KDA1-2004P\r"));
    QCOMPARE(lines[1], QByteArray("Monitoring;Output frequency;Trip history 1 (latest) bit 3;-;-;-;-;-;-;-;-\r"));
    QCOMPARE(lines[4], QByteArray("Time(ms);(CH1);(CH2);(CH3);(CH4);(CH5);(CH6);(CH7);(CH8);(CH9);(CH10)\r"));
    QCOMPARE(lines[10].count(';'), 10);
}

void tst_CliMonitorFiles::badOut_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    QTest::newRow("neither .mon nor .csv") << QStringList{"--out", "x.txt"} << "--out names a .mon or a .csv file";
    QTest::newRow("more samples than a recording holds")
        << QStringList{"--samples", "20000", "--out", "x.mon"} << "--out keeps at most 11000 samples";
    QTest::newRow("item outside the monitor list in a .mon")
        << QStringList{"--items", "FE10-3", "--out", "x.MON"}
        << "FE10-3 is not in the drive type's monitor list, which a .mon file names its items by";
}

void tst_CliMonitorFiles::badOut()
{
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    const Run r = vkr(QStringList{"monitor"} + Drive + QStringList{"--port", "/dev/vkr-no-such-port"} + args);
    QCOMPARE(r.exitCode, ExitCode::Usage);
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
}

void tst_CliMonitorFiles::printMonitor()
{
    const QString path = recorded();
    QVERIFY(!path.isEmpty());
    const QString pdf = m_dir.filePath(QStringLiteral("run.pdf"));
    const Run r = vkr(QStringList{"print-monitor"} + Drive + QStringList{"--pdf", pdf, path});
    QVERIFY2(r.exitCode == ExitCode::Ok, qPrintable(r.err));
    const QString text = pdfText(pdf);
    QVERIFY2(text.contains(QStringLiteral("Output frequency")), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("Output current")));
    QVERIFY(text.contains(QStringLiteral("0.2(s/div)")));
    QCOMPARE(text.count(QStringLiteral("ON")), 2);
}

void tst_CliMonitorFiles::printMonitorRefuses_data()
{
    QTest::addColumn<QByteArray>("from");
    QTest::addColumn<QByteArray>("to");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("another drive type") << QByteArray("KDA1") << QByteArray("KDB2") << "ok" << ExitCode::Refused
                                        << "The data belong to another inverter type.";
    QTest::newRow("another CPU version, cancelled")
        << QByteArray("V100") << QByteArray("V110") << "cancel" << ExitCode::Refused << "answer taken: Cancel";
    QTest::newRow("another CPU version, printed")
        << QByteArray("V100") << QByteArray("V110") << "ok" << ExitCode::Ok << "answer taken: OK";
    QTest::newRow("samples that are not numbers")
        << QByteArray("Data4,1,1,0,0,0,0,0,0,0,0\r\n0,") << QByteArray("Data4,1,1,0,0,0,0,0,0,0,0\r\n0,x")
        << "ok" << ExitCode::Refused << "Data is incorrect.";
}

void tst_CliMonitorFiles::printMonitorRefuses()
{
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, to);
    QFETCH(QString, answer);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    QVERIFY(!recorded().isEmpty());
    const QString path = m_dir.filePath(QStringLiteral("edited.mon"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(readAll(recorded()).replace(from, to));
    f.close();
    const QString pdf = m_dir.filePath(QStringLiteral("edited.pdf"));
    QFile::remove(pdf);
    const Run r = vkr(QStringList{"print-monitor"} + Drive + QStringList{"--answer", answer, "--pdf", pdf, path});
    QCOMPARE(r.exitCode, exitCode);
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
    QCOMPARE(QFile::exists(pdf), exitCode == ExitCode::Ok);
}

QTEST_GUILESS_MAIN(tst_CliMonitorFiles)
#include "tst_CliMonitorFiles.moc"
