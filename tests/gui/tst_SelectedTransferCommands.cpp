#include "SimProcess.h"
#include "TestAppFolder.h"
#include "base/ScriptedPrompter.h"
#include "comm/CommLink.h"
#include "comm/ConnectionCheck.h"
#include "main/TMain.h"
#include "paramtable/ParameterGridModel.h"
#include "paramtable/TParameter.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QTableView>
#include <QtTest>

namespace {

// VKR410T started with a parameter file next to a simulated drive, the table window shown and
// connected; rows picked and typed into like a user.
struct Line {
    SimProcess sim;
    TestAppFolder app;
    ScriptedPrompter prompter;
    std::unique_ptr<TMain> main;

    explicit Line(const QStringList &simOptions = {}, const QString &drive = QStringLiteral("KDA1:-2004P:V100"))
        : sim(QStringList{QStringLiteral("--drive"), drive} + simOptions)
    {
        const QStringList d = drive.split(u':');
        app.writeSettings("[Language]\r\nJapanese=0\r\nEnglish=0\r\n[Comms]\r\nDelay=60\r\nPortNames="
                          + sim.device().toUtf8() + "\r\n");
        app.writeFile(QStringLiteral("x.vkr"), "###\r\n" + d[0].toUtf8() + "\r\n" + d[1].toUtf8() + "\r\n"
                                                   + d[2].toUtf8() + "\r\nEnglish\r\nNo Comments.\r\n0\r\n0\r\n");
        main = std::make_unique<TMain>(prompter, QStringList{app.file(QStringLiteral("x.vkr"))}, app.path());
        main->show();
        main->table()->activateWindow();
        if (!QTest::qWaitForWindowActive(main->table()))
            qWarning("table window not active");
        main->ParaTableAct = true;
    }
    TParameter &table() { return *main->table(); }
    ParameterGridModel &model() { return table().model(); }
    QTableView *grid() { return table().StringGrid1(); }
    DriveData &data() { return main->session().data; }
    int index(const char *comNo) { return data().IndexOfComNo(QString::fromLatin1(comNo)); }
    QString value(const char *comNo) { return data().uPara.at(index(comNo), UPara::Value); }
    QString column(const char *comNo, UPara::Column c) { return data().uPara.at(index(comNo), c); }
    QString cell(const char *comNo) { return model().cell(rowOf(comNo), 3).trimmed(); }
    QString message(int k) { return main->session().messages.text(k); }
    QAction *action(const char *name) { return main->action(QString::fromLatin1(name)); }
    int rowOf(const char *comNo)
    {
        for (int r = 1; r < model().gridRowCount(); ++r) {
            if (model().cell(r, 1) == QLatin1String(comNo))
                return r;
        }
        return -1;
    }
    bool connect()
    {
        // The check alone: the on-line button would open the setup window after a silent reply.
        return main->commLink()->connectionCheck().run() && action("DownLoad")->isEnabled();
    }
    /// The drive's own value, read past the table; empty when it did not answer.
    QString drive(const char *comNo)
    {
        bool failed = false;
        const int32_t word = main->commLink()->exchange().exchange(index(comNo), QString(), failed, 'R');
        return failed ? QString() : QString::number(word);
    }
    bool setDrive(const char *comNo, int raw)
    {
        bool failed = false;
        main->commLink()->exchange().exchange(index(comNo), QString::number(raw), failed, 'P');
        return !failed;
    }
    /// Selects the value cells of these rows, the first one current.
    void mark(std::initializer_list<const char *> comNos)
    {
        QItemSelectionModel *s = grid()->selectionModel();
        bool first = true;
        for (const char *c : comNos) {
            const QModelIndex at = model().index(rowOf(c) - 1, 3);
            if (first)
                s->setCurrentIndex(at, QItemSelectionModel::ClearAndSelect);
            else
                s->select(at, QItemSelectionModel::Select);
            first = false;
        }
    }
    void pick(const char *comNo)
    {
        const QRect cell = grid()->visualRect(model().index(rowOf(comNo) - 1, 3));
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, cell.center());
    }
    void type(const QString &keys, bool enter = true)
    {
        QTest::keyClicks(grid(), keys);
        if (enter)
            QTest::keyClick(grid(), Qt::Key_Return);
    }
    int shown(int k)
    {
        int n = 0;
        for (const ScriptedPrompter::Shown &s : prompter.shown)
            n += s.text == message(k) ? 1 : 0;
        return n;
    }
};

}  // namespace

// "Selected Parameter Import" and "Selected Parameter Export" of the parameter table against
// the drive simulator, started from the table's keys and from the main window.
class tst_SelectedTransferCommands : public QObject
{
    Q_OBJECT

private slots:
    void importBringsTheMarkedRowsOnly();
    void twinsInertWhileTheTableIsNotActive();
    void exportMarkedWritesOnlyThem();
    void fixedRowSkippedWithMessage46();
    void exportTypedWritesTheTypedValue();
    void exportTypedAboveTheLimitWritesNothing();
    void droppedRepliesMarkTheirRows_data();
    void twinsDoNothingWhileTheDriveIsInSpecialSetup();
    void droppedRepliesMarkTheirRows();
};

void tst_SelectedTransferCommands::importBringsTheMarkedRowsOnly()
{
    Line t;
    QVERIFY(t.connect());
    QVERIFY(t.setDrive("0006", 1000));
    QVERIFY(t.setDrive("0016", 123));
    QVERIFY(t.setDrive("0014", 7000));
    t.mark({"0006", "0016"});
    QTest::keyClick(t.grid(), Qt::Key_F3);
    QVERIFY(t.prompter.shown.isEmpty());
    QCOMPARE(t.value("0006"), QStringLiteral("1000"));
    QCOMPARE(t.value("0016"), QStringLiteral("123"));
    QCOMPARE(t.cell("0016"), QStringLiteral("12.3"));
    QCOMPARE(t.column("0016", UPara::ChangeIndex), QStringLiteral("1"));
    QCOMPARE(t.model().cell(t.rowOf("0016"), 7), t.message(30));
    QCOMPARE(t.column("0016", UPara::CommErrIndex), QStringLiteral("0"));
    // Not marked: the table keeps its value.
    QCOMPARE(t.value("0014"), QStringLiteral("6000"));
    // The one-command marks are gone afterwards.
    QCOMPARE(t.column("0006", UPara::OneSelectIndex), QStringLiteral("0"));
}

void tst_SelectedTransferCommands::twinsInertWhileTheTableIsNotActive()
{
    Line t;
    QVERIFY(t.connect());
    QVERIFY(t.setDrive("0016", 123));
    t.mark({"0016"});
    t.main->ParaTableAct = false;
    for (const char *twin : {"PopDownLoad2", "ToolBpsr"}) {
        QVERIFY2(t.action(twin)->isEnabled(), twin);
        t.action(twin)->trigger();
    }
    QCOMPARE(t.value("0016"), QStringLiteral("60"));
    t.pick("0006");
    t.type(QStringLiteral("900"));
    t.mark({"0006"});
    for (const char *twin : {"PopUpLoad2", "ToolBpsw"})
        t.action(twin)->trigger();
    QCOMPARE(t.drive("0006"), QStringLiteral("640"));
    QVERIFY(t.prompter.shown.isEmpty());

    t.main->ParaTableAct = true;
    t.action("ToolBpsw")->trigger();
    QCOMPARE(t.drive("0006"), QStringLiteral("900"));
    t.mark({"0016"});
    t.action("PopDownLoad2")->trigger();
    QCOMPARE(t.value("0016"), QStringLiteral("123"));
}

void tst_SelectedTransferCommands::exportMarkedWritesOnlyThem()
{
    Line t;
    QVERIFY(t.connect());
    t.pick("0006");
    t.type(QStringLiteral("700"));
    t.pick("0016");
    t.type(QStringLiteral("h50"));  // 80, shown in hexadecimal
    t.pick("0014");
    t.type(QStringLiteral("70"));
    QCOMPARE(t.column("0014", UPara::WriteIndex), QStringLiteral("1"));
    t.mark({"0006", "0016"});
    QTest::keyClick(t.grid(), Qt::Key_F2);
    QVERIFY(t.prompter.shown.isEmpty());
    QCOMPARE(t.drive("0006"), QStringLiteral("700"));
    QCOMPARE(t.drive("0016"), QStringLiteral("80"));
    QCOMPARE(t.drive("0014"), QStringLiteral("6000"));
    QCOMPARE(t.column("0006", UPara::WriteIndex), QStringLiteral("0"));
    QCOMPARE(t.column("0014", UPara::WriteIndex), QStringLiteral("1"));
    QCOMPARE(t.cell("0016"), QStringLiteral("h50"));
}

void tst_SelectedTransferCommands::fixedRowSkippedWithMessage46()
{
    Line t;
    QVERIFY(t.connect());
    t.pick("0006");
    t.type(QStringLiteral("700"));
    t.pick("0016");
    t.type(QStringLiteral("9"));
    t.data().paraDat.setAt(t.index("0006"), ParaDat::Flag, QStringLiteral("1"));
    t.mark({"0006", "0016"});
    QTest::keyClick(t.grid(), Qt::Key_F2);
    QCOMPARE(t.shown(46), 1);
    QCOMPARE(t.prompter.shown.first().icon, Prompter::Icon::Stop);
    QCOMPARE(t.drive("0006"), QStringLiteral("640"));
    QCOMPARE(t.drive("0016"), QStringLiteral("90"));
    QCOMPARE(t.column("0006", UPara::WriteIndex), QStringLiteral("1"));
    QCOMPARE(t.data().paraDat.at(t.index("0006"), ParaDat::Flag), QStringLiteral("1"));
}

void tst_SelectedTransferCommands::exportTypedWritesTheTypedValue()
{
    Line t;
    QVERIFY(t.connect());
    t.pick("0016");
    t.type(QStringLiteral("12.3"), false);
    QTest::keyClick(t.grid(), Qt::Key_F2);
    QVERIFY(t.prompter.shown.isEmpty());
    QCOMPARE(t.drive("0016"), QStringLiteral("123"));
    QCOMPARE(t.value("0016"), QStringLiteral("123"));
    QCOMPARE(t.cell("0016"), QStringLiteral("12.3"));
    QCOMPARE(t.column("0016", UPara::WriteIndex), QStringLiteral("0"));
    QCOMPARE(t.column("0016", UPara::ChangeIndex), QStringLiteral("1"));
    // The write is undone like an entry: the table takes the old value back.
    QVERIFY(t.table().commandEnabled(QStringLiteral("PopUndo")));
    QTest::keyClick(t.grid(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(t.value("0016"), QStringLiteral("60"));
    // The edit ended: F2 now writes the marked row as shown.
    t.mark({"0016"});
    QTest::keyClick(t.grid(), Qt::Key_F2);
    QCOMPARE(t.drive("0016"), QStringLiteral("60"));
}

void tst_SelectedTransferCommands::exportTypedAboveTheLimitWritesNothing()
{
    Line t;
    QVERIFY(t.connect());
    t.pick("0016");
    t.type(QStringLiteral("99"), false);
    QTest::keyClick(t.grid(), Qt::Key_F2);
    QCOMPARE(t.shown(41), 1);
    QCOMPARE(t.drive("0016"), QStringLiteral("60"));
    QCOMPARE(t.value("0016"), QStringLiteral("60"));
    QCOMPARE(t.cell("0016"), QStringLiteral("99"));
    // Not a number: message 42 and the cell shows its value again.
    t.pick("0006");
    t.type(QStringLiteral("1-"), false);
    QTest::keyClick(t.grid(), Qt::Key_F2);
    QCOMPARE(t.shown(42), 1);
    QCOMPARE(t.cell("0006"), QStringLiteral("640"));
    QCOMPARE(t.drive("0006"), QStringLiteral("640"));
}

void tst_SelectedTransferCommands::droppedRepliesMarkTheirRows_data()
{
    QTest::addColumn<bool>("exporting");
    QTest::newRow("import") << false;
    QTest::newRow("export") << true;
}

void tst_SelectedTransferCommands::droppedRepliesMarkTheirRows()
{
    QFETCH(bool, exporting);
    // A third of the requests go unanswered; the seed fixes which.
    Line t({QStringLiteral("--drop-rate"), QStringLiteral("0.3"), QStringLiteral("--seed"), QStringLiteral("7")});
    const char *rows[] = {"0001", "0002", "0003", "0004", "0005", "0006", "0008", "0011",
                          "0014", "0015", "0016", "0017"};
    // Table values one above the drive's factory values: a row that kept the table's value is
    // told apart from one that took the drive's.
    QStringList factory;
    for (const char *c : rows) {
        factory << t.value(c);
        t.data().uPara.setAt(t.index(c), UPara::Value, QString::number(t.value(c).toInt() + 1));
    }
    t.table().FillGrid();
    int failed = 0;
    bool ran = false;
    for (int attempt = 0; attempt < 20; ++attempt) {
        t.prompter.shown.clear();
        if (!t.connect())
            continue;
        t.mark({"0001", "0002", "0003", "0004", "0005", "0006", "0008", "0011", "0014", "0015", "0016", "0017"});
        QTest::keyClick(t.grid(), exporting ? Qt::Key_F2 : Qt::Key_F3);
        if (t.shown(3) == 0) {
            ran = true;
            break;
        }
        // Otherwise the command's own connection check went unanswered: nothing was exchanged.
    }
    QVERIFY(ran);
    for (int i = 0; i < int(std::size(rows)); ++i) {
        const char *c = rows[i];
        const QString kept = QString::number(factory[i].toInt() + 1);
        if (t.column(c, UPara::CommErrIndex) == u"1") {
            ++failed;
            QCOMPARE(t.value(c), kept);
            if (exporting)
                QCOMPARE(t.column(c, UPara::WriteIndex), QStringLiteral("1"));
        } else {
            QCOMPARE(t.column(c, UPara::CommErrIndex), QStringLiteral("0"));
            QCOMPARE(t.value(c), exporting ? kept : factory[i]);
        }
    }
    QVERIFY(failed > 0);
    QVERIFY(failed < int(std::size(rows)));
    // No message for a failed exchange.
    QVERIFY(t.prompter.shown.isEmpty());
}

void tst_SelectedTransferCommands::twinsDoNothingWhileTheDriveIsInSpecialSetup()
{
    // A type whose Info.ini asks for the check, on a drive in special set-up.
    Line t({QStringLiteral("--special-setup")}, QStringLiteral("KDB2:-2037P:V820"));
    ConnectionCheck &check = t.main->commLink()->connectionCheck();
    // As before the drive went into its special set-up: the commands are enabled.
    check.setSpecialSetup(false);
    QVERIFY(t.connect());
    QVERIFY(t.action("PopDownLoad2")->isEnabled());
    QVERIFY(t.setDrive("0016", 123));
    t.mark({"0016"});
    t.action("PopDownLoad2")->trigger();
    QCOMPARE(t.value("0016"), QStringLiteral("30"));
    QVERIFY(check.specialSetup());
    QVERIFY(!t.action("PopDownLoad2")->isEnabled());
    QVERIFY(!t.table().commandEnabled(QStringLiteral("PopDownLoad")));
}

QTEST_MAIN(tst_SelectedTransferCommands)
#include "tst_SelectedTransferCommands.moc"
