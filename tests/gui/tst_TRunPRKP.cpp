#include "SimProcess.h"
#include "TestAppFolder.h"
#include "base/ScriptedPrompter.h"
#include "comm/CommLink.h"
#include "keypad/KeypadCommand.h"
#include "keypad/PanelDisplay.h"
#include "keypad/PanelFont.h"
#include "keypad/PanelLamp.h"
#include "keypad/TRunPRKP.h"
#include "main/TMain.h"

#include <QAction>
#include <QDeadlineTimer>
#include <QPushButton>
#include <QtTest>
#include <functional>

// The keypad window against the drive simulator, offscreen. The polling loop runs inside the
// window's own timer handler and pumps events, so the test acts from timer callbacks: each
// step is tried every few milliseconds until it holds, then the next one begins.
class tst_TRunPRKP : public QObject
{
    Q_OBJECT

private:
    struct Step {
        QString name;
        std::function<bool()> done;
    };

    struct Script {
        QList<Step> steps;
        QString failedStep;
        bool finished = false;
    };

    static void startWith(TestAppFolder &app, const QString &port, int ledTime)
    {
        app.writeSettings("[Language]\r\nJapanese=0\r\nEnglish=0\r\n[Comms]\r\nPortNames=" + port.toUtf8()
                          + "\r\nDelay=100\r\n[Options]\r\nPanelTime1=" + QByteArray::number(ledTime) + "\r\n");
        app.writeFile(QStringLiteral("x.vkr"), "###\r\nKDA1\r\n-2004P\r\nV100\r\nEnglish\r\nNo Comments.\r\n0\r\n0\r\n");
    }

    // Runs `script` on the keypad window the main window opens; returns when it has closed.
    static void runKeypad(TMain &main, Script &script, int stepMs = 8000, bool byMenu = true)
    {
        QObject::disconnect(main.keypad(), nullptr, nullptr, nullptr);
        QObject::connect(main.keypad(), &KeypadCommand::keypadOpening, main.keypad(), [&script, stepMs](TRunPRKP *w) {
            auto *timer = new QTimer(w);
            auto deadline = std::make_shared<QDeadlineTimer>(stepMs);
            auto index = std::make_shared<int>(0);
            QObject::connect(timer, &QTimer::timeout, w, [&script, w, timer, deadline, index, stepMs] {
                if (*index >= script.steps.size() || !script.failedStep.isEmpty()) {
                    script.finished = script.failedStep.isEmpty();
                    timer->stop();
                    w->closeAction()->trigger();
                    return;
                }
                if (script.steps[*index].done()) {
                    ++*index;
                    deadline->setRemainingTime(stepMs);
                } else if (deadline->hasExpired()) {
                    script.failedStep = script.steps[*index].name;
                }
            });
            timer->start(5);
        });
        if (byMenu)
            main.action(QStringLiteral("InvRun"))->trigger();
        else
            main.keypad()->run();
    }

    static double shown(TRunPRKP *w)
    {
        return PanelFont::ReadableText(w->display()->text()).trimmed().toDouble();
    }

    static std::optional<qint64> read(TMain &main, const char *comNo)
    {
        return main.commLink()->read(QString::fromLatin1(comNo));
    }

private slots:
    void keysOperateTheSimulatedDrive();
    void blinkFollowsTheLedDisplayTimer_data();
    void blinkFollowsTheLedDisplayTimer();
    void ledTimerChangedInTheSessionTakesEffectAtTheNextOpening();
    void lostLineBlinksComeAndSilentDriveClosesTheWindow();
    void directInputWritesTheFrequency();
    void displayScalesAtAnySize();
};

void tst_TRunPRKP::keysOperateTheSimulatedDrive()
{
    SimProcess sim({"--drive", "KDA1:-2004P:V100"});
    TestAppFolder app;
    startWith(app, sim.device(), 260);
    ScriptedPrompter prompter;
    TMain main(prompter, {app.file(QStringLiteral("x.vkr"))}, app.path());
    main.show();
    QVERIFY(!main.action(QStringLiteral("InvRun"))->isEnabled());
    main.action(QStringLiteral("ToolBline"))->trigger();
    QVERIFY(main.action(QStringLiteral("InvRun"))->isEnabled());
    QVERIFY(main.action(QStringLiteral("ToolBpanel"))->isEnabled());
    bool failed = true;
    main.commLink()->exchange().exchange(main.session().data.IndexOfComNo(u"FA01"), QStringLiteral("300"), failed, 'P');
    QVERIFY(!failed);
    main.ParaTableAct = true;

    TRunPRKP *w = nullptr;
    bool tableActive = true;
    int cyclesAtPress = 0;
    Script s;
    auto key = [&w](PanelKey k) { return w->key(k); };
    s.steps = {
        {"window polls", [&] {
             w = main.findChild<TRunPRKP *>();
             return w && w->loop().polling() && w->key(PanelKey::Run)->isEnabled();
         }},
        {"stopped drive shows 0.00", [&] { return w->display()->text() == QLatin1String(" =00"); }},
        {"RUN clicked", [&] { QTest::mouseClick(key(PanelKey::Run), Qt::LeftButton); return true; }},
        {"RUN lamp and rising frequency",
         [&] { return w->lamp(PanelImage::FRUN)->isLit() && shown(w) > 0.5; }},
        {"reaches the command", [&] { return w->display()->text() == QLatin1String(" #00"); }},
        {"MON from the keyboard", [&] { QTest::keyClick(w, Qt::Key_M); return true; }},
        {"MON lamp lit", [&] { return w->lamp(PanelImage::FMON)->isLit(); }},
        {"UP pressed", [&] {
             QTest::mousePress(key(PanelKey::Up), Qt::LeftButton);
             cyclesAtPress = w->loop().cycles();
             return true;
         }},
        {"UP held three cycles", [&] { return w->loop().cycles() >= cyclesAtPress + 3; }},
        {"UP released", [&] { QTest::mouseRelease(key(PanelKey::Up), Qt::LeftButton); return true; }},
        {"release sent", [&] { return !w->loop().keysPending(); }},
        {"edited command shown", [&] { return w->lamp(PanelImage::FPRG)->isLit() && shown(w) > 3.0; }},
        {"STOP clicked", [&] { QTest::mouseClick(key(PanelKey::Stop), Qt::LeftButton); return true; }},
        {"frequency down and RUN lamp out",
         [&] {
             tableActive = main.ParaTableAct;
             return shown(w) == 0.0 && !w->lamp(PanelImage::FRUN)->isLit();
         }},
    };
    runKeypad(main, s);
    QVERIFY2(s.failedStep.isEmpty(), qPrintable(s.failedStep));
    QVERIFY(s.finished);
    QVERIFY(!tableActive);
    QVERIFY(prompter.shown.isEmpty());
    // At least three UP codes while held and one on release: 3.00 Hz + 0.4 Hz or more.
    const std::optional<qint64> command = read(main, "FA01");
    QVERIFY(command);
    QVERIFY2(*command >= 340, qPrintable(QString::number(*command)));
    QVERIFY(main.action(QStringLiteral("InvRun"))->isEnabled());
    main.close();
}

void tst_TRunPRKP::blinkFollowsTheLedDisplayTimer_data()
{
    QTest::addColumn<int>("ledTime");
    QTest::newRow("0 ms shows image A only") << 0;
    QTest::newRow("40 ms blinks") << 40;
}

void tst_TRunPRKP::blinkFollowsTheLedDisplayTimer()
{
    QFETCH(int, ledTime);
    SimProcess sim({"--drive", "KDA1:-2004P:V100"});
    TestAppFolder app;
    startWith(app, sim.device(), ledTime);
    ScriptedPrompter prompter;
    TMain main(prompter, {app.file(QStringLiteral("x.vkr"))}, app.path());
    main.show();
    main.action(QStringLiteral("ToolBline"))->trigger();
    QSet<QString> texts;
    bool phaseB = false;
    bool timerAsSet = true;
    TRunPRKP *w = nullptr;
    Script s;
    s.steps = {
        {"window polls", [&] { return (w = main.findChild<TRunPRKP *>()) && w->loop().polling(); }},
        // UP then the edited digit blinks: image B blanks the last character.
        {"UP clicked", [&] { QTest::mouseClick(w->key(PanelKey::Up), Qt::LeftButton); return true; }},
        {"edited command shown", [&] { return w->display()->text() == QLatin1String(" =10"); }},
        {"watched a while", [&] {
             texts.insert(w->display()->text());
             phaseB = phaseB || !w->LedBlinkPhase();
             timerAsSet = timerAsSet && w->blinkTimer().isActive() == (ledTime > 0);
             return texts.size() >= 2 || (ledTime == 0 && w->loop().cycles() > 60);
         }},
    };
    runKeypad(main, s);
    QVERIFY2(s.failedStep.isEmpty(), qPrintable(s.failedStep));
    QVERIFY(timerAsSet);
    if (ledTime == 0) {
        QCOMPARE(texts, QSet<QString>{QStringLiteral(" =10")});
        QVERIFY(!phaseB);
    } else {
        QCOMPARE(texts, (QSet<QString>{QStringLiteral(" =10"), QStringLiteral(" =1 ")}));
        QVERIFY(phaseB);
    }
    main.close();
}

void tst_TRunPRKP::ledTimerChangedInTheSessionTakesEffectAtTheNextOpening()
{
    SimProcess sim({"--drive", "KDA1:-2004P:V100"});
    TestAppFolder app;
    startWith(app, sim.device(), 0);
    ScriptedPrompter prompter;
    TMain main(prompter, {app.file(QStringLiteral("x.vkr"))}, app.path());
    main.show();
    main.action(QStringLiteral("ToolBline"))->trigger();
    // As the options window leaves it on close, before the settings file is written.
    main.session().options.set(Opt::LedDispTime, 45);
    int interval = -1;
    TRunPRKP *w = nullptr;
    Script s;
    s.steps = {
        {"window polls", [&] { return (w = main.findChild<TRunPRKP *>()) && w->loop().polling(); }},
        {"UP clicked", [&] { QTest::mouseClick(w->key(PanelKey::Up), Qt::LeftButton); return true; }},
        {"blinking", [&] {
             interval = w->blinkTimer().interval();
             return w->blinkTimer().isActive();
         }},
    };
    runKeypad(main, s);
    QVERIFY2(s.failedStep.isEmpty(), qPrintable(s.failedStep));
    QCOMPARE(interval, 45);
    main.close();
}

void tst_TRunPRKP::lostLineBlinksComeAndSilentDriveClosesTheWindow()
{
    auto sim = std::make_unique<SimProcess>(QStringList{"--drive", "KDA1:-2004P:V100"});
    TestAppFolder app;
    startWith(app, sim->device(), 30);
    ScriptedPrompter prompter;
    TMain main(prompter, {app.file(QStringLiteral("x.vkr"))}, app.path());
    main.show();
    main.action(QStringLiteral("ToolBline"))->trigger();
    TRunPRKP *w = nullptr;
    QSet<QString> texts;
    Script s;
    s.steps = {
        {"window polls", [&] { return (w = main.findChild<TRunPRKP *>()) && w->loop().polling(); }},
        {"drive goes away", [&] { sim.reset(); return true; }},
        {"coMe blinks", [&] {
             texts.insert(w->display()->text());
             return texts.contains(QStringLiteral("coMe")) && texts.contains(QStringLiteral("    "));
         }},
    };
    runKeypad(main, s);
    QVERIFY2(s.failedStep.isEmpty(), qPrintable(s.failedStep));
    // Closing runs the connection check again: the port has gone with the simulator, which
    // the port's own message says, and the drive commands follow.
    QCOMPARE(prompter.shown.size(), 1);
    QVERIFY(!main.action(QStringLiteral("InvRun"))->isEnabled());
    prompter.shown.clear();

    // A drive that does not answer when the window opens: message 3 and the window closes.
    SimProcess silent({"--drive", "KDA1:-2004P:V100", "--drop-rate", "1"});
    main.commLink()->settings().portIndex = 0;
    main.commLink()->port().EnumeratePorts({silent.device()});
    Script none;
    none.steps = {{"closes by itself", [] { return false; }}};
    runKeypad(main, none, 8000, false);
    QCOMPARE(prompter.shown.size(), 1);
    QCOMPARE(prompter.shown.first().text, main.session().messages.text(3));
    QVERIFY(!none.finished);
    main.close();
}

void tst_TRunPRKP::directInputWritesTheFrequency()
{
    SimProcess sim({"--drive", "KDA1:-2004P:V100"});
    TestAppFolder app;
    startWith(app, sim.device(), 10);
    ScriptedPrompter prompter;
    TMain main(prompter, {app.file(QStringLiteral("x.vkr"))}, app.path());
    main.show();
    main.action(QStringLiteral("ToolBline"))->trigger();
    TRunPRKP *w = nullptr;
    QString written;
    auto type = [&](const char *keys) {
        for (const char *k = keys; *k; ++k)
            QTest::keyClick(w, *k == '\n' ? Qt::Key_Return : Qt::Key(*k), Qt::NoModifier);
    };
    Script s;
    s.steps = {
        {"window polls", [&] {
             if (!(w = main.findChild<TRunPRKP *>()) || !w->loop().polling())
                 return false;
             connect(w, &TRunPRKP::frequencyWritten, w, [&](const QString &raw) { written = raw; });
             return true;
         }},
        {"double-click enters", [&] { QTest::mouseDClick(w->display(), Qt::LeftButton); return true; }},
        {"prompt shown", [&] { return w->entry().active() && w->display()->text() == QLatin1String("fc  "); }},
        {"point first", [&] { type("."); return true; }},
        {"point first refused", [&] { return prompter.shown.size() == 1; }},
        {"out of range", [&] { type("9999\n"); return true; }},
        {"out of range refused", [&] { return prompter.shown.size() == 2 && w->entry().active(); }},
        {"cleared and typed", [&] {
             QTest::keyClick(w, Qt::Key_Delete);
             type("12.5");
             return true;
         }},
        {"entry shown", [&] { return w->display()->text() == QLatin1String("1+5 "); }},
        {"enter", [&] { type("\n"); return true; }},
        {"enter writes", [&] { return written == QLatin1String("1250"); }},
        {"polling again", [&] { return !w->entry().active() && w->loop().polling(); }},
        {"MON", [&] { QTest::keyClick(w, Qt::Key_M); return true; }},
        {"MON lit", [&] { return w->lamp(PanelImage::FMON)->isLit(); }},
        {"MON again shows the command", [&] { QTest::keyClick(w, Qt::Key_M); return true; }},
        {"12.50 on the display", [&] { return w->display()->text() == QLatin1String("1+50"); }},
    };
    runKeypad(main, s);
    QVERIFY2(s.failedStep.isEmpty(), qPrintable(s.failedStep));
    QCOMPARE(prompter.shown.at(0).text, main.session().messages.text(67));
    QCOMPARE(prompter.shown.at(1).text, main.session().messages.text(41));
    QCOMPARE(prompter.shown.at(1).icon, Prompter::Icon::Stop);
    QCOMPARE(read(main, "FA01"), std::optional<qint64>(1250));
    main.close();
}

void tst_TRunPRKP::displayScalesAtAnySize()
{
    PanelDisplay display;
    display.setText(QStringLiteral("8888"));
    for (int width : {120, 300, 900}) {
        display.resize(width, display.heightForWidth(width));
        for (qreal ratio : {1.0, 2.0}) {
            QImage image(display.size() * ratio, QImage::Format_ARGB32_Premultiplied);
            image.setDevicePixelRatio(ratio);
            image.fill(Qt::black);
            display.render(&image);
            // Lit red fills a fair share of the picture at every size.
            int red = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    red += qRed(image.pixel(x, y)) > 200 && qGreen(image.pixel(x, y)) < 120 ? 1 : 0;
            const double share = double(red) / (image.width() * image.height());
            QVERIFY2(share > 0.08 && share < 0.5, qPrintable(QStringLiteral("%1 at %2").arg(share).arg(width)));
        }
    }
}

QTEST_MAIN(tst_TRunPRKP)
#include "tst_TRunPRKP.moc"
