// vkr panel and vkr key against vkr-drive-sim on a pseudo-terminal, in both protocols.
#include "SimProcess.h"
#include "VkrProcess.h"

#include <QDeadlineTimer>
#include <QTest>

namespace {

QStringList drive(const QString &device, bool modbus)
{
    QStringList args{"--data", VKR_SAMPLE_DATA "/dat", "--lng", VKR_SAMPLE_DATA "/lng", "--type", "KDA1", "--cpu",
                     "V100", "--form", "-2007P", "--lang", "English", "--port", device};
    if (modbus)
        args << "--protocol" << "modbus";
    return args;
}

QStringList simArgs(bool modbus, const QStringList &more = {})
{
    return QStringList{"--drive", "KDA1:-2007P:V100", "--protocol", modbus ? "modbus" : "native"} + more;
}

QString panelLine(const QString &device, bool modbus)
{
    return QString::fromLocal8Bit(vkr(QStringList{"panel"} + drive(device, modbus)).out).trimmed();
}

}  // namespace

class tst_CliPanel : public QObject
{
    Q_OBJECT
private slots:
    void protocols_data();
    void keysOperateTheDrive_data() { protocols_data(); }
    void keysOperateTheDrive();
    void badKeysAreRefusedBeforeTheLine();
    void silentLine();
    void watchPrintsChangesAndEndsOnSignals_data();
    void watchPrintsChangesAndEndsOnSignals();
};

void tst_CliPanel::protocols_data()
{
    QTest::addColumn<bool>("modbus");
    QTest::newRow("native") << false;
    QTest::newRow("modbus") << true;
}

void tst_CliPanel::keysOperateTheDrive()
{
    QFETCH(bool, modbus);
    SimProcess sim(simArgs(modbus));
    QVERIFY(!sim.device().isEmpty());
    const QStringList line = drive(sim.device(), modbus);
    QCOMPARE(panelLine(sim.device(), modbus), QStringLiteral("0.00"));
    QCOMPARE(vkr(QStringList{"write"} + line + QStringList{"FA01", "300"}).exitCode, 0);

    // RUN lights the RUN lamp and the shown frequency rises to the command.
    QCOMPARE(vkr(QStringList{"key"} + line + QStringList{"run"}).exitCode, 0);
    QDeadlineTimer deadline(5000);
    QString shown;
    while (!deadline.hasExpired() && shown != QLatin1String("3.00 RUN")) {
        shown = panelLine(sim.device(), modbus);
        QVERIFY2(shown.endsWith(QLatin1String("RUN")), qPrintable(shown));
    }
    QCOMPARE(shown, QStringLiteral("3.00 RUN"));

    // MON twice shows the command; UP UP DOWN moves it by one step and marks the edit.
    QCOMPARE(vkr(QStringList{"key"} + line + QStringList{"MON", "MON", "UP", "UP", "DOWN"}).exitCode, 0);
    QCOMPARE(panelLine(sim.device(), modbus), QStringLiteral("3.10 RUN MON PRG"));
    QCOMPARE(QString::fromLocal8Bit(vkr(QStringList{"read"} + line + QStringList{"FA01"}).out).trimmed(),
             QStringLiteral("FA01,310,3.10"));

    // STOP brings it down: the RUN lamp goes out when the output reaches zero.
    QCOMPARE(vkr(QStringList{"key"} + line + QStringList{"stop", "mon"}).exitCode, 0);
    deadline.setRemainingTime(5000);
    while (!deadline.hasExpired() && shown != QLatin1String("0.00"))
        shown = panelLine(sim.device(), modbus);
    QCOMPARE(shown, QStringLiteral("0.00"));
}

void tst_CliPanel::badKeysAreRefusedBeforeTheLine()
{
    const Run r = vkr(QStringList{"key"} + drive(QStringLiteral("/dev/null/none"), false) + QStringList{"RUN", "PRG"});
    QCOMPARE(r.exitCode, 3);
    QVERIFY(r.err.contains("PRG is not a key"));
    QCOMPARE(vkr(QStringList{"key"} + drive(QStringLiteral("/dev/null/none"), false)).exitCode, 3);
    QCOMPARE(vkr(QStringList{"panel"} + drive(QStringLiteral("/dev/null/none"), false) + QStringList{"extra"}).exitCode,
             3);
    QCOMPARE(vkr({"panel", "--help"}).exitCode, 0);
    QCOMPARE(vkr({"key", "--help"}).exitCode, 0);
}

void tst_CliPanel::silentLine()
{
    SimProcess sim(simArgs(false, {"--drop-rate", "1"}));
    const QStringList line = drive(sim.device(), false) + QStringList{"--timeout", "50"};
    Run r = vkr(QStringList{"panel"} + line);
    QCOMPARE(r.exitCode, 1);
    QVERIFY(r.out.isEmpty());
    QVERIFY(r.err.contains("no answer from the drive"));
    r = vkr(QStringList{"key"} + line + QStringList{"RUN"});
    QCOMPARE(r.exitCode, 1);
    QVERIFY(r.err.contains("RUN not taken"));
}

void tst_CliPanel::watchPrintsChangesAndEndsOnSignals_data()
{
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGINT") << int(SIGINT);
    QTest::newRow("SIGTERM") << int(SIGTERM);
}

void tst_CliPanel::watchPrintsChangesAndEndsOnSignals()
{
    QFETCH(int, signal);
    SimProcess sim(simArgs(false, {"--drop-rate", "0.3", "--seed", "7"}));
    const QStringList line = drive(sim.device(), false) + QStringList{"--timeout", "50"};
    QProcess watch;
    watch.start(QStringLiteral(VKR_BIN_DIR "/vkr"), QStringList{"panel", "--watch"} + line);
    QVERIFY(watch.waitForStarted());
    QTest::qWait(1500);
    ::kill(pid_t(watch.processId()), signal);
    QVERIFY(watch.waitForFinished(5000));
    QCOMPARE(watch.exitStatus(), QProcess::NormalExit);
    QCOMPARE(watch.exitCode(), 0);
    // Only changes are printed: the display alternates with the error text on dropped replies.
    const QStringList lines = QString::fromLocal8Bit(watch.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    QVERIFY(lines.size() >= 2);
    for (int i = 0; i < lines.size(); ++i) {
        QVERIFY2(lines[i] == QLatin1String(" 0.00") || lines[i] == QLatin1String("coMe"), qPrintable(lines[i]));
        if (i > 0)
            QVERIFY(lines[i] != lines[i - 1]);
    }
    QVERIFY(watch.readAllStandardError().contains("still trying"));
}

QTEST_GUILESS_MAIN(tst_CliPanel)
#include "tst_CliPanel.moc"
