#include "SimProcess.h"
#include "TestAppFolder.h"
#include "base/ScriptedPrompter.h"
#include "comm/CommLink.h"
#include "main/OptionCommands.h"
#include "main/TMain.h"
#include "options/TMMIMtpass.h"
#include "options/TVKROption.h"
#include "paramtable/ParameterGridModel.h"
#include "paramtable/TParameter.h"
#include "transfer/TWorkBar.h"
#include "transfer/TransferCommands.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QtTest>
#include <memory>

// The maintenance password window and the mode's effects, against the drive simulator.
class tst_TMMIMtpass : public QObject
{
    Q_OBJECT

private:
    struct Run {
        TestAppFolder app;
        ScriptedPrompter prompter;
        std::unique_ptr<TMain> main;
        TMMIMtpass *window = nullptr;
        explicit Run(const QString &port, int delayMs = 200)
        {
            app.writeSettings("[Language]\r\nJapanese=0\r\nEnglish=0\r\n[Comms]\r\nDelay=" + QByteArray::number(delayMs)
                              + "\r\nPortNames=" + port.toUtf8() + "\r\n");
            app.writeFile(QStringLiteral("x.vkr"), "###\r\nKDA1\r\n-2004P\r\nV100\r\nEnglish\r\nNo Comments.\r\n0\r\n0\r\n");
            main = std::make_unique<TMain>(prompter, QStringList{app.file(QStringLiteral("x.vkr"))}, app.path());
            main->show();
            window = main->optionCommands()->password();
        }
        ~Run() { main->close(); }
        QString text(int k) const { return main->session().messages.text(k); }
        // Types the password and presses OK; returns the last message shown.
        ScriptedPrompter::Shown enter(const QString &password)
        {
            prompter.shown.clear();
            window->show();
            QTest::keyClicks(window->Pass(), password);
            window->findChild<QPushButton *>(QStringLiteral("Button1"))->click();
            return prompter.shown.isEmpty() ? ScriptedPrompter::Shown{} : prompter.shown.last();
        }
        std::optional<qint64> fb91() { return main->commLink()->read(QStringLiteral("FB91")); }
    };

private slots:
    void levels_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("onLine");
        QTest::addColumn<int>("level");  // 0 none, 1 maintenance, 2 master
        QTest::addColumn<QString>("said");  // message numbers joined by "+", or "master"
        QTest::addColumn<bool>("written");
        QTest::newRow("(RVOK) on line") << "(RVOK)" << true << 1 << "57" << true;
        QTest::newRow("(rvok) off line") << "(rvok)" << false << 1 << "57" << false;
        QTest::newRow("5b0a9d3 on line") << "5b0a9d3" << true << 1 << "57" << true;
        QTest::newRow("7e31f08 on line, no write") << "7e31f08" << true << 1 << "57+58" << false;
        QTest::newRow("7e31f08 off line") << "7e31f08" << false << 1 << "57+58" << false;
        QTest::newRow("master label on line") << "Vasilo" << true << 2 << "master" << true;
        QTest::newRow("4d2c9a off line") << "4d2c9a" << false << 2 << "master" << false;
        QTest::newRow("6f0b1c2 on line") << "6f0b1c2" << true << 2 << "master" << true;
        QTest::newRow("wrong case") << "(Rvok)" << true << 0 << "59" << false;
        QTest::newRow("empty") << "" << true << 0 << "59" << false;
    }
    void levels()
    {
        QFETCH(QString, password);
        QFETCH(bool, onLine);
        QFETCH(int, level);
        QFETCH(QString, said);
        QFETCH(bool, written);
        SimProcess sim({"--drive", "KDA1:-2004P:V100"});
        Run r(onLine ? sim.device() : QStringLiteral("/nonexistent/tty"));
        const Session &s = r.main->session();
        const ScriptedPrompter::Shown shown = r.enter(password);
        QString expected;
        if (said == u"master")
            expected = QStringLiteral("Hello, the master.");
        else
            for (const QString &k : said.split(u'+'))
                expected += (expected.isEmpty() ? QString() : QStringLiteral("\n")) + r.text(k.toInt());
        QCOMPARE(shown.text, expected);
        QCOMPARE(shown.icon, level == 0 ? Prompter::Icon::Stop : Prompter::Icon::Warning);
        QCOMPARE(s.MainteFlag, level > 0);
        QCOMPARE(s.SMainteFlag, level == 2);
        QCOMPARE(r.window->isVisible(), level == 0);
        QCOMPARE(s.options.on(Opt::SUMode), level > 0);
        QCOMPARE(s.data.lastShownIndex, level > 0 ? s.data.lastIndex : s.data.lastUserIndex);
        if (onLine)
            QCOMPARE(r.fb91().value_or(-1) == 251, written);
        r.window->hide();
    }

    void failedDriveWrite()
    {
        // The line hangs up after the connection check: the write to FB91 gets no reply.
        SimProcess sim({"--drive", "KDA1:-2004P:V100", "--disconnect-after", "1"});
        Run r(sim.device(), 60);
        ScriptedPrompter::Shown shown = r.enter(QStringLiteral("5b0a9d3"));
        QCOMPARE(shown.text, r.text(3));
        QVERIFY(!r.main->session().MainteFlag);
        QVERIFY(r.window->isVisible());
        r.window->Pass()->clear();
        shown = r.enter(QStringLiteral("(RVOK)"));
        QVERIFY(r.main->session().MainteFlag);
        QVERIFY(!r.window->isVisible());
    }

    void failedDriveWriteIsAppended()
    {
        SimProcess sim({"--drive", "KDA1:-2004P:V100", "--disconnect-after", "1"});
        Run r(sim.device(), 60);
        const ScriptedPrompter::Shown shown = r.enter(QStringLiteral("(RVOK)"));
        QCOMPARE(shown.text, r.text(57) + QLatin1Char('\n') + r.text(58));
        QVERIFY(r.main->session().MainteFlag);
    }

    void thousandWrongPasswordsChangeNothing()
    {
        SimProcess sim({"--drive", "KDA1:-2004P:V100"});
        Run r(sim.device());
        const QByteArray settings = r.app.readFile(QStringLiteral("VKR410T.ini"));
        const Session &s = r.main->session();
        const int shownRows = r.main->table()->model().gridRowCount();
        r.window->show();
        for (int i = 0; i < 1000; ++i) {
            r.window->Pass()->setText(QStringLiteral("x%1").arg(i));
            QTest::keyClick(r.window->Pass(), Qt::Key_Return);  // Enter acts as OK
        }
        QCOMPARE(r.prompter.shown.size(), 1000);
        QCOMPARE(r.prompter.shown.last().text, r.text(59));
        QVERIFY(!s.MainteFlag && !s.SMainteFlag && !s.options.on(Opt::SUMode));
        QCOMPARE(s.data.lastShownIndex, s.data.lastUserIndex);
        QCOMPARE(r.main->table()->model().gridRowCount(), shownRows);
        QCOMPARE(r.fb91().value_or(-1), 0);
        QCOMPARE(r.app.readFile(QStringLiteral("VKR410T.ini")), settings);
        QVERIFY(r.window->isVisible());
        r.window->hide();
    }

    void passwordHoldsTenCharacters()
    {
        Run r(QStringLiteral("/nonexistent/tty"));
        r.window->show();
        QTest::keyClicks(r.window->Pass(), QStringLiteral("12345678901"));
        QCOMPARE(r.window->Pass()->text(), QStringLiteral("1234567890"));
        QCOMPARE(r.window->Pass()->echoMode(), QLineEdit::Password);
        QCOMPARE(r.window->Pass()->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, r.window->Pass()),
                 int(u'*'));
        r.window->hide();
    }

    void maintenanceRowsShownAndImported()
    {
        SimProcess sim({"--drive", "KDA1:-2004P:V100"});
        Run r(sim.device());
        DriveData &d = r.main->session().data;
        const int userRows = r.main->table()->model().gridRowCount();
        QCOMPARE(userRows, d.lastUserIndex + 2);
        const int f004 = d.IndexOfComNo(u"F004");
        QVERIFY(f004 > d.lastUserIndex);
        d.uPara.setAt(f004, UPara::Value, QStringLiteral("7"));

        connect(r.main->optionCommands(), &OptionCommands::passwordOpening, this, [](TMMIMtpass *w) {
            QTimer::singleShot(0, w, [w] {
                QTest::keyClicks(w->Pass(), QStringLiteral("7e31f08"));
                QTest::keyClick(w->Pass(), Qt::Key_Return);
            });
        });
        r.main->action(QStringLiteral("MMIMt"))->trigger();
        QVERIFY(r.main->session().MainteFlag);
        QCOMPARE(r.main->table()->model().gridRowCount(), d.lastIndex + 2);

        connect(r.main->transfers(), &TransferCommands::workBarOpening, this, [](TWorkBar *bar) {
            QTimer::singleShot(0, bar, [bar] {
                bar->startButton()->click();
                if (bar->okButton()->isVisible())
                    bar->okButton()->click();
            });
        });
        r.main->action(QStringLiteral("ToolBline"))->trigger();
        r.main->action(QStringLiteral("DownLoad"))->trigger();
        QCOMPARE(d.uPara.at(f004, UPara::Value), QStringLiteral("1000"));  // the drive's value
        QCOMPARE(r.main->table()->model().gridRowCount(), d.lastIndex + 2);
    }

    void masterPageAndLeavingThroughNew()
    {
        Run r(QStringLiteral("/nonexistent/tty"));
        Session &s = r.main->session();
        r.enter(QStringLiteral("4d2c9a"));
        TVKROption *options = r.main->optionCommands()->options();
        options->show();
        QVERIFY(options->masterPageVisible());
        options->check(Opt::SUMode)->click();  // switched off while the mode is on: not saved
        options->check(Opt::MainteClear)->click();
        options->accept();
        QVERIFY(!r.app.readFile(QStringLiteral("VKR410T.ini")).contains("Mainte="));
        // A maintenance password after master mode keeps the master level.
        r.enter(QStringLiteral("(rvok)"));
        QVERIFY(s.SMainteFlag);
        QVERIFY(s.maintenanceAtNew());
        QVERIFY(!s.MainteFlag && !s.SMainteFlag);
        QCOMPARE(s.data.lastShownIndex, s.data.lastUserIndex);
        options->show();
        QVERIFY(!options->masterPageVisible());
        options->accept();
    }
};

QTEST_MAIN(tst_TMMIMtpass)
#include "tst_TMMIMtpass.moc"
