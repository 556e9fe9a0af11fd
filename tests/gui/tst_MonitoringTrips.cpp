#include "SimProcess.h"
#include "StartedWithFile.h"
#include "comm/CommLink.h"
#include "comm/FrameItemSource.h"
#include "monitor/MonitorChart.h"
#include "monitor/MonitorCommands.h"
#include "monitor/MonitorDisplayTab.h"
#include "monitor/MonitorSettingTab.h"
#include "monitor/MonitorWatchView.h"
#include "monitor/TMonitoring.h"
#include "transfer/TResultForm1.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

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

// The tool on the simulator's line with the monitoring window open on CH1 and CH2.
struct OnLine {
    SimProcess sim;
    std::unique_ptr<Started> s;
    TMonitoring *w = nullptr;

    explicit OnLine(const QStringList &simArguments = {}) : sim(simArguments)
    {
        s = std::make_unique<Started>(vkr(""), "[Language]\r\nJapanese=0\r\nEnglish=0\r\n[Comms]\r\nPortNames="
                                                    + sim.device().toUtf8() + "\r\n");
        s->main->action(QStringLiteral("MonChart"))->trigger();
        w = s->main->monitor()->window();
        w->FormActivate();
        for (int c = 2; c < 5; ++c)
            w->setting()->AryCheckBox[c]->click();
    }
    Options &options() { return s->main->session().options; }
    MonitorChart *chart() const { return w->display()->Chart2; }
    QLabel *label(const char *name) const { return chart()->label(QString::fromLatin1(name)); }
    /// The RUN lamp of the panel's two images over the tool's line (3: steady), -1 without an answer.
    int runLamps()
    {
        CommLink *link = s->main->commLink();
        PanelItem item;
        CommExchange exchange(link->port().port(), link->settings(), &item);
        bool failed = false;
        exchange.exchange(0, QString(), failed, 'R');
        const QByteArray reply = exchange.lastReply();
        if (failed || reply.size() < 15)
            return -1;
        // Ten data bytes, then the check byte.
        return (quint8(reply.at(reply.size() - 3)) & 0x01) | (quint8(reply.at(reply.size() - 2)) & 0x01) << 1;
    }
};

// The texts a label had each time it was shown.
class ShownTexts : public QObject
{
public:
    QStringList texts;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            texts << static_cast<QLabel *>(watched)->text();
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

// Alarms, trips and the drive commands of the monitoring window against the drive simulator.
class tst_MonitoringTrips : public QObject
{
    Q_OBJECT

private slots:
    void tripEndsTheRunAndShowsItsReport()
    {
        OnLine line({QStringLiteral("--trip-after"), QStringLiteral("1.5")});
        TMonitoring *w = line.w;
        QVERIFY(w->watch()->checks().TripDatas);
        // The label shows for the last sample only: catch it as it is shown, not by polling.
        ShownTexts shown;
        line.label("Label_Trip")->installEventFilter(&shown);
        const QStringList &tripLabels = shown.texts;
        QString title, text;
        bool modal = false, labelsEmpty = false;
        connect(w->watch(), &MonitorWatchView::tripReportOpening, w, [&](TResultForm1 *r) {
            QTimer::singleShot(0, r, [&, r] {
                title = r->windowTitle();
                text = r->ResultDisp()->toPlainText();
                modal = r->isModal() && r->isVisible();
                labelsEmpty = !line.label("Label_Trip")->isVisible() && !line.label("Label_Alarm")->isVisible();
                r->accept();
            });
        });
        QTimer safety;
        safety.setSingleShot(true);
        connect(&safety, &QTimer::timeout, w, &TMonitoring::MonStopClick);
        safety.start(20000);
        w->display()->MonStart->click();
        QVERIFY(safety.isActive());
        QVERIFY(!w->running());
        // The run ended at the trip, long before its last sample.
        QVERIFY(w->recording().SamplesTaken() < w->PointsPerChannel());
        QVERIFY(!tripLabels.isEmpty());
        QVERIFY(modal);
        QVERIFY(labelsEmpty);
        QCOMPARE(title, QStringLiteral("Trip Information"));
        const QStringList lines = text.split(QLatin1Char('\n'));
        QCOMPARE(lines.at(0), QStringLiteral("* Trip Data"));
        QCOMPARE(lines.at(1), QStringLiteral("* Inverter Information"));
        QVERIFY(lines.contains(QStringLiteral("Trip history 1 (latest) :") + tripLabels.last()));
        QVERIFY(lines.last().startsWith(w->items().items.back().name + QStringLiteral(" : ")));
        QVERIFY(line.s->prompter.shown.isEmpty());
        QVERIFY(w->display()->MonStart->isEnabled());
    }

    void checksTakeTheLastChannels_data()
    {
        QTest::addColumn<bool>("alarm");
        QTest::addColumn<bool>("trip");
        QTest::addColumn<int>("usable");
        QTest::newRow("alarm and trip: CH1..CH8") << true << true << 8;
        QTest::newRow("alarm only: CH1..CH9") << true << false << 9;
        QTest::newRow("trip only: CH1..CH9") << false << true << 9;
        QTest::newRow("neither: CH1..CH10") << false << false << 10;
    }
    void checksTakeTheLastChannels()
    {
        QFETCH(bool, alarm);
        QFETCH(bool, trip);
        QFETCH(int, usable);
        OnLine line;
        TMonitoring *w = line.w;
        line.options().set(Opt::MonAlrmDisp, alarm);
        line.options().set(Opt::MonTripDisp, trip);
        for (int c = 2; c < 10; ++c)
            w->setting()->AryCheckBox[c]->click();
        w->FormActivate();
        for (int c = 0; c < 10; ++c) {
            QCOMPARE(w->setting()->AryCheckBox[c]->isHidden(), c >= usable);
            QCOMPARE(w->display()->ValueField[c]->isHidden(), c >= usable);
            // Every box is checked; a hidden one does not count.
            QVERIFY(w->setting()->AryCheckBox[c]->isChecked());
            QCOMPARE(w->setup().channels[size_t(c)].selected, c < usable);
        }
        QCOMPARE(w->ReadsPerSample(), usable + int(alarm) + int(trip));
        QCOMPARE(w->watch()->checks().TripDatas, trip);
    }

    void runAndStopShortcuts()
    {
        OnLine line;
        TMonitoring *w = line.w;
        QVERIFY(!w->watch()->InvRun->isEnabled());
        line.options().set(Opt::MonInvDrive, 1);
        w->FormActivate();
        QVERIFY(w->watch()->InvRun->isEnabled() && w->watch()->InvStop->isEnabled());
        QCOMPARE(w->watch()->InvRun->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F9));
        QCOMPARE(w->watch()->InvStop->shortcut(), QKeySequence(Qt::Key_F9));
        QCOMPARE(line.runLamps(), 0);

        // Outside a run the command goes out at once.
        w->watch()->InvRun->trigger();
        QCOMPARE(line.runLamps(), 3);

        // During a run it waits for the next sample; the run goes on.
        qint64 atStop = -1;
        QTimer::singleShot(600, w, [&] {
            w->watch()->InvStop->trigger();
            QTimer::singleShot(1500, w, [&] {
                atStop = w->recording().SamplesTaken();
                w->MonStopClick();
            });
        });
        w->display()->MonStart->click();
        QVERIFY(atStop != 0);
        QVERIFY(line.runLamps() != 3);

        // "Continuous" takes the commands away.
        line.options().set(Opt::CntMon, 1);
        w->FormActivate();
        QVERIFY(!w->watch()->InvRun->isEnabled());
    }
};

QTEST_MAIN(tst_MonitoringTrips)
#include "tst_MonitoringTrips.moc"
