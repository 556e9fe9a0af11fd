#include "SimProcess.h"
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
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <functional>

namespace {

// The tool started on the simulator's line with the monitoring window open on CH1 and CH2.
struct OnLine {
    SimProcess sim{{}};
    std::unique_ptr<Started> s;
    TMonitoring *w = nullptr;

    OnLine()
    {
        s = std::make_unique<Started>(vkr(""), "[Language]\r\nJapanese=0\r\nEnglish=0\r\n[Comms]\r\nPortNames="
                                                    + sim.device().toUtf8() + "\r\n");
        s->main->action(QStringLiteral("MonChart"))->trigger();
        w = s->main->monitor()->window();
        w->FormActivate();
        for (int c = 2; c < 5; ++c)
            w->setting()->AryCheckBox[c]->click();
    }
    MonitorChart *chart() const { return w->display()->Chart2; }
};

// Runs `during` once the run has gone on for a while, then presses "Stop".
void duringTheRun(TMonitoring *w, int afterMs, const std::function<void()> &during)
{
    QTimer::singleShot(afterMs, w, [w, during] {
        during();
        w->display()->MonStop->click();
    });
}

}  // namespace

// Runs of the monitoring window against the drive simulator on a pseudo-terminal.
class tst_MonitoringRun : public QObject
{
    Q_OBJECT

private slots:
    void plainRunDrawsTheSamples()
    {
        OnLine line;
        TMonitoring *w = line.w;
        QVERIFY(!line.sim.device().isEmpty());
        QVERIFY(w->display()->MonStart->isEnabled());
        // Two channels, the alarm word and the trip code.
        QCOMPARE(w->ReadsPerSample(), 4);
        // The time base follows the measured exchange: one sample covers all four reads.
        QVERIFY(w->MinExchangeTime() >= 50 && w->MinExchangeTime() <= 500);
        QCOMPARE(w->setup().timePerDivisionS * 1000, double(w->MinExchangeTime() * 4 * 5));
        int drawnDuring = 0;
        bool closedDuring = true, mainClosedDuring = true, menuDuring = true;
        duringTheRun(w, 1500, [&] {
            drawnDuring = line.chart()->pointCount(0);
            closedDuring = w->close();
            mainClosedDuring = line.s->main->close();
            menuDuring = line.s->main->menuBar()->isEnabled();
            QVERIFY(!w->display()->MonStart->isEnabled());
            QVERIFY(w->display()->MonStop->isEnabled());
            QVERIFY(!w->setting()->AryCheckBox[0]->isEnabled());
        });
        w->display()->MonStart->click();
        QVERIFY(drawnDuring >= 2);
        QVERIFY(!closedDuring);
        QVERIFY(!mainClosedDuring);
        QVERIFY(!menuDuring);
        QVERIFY(w->isVisible());
        QVERIFY(!w->running());
        const int taken = w->recording().SamplesTaken();
        QVERIFY2(taken >= drawnDuring - 1, qPrintable(QString::number(taken)));
        QCOMPARE(line.chart()->pointCount(0), taken + 1);
        QCOMPARE(line.chart()->pointCount(1), taken + 1);
        QCOMPARE(line.chart()->pointCount(2), 0);
        QVERIFY(w->display()->MonStart->isEnabled());
        QVERIFY(!w->display()->MonStop->isEnabled());
        QVERIFY(line.s->main->menuBar()->isEnabled());
        // The menu bar is back, the "Monitoring" menu still off while the window shows.
        QVERIFY(!line.s->main->menu(QStringLiteral("Monitor"))->menuAction()->isEnabled());
        QCOMPARE(line.chart()->timePerDivision(), TimePerDivisionText(w->setup().timePerDivisionS));
        QCOMPARE(w->display()->ZoomVal->text(), QStringLiteral("100"));
        QVERIFY(line.s->prompter.shown.isEmpty());
        // A click on the multiplier's up-down draws the recording again with the new scale.
        const double before = line.chart()->pointY(1, 0);
        w->setting()->AryTCMax[1]->upDown()->stepUp();
        QCOMPARE(w->setting()->AryTCMax[1]->text(), QStringLiteral("1.1"));
        QCOMPARE(line.chart()->pointCount(1), taken + 1);
        QCOMPARE(line.chart()->pointY(1, 0), w->recording().channel(1).values[0] * 1.1);
        QVERIFY(before == 0 || line.chart()->pointY(1, 0) != before);
        QVERIFY(w->close());
    }

    void triggeredRunWaitsAndKeepsWhatCameBefore()
    {
        OnLine line;
        TMonitoring *w = line.w;
        w->display()->Trigger->click();
        // A level the simulated drive never reaches: the run waits until "Stop".
        line.w->setting()->Level->edit()->setText(QStringLiteral("500"));
        QTest::keyClick(line.w->setting()->Level->edit(), Qt::Key_Return);
        line.w->setting()->Delay->edit()->setText(QStringLiteral("50"));
        QTest::keyClick(line.w->setting()->Delay->edit(), Qt::Key_Return);
        bool waitingShown = false;
        int drawnWhileWaiting = -1;
        bool closedDuring = true;
        // Four reads a sample (two channels, the alarm word and the trip code): wait long
        // enough for a few samples even on a busy machine.
        duringTheRun(w, 3000, [&] {
            waitingShown = line.chart()->label(QStringLiteral("Label_Wait"))->isVisible();
            drawnWhileWaiting = line.chart()->pointCount(0);
            closedDuring = w->close();
        });
        w->display()->MonStart->click();
        QVERIFY(waitingShown);
        QCOMPARE(drawnWhileWaiting, 0);
        QVERIFY(!closedDuring);
        QVERIFY(!line.chart()->label(QStringLiteral("Label_Wait"))->isVisible());
        // The samples taken while waiting are kept in front of the one taken at "Stop".
        const int kept = w->recording().pretriggerSamples();
        QVERIFY2(kept >= 3, qPrintable(QString::number(kept)));
        QCOMPARE(w->recording().SamplesTaken(), kept);
        QCOMPARE(line.chart()->pointCount(0), kept + 1);
        QVERIFY(line.s->prompter.shown.isEmpty());
    }

    void lostLineEndsTheRun()
    {
        OnLine line;
        TMonitoring *w = line.w;
        int stopped = -1;
        QTimer::singleShot(1000, w, [&] { stopped = line.sim.stop(); });
        w->display()->MonStart->click();
        QCOMPARE(stopped, 0);
        QVERIFY(!w->running());
        QVERIFY(w->recording().SamplesTaken() >= 1);
        QVERIFY(w->recording().errorCount() >= 1);
        QCOMPARE(line.s->prompter.shown.size(), 1);
        QCOMPARE(line.s->prompter.shown[0].text, line.s->main->session().messages.text(3));
        QVERIFY(w->display()->MonStart->isEnabled() || !w->display()->MonStop->isEnabled());
    }

    void startRefusals()
    {
        OnLine line;
        TMonitoring *w = line.w;
        for (int c = 0; c < 2; ++c)
            w->setting()->AryCheckBox[c]->click();
        QVERIFY(!w->display()->MonStart->isEnabled());
        w->MonStartClick();
        QCOMPARE(line.s->prompter.shown.size(), 1);
        QCOMPARE(line.s->prompter.shown[0].text, line.s->main->session().messages.text(49));
        w->setting()->AryCheckBox[0]->click();
        QCOMPARE(line.sim.stop(), 0);
        w->MonStartClick();
        // The port went with the simulator: the line says so once, and nothing starts.
        QCOMPARE(line.s->prompter.shown.size(), 2);
        QCOMPARE(line.s->prompter.shown[1].text, line.s->main->session().messages.text(2));
        QVERIFY(!w->running());
    }
};

QTEST_MAIN(tst_MonitoringRun)
#include "tst_MonitoringRun.moc"
