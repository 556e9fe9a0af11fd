#include "SimProcess.h"
#include "TestAppFolder.h"
#include "base/ScriptedPrompter.h"
#include "comm/CommLink.h"
#include "comm/TRSset.h"
#include "main/CommLogDock.h"
#include "main/TMain.h"

#include <QAction>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {

void startWith(TestAppFolder &app, const QString &port)
{
    app.writeSettings("[Language]\r\nJapanese=0\r\nEnglish=0\r\n[Comms]\r\nPortNames=" + port.toUtf8() + "\r\n");
    app.writeFile(QStringLiteral("x.vkr"), "###\r\nKDA1\r\n-2004P\r\nV100\r\nEnglish\r\nNo Comments.\r\n0\r\n0\r\n");
}

QString viewText(TMain &main)
{
    return main.commLog()->findChild<QPlainTextEdit *>(QStringLiteral("CommLogView"))->toPlainText();
}

}  // namespace

// View > "Communication Log" against the drive simulator: the frames of the connection check
// show live in the dock and are saved to a file.
class tst_CommLogDock : public QObject
{
    Q_OBJECT
private slots:
    void showsTheFramesAndSavesThem();
    void silentLineGetsItsHint();
};

void tst_CommLogDock::showsTheFramesAndSavesThem()
{
    SimProcess sim({});
    QVERIFY(!sim.device().isEmpty());
    TestAppFolder app;
    startWith(app, sim.device());
    ScriptedPrompter prompter;
    TMain main(prompter, {app.file(QStringLiteral("x.vkr"))}, app.path());
    QVERIFY(!main.startupFailed());
    main.show();
    QAction *command = main.action(QStringLiteral("CommLog"));
    QVERIFY(command && command->isEnabled());
    QCOMPARE(command->text(), QStringLiteral("Communication Log"));
    // Frames are logged whether or not the dock shows; it catches up when it opens.
    main.action(QStringLiteral("ToolBline"))->trigger();
    QVERIFY(prompter.shown.isEmpty());
    command->trigger();
    QVERIFY(main.commLog()->isVisible());
    QVERIFY(main.commLog()->isFloating());
    const QString request = QStringLiteral("TX 2F 52 00 00 81  | native, read, No. 0000, check 81 good");
    QTRY_VERIFY(viewText(main).contains(request));
    QVERIFY(viewText(main).contains(QStringLiteral("RX 2F 52 00 00 00 00 81")));
    // While it shows, new frames arrive live.
    const int before = int(viewText(main).count(request));
    main.action(QStringLiteral("ToolBline"))->trigger();
    QTRY_VERIFY(int(viewText(main).count(request)) > before);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("comm.log"));
    prompter.files << path;
    main.commLog()->findChild<QPushButton *>(QStringLiteral("CommLogSave"))->click();
    QFile saved(path);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(saved.readAll());
    QVERIFY(int(text.count(request)) > before);
    QCOMPARE(text, main.commLog()->buffer().text());
    command->trigger();
    QVERIFY(!main.commLog()->isVisible());
    main.close();
}

void tst_CommLogDock::silentLineGetsItsHint()
{
    SimProcess sim({QStringLiteral("--drop-rate"), QStringLiteral("1")});
    QVERIFY(!sim.device().isEmpty());
    TestAppFolder app;
    startWith(app, sim.device());
    ScriptedPrompter prompter;
    TMain main(prompter, {app.file(QStringLiteral("x.vkr"))}, app.path());
    main.show();
    main.action(QStringLiteral("CommLog"))->trigger();
    // The failed check opens the setup window; cancel it.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (auto *w = qobject_cast<TRSset *>(QApplication::activeModalWidget()))
            w->reject();
    });
    closer.start(20);
    main.action(QStringLiteral("ToolBline"))->trigger();
    QTRY_VERIFY(viewText(main).contains(QStringLiteral("Hint: no reply at all")));
    QCOMPARE(int(viewText(main).count(QStringLiteral("Hint:"))), 1);
    main.close();
}

QTEST_MAIN(tst_CommLogDock)
#include "tst_CommLogDock.moc"
