#include "ModelFixture.h"
#include "app/MessageTable.h"
#include "base/IniFile.h"
#include "base/ScriptedPrompter.h"
#include "model/EditBuffer.h"
#include "model/ParameterValues.h"
#include "model/UndoRedo.h"

#include <QTest>

// Undo and redo of entered values, driven through the same Enter the table uses.
class tst_UndoRedo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void depth_data();
    void depth();
    void editAfterUndoClearsRedo();
    void undoRedoUndoLeavesFirstUndo();
    void undoToFactoryValueClearsChangedMark();
    void undoKeepsWriteAndHexMarks();
    void loweringDepthTrims_data();
    void loweringDepthTrims();

private:
    void type(const QString &comNo, const QString &text);
    QString value(const char *comNo) const;

    MessageTable m_messages;
    DriveData m_data;
    ScriptedPrompter m_prompter;
};

void tst_UndoRedo::initTestCase()
{
    QVERIFY(m_messages.load(IniFile(QStringLiteral(VKR_TEST_DATA "/model/lng/English.ini"))));
}

void tst_UndoRedo::init()
{
    m_data.clear();
    loadDefs(m_data, {{.comNo = "0001", .def = "600", .high = "36000"}, {.comNo = "0002", .def = "5"}});
    ParameterValues values(m_data, m_messages, m_prompter);
    QCOMPARE(values.SetUpValues(), ParameterValues::SetUpResult::Done);
    m_data.undoRedo.clear();
    m_data.undoRedo.setDepth(10);
}

void tst_UndoRedo::type(const QString &comNo, const QString &text)
{
    EditBuffer edit(m_data, m_messages, m_prompter);
    const int index = m_data.IndexOfComNo(comNo);
    for (const QChar c : text)
        edit.KeyPress(c, QString());
    QVERIFY(edit.Enter(index, QString()).stored);
}

QString tst_UndoRedo::value(const char *comNo) const
{
    return m_data.uPara.at(m_data.IndexOfComNo(QString::fromLatin1(comNo)), UPara::Value);
}

void tst_UndoRedo::depth_data()
{
    QTest::addColumn<int>("depth");
    QTest::addColumn<int>("edits");
    QTest::addColumn<int>("undoable");
    QTest::addColumn<QString>("oldestRestored");

    QTest::newRow("depth 10, eleven edits") << 10 << 11 << 10 << "1";
    QTest::newRow("depth 10, three edits") << 10 << 3 << 3 << "600";
    QTest::newRow("depth 0 keeps nothing") << 0 << 4 << 0 << "4";
    QTest::newRow("depth above 100 is 100") << 150 << 101 << 100 << "1";
}

void tst_UndoRedo::depth()
{
    QFETCH(int, depth);
    QFETCH(int, edits);
    QFETCH(int, undoable);
    QFETCH(QString, oldestRestored);
    m_data.undoRedo.setDepth(depth);
    for (int e = 1; e <= edits; ++e)
        type(QStringLiteral("0001"), QString::number(e));
    QCOMPARE(m_data.undoRedo.undoCount(), undoable);
    QCOMPARE(m_data.undoRedo.undoEnabled(), undoable > 0);
    ParameterValues values(m_data, m_messages, m_prompter);
    for (int u = 0; u < undoable; ++u) {
        const std::optional<UndoRedo::Step> step = m_data.undoRedo.Undo(m_data, values);
        QVERIFY(step);
        QCOMPARE(step->index, 0);
    }
    QVERIFY(!m_data.undoRedo.Undo(m_data, values));
    QCOMPARE(value("0001"), oldestRestored);
    QCOMPARE(m_data.undoRedo.redoCount(), undoable);
}

void tst_UndoRedo::editAfterUndoClearsRedo()
{
    type(QStringLiteral("0001"), QStringLiteral("7"));
    ParameterValues values(m_data, m_messages, m_prompter);
    QVERIFY(m_data.undoRedo.Undo(m_data, values));
    QVERIFY(m_data.undoRedo.redoEnabled());
    type(QStringLiteral("0002"), QStringLiteral("8"));
    QVERIFY(!m_data.undoRedo.redoEnabled());
    QVERIFY(!m_data.undoRedo.Redo(m_data, values));
    QCOMPARE(value("0001"), QStringLiteral("600"));
    QCOMPARE(value("0002"), QStringLiteral("8"));
}

void tst_UndoRedo::undoRedoUndoLeavesFirstUndo()
{
    type(QStringLiteral("0001"), QStringLiteral("7"));
    type(QStringLiteral("0001"), QStringLiteral("9"));
    ParameterValues values(m_data, m_messages, m_prompter);
    m_data.undoRedo.Undo(m_data, values);
    QCOMPARE(value("0001"), QStringLiteral("7"));
    m_data.undoRedo.Redo(m_data, values);
    QCOMPARE(value("0001"), QStringLiteral("9"));
    QVERIFY(!m_data.undoRedo.redoEnabled());
    m_data.undoRedo.Undo(m_data, values);
    QCOMPARE(value("0001"), QStringLiteral("7"));
    QCOMPARE(m_data.undoRedo.undoCount(), 1);
    QCOMPARE(m_data.undoRedo.redoCount(), 1);
}

void tst_UndoRedo::undoToFactoryValueClearsChangedMark()
{
    type(QStringLiteral("0001"), QStringLiteral("7"));
    QVERIFY(m_data.uPara.flag(0, UPara::ChangeIndex));
    ParameterValues values(m_data, m_messages, m_prompter);
    const std::optional<UndoRedo::Step> step = m_data.undoRedo.Undo(m_data, values);
    QCOMPARE(step->changed, 0);
    QVERIFY(!m_data.uPara.flag(0, UPara::ChangeIndex));
    QCOMPARE(m_data.undoRedo.Redo(m_data, values)->changed, 1);
}

void tst_UndoRedo::undoKeepsWriteAndHexMarks()
{
    type(QStringLiteral("0001"), QStringLiteral("h10"));
    QVERIFY(m_data.uPara.flag(0, UPara::WriteIndex));
    QVERIFY(m_data.uPara.flag(0, UPara::HexIndex));
    ParameterValues values(m_data, m_messages, m_prompter);
    m_data.undoRedo.Undo(m_data, values);
    QCOMPARE(value("0001"), QStringLiteral("600"));
    QVERIFY(m_data.uPara.flag(0, UPara::WriteIndex));
    QVERIFY(m_data.uPara.flag(0, UPara::HexIndex));
}

void tst_UndoRedo::loweringDepthTrims_data()
{
    QTest::addColumn<int>("undos");
    QTest::addColumn<int>("newDepth");
    QTest::addColumn<int>("undoCount");
    QTest::addColumn<int>("redoCount");

    QTest::newRow("eight entries, depth 3") << 0 << 3 << 3 << 0;
    QTest::newRow("five undone, depth 4: undo list first") << 5 << 4 << 3 << 1;
    QTest::newRow("all undone, depth 2") << 8 << 2 << 0 << 2;
    QTest::newRow("raising keeps everything") << 2 << 50 << 6 << 2;
}

void tst_UndoRedo::loweringDepthTrims()
{
    QFETCH(int, undos);
    QFETCH(int, newDepth);
    QFETCH(int, undoCount);
    QFETCH(int, redoCount);
    for (int e = 1; e <= 8; ++e)
        type(QStringLiteral("0001"), QString::number(e));
    ParameterValues values(m_data, m_messages, m_prompter);
    for (int u = 0; u < undos; ++u)
        m_data.undoRedo.Undo(m_data, values);
    m_data.undoRedo.setDepth(newDepth);
    QCOMPARE(m_data.undoRedo.undoCount(), undoCount);
    QCOMPARE(m_data.undoRedo.redoCount(), redoCount);
    QCOMPARE(m_data.undoRedo.UndoVal().size(), undoCount);
    QCOMPARE(m_data.undoRedo.RedoVal().size(), redoCount);
    // Redoing everything left never holds more than the depth.
    while (m_data.undoRedo.Redo(m_data, values)) {
    }
    QVERIFY(m_data.undoRedo.undoCount() <= qMax(newDepth, 8 - undos));
}

QTEST_GUILESS_MAIN(tst_UndoRedo)
#include "tst_UndoRedo.moc"
