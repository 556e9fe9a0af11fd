#include "StartedWithFile.h"
#include "monitor/ColorBox.h"
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
#include <qcustomplot.h>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>

namespace {

const QByteArray KeepSetup = LanguageSettings + "[Options]\r\nMonKeep=1\r\n";

// Opens the monitoring window as the "Monitor" command does. Without a drive, the check of
// the line on activation tells once that no port is usable: that message is not counted.
TMonitoring *openMonitor(Started &s)
{
    s.main->action(QStringLiteral("MonChart"))->trigger();
    TMonitoring *w = s.main->monitor()->window();
    if (w)
        w->FormActivate();
    s.prompter.shown.clear();
    return w;
}

// Types into an entry field and leaves it with Enter.
void enter(UpDownEdit *field, const QString &text)
{
    field->edit()->setText(text);
    QTest::keyClick(field->edit(), Qt::Key_Return);
}

bool monitoringMenuEnabled(TMain &main)
{
    return main.menu(QStringLiteral("Monitor"))->menuAction()->isEnabled();
}

}  // namespace

// The monitoring window without a drive: its defaults, the checks of its entries and the
// set-up kept in the settings file between sessions.
class tst_Monitoring : public QObject
{
    Q_OBJECT

private slots:
    void opensWithItsDefaults()
    {
        Started s(vkr(""));
        QVERIFY(s.main->action(QStringLiteral("MonChart"))->isEnabled());
        QVERIFY(monitoringMenuEnabled(*s.main));
        TMonitoring *w = openMonitor(s);
        QVERIFY(w && w->isVisible());
        QVERIFY(!monitoringMenuEnabled(*s.main));
        QCOMPARE(w->windowTitle(), QStringLiteral("Monitoring"));
        QCOMPARE(w->pages()->tabText(0), QStringLiteral("Display"));
        QCOMPARE(w->pages()->tabText(1), QStringLiteral("Setting"));
        QCOMPARE(w->pages()->currentWidget(), w->display());
        QVERIFY(w->minimumWidth() >= 639 && w->minimumHeight() >= 403);
        MonitorSettingTab *set = w->setting();
        for (int c = 0; c < 10; ++c) {
            QCOMPARE(set->AryCheckBox[c]->isChecked(), c < 5);
            QCOMPARE(set->AryMonName[c]->currentIndex(), c);
            QCOMPARE(set->AryMonName[c]->isEnabled(), c < 5);
            QCOMPARE(set->AryTCMax[c]->text(), QStringLiteral("1.0"));
            QCOMPARE(set->AryPlus[c]->text(), QStringLiteral("0"));
            QVERIFY(!set->AryDisp[c]->isChecked());
        }
        QCOMPARE(set->AryMonCHSet[0]->color(), QColor(Qt::red));
        QCOMPARE(set->AryMonCHSet[1]->color(), QColor(Qt::blue));
        QCOMPARE(set->AryMonCHSet[9]->color(), QColor(0, 128, 128));
        QCOMPARE(set->Level->text(), QStringLiteral("0"));
        QCOMPARE(set->Delay->text(), QStringLiteral("0"));
        MonitorDisplayTab *d = w->display();
        QCOMPARE(d->XValMax->text(), QStringLiteral("100"));
        QCOMPARE(d->ZoomVal->text(), QStringLiteral("100"));
        // Off-line: 500 ms per read, seven reads a sample (five channels, the alarm word and
        // the trip code), five samples a division.
        QCOMPARE(w->MinExchangeTime(), 500);
        QCOMPARE(d->TimeVal->text(), QStringLiteral("17.5"));
        QCOMPARE(w->PointsPerChannel(), 428);
        QVERIFY(!d->Trigger->isChecked());
        QVERIFY(!d->CheckBoxZoom->isChecked());
        QVERIFY(!d->MonStart->isEnabled());
        QVERIFY(!d->MonStop->isEnabled());
        QVERIFY(!d->Chart2->markerShown());
        QVERIFY(!d->Chart2->label(QStringLiteral("Label_Wait"))->isVisible());
        QVERIFY(!d->Chart2->label(QStringLiteral("Label_ErrNo"))->isVisible());
        QCOMPARE(d->UnitLabel[0]->text(), QStringLiteral("(Hz)"));
        QVERIFY(w->close());
        QVERIFY(monitoringMenuEnabled(*s.main));
        QVERIFY(s.prompter.shown.isEmpty());
    }

    void selectionSetsTheTimeBase()
    {
        Started s(vkr(""));
        TMonitoring *w = openMonitor(s);
        w->setting()->AryCheckBox[0]->click();
        w->setting()->AryCheckBox[1]->click();
        QCOMPARE(w->ReadsPerSample(), 5);
        QCOMPARE(w->PointsPerChannel(), 600);
        QCOMPARE(w->display()->TimeVal->text(), QStringLiteral("12.5"));
        QVERIFY(!w->setting()->AryMonName[0]->isEnabled());
        // A slower time base is kept until the window is activated again.
        enter(w->display()->TimeVal, QStringLiteral("17.5"));
        QCOMPARE(w->setup().timePerDivisionS, 17.5);
        w->FormActivate();
        QCOMPARE(w->display()->TimeVal->text(), QStringLiteral("12.5"));
    }

    void entriesAreChecked_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("message");
        QTest::addColumn<QString>("shown");
        QTest::newRow("multiplier not a number") << "AryTCMax3" << "abc" << 67 << "abc";
        QTest::newRow("multiplier above 10") << "AryTCMax3" << "12" << 41 << "10.0";
        QTest::newRow("multiplier below 0.1") << "AryTCMax3" << "0.05" << 41 << "0.1";
        QTest::newRow("multiplier accepted") << "AryTCMax3" << "2.5" << -1 << "2.5";
        QTest::newRow("offset above 500") << "AryPlus3" << "600" << 41 << "500";
        QTest::newRow("offset fraction truncated") << "AryPlus3" << "12.7" << -1 << "12";
        QTest::newRow("time below its lowest value") << "TimeVal" << "1" << 41 << "17.5";
        QTest::newRow("time above 30 s") << "TimeVal" << "31" << 41 << "30.0";
        QTest::newRow("time not a number") << "TimeVal" << "x" << 67 << "x";
        QTest::newRow("Max. above 500") << "XValMax" << "900" << 41 << "500";
        QTest::newRow("Max. accepted") << "XValMax" << "250" << -1 << "250";
        QTest::newRow("scope below 5") << "ZoomVal" << "1" << 41 << "5";
        QTest::newRow("level empty") << "Edit3" << "" << 67 << "";
        QTest::newRow("level above Max. accepted") << "Edit3" << "300" << -1 << "300";
        QTest::newRow("delay above 100") << "Edit4" << "150" << 41 << "100";
    }
    void entriesAreChecked()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(int, message);
        QFETCH(QString, shown);
        Started s(vkr(""));
        TMonitoring *w = openMonitor(s);
        auto *edit = w->findChild<QLineEdit *>(field);
        QVERIFY(edit);
        auto *entry = qobject_cast<UpDownEdit *>(edit->parentWidget());
        const MonitorSetup before = w->setup();
        enter(entry, typed);
        QCOMPARE(edit->text(), shown);
        if (message < 0) {
            QVERIFY(s.prompter.shown.isEmpty());
            QVERIFY(!w->InputErrorPending());
        } else {
            QCOMPARE(s.prompter.shown.size(), 1);
            QCOMPARE(s.prompter.shown[0].text, s.main->session().messages.text(message));
            QCOMPARE(s.prompter.shown[0].icon, Prompter::Icon::Stop);
            QVERIFY(w->InputErrorPending());
        }
        if (message >= 0 && field.startsWith(QLatin1String("AryTCMax")))
            QCOMPARE(w->setup().channels[2].multiplierTenths, before.channels[2].multiplierTenths);
        // Not a number keeps the window open; a limit put into the field lets it close.
        s.prompter.shown.clear();
        QCOMPARE(w->close(), message != 67);
        QCOMPARE(w->isVisible(), message == 67);
        if (message == 67) {
            QCOMPARE(s.prompter.shown.size(), 1);
            QCOMPARE(s.prompter.shown[0].text, s.main->session().messages.text(67));
            QVERIFY(!monitoringMenuEnabled(*s.main));
        }
    }

    void levelAboveMaxHidesTheMarker()
    {
        Started s(vkr(""));
        TMonitoring *w = openMonitor(s);
        w->display()->Trigger->click();
        MonitorChart *chart = w->display()->Chart2;
        QVERIFY(chart->markerShown());
        QVERIFY(w->display()->TrgCHDisp->isVisible());
        QCOMPARE(w->display()->TrgCHDisp->text(), QStringLiteral("CH1"));
        enter(w->setting()->Level, QStringLiteral("150"));
        QVERIFY(!chart->markerShown());
        enter(w->display()->XValMax, QStringLiteral("200"));
        QVERIFY(chart->markerShown());
        // Choosing the source by its label.
        QTest::mouseClick(w->display()->CHLabel[2], Qt::LeftButton);
        QCOMPARE(w->setup().triggerChannel, 2);
        QCOMPARE(w->display()->TrgCHDisp->text(), QStringLiteral("CH3"));
        w->display()->Trigger->click();
        QVERIFY(!chart->markerShown());
        QVERIFY(!w->display()->TrgCHDisp->isVisible());
    }

    void clickedPointTellsItsValue()
    {
        Started s(vkr(""));
        TMonitoring *w = openMonitor(s);
        enter(w->setting()->AryTCMax[0], QStringLiteral("2"));
        enter(w->setting()->AryPlus[0], QStringLiteral("10"));
        MonitorChart *chart = w->display()->Chart2;
        chart->resize(600, 300);
        for (int i = 0; i <= 100; ++i)
            chart->addPoint(0, i, 60);  // 25 Hz drawn at 25 x 2 + 10
        chart->setTimePerDivision(QStringLiteral("12.5"));
        chart->replotNow();
        const QPoint at(int(chart->plot()->xAxis->coordToPixel(40)), int(chart->plot()->yAxis->coordToPixel(60)));
        QTest::mouseClick(chart->plot(), Qt::LeftButton, {}, at);
        QCOMPARE(s.prompter.shown.size(), 1);
        QCOMPARE(s.prompter.shown[0].text, QStringLiteral("CH1 : Output frequency\n\nValue : 25.00\nMulti. : 2\n"
                                                         "Offset : 10\n\nPassed Time : 100.0 (s) "));
    }

    void releasedMarkerWritesTheLevel()
    {
        Started s(vkr(""));
        TMonitoring *w = openMonitor(s);
        w->display()->Trigger->click();
        MonitorChart *chart = w->display()->Chart2;
        emit chart->markerReleased(35);
        QCOMPARE(w->setting()->Level->text(), QStringLiteral("35"));
        QCOMPARE(w->setup().triggerLevel, 35);
        QVERIFY(s.prompter.shown.isEmpty());
    }

    void setUpSurvivesARestart()
    {
        Started s(vkr(""), KeepSetup);
        TMonitoring *w = openMonitor(s);
        MonitorSettingTab *set = w->setting();
        set->AryCheckBox[0]->click();
        set->AryCheckBox[6]->click();
        set->AryMonName[1]->setCurrentIndex(4);
        enter(set->AryTCMax[2], QStringLiteral("2.5"));
        enter(set->AryPlus[2], QStringLiteral("20"));
        enter(w->display()->XValMax, QStringLiteral("250"));
        w->display()->Trigger->click();
        w->display()->CheckBoxZoom->click();
        enter(set->Level, QStringLiteral("50"));
        enter(set->Delay, QStringLiteral("25"));
        QVERIFY(w->close());
        QVERIFY(s.prompter.shown.isEmpty());
        s.main->close();
        s.main.reset();

        s.main = std::make_unique<TMain>(s.prompter, QStringList{s.app.file(QStringLiteral("set.vkr"))}, s.app.path());
        s.main->show();
        w = openMonitor(s);
        set = w->setting();
        QVERIFY(!set->AryCheckBox[0]->isChecked());
        QVERIFY(set->AryCheckBox[6]->isChecked());
        QCOMPARE(set->AryMonName[1]->currentIndex(), 4);
        QCOMPARE(set->AryTCMax[2]->text(), QStringLiteral("2.5"));
        QCOMPARE(w->setup().channels[2].multiplierTenths, 25);
        QCOMPARE(set->AryPlus[2]->text(), QStringLiteral("20"));
        QCOMPARE(w->display()->XValMax->text(), QStringLiteral("250"));
        QVERIFY(w->display()->Trigger->isChecked());
        QVERIFY(w->display()->CheckBoxZoom->isChecked());
        QCOMPARE(set->Level->text(), QStringLiteral("50"));
        QCOMPARE(set->Delay->text(), QStringLiteral("25"));
        QVERIFY(w->display()->Chart2->markerShown());
    }

    void withoutKeepTheSetUpStartsOver()
    {
        Started s(vkr(""));
        TMonitoring *w = openMonitor(s);
        w->setting()->AryCheckBox[0]->click();
        QVERIFY(w->close());
        s.main->close();
        s.main.reset();
        s.main = std::make_unique<TMain>(s.prompter, QStringList{s.app.file(QStringLiteral("set.vkr"))}, s.app.path());
        s.main->show();
        w = openMonitor(s);
        QVERIFY(w->setting()->AryCheckBox[0]->isChecked());
    }
};

QTEST_MAIN(tst_Monitoring)
#include "tst_Monitoring.moc"
