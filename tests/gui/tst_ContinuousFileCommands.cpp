#include "SimProcess.h"
#include "SmallTmpfs.h"
#include "StartedWithFile.h"
#include "monitor/MonitorChart.h"
#include "monitor/MonitorCommands.h"
#include "monitor/MonitorDisplayTab.h"
#include "monitor/MonitorSettingTab.h"
#include "monitor/TMonitoring.h"
#include "monitor/UpDownEdit.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/resource.h>

namespace {

// The tool on the simulator's line, "Continuous" on with the factory times (120 min, 10 s),
// the monitoring window open on CH1 (output frequency) and CH2 (frequency command).
struct Continuous {
    SimProcess sim{{}};
    std::unique_ptr<Started> s;
    TMonitoring *w = nullptr;

    explicit Continuous(const QByteArray &options = {})
    {
        s = std::make_unique<Started>(vkr(""), "[Language]\r\nJapanese=0\r\nEnglish=0\r\n[Comms]\r\nPortNames="
                                                   + sim.device().toUtf8() + "\r\n[Options]\r\nMonMode3=1\r\n"
                                                   + options);
        s->main->action(QStringLiteral("MonChart"))->trigger();
        w = s->main->monitor()->window();
        w->FormActivate();
        for (int c = 2; c < 5; ++c)
            w->setting()->AryCheckBox[c]->click();
        s->prompter.shown.clear();
    }
    MonitorDisplayTab *d() const { return w->display(); }
    /// Presses "Start", and "Stop" `afterMs` later.
    void runFor(int afterMs)
    {
        QTimer::singleShot(afterMs, w, [this] { d()->MonStop->click(); });
        d()->MonStart->click();
    }
};

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const QByteArray Head("KDA1-2004P\r\n120(min)\r\n10(s/point)\r\n"
                      "Time(ms),Output frequency,Frequency command,-,-,-,-,-,-,-,-\r\n"
                      " ,(CH1),(CH2),(CH3),(CH4),(CH5),(CH6),(CH7),(CH8),(CH9),(CH10)\r\n");

}  // namespace

// "Start" in continuous mode against the drive simulator: the note, the table file's dialog,
// the head and the sample lines, and every way of not starting.
class tst_ContinuousFileCommands : public QObject
{
    Q_OBJECT

private slots:
    void startWritesTheTable()
    {
        Continuous c;
        QVERIFY(!c.sim.device().isEmpty());
        QVERIFY(c.d()->MonStart->isEnabled());
        QVERIFY(!c.d()->MonOpen->isEnabled());
        QVERIFY(c.d()->Label41->isVisibleTo(c.w));
        QVERIFY(!c.d()->TimeVal->isVisibleTo(c.w));
        // 720 points of 10 s; 750 points a line (3000 / four reads): three samples a point.
        QCOMPARE(c.d()->TimeFixed->text(), QStringLiteral("150.0"));
        QTemporaryDir dir;
        c.s->prompter.answers = {Prompter::Answer::Ok};
        c.s->prompter.files = {dir.filePath(QStringLiteral("long"))};
        bool runningDuring = false;
        QTimer::singleShot(800, c.w, [&] { runningDuring = c.w->running(); });
        c.runFor(1500);
        QVERIFY(runningDuring);
        QCOMPARE(c.s->prompter.shown.size(), 1);
        QCOMPARE(c.s->prompter.shown[0].text,
                 QStringLiteral("Record time : 120(min)\nSampling time : 10(s/point)\n\nThe monitor data are written "
                                "to a file while monitoring.\nEstimated file size : about 61(KB)"));
        QCOMPARE(c.s->prompter.shown[0].icon, Prompter::Icon::Warning);
        QCOMPARE(c.s->prompter.fileDialogs, 1);
        QCOMPARE(c.s->main->session().monPath, dir.path());
        // The sample taken at the start, the frequency command of the simulated drive and 0
        // for the channels not read.
        const QByteArray bytes = readAll(dir.filePath(QStringLiteral("long.csv")));
        QVERIFY2(bytes.startsWith(Head), bytes.constData());
        const QList<QByteArray> lines = bytes.mid(Head.size()).split('\n');
        QCOMPARE(lines.size(), 2);
        const QList<QByteArray> fields = lines[0].trimmed().split(',');
        QCOMPARE(fields.size(), 11);
        QVERIFY2(fields[0].toInt() < 500, fields[0].constData());
        QCOMPARE(fields[3], QByteArray("0.000000"));
        QVERIFY(lines[0].endsWith('\r'));
        QCOMPARE(c.d()->Chart2->timePerDivision(), QStringLiteral("150.0"));
        QVERIFY(!c.w->running());
        QVERIFY(c.d()->MonStart->isEnabled());
        QVERIFY(!c.d()->MonOpen->isEnabled());
    }

    void everySampleDrawnWhenTheLineHoldsTheRecord()
    {
        // 30 min of 10 s samples is 180 points; a line of 2500 points (10000 / four reads)
        // holds them all, so each sample is drawn, as the mean of it and the one before.
        Continuous c("MonMode3T=30\r\nMonMode2Point=10000\r\n");
        c.w->setting()->AryMonName[1]->setCurrentIndex(4);  // DC bus voltage, 141 % when stopped
        QCOMPARE(c.d()->TimeFixed->text(), QStringLiteral("50.0"));
        QTemporaryDir dir;
        c.s->prompter.answers = {Prompter::Answer::Ok};
        c.s->prompter.files = {dir.filePath(QStringLiteral("short.CSV"))};
        int drawnDuring = -1;
        QTimer::singleShot(1000, c.w, [&] { drawnDuring = c.d()->Chart2->pointCount(1); });
        c.runFor(1500);
        QCOMPARE(drawnDuring, 1);
        const QByteArray bytes = readAll(dir.filePath(QStringLiteral("short.CSV")));
        QVERIFY2(bytes.startsWith("KDA1-2004P\r\n30(min)\r\n10(s/point)\r\n"), bytes.constData());
        const QList<QByteArray> lines = bytes.split('\n');
        QCOMPARE(lines.size(), 5 + 1 + 1);
        QVERIFY2(lines[3].startsWith("Time(ms),Output frequency,DC bus voltage,-,"), lines[3].constData());
        QCOMPARE(lines[5].split(',')[2], QByteArray("141.000000"));
        QCOMPARE(c.d()->Chart2->pointCount(1), 1);
        QCOMPARE(c.d()->Chart2->pointY(1, 0), 70.5);
        QCOMPARE(c.w->recording().SamplesTaken(), 0);
    }

    void cancelStartsNothing_data()
    {
        QTest::addColumn<bool>("confirmed");
        QTest::addColumn<int>("dialogs");
        QTest::newRow("note cancelled") << false << 0;
        QTest::newRow("file dialog cancelled") << true << 1;
    }
    void cancelStartsNothing()
    {
        QFETCH(bool, confirmed);
        QFETCH(int, dialogs);
        Continuous c;
        QTemporaryDir dir;
        c.s->prompter.answers = {confirmed ? Prompter::Answer::Ok : Prompter::Answer::Cancel};
        c.s->main->session().monPath = dir.path();
        bool ranAtAll = false;
        connect(c.w, &TMonitoring::runningChanged, c.w, [&](bool on) { ranAtAll = ranAtAll || on; });
        c.d()->MonStart->click();
        QVERIFY(!ranAtAll);
        QCOMPARE(c.s->prompter.fileDialogs, dialogs);
        QCOMPARE(c.s->prompter.shown.size(), 1);
        QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());
        QVERIFY(c.d()->MonStart->isEnabled());
    }

    void headOnFullDiskStartsNothing()
    {
        SmallTmpfs disk;
        if (!disk.mounted())
            QSKIP("mounting a tmpfs is not permitted here");
        Continuous c;
        const QString path = disk.filePath(QStringLiteral("long.csv"));
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("an earlier recording\r\n");
        }
        disk.fill();
        c.s->prompter.answers = {Prompter::Answer::Ok};
        c.s->prompter.files = {path};
        bool ranAtAll = false;
        connect(c.w, &TMonitoring::runningChanged, c.w, [&](bool on) { ranAtAll = ranAtAll || on; });
        c.d()->MonStart->click();
        QVERIFY(!ranAtAll);
        QCOMPARE(c.s->prompter.shown.size(), 2);
        const QString said = c.s->prompter.shown[1].text;
        QVERIFY2(said.startsWith(c.s->main->session().messages.text(67) + QLatin1Char('\n') + path + QLatin1Char('\n')),
                 qPrintable(said));
        QVERIFY2(said.contains(QStringLiteral("space"), Qt::CaseInsensitive), qPrintable(said));
        QCOMPARE(readAll(path), QByteArray("an earlier recording\r\n"));
    }

    void lineNotWrittenEndsTheRun()
    {
        Continuous c;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("long.csv"));
        c.s->prompter.answers = {Prompter::Answer::Ok};
        c.s->prompter.files = {path};
        // Files of this process may not grow past the head and a part of a line: the first
        // sample line meets the limit half written.
        rlimit before{};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &before), 0);
        rlimit small = before;
        small.rlim_cur = rlim_t(Head.size() + 40);
        const auto previous = std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
        bool stopped = false;
        QTimer::singleShot(5000, c.w, [&] { stopped = true; c.d()->MonStop->click(); });
        c.d()->MonStart->click();
        ::setrlimit(RLIMIT_FSIZE, &before);
        std::signal(SIGXFSZ, previous);
        // The run ended at its first sample, not at "Stop", and said why.
        QVERIFY(!stopped);
        QVERIFY(!c.w->running());
        QCOMPARE(c.s->prompter.shown.size(), 2);
        const QString said = c.s->prompter.shown[1].text;
        QCOMPARE(said, c.s->main->session().messages.text(67) + QLatin1Char('\n') + path + QLatin1Char('\n')
                           + QString::fromLocal8Bit(std::strerror(EFBIG)));
        // The part of the line that was written is taken back.
        QCOMPARE(readAll(path), Head);
        QVERIFY(c.d()->MonStart->isEnabled());
    }

    void leavingContinuousModeRestoresTheTimeBase()
    {
        Continuous c;
        c.s->main->session().options.set(Opt::CntMon, 0);
        c.w->OptionsChanged();
        QVERIFY(c.d()->TimeVal->isVisibleTo(c.w));
        QVERIFY(!c.d()->TimeFixed->isVisibleTo(c.w));
        QVERIFY(!c.d()->Label41->isVisibleTo(c.w));
        QVERIFY(c.d()->MonStart->isEnabled());
    }
};

QTEST_MAIN(tst_ContinuousFileCommands)
#include "tst_ContinuousFileCommands.moc"
