#include "StartedWithFile.h"
#include "TestAppFolder.h"
#include "base/ScriptedPrompter.h"
#include "main/ParameterFileCommands.h"
#include "main/TMain.h"
#include "paramtable/ParameterCellDelegate.h"
#include "paramtable/ParameterGridModel.h"
#include "paramtable/TParameter.h"
#include "paramtable/TParameters.h"
#include "app/Settings.h"
#include "startup/Ttype.h"

#include <QMenu>
#include <QTimer>

#include <QAction>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableView>
#include <QToolTip>
#include <QtTest>
#include <array>

class tst_TParameter : public QObject
{
    Q_OBJECT

private slots:
    void startWithFileShowsValuesAndMarks();
    void changedOnlyWithNothingChanged();
    void blindWouldHideAll();
    void blindAndAllParameters();
    void quickShowsQuickCountRows();
    void flagTwoRowHasNoChangedMark();
    void valueTextColoursFollowTheOptions_data();
    void valueTextColoursFollowTheOptions();
    void currentVoltageDisplay();
    void columnWidthsFollowRatios();
    void clippedCellShowsItsWholeText();
    void hexAndDecRoundTrip();
    void shipmentRestoresFactoryValue();
    void twinsFollowTheTable();
    void saveAsThenOpenRoundTrips();
    void saveAsExtensionByFilter_data();
    void saveAsExtensionByFilter();
    void refusedOpenKeepsPreviousFile();
    void popupMenuOrderAndCaptions();
    void bufferViewLinksRows();
    void droppedFiles_data();
    void droppedFiles();
    void saveChangedOnlyFromSettings();
    void newStartsAnEmptySet();
};

void tst_TParameter::startWithFileShowsValuesAndMarks()
{
    Started s(vkr("0009,250,1,0\r\n0005,3,0,1\r\n", "1\r\n1\r\n"));
    QVERIFY(!s.main->startupFailed());
    QVERIFY(s.prompter.shown.isEmpty());
    QCOMPARE(s.main->windowTitle(),
             QStringLiteral("VKR410T KDA1-2004P (CPU Ver.V100) ") + s.main->session().messages.text(1)
                 + QStringLiteral("set.vkr (KDA1-2004P)"));
    QVERIFY(s.main->action(QStringLiteral("ToolBsav"))->isEnabled());
    QVERIFY(s.table().isVisible());
    QVERIFY(s.table().item(QStringLiteral("PopBlind"))->isChecked());
    QVERIFY(s.main->action(QStringLiteral("PopBlind2"))->isChecked());
    QVERIFY(s.table().item(QStringLiteral("PopDisp"))->isEnabled());
    QCOMPARE(s.table().model().gridRowCount(), s.data().lastShownIndex - 1 + 2);
    QCOMPARE(s.gridRowOf("0005"), -1);
    const int row = s.gridRowOf("0009");
    QVERIFY(row > 0);
    QCOMPARE(s.table().model().cell(row, 3).trimmed(), QStringLiteral("25.0"));
    QCOMPARE(s.table().model().cell(row, 7), s.main->session().messages.text(30));
    QVERIFY(s.data().uPara.flag(s.index("0009"), UPara::SelectIndex));
    QCOMPARE(s.table().model().cell(0, 0), QStringLiteral("Title"));
    QCOMPARE(s.table().windowTitle(), QStringLiteral("Parameter Table KDA1-2004P (CPU Ver.V100)"));
    // The table's frame, title bar included, sits right under the main window's frame.
    QVERIFY(QTest::qWaitForWindowExposed(&s.table()));
    const QRect mainFrame = s.main->frameGeometry();
    QVERIFY(s.main->geometry() != mainFrame);  // the platform draws frames
    QCOMPARE(s.table().frameGeometry().left(), mainFrame.left());
    QCOMPARE(s.table().frameGeometry().top(), mainFrame.bottom() + 1);
}

void tst_TParameter::changedOnlyWithNothingChanged()
{
    Started s(vkr(""));
    const int rows = s.table().model().gridRowCount();
    s.table().item(QStringLiteral("PopChgDisp"))->trigger();
    QCOMPARE(s.prompter.shown.size(), 1);
    QCOMPARE(s.prompter.shown.first().text, s.main->session().messages.text(43));
    QVERIFY(!s.table().item(QStringLiteral("PopChgDisp"))->isChecked());
    QCOMPARE(s.table().model().gridRowCount(), rows);

    s.data().uPara.setAt(s.index("0011"), UPara::Value, QStringLiteral("5000"));
    s.table().FillGrid();
    s.table().item(QStringLiteral("PopChgDisp"))->trigger();
    QVERIFY(s.table().item(QStringLiteral("PopChgDisp"))->isChecked());
    QCOMPARE(s.table().model().gridRowCount(), 2);
    QCOMPARE(s.table().model().cell(1, 1), QStringLiteral("0011"));
    QVERIFY(!s.table().item(QStringLiteral("PopQuick"))->isEnabled());
    QVERIFY(s.table().item(QStringLiteral("PopDisp"))->isEnabled());
}

void tst_TParameter::blindWouldHideAll()
{
    Started s(vkr(""));
    const int rows = s.table().model().gridRowCount();
    for (int i = 0; i <= s.data().lastShownIndex; ++i)
        s.data().uPara.setFlag(i, UPara::SelectIndex, true);
    s.table().item(QStringLiteral("PopBlind"))->trigger();
    QCOMPARE(s.prompter.shown.last().text, s.main->session().messages.text(47));
    QVERIFY(!s.table().item(QStringLiteral("PopBlind"))->isChecked());
    QCOMPARE(s.table().model().gridRowCount(), rows);
    QVERIFY(s.data().uPara.flag(0, UPara::BlindIndex));
    QVERIFY(!s.main->session().blindMode);
}

void tst_TParameter::blindAndAllParameters()
{
    Started s(vkr(""));
    const int rows = s.table().model().gridRowCount();
    s.table().item(QStringLiteral("PopBlind"))->trigger();
    QCOMPARE(s.prompter.shown.last().text, s.main->session().messages.text(44));
    s.selectRows(2, 4);
    s.table().item(QStringLiteral("PopSlct"))->trigger();
    s.table().item(QStringLiteral("PopBlind"))->trigger();
    QVERIFY(s.table().item(QStringLiteral("PopBlind"))->isChecked());
    QCOMPARE(s.main->session().blindCount, 3);
    QCOMPARE(s.table().model().gridRowCount(), rows - 3);
    s.table().item(QStringLiteral("PopDisp"))->trigger();
    QCOMPARE(s.table().model().gridRowCount(), rows);
    QVERIFY(!s.main->session().blindMode);
    QVERIFY(!s.table().item(QStringLiteral("PopDisp"))->isEnabled());
}

void tst_TParameter::quickShowsQuickCountRows()
{
    Started s(vkr(""));
    QCOMPARE(s.table().QuickCount, 20);
    s.main->action(QStringLiteral("ToolBQuick"))->trigger();
    QVERIFY(s.table().item(QStringLiteral("PopQuick"))->isChecked());
    QVERIFY(s.main->action(QStringLiteral("ToolBQuick"))->isChecked());
    QCOMPARE(s.table().model().gridRowCount(), 21);
    QVERIFY(!s.table().item(QStringLiteral("PopSlct"))->isEnabled());
    QVERIFY(!s.main->action(QStringLiteral("PopBlind2"))->isEnabled());
    s.table().item(QStringLiteral("PopQuick"))->trigger();
    QVERIFY(!s.main->action(QStringLiteral("ToolBQuick"))->isChecked());
    QVERIFY(s.main->action(QStringLiteral("PopBlind2"))->isEnabled());
}

void tst_TParameter::flagTwoRowHasNoChangedMark()
{
    Started s(vkr("0850,7,0,0\r\n"));
    const int row = s.gridRowOf("0850");
    QVERIFY(row > 0);
    QVERIFY(s.data().uPara.flag(s.index("0850"), UPara::ChangeIndex));
    QCOMPARE(s.table().model().cell(row, 7), QStringLiteral("      "));
    bool bold = true;
    const QColor text = s.table().delegate().textColour(3, s.index("0850"), false, Qt::black, &bold);
    QCOMPARE(text, QColor(192, 192, 192));
    QVERIFY(!bold);
}

void tst_TParameter::valueTextColoursFollowTheOptions_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QColor>("expected");
    // Green for the value column, purple for the others: "Setting/Other Value Text Color.".
    QTest::newRow("set value") << 3 << QColor(0, 128, 0);
    QTest::newRow("name") << 2 << QColor(128, 0, 128);
    QTest::newRow("upper limit") << 5 << QColor(128, 0, 128);
    QTest::newRow("unit") << 6 << QColor(128, 0, 128);
}

void tst_TParameter::valueTextColoursFollowTheOptions()
{
    QFETCH(int, column);
    QFETCH(QColor, expected);
    Started s(vkr(""));
    Options &o = s.main->session().options;
    o.set(Opt::PSTextC, BgrColor::fromRgb(0, 128, 0));
    o.set(Opt::PNTextC, BgrColor::fromRgb(128, 0, 128));
    s.table().readColours();
    bool bold = false;
    const int acc = s.index("0009");
    QCOMPARE(s.table().delegate().textColour(column, acc, false, Qt::black, &bold), expected);
    // A selected cell keeps "Selected Value Text Color.".
    QCOMPARE(s.table().delegate().textColour(column, acc, true, Qt::black, &bold), QColor(Qt::white));
    // And the grid draws it: some pixel of the cell's text has the colour.
    QTableView *grid = s.table().StringGrid1();
    grid->clearSelection();
    const QModelIndex cell = grid->model()->index(s.gridRowOf("0009") - 1, column);
    grid->scrollTo(cell);
    const QRect rect = grid->visualRect(cell);
    const QImage image = grid->viewport()->grab(rect).toImage();
    bool found = false;
    for (int y = 0; y < image.height() && !found; ++y) {
        for (int x = 0; x < image.width() && !found; ++x) {
            const QColor c = image.pixelColor(x, y);
            found = qAbs(c.red() - expected.red()) < 24 && qAbs(c.green() - expected.green()) < 24
                && qAbs(c.blue() - expected.blue()) < 24;
        }
    }
    QVERIFY(found);
}

void tst_TParameter::currentVoltageDisplay()
{
    Started s(vkr(""));
    QVERIFY(s.table().item(QStringLiteral("PopCVDisp"))->isEnabled());
    // The rated voltage and current come from the drive's definitions when the table
    // becomes active.
    s.main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(s.main.get()));
    s.table().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&s.table()));
    s.main->action(QStringLiteral("ToolBCV"))->trigger();
    QVERIFY(s.table().item(QStringLiteral("PopCVDisp"))->isChecked());
    QVERIFY(s.main->action(QStringLiteral("PopCVDisp2"))->isChecked());
    QVERIFY(!s.table().item(QStringLiteral("PopHexDisp"))->isEnabled());
    QVERIFY(!s.main->action(QStringLiteral("PopDecDisp2"))->isEnabled());
    const int row = s.gridRowOf("0173");
    QVERIFY(s.table().model().cell(row, 6).endsWith(QLatin1Char('A')));
    QCOMPARE(s.table().model().cell(row, 3), QStringLiteral("3.3A"));  // 100 % of the rated 3.3 A
    QCOMPARE(s.table().model().cell(s.gridRowOf("0171"), 3), QStringLiteral("200.00V"));
    s.table().item(QStringLiteral("PopCVDisp"))->trigger();
    QCOMPARE(s.table().model().cell(row, 6), QStringLiteral("%"));
    QVERIFY(s.table().item(QStringLiteral("PopHexDisp"))->isEnabled());
}

void tst_TParameter::columnWidthsFollowRatios()
{
    Started s(vkr(""));
    QTableView *grid = s.table().StringGrid1();
    QHeaderView *header = grid->horizontalHeader();
    s.table().applyColumnRatios(639);
    QCOMPARE(grid->columnWidth(0), 56);
    // Every title fits; the name column gives up what the titles need beyond their share
    // (226 pixels of 639 by its ratio).
    int extra = 0;
    for (int c = 0; c < ParameterGridModel::Columns; ++c) {
        QVERIFY2(grid->columnWidth(c) >= header->sectionSizeHint(c), qPrintable(s.table().model().cell(0, c)));
        if (c != 2)
            extra += grid->columnWidth(c) - int(639.0f * std::array{0.0889f, 0.0973f, 0.354f, 0.0889f, 0.0889f,
                                                                    0.0889f, 0.0889f, 0.095f}[size_t(c)]);
    }
    QCOMPARE(grid->columnWidth(2), 226 - extra);
    s.table().resize(800, 400);
    QApplication::processEvents();
    const int client = grid->viewport()->width();
    QVERIFY(grid->columnWidth(2) <= int(float(client) * 0.354f));
    QVERIFY(grid->columnWidth(2) >= int(float(client) * 0.354f) - extra);
}

void tst_TParameter::clippedCellShowsItsWholeText()
{
    Started s(vkr(""));
    QTableView *grid = s.table().StringGrid1();
    QVERIFY(QTest::qWaitForWindowExposed(&s.table()));
    s.table().applyColumnRatios(639);
    auto toolTipAt = [&](int gridRow, int column) {
        QToolTip::hideText();
        if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000))
            return QStringLiteral("(a tip stays up)");
        const QRect cell = grid->visualRect(grid->model()->index(gridRow - 1, column));
        QHelpEvent help(QEvent::ToolTip, cell.center(), grid->viewport()->mapToGlobal(cell.center()));
        QApplication::sendEvent(grid->viewport(), &help);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    const QString longName = QStringLiteral("Automatic acceleration/deceleration");
    const int row = s.gridRowOf("0001");
    QCOMPARE(s.table().model().cell(row, 2), longName);
    grid->setColumnWidth(2, 80);
    QCOMPARE(toolTipAt(row, 2), longName);
    QCOMPARE(toolTipAt(row, 1), QString());  // "0001" fits: no tip
    QCOMPARE(s.table().model().headerData(1, Qt::Horizontal, Qt::ToolTipRole).toString(), s.table().model().cell(0, 1));
}

void tst_TParameter::hexAndDecRoundTrip()
{
    Started s(vkr("0011,6000,0,0\r\n"));
    const int row = s.gridRowOf("0011");
    const QString decimal = s.table().model().cell(row, 3);
    s.selectRows(row, row);
    s.table().item(QStringLiteral("PopHexDisp"))->trigger();
    QCOMPARE(s.table().model().cell(row, 3), QStringLiteral("h1770"));
    QVERIFY(s.data().uPara.flag(s.index("0011"), UPara::HexIndex));
    QVERIFY(!s.data().uPara.flag(s.index("0011"), UPara::OneSelectIndex));
    s.table().item(QStringLiteral("PopDecDisp"))->trigger();
    QCOMPARE(s.table().model().cell(row, 3), decimal);

    s.table().model().setCell(row, 3, QStringLiteral("abc"));
    s.table().item(QStringLiteral("PopHexDisp"))->trigger();
    QCOMPARE(s.prompter.shown.last().text, s.main->session().messages.text(42));
}

void tst_TParameter::shipmentRestoresFactoryValue()
{
    Started s(vkr("0011,6000,0,0\r\n"));
    const int row = s.gridRowOf("0011");
    s.selectRows(row, row);
    s.table().item(QStringLiteral("PopDef"))->trigger();
    const int i = s.index("0011");
    QCOMPARE(s.data().uPara.at(i, UPara::Value), QStringLiteral("8000"));
    QVERIFY(s.data().uPara.flag(i, UPara::WriteIndex));
    QVERIFY(!s.data().uPara.flag(i, UPara::ChangeIndex));
    QCOMPARE(s.table().model().cell(row, 7), QStringLiteral("      "));
    QCOMPARE(s.table().model().cell(row, 3).trimmed(), QStringLiteral("80.00"));
}

void tst_TParameter::twinsFollowTheTable()
{
    Started s(vkr(""));
    QVERIFY(!s.main->action(QStringLiteral("ParameterEditor"))->isEnabled());
    QVERIFY(!s.main->action(QStringLiteral("ToolBTable"))->isEnabled());
    QVERIFY(s.main->action(QStringLiteral("PopHexDisp2"))->isVisible());
    s.table().item(QStringLiteral("PopClose"))->trigger();
    QVERIFY(!s.table().isVisible());
    QVERIFY(s.main->action(QStringLiteral("ToolBTable"))->isEnabled());
    QVERIFY(!s.main->action(QStringLiteral("PopHexDisp2"))->isVisible());
    QVERIFY(!s.main->action(QStringLiteral("ToolBCV"))->isEnabled());
    s.main->action(QStringLiteral("ToolBTable"))->trigger();
    QVERIFY(s.table().isVisible());
    QVERIFY(s.main->action(QStringLiteral("ToolBCV"))->isEnabled());
}

void tst_TParameter::saveAsThenOpenRoundTrips()
{
    const QByteArray file = vkr("0009,250,1,0\r\n0005,3,0,1\r\n0011,6000,0,0\r\n", "1\r\n1\r\n");
    Started s(file);
    const QString first = s.app.file(QStringLiteral("first"));
    s.prompter.files = {first};
    s.main->action(QStringLiteral("ToolBsavas"))->trigger();
    const QByteArray saved = s.app.readFile(QStringLiteral("first.vkr"));
    QVERIFY(saved.startsWith(vkr("", "1\r\n1\r\n")));
    QVERIFY(saved.contains("\r\n0009,250,1,0\r\n0010,100,0,0\r\n0011,6000,0,0\r\n"));
    QVERIFY(saved.contains("\r\n0005,3,0,1\r\n"));
    QCOMPARE(s.main->session().loadFile, QStringLiteral("first.vkr"));

    s.data().uPara.setAt(s.index("0009"), UPara::Value, QStringLiteral("1"));
    s.prompter.files = {s.app.file(QStringLiteral("first.vkr"))};
    s.main->action(QStringLiteral("ToolBopen"))->trigger();
    QCOMPARE(s.data().uPara.at(s.index("0009"), UPara::Value), QStringLiteral("250"));
    QVERIFY(s.data().uPara.flag(s.index("0009"), UPara::SelectIndex));
    s.main->action(QStringLiteral("ToolBsav"))->trigger();
    QCOMPARE(s.app.readFile(QStringLiteral("first.vkr")), saved);
    QVERIFY(s.prompter.shown.isEmpty());
}

void tst_TParameter::saveAsExtensionByFilter_data()
{
    QTest::addColumn<int>("filter");
    QTest::addColumn<QString>("saveFile");
    QTest::addColumn<bool>("written");
    QTest::newRow("abc with the parameter filter") << 0 << "abc.vkr" << true;
    QTest::newRow("abc with the table filter") << 1 << "abc.csv" << true;
}

void tst_TParameter::saveAsExtensionByFilter()
{
    QFETCH(int, filter);
    QFETCH(QString, saveFile);
    QFETCH(bool, written);
    Started s(vkr(""));
    s.prompter.files = {s.app.file(QStringLiteral("abc"))};
    s.prompter.chosenFilters = {filter};
    s.main->action(QStringLiteral("ParaSaveChangeName"))->trigger();
    QCOMPARE(s.main->session().saveFile, saveFile);
    QCOMPARE(QFile::exists(s.app.file(saveFile)), written);
    // A table file never becomes the current file.
    QCOMPARE(s.main->session().loadFile == saveFile, saveFile.endsWith(QLatin1String(".vkr")));
}

void tst_TParameter::refusedOpenKeepsPreviousFile()
{
    Started s(vkr("0009,250,0,0\r\n"));
    s.app.writeFile(QStringLiteral("other.vkr"), vkr("0009,1,0,0\r\n", "0\r\n0\r\n", "KDB2"));
    s.prompter.files = {s.app.file(QStringLiteral("other.vkr"))};
    s.main->action(QStringLiteral("ParaOpen"))->trigger();
    QVERIFY(s.prompter.shown.last().text.startsWith(s.main->session().messages.text(9)));
    QCOMPARE(s.main->session().loadFile, QStringLiteral("set.vkr"));
    s.main->action(QStringLiteral("ParaSaveOverWrite"))->trigger();
    QVERIFY(s.app.readFile(QStringLiteral("set.vkr")).contains("\r\n0009,250,0,0\r\n"));
    QVERIFY(!s.app.readFile(QStringLiteral("other.vkr")).startsWith("###\r\nKDA1"));
}

void tst_TParameter::popupMenuOrderAndCaptions()
{
    Started s(vkr(""));
    QStringList shown;
    for (QAction *a : s.table().PopupMenu1()->actions()) {
        if (a->isVisible())
            shown << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
    }
    QCOMPARE(shown, (QStringList{"PopCopy", "-", "PopChgDisp", "PopCVDisp", "PopQuick", "-", "PopSlct",
                                 "PopSlctUnlock", "PopBlind", "PopDisp", "-", "PopHexDisp", "PopDecDisp", "-",
                                 "PopParaHelp", "-", "PopClose"}));
    QCOMPARE(s.table().item(QStringLiteral("PopSlct"))->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
    QVERIFY(!s.table().item(QStringLiteral("PopDisp"))->isEnabled());
}

void tst_TParameter::bufferViewLinksRows()
{
    Started s(vkr(""));
    TParameters *buffer = s.main->parameters();
    buffer->showBuffer();
    QCOMPARE(buffer->ParaDatGrid()->model()->rowCount(), s.data().lastIndex + 2);
    QCOMPARE(buffer->UParaGrid()->model()->columnCount(), int(UPara::ColumnCount));
    QTest::mouseClick(buffer->ParaDatGrid()->viewport(), Qt::LeftButton, {},
                      buffer->ParaDatGrid()->visualRect(buffer->ParaDatGrid()->model()->index(3, 1)).center());
    QCOMPARE(buffer->UParaGrid()->selectionModel()->selectedRows().value(0).row(), 3);
    buffer->close();
}

void tst_TParameter::droppedFiles_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<int>("message");  // 0: opened
    QTest::newRow("one parameter file") << QStringList{"drop.VKR"} << 0;
    QTest::newRow("other extension") << QStringList{"drop.txt"} << 67;
    QTest::newRow("two files") << QStringList{"drop.vkr", "drop2.vkr"} << 79;
}

void tst_TParameter::droppedFiles()
{
    QFETCH(QStringList, names);
    QFETCH(int, message);
    Started s(vkr(""));
    QStringList paths;
    for (const QString &name : names) {
        s.app.writeFile(name, vkr("0011,6000,1,0\r\n"));
        paths << s.app.file(name);
    }
    s.table().dropFiles(paths);
    if (message == 0) {
        QVERIFY(s.prompter.shown.isEmpty());
        QCOMPARE(s.data().uPara.at(s.index("0011"), UPara::Value), QStringLiteral("6000"));
        QCOMPARE(s.main->session().loadFile, names.first());
        QVERIFY(s.data().uPara.flag(s.index("0011"), UPara::SelectIndex));
    } else {
        QCOMPARE(s.prompter.shown.last().text, s.main->session().messages.text(message));
        QCOMPARE(s.main->session().loadFile, QStringLiteral("set.vkr"));
    }
}

void tst_TParameter::saveChangedOnlyFromSettings()
{
    Started s(vkr("0009,250,0,0\r\n0011,6000,1,0\r\n0004,0,0,1\r\n", "1\r\n1\r\n"),
              LanguageSettings + "[Options]\r\nChgPara2=1\r\n");
    s.main->action(QStringLiteral("ParaSaveOverWrite"))->trigger();
    const QByteArray saved = s.app.readFile(QStringLiteral("set.vkr"));
    QCOMPARE(saved.count("\r\n"), 8 + 3);
    QVERIFY(saved.endsWith("\r\n0004,0,0,1\r\n0009,250,0,0\r\n0011,6000,1,0\r\n"));
}

void tst_TParameter::newStartsAnEmptySet()
{
    Started s(vkr("0009,250,1,0\r\n0005,3,0,1\r\n", "1\r\n1\r\n"));
    // The start-up window comes up for the new choice; leaving it keeps the drive.
    closeStartupWindow();
    s.main->action(QStringLiteral("ParaMakeNew"))->trigger();
    QCOMPARE(s.main->windowTitle(), QStringLiteral("VKR410T KDA1-2004P (CPU Ver.V100)"));
    QVERIFY(!s.main->action(QStringLiteral("ToolBsav"))->isEnabled());
    QVERIFY(!s.main->session().blindMode);
    QCOMPARE(s.data().uPara.at(s.index("0009"), UPara::Value), QStringLiteral("100"));
    QCOMPARE(s.table().model().gridRowCount(), s.data().lastShownIndex + 2);
    QVERIFY(!s.table().item(QStringLiteral("PopBlind"))->isChecked());
    QCOMPARE(s.main->session().loadFile, QStringLiteral("set.vkr"));
}

QTEST_MAIN(tst_TParameter)
#include "tst_TParameter.moc"
