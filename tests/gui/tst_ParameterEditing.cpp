#include "TestAppFolder.h"
#include "base/ScriptedPrompter.h"
#include "main/TMain.h"
#include "paramtable/ParameterCommands.h"
#include "paramtable/ParameterEditor.h"
#include "paramtable/ParameterFind.h"
#include "paramtable/ParameterGridModel.h"
#include "paramtable/TParameter.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QDesktopServices>
#include <QDialog>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

namespace {

// No port of the machine: another test may hold one, and its message would come mid-test.
const QByteArray Languages("[Language]\r\nJapanese=0\r\nEnglish=0\r\n[Comms]\r\nPortNames=/dev/vkr-no-such-port\r\n");
const QByteArray SetFile("###\r\nKDA1\r\n-2004P\r\nV100\r\nEnglish\r\nNo Comments.\r\n0\r\n0\r\n");

// VKR410T started with a parameter file, the table window shown, typed into like a user.
struct Table {
    TestAppFolder app;
    ScriptedPrompter prompter;
    std::unique_ptr<TMain> main;

    explicit Table(const QByteArray &options = QByteArray(), const QString &helpFile = QString())
    {
        app.writeSettings(Languages + (options.isEmpty() ? QByteArray() : "[Options]\r\n" + options));
        app.writeFile(QStringLiteral("set.vkr"), SetFile);
        if (!helpFile.isEmpty())
            app.writeFile(QStringLiteral("dat/KDA1(V100)/") + helpFile, "help");
        main = std::make_unique<TMain>(prompter, QStringList{app.file(QStringLiteral("set.vkr"))}, app.path());
        main->show();
        main->table()->activateWindow();
        if (!QTest::qWaitForWindowActive(main->table()))
            qWarning("table window not active");
        // The start's one note that the line has no port is not what these tests look at.
        prompter.shown.clear();
    }
    TParameter &table() { return *main->table(); }
    ParameterGridModel &model() { return table().model(); }
    QTableView *grid() { return table().StringGrid1(); }
    DriveData &data() { return main->session().data; }
    QString value(const char *comNo) { return data().uPara.at(index(comNo), UPara::Value); }
    int index(const char *comNo) { return data().IndexOfComNo(QString::fromLatin1(comNo)); }
    QString message(int k) { return main->session().messages.text(k); }
    int rowOf(const char *comNo)
    {
        for (int r = 1; r < model().gridRowCount(); ++r) {
            if (model().cell(r, 1) == QLatin1String(comNo))
                return r;
        }
        return -1;
    }
    /// Clicks the value cell of a grid row, as the user picks the row to type over.
    void pick(int row)
    {
        const QRect cell = grid()->visualRect(model().index(row - 1, 3));
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, cell.center());
    }
    void type(const QString &keys, bool enter = true)
    {
        QTest::keyClicks(grid(), keys);
        if (enter)
            QTest::keyClick(grid(), Qt::Key_Return);
    }
    QAction *item(const char *name) { return table().item(QString::fromLatin1(name)); }
    QAction *action(const char *name) { return main->action(QString::fromLatin1(name)); }
};

}  // namespace

class tst_ParameterEditing : public QObject
{
    Q_OBJECT

public slots:
    void openUrl(const QUrl &url) { m_opened << url; }

private slots:
    void entry_data();
    void entry();
    void thirteenthCharacterIgnored();
    void escapeAndClickRestoreTheCell();
    void enterWithoutTypingMovesDown_data();
    void enterWithoutTypingMovesDown();
    void copyGivesTabSeparatedLines();
    void findForwardOnly();
    void undoDepthTen();
    void editAfterUndoClearsRedo();
    void undoFromTheMainWindow();
    void parameterHelp_data();
    void parameterHelp();
    void newClearsUndo();
    void refillEndsTheEdit();
    void selectedTransfersFollowTheDriveCommands();

private:
    QList<QUrl> m_opened;
};

void tst_ParameterEditing::entry_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<int>("message");  // -1: none

    // 0009 "Acceleration time 1": Mul 10, one decimal, 0 to 36000.
    QTest::newRow("hex entry on Mul 10") << "h1F4" << "500" << "h1F4" << -1;
    QTest::newRow("more decimals than shown") << "12.34" << "123.4" << "12.3" << -1;
    QTest::newRow("above the upper limit") << "99999" << "36000" << "3600.0" << 41;
    QTest::newRow("not a number") << "1-" << "100" << "10.0" << 42;
    QTest::newRow("h alone") << "h" << "100" << "10.0" << 40;
}

void tst_ParameterEditing::entry()
{
    QFETCH(QString, keys);
    QFETCH(QString, value);
    QFETCH(QString, cell);
    QFETCH(int, message);
    Table t;
    const int row = t.rowOf("0009");
    t.pick(row);
    t.type(keys, false);
    QCOMPARE(t.model().cell(row, 3), keys);
    QCOMPARE(t.value("0009"), QStringLiteral("100"));
    QTest::keyClick(t.grid(), Qt::Key_Return);
    QCOMPARE(t.value("0009"), value);
    QCOMPARE(t.model().cell(row, 3).trimmed(), cell);
    if (message < 0) {
        QVERIFY(t.prompter.shown.isEmpty());
    } else {
        QCOMPARE(t.prompter.shown.size(), 1);
        QCOMPARE(t.prompter.shown.first().text, t.message(message));
    }
    const bool stored = message != 40 && message != 42;
    QCOMPARE(t.data().uPara.flag(t.index("0009"), UPara::WriteIndex), stored);
    QCOMPARE(t.model().cell(row, 7), stored ? t.message(30) : QStringLiteral("      "));
    QCOMPARE(t.data().undoRedo.undoCount(), stored ? 1 : 0);
    QCOMPARE(t.table().commandEnabled(QStringLiteral("PopUndo")), stored);
    QCOMPARE(t.action("ToolBundo")->isEnabled(), stored);
    QCOMPARE(t.table().CurrentRow, stored ? row + 1 : row);
}

void tst_ParameterEditing::thirteenthCharacterIgnored()
{
    Table t;
    const int row = t.rowOf("0011");
    t.pick(row);
    t.type(QStringLiteral("1234567890123"), false);
    QCOMPARE(t.model().cell(row, 3), QStringLiteral("123456789012"));
    QTest::keyClick(t.grid(), Qt::Key_Backspace);
    QCOMPARE(t.model().cell(row, 3), QStringLiteral("12345678901"));
}

void tst_ParameterEditing::escapeAndClickRestoreTheCell()
{
    Table t;
    const int row = t.rowOf("0011");
    const QString shown = t.model().cell(row, 3);
    t.pick(row);
    t.type(QStringLiteral("5"), false);
    QTest::keyClick(t.grid(), Qt::Key_Escape);
    QCOMPARE(t.model().cell(row, 3), shown);
    t.type(QStringLiteral("7"), false);
    t.pick(row + 2);
    QCOMPARE(t.model().cell(row, 3), shown);
    QCOMPARE(t.table().CurrentRow, row + 2);
    QCOMPARE(t.value("0011"), QStringLiteral("8000"));
}

void tst_ParameterEditing::enterWithoutTypingMovesDown_data()
{
    QTest::addColumn<QByteArray>("options");
    QTest::addColumn<bool>("lastRow");
    QTest::addColumn<int>("moved");

    QTest::newRow("moves one row") << QByteArray() << false << 1;
    QTest::newRow("option off: stays") << QByteArray("Entkey=0\r\n") << false << 0;
    QTest::newRow("last shown row: stays") << QByteArray() << true << 0;
}

void tst_ParameterEditing::enterWithoutTypingMovesDown()
{
    QFETCH(QByteArray, options);
    QFETCH(bool, lastRow);
    QFETCH(int, moved);
    Table t(options);
    const int row = lastRow ? t.model().gridRowCount() - 1 : t.rowOf("0011");
    t.table().CurrentRow = row;
    QTest::keyClick(t.grid(), Qt::Key_Return);
    QCOMPARE(t.table().CurrentRow, row + moved);
    QVERIFY(t.prompter.shown.isEmpty());
    // The shown value was entered again: one undo entry, no write mark for an equal value.
    QCOMPARE(t.data().undoRedo.undoCount(), 1);
    QVERIFY(!t.data().uPara.flag(t.model().parameterOf(row), UPara::WriteIndex));
    if (moved)
        QCOMPARE(t.grid()->currentIndex(), t.model().index(row, 3));
}

void tst_ParameterEditing::copyGivesTabSeparatedLines()
{
    Table t;
    QTableView *grid = t.grid();
    grid->selectionModel()->select(QItemSelection(t.model().index(2, 3), t.model().index(3, 5)),
                                   QItemSelectionModel::ClearAndSelect);
    QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
    const QString text = QGuiApplication::clipboard()->text();
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines.last(), QString());
    for (int l = 0; l < 3; ++l)
        QCOMPARE(lines.at(l).split(QLatin1Char('\t')).size(), 4);
    QCOMPARE(lines.at(0), t.model().cell(0, 0) + '\t' + t.model().cell(0, 3) + '\t' + t.model().cell(0, 4) + '\t'
                              + t.model().cell(0, 5));
    QCOMPARE(lines.at(1).split('\t').first(), t.model().cell(3, 0));
    QCOMPARE(lines.at(2).split('\t').at(1), t.model().cell(4, 3));
}

void tst_ParameterEditing::findForwardOnly()
{
    Table t;
    QTest::keyClick(t.grid(), Qt::Key_F, Qt::ControlModifier);
    ParameterFind &find = t.table().commands().find();
    QVERIFY(find.FindDialog1()->isVisible());
    find.searchText()->setText(QStringLiteral("deceleration time"));
    auto *next = find.FindDialog1()->findChild<QPushButton *>(QStringLiteral("FindNext"));
    QTest::mouseClick(next, Qt::LeftButton);
    const int first = t.rowOf("0010");
    QCOMPARE(t.table().CurrentRow, first);
    QCOMPARE(t.grid()->currentIndex(), t.model().index(first - 1, 3));
    QCOMPARE(t.grid()->rowAt(0), first - 1);
    // Forward only: every later request fails, also once the text would match earlier rows.
    int found = first;
    while (t.prompter.shown.isEmpty()) {
        QTest::mouseClick(next, Qt::LeftButton);
        QVERIFY(t.table().CurrentRow >= found);
        found = t.table().CurrentRow;
    }
    QCOMPARE(t.prompter.shown.last().text, t.message(45));
    QCOMPARE(t.prompter.shown.last().icon, Prompter::Icon::Stop);
    QTest::mouseClick(next, Qt::LeftButton);
    QCOMPARE(t.prompter.shown.size(), 2);
    QCOMPARE(t.table().CurrentRow, found);
    // "Find" again starts at the top with the text of the selected cell proposed.
    t.item("PopFind")->trigger();
    QCOMPARE(find.searchText()->text(), t.model().cell(found, 3).trimmed());
    find.wholeWord()->setChecked(true);
    find.searchText()->setText(QStringLiteral("0010"));
    QTest::mouseClick(next, Qt::LeftButton);
    QCOMPARE(t.table().CurrentRow, first);
    find.FindDialog1()->reject();
    QVERIFY(!find.FindDialog1()->isVisible());
}

void tst_ParameterEditing::undoDepthTen()
{
    Table t;
    const int row = t.rowOf("0016");
    for (int e = 1; e <= 11; ++e) {
        t.pick(row);
        t.type(QString::number(e));
    }
    QCOMPARE(t.value("0016"), QStringLiteral("110"));
    QCOMPARE(t.data().undoRedo.undoCount(), 10);
    for (int u = 0; u < 10; ++u)
        t.item("PopUndo")->trigger();
    QCOMPARE(t.value("0016"), QStringLiteral("10"));
    QCOMPARE(t.model().cell(row, 3).trimmed(), QStringLiteral("1.0"));
    QCOMPARE(t.table().CurrentRow, row);
    QVERIFY(!t.table().commandEnabled(QStringLiteral("PopUndo")));
    QVERIFY(!t.action("PopUndo2")->isEnabled());
    QVERIFY(t.table().commandEnabled(QStringLiteral("PopRedo")));
    QVERIFY(t.action("ToolBredo")->isEnabled());
    t.item("PopRedo")->trigger();
    QCOMPARE(t.value("0016"), QStringLiteral("20"));
}

void tst_ParameterEditing::editAfterUndoClearsRedo()
{
    Table t;
    const int row = t.rowOf("0016");
    t.pick(row);
    t.type(QStringLiteral("5"));
    QCOMPARE(t.model().cell(row, 7), t.message(30));
    // Ctrl+Z in the table window, although its item is hidden in the pop-up menu.
    QTest::keyClick(t.grid(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(t.value("0016"), QStringLiteral("60"));
    QCOMPARE(t.model().cell(row, 7), QStringLiteral("      "));
    QVERIFY(t.table().commandEnabled(QStringLiteral("PopRedo")));
    t.pick(row + 1);
    t.type(QStringLiteral("6"));
    QVERIFY(!t.table().commandEnabled(QStringLiteral("PopRedo")));
    QVERIFY(!t.action("ToolBredo")->isEnabled());
    QCOMPARE(t.data().undoRedo.redoCount(), 0);
}

void tst_ParameterEditing::undoFromTheMainWindow()
{
    Table t;
    const int row = t.rowOf("0016");
    t.pick(row);
    t.type(QStringLiteral("5"));
    t.main->ParaTableAct = true;
    t.action("ToolBundo")->trigger();
    QCOMPARE(t.value("0016"), QStringLiteral("60"));
    QVERIFY(!t.action("ToolBundo")->isEnabled());
    t.main->ParaTableAct = false;
    t.action("PopRedo2")->trigger();
    QCOMPARE(t.value("0016"), QStringLiteral("60"));
    t.main->ParaTableAct = true;
    t.action("PopRedo2")->trigger();
    QCOMPARE(t.value("0016"), QStringLiteral("50"));
}

void tst_ParameterEditing::parameterHelp_data()
{
    QTest::addColumn<QString>("helpFile");
    QTest::addColumn<QByteArray>("options");
    QTest::addColumn<bool>("enabled");

    QTest::newRow("compiled HTML help present") << "KDA1(Eng).chm" << QByteArray() << true;
    QTest::newRow("name in other case") << "kda1(eng).CHM" << QByteArray() << true;
    QTest::newRow("WinHelp chosen, only chm present") << "KDA1(Eng).chm" << QByteArray("WHP=1\r\n") << false;
    QTest::newRow("no help file") << "" << QByteArray() << false;
}

void tst_ParameterEditing::parameterHelp()
{
    QFETCH(QString, helpFile);
    QFETCH(QByteArray, options);
    QFETCH(bool, enabled);
    m_opened.clear();
    QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "openUrl");
    Table t(options, helpFile);
    QCOMPARE(t.table().commandEnabled(QStringLiteral("PopParaHelp")), enabled);
    QCOMPARE(t.action("PopParaHelp2")->isEnabled(), enabled);
    const QRect cell = t.grid()->visualRect(t.model().index(2, 2));
    QTest::mouseClick(t.grid()->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(t.grid()->viewport(), Qt::LeftButton, {}, cell.center());
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QCOMPARE(m_opened.size(), enabled ? 1 : 0);
    if (enabled)
        QCOMPARE(QFileInfo(m_opened.first().toLocalFile()).fileName(), helpFile);
}

void tst_ParameterEditing::newClearsUndo()
{
    Table t;
    t.pick(t.rowOf("0016"));
    t.type(QStringLiteral("5"));
    QVERIFY(t.table().commandEnabled(QStringLiteral("PopUndo")));
    // The start-up window comes up for the new choice; leaving it keeps the drive.
    QTimer::singleShot(0, [] {
        if (QWidget *w = QApplication::activeModalWidget())
            QTest::keyClick(w, Qt::Key_Escape);
    });
    t.action("ParaMakeNew")->trigger();
    QCOMPARE(t.data().undoRedo.undoCount(), 0);
    QVERIFY(!t.action("ToolBundo")->isEnabled());
    QCOMPARE(t.value("0016"), QStringLiteral("60"));
}

void tst_ParameterEditing::refillEndsTheEdit()
{
    Table t;
    const int row = t.rowOf("0016");
    t.pick(row);
    t.type(QStringLiteral("5"), false);
    t.item("PopQuick")->trigger();
    QVERIFY(!t.table().commands().editor().buffer().editing());
    QTest::keyClick(t.grid(), Qt::Key_Escape);
    QTest::keyClick(t.grid(), Qt::Key_Return);
    QCOMPARE(t.value("0016"), QStringLiteral("60"));
    for (int r = 1; r < t.model().gridRowCount(); ++r)
        QVERIFY(t.model().cell(r, 3) != QLatin1String("5"));
}

void tst_ParameterEditing::selectedTransfersFollowTheDriveCommands()
{
    Table t;
    // Without a connection check that found the drive they stay disabled; after one they follow
    // the whole-set commands.
    for (const char *name : {"ToolBpsr", "ToolBpsw", "PopDownLoad2", "PopUpLoad2"})
        QVERIFY2(!t.action(name)->isEnabled(), name);
    QMetaObject::invokeMethod(t.main.get(), "setDriveCommands", Q_ARG(bool, true), Q_ARG(bool, true),
                              Q_ARG(bool, true));
    for (const char *name : {"ToolBpsr", "ToolBpsw", "PopDownLoad2", "PopUpLoad2"})
        QVERIFY2(t.action(name)->isEnabled(), name);
}

QTEST_MAIN(tst_ParameterEditing)
#include "tst_ParameterEditing.moc"
