#include "TestAppFolder.h"
#include "base/ScriptedPrompter.h"
#include "main/OptionCommands.h"
#include "main/TMain.h"
#include "monitor/MonitorChart.h"
#include "monitor/MonitorCommands.h"
#include "monitor/MonitorDisplayTab.h"
#include "monitor/TMonitoring.h"
#include "options/TVKROption.h"
#include "paramtable/ParameterCellDelegate.h"
#include "paramtable/TParameter.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>
#include <qcustomplot.h>
#include <memory>

using namespace OptionDefs;

// The "Environment Options" window offscreen, on the main window of a sample drive.
class tst_TVKROption : public QObject
{
    Q_OBJECT

private:
    struct Run {
        ScriptedPrompter prompter;
        std::unique_ptr<TMain> main;
        TVKROption *window = nullptr;
        Run(const TestAppFolder &app)
        {
            main = std::make_unique<TMain>(prompter, QStringList{app.file(QStringLiteral("x.vkr"))}, app.path());
            main->show();
            window = main->optionCommands()->options();
        }
        ~Run() { main->close(); }
    };

    static void prepare(const TestAppFolder &app, const QByteArray &extra = {})
    {
        app.writeSettings("[Language]\r\nJapanese=0\r\nEnglish=0\r\n[Comms]\r\nPortNames=/nonexistent/tty\r\n" + extra);
        app.writeFile(QStringLiteral("x.vkr"), "###\r\nKDA1\r\n-2004P\r\nV100\r\nEnglish\r\nNo Comments.\r\n0\r\n0\r\n");
    }

    static QString message(Run &r, int k) { return r.main->session().messages.text(k); }

private slots:
    void everyOptionHasItsControlAndCaption()
    {
        TestAppFolder app;
        prepare(app);
        Run r(app);
        for (int i = 0; i < Count; ++i) {
            const Def &d = def(Opt(i));
            if (d.kind == Kind::Bool) {
                QVERIFY2(r.window->check(d.id), d.component);
                QCOMPARE(r.window->check(d.id)->text(), QString::fromUtf8(d.caption));
            } else if (d.kind == Kind::Int) {
                QVERIFY2(r.window->field(d.id), d.component);
            } else {
                QVERIFY2(r.window->swatch(d.id), d.component);
            }
        }
        QCOMPARE(r.window->windowTitle(), QStringLiteral("Environment Options"));
        QCOMPARE(r.window->pages()->tabText(3), QStringLiteral("Master's"));
        QVERIFY(!r.window->masterPageVisible());
    }

    void fieldEntries_data()
    {
        QTest::addColumn<QString>("component");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("message");
        QTest::addColumn<QString>("shown");
        QTest::newRow("factor below its minimum") << "ValMulti" << "0.001" << 41 << "0.01";
        QTest::newRow("factor above its maximum") << "ValMulti" << "250" << 41 << "200.00";
        QTest::newRow("LED timer zero") << "LedDispTime" << "0" << -1 << "0";
        QTest::newRow("LED timer above") << "LedDispTime" << "1001" << 41 << "1000";
        QTest::newRow("empty undo depth") << "UndoMaxSet" << "" << 67 << "";
        QTest::newRow("not a number") << "CntMonSmp" << "ten" << 67 << "ten";
        QTest::newRow("recording points below") << "MonRecPoint" << "1000" << 41 << "1250";
        QTest::newRow("record time above") << "CntMonTime" << "9999" << 41 << "1440";
        QTest::newRow("signal level") << "TBValSet" << "42" << -1 << "42";
    }
    void fieldEntries()
    {
        QFETCH(QString, component);
        QFETCH(QString, typed);
        QFETCH(int, message);
        QFETCH(QString, shown);
        TestAppFolder app;
        prepare(app);
        Run r(app);
        r.prompter.shown.clear();
        r.window->show();
        QLineEdit *field = r.window->field(byComponent(component)->id);
        field->setText(typed);
        r.window->accept();
        if (message < 0) {
            QVERIFY(r.prompter.shown.isEmpty());
            QVERIFY(!r.window->isVisible());
        } else {
            QCOMPARE(r.prompter.shown.size(), 1);
            QCOMPARE(r.prompter.shown.first().text, tst_TVKROption::message(r, message));
            QCOMPARE(r.prompter.shown.first().icon, Prompter::Icon::Stop);
            QVERIFY(r.window->isVisible());  // the window stays open
        }
        QCOMPARE(field->text(), shown);
        r.window->hide();
    }

    void savedOnCloseAndLoadedAtStart()
    {
        TestAppFolder app;
        prepare(app, "[Options]\r\nUndoMax=ten\r\nMNCC=-7\r\nPanelTime1=55\r\n");
        {
            Run r(app);
            const Options &o = r.main->session().options;
            QCOMPARE(o.value(Opt::UndoMaxSet), 10);  // unusable values take the defaults
            QCOMPARE(o.value(Opt::PNCellC), 0xE0FFFF);
            QCOMPARE(r.window->field(Opt::LedDispTime)->text(), QStringLiteral("55"));
            r.window->show();
            r.window->check(Opt::ParaEnt)->click();
            r.window->check(Opt::MonKeep)->click();
            r.window->field(Opt::MonRecPoint)->setText(QStringLiteral("5000"));
            r.window->chooseColor = [](int) { return 0x123456; };
            r.window->swatch(Opt::MonCB)->click();
            r.window->accept();
            QVERIFY(!r.window->isVisible());
        }
        const QByteArray file = app.readFile(QStringLiteral("VKR410T.ini"));
        QVERIFY(file.contains("Entkey=0"));
        QVERIFY(file.contains("MonMode2Point=5000"));
        QVERIFY(file.contains("MonBack=" + QByteArray::number(0x123456)));
        Run again(app);
        QVERIFY(!again.window->check(Opt::ParaEnt)->isChecked());
        QVERIFY(again.window->check(Opt::MonKeep)->isChecked());
        QCOMPARE(again.window->field(Opt::MonRecPoint)->text(), QStringLiteral("5000"));
        QCOMPARE(again.main->session().options.value(Opt::MonCB), 0x123456);
    }

    void restoreToFactoryAndDefaultColors()
    {
        TestAppFolder app;
        prepare(app, "[Options]\r\nEeprom=0\r\nUndoMax=50\r\nMNCC=255\r\nMMG=9\r\n");
        Run r(app);
        r.window->show();
        r.window->findChild<QPushButton *>(QStringLiteral("Button1"))->click();
        QCOMPARE(r.main->session().options.value(Opt::PNCellC), 0xE0FFFF);
        QCOMPARE(r.main->session().options.value(Opt::ComSpMarg), 50);
        QVERIFY(!r.window->check(Opt::EEPWriteEnable)->isChecked());
        r.window->findChild<QPushButton *>(QStringLiteral("DefBtn"))->click();
        QVERIFY(r.window->check(Opt::EEPWriteEnable)->isChecked());
        QCOMPARE(r.window->field(Opt::UndoMaxSet)->text(), QStringLiteral("10"));
        // Nothing is written until the window closes.
        QVERIFY(app.readFile(QStringLiteral("VKR410T.ini")).contains("Eeprom=0"));
        r.window->accept();
        QVERIFY(app.readFile(QStringLiteral("VKR410T.ini")).contains("Eeprom=1"));
    }

    void interlocksInTheWindow()
    {
        TestAppFolder app;
        prepare(app);
        Run r(app);
        TVKROption &w = *r.window;
        w.show();
        QVERIFY(!w.check(Opt::ParaSkipSave)->isEnabled());  // both results shown, no Option1
        w.check(Opt::CompResult)->click();
        QVERIFY(w.check(Opt::CompMsgDisp)->isChecked());
        QVERIFY(w.check(Opt::ParaSkipSave)->isEnabled());
        w.check(Opt::CompMsgDisp)->click();
        QVERIFY(w.check(Opt::CompResult)->isChecked());  // one comparison output stays on
        QVERIFY(!w.field(Opt::ValMulti)->isEnabled());
        w.check(Opt::FreeUnitMon)->click();
        QVERIFY(w.field(Opt::ValMulti)->isEnabled());
        QVERIFY(!w.field(Opt::CntMonTime)->isEnabled());
        QVERIFY(w.check(Opt::MonInvDrive)->isEnabled());
        w.check(Opt::CntMon)->click();
        QVERIFY(w.field(Opt::CntMonTime)->isEnabled());
        QVERIFY(!w.check(Opt::MonInvDrive)->isEnabled());
        w.check(Opt::CntMon)->click();
        QLabel *run = w.findChild<QLabel *>(QStringLiteral("Label37"));
        QVERIFY(run->isHidden());
        w.check(Opt::MonInvDrive)->click();
        QVERIFY(!run->isHidden());
        // The sample drive has an alarm word and a trip code.
        QVERIFY(w.check(Opt::MonAlrmDisp)->isEnabled());
        QVERIFY(w.check(Opt::MonTripDataDisp)->isEnabled());
        w.check(Opt::MonTripDisp)->click();
        QVERIFY(!w.check(Opt::MonTripDataDisp)->isEnabled());
        w.accept();
    }

    void changesApplyToTheTableAtOnce()
    {
        TestAppFolder app;
        prepare(app);
        Run r(app);
        r.window->show();
        r.window->field(Opt::UndoMaxSet)->setText(QStringLiteral("3"));
        r.window->accept();
        QCOMPARE(r.main->session().data.undoRedo.depth(), 3);
        r.main->session().options.set(Opt::PNCellC, 0x0000FF);
        r.window->show();
        r.window->accept();
        QCOMPARE(r.main->table()->delegate().colours.otherCell, QColor(Qt::red));
    }

    void changesApplyToTheMonitorAtOnce()
    {
        TestAppFolder app;
        prepare(app);
        Run r(app);
        r.main->action(QStringLiteral("MonChart"))->trigger();
        TMonitoring *monitor = r.main->monitor()->window();
        QVERIFY(monitor && monitor->isVisible());
        QCOMPARE(monitor->PointsPerChannel(), 3000 / 5);
        r.window->show();
        r.window->chooseColor = [](int) { return 0x0000FF; };
        r.window->swatch(Opt::MonCB)->click();
        r.window->field(Opt::MonRecPoint)->setText(QStringLiteral("5000"));
        r.window->check(Opt::CntMon)->click();
        r.window->accept();
        QCOMPARE(monitor->display()->Chart2->plot()->axisRect()->backgroundBrush().color(), QColor(Qt::red));
        QCOMPARE(monitor->display()->ValueField[0]->palette().color(QPalette::Window), QColor(Qt::red));
        QCOMPARE(monitor->PointsPerChannel(), 5000 / 5);
        QVERIFY(!monitor->display()->Label41->isHidden());
        QVERIFY(monitor->display()->Trigger->isHidden());
        QVERIFY(!monitor->display()->MonStart->isEnabled());
    }

    void monitorAndKeypadReadTheSessionOptionsNotTheFile()
    {
        // Options changed in the session but not yet written still count.
        TestAppFolder app;
        prepare(app, "[Options]\r\nMonMode2Point=2000\r\n");
        Run r(app);
        r.main->action(QStringLiteral("MonChart"))->trigger();
        TMonitoring *monitor = r.main->monitor()->window();
        QCOMPARE(monitor->PointsPerChannel(), 2000 / monitor->ReadsPerSample());
        r.main->session().options.set(Opt::MonRecPoint, 8000);
        monitor->FormActivate();
        // Activation arms the alarm and trip reads too: the points are shared among all reads.
        QCOMPARE(monitor->PointsPerChannel(), 8000 / monitor->ReadsPerSample());
        QVERIFY(!app.readFile(QStringLiteral("VKR410T.ini")).contains("MonMode2Point=8000"));
    }

    void openedFromTheMainWindow()
    {
        TestAppFolder app;
        prepare(app);
        Run r(app);
        bool opened = false;
        connect(r.main->optionCommands(), &OptionCommands::optionsOpening, this, [&opened](TVKROption *w) {
            QTimer::singleShot(0, w, [w, &opened] {
                opened = w->isVisible();
                w->accept();
            });
        });
        QVERIFY(r.main->action(QStringLiteral("ToolBop"))->isEnabled());
        r.main->action(QStringLiteral("ToolBop"))->trigger();
        QVERIFY(opened);
        QVERIFY(!r.window->isVisible());
    }
};

QTEST_MAIN(tst_TVKROption)
#include "tst_TVKROption.moc"
