#include "ModelFixture.h"
#include "app/MessageTable.h"
#include "base/IniFile.h"
#include "base/ScriptedPrompter.h"
#include "model/EditBuffer.h"
#include "model/ParameterValues.h"

#include <QTest>

// Typing over the value cell and Enter, by the rules the table and `vkr set` share.
class tst_EditBuffer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void keys_data();
    void keys();
    void enter_data();
    void enter();
    void enterWithoutTypingReentersShownValue();
    void refusedEntryRestoresCellAndKeepsValue();
    void escapeRestoresSavedText();
    void convertLeavesValueAlone();

private:
    struct Fixture {
        DriveData data;
        ScriptedPrompter prompter;
    };
    void setUp(Fixture &f, bool decimalComma = false);
    MessageTable m_messages;
};

void tst_EditBuffer::initTestCase()
{
    QVERIFY(m_messages.load(IniFile(QStringLiteral(VKR_TEST_DATA "/model/lng/English.ini"))));
}

void tst_EditBuffer::setUp(Fixture &f, bool decimalComma)
{
    loadDefs(f.data, {{.comNo = "0001", .def = "600", .high = "36000", .low = "0", .tMul = "#.#", .mul = "10"},
                      {.comNo = "0002", .def = "1234", .high = "5000", .low = "100", .tMul = "#.#", .mul = "100"},
                      {.comNo = "0003", .def = "0", .high = "100", .low = "-100", .tMul = "#", .mul = "1"}});
    f.data.decimalComma = decimalComma;
    ParameterValues values(f.data, m_messages, f.prompter);
    QCOMPARE(values.SetUpValues(), ParameterValues::SetUpResult::Done);
}

void tst_EditBuffer::keys_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("buffer");

    QTest::newRow("digits and point") << "12.34" << "12.34";
    QTest::newRow("hex prefix first") << "h1F4" << "h1F4";
    QTest::newRow("upper-case prefix") << "H1f4" << "H1f4";
    QTest::newRow("h after the first character ignored") << "1h2" << "12";
    QTest::newRow("thirteenth character ignored") << "1234567890123" << "123456789012";
    QTest::newRow("letters other than A-F and V ignored") << "1g2xZ3" << "123";
    QTest::newRow("volts and amperes letters") << "5V" << "5V";
    QTest::newRow("comma and minus") << "-1,5" << "-1,5";
}

void tst_EditBuffer::keys()
{
    QFETCH(QString, typed);
    QFETCH(QString, buffer);
    Fixture f;
    setUp(f);
    EditBuffer edit(f.data, m_messages, f.prompter);
    for (const QChar c : typed)
        edit.KeyPress(c, QStringLiteral("    60.0"));
    QCOMPARE(edit.buffer(), buffer);
    QCOMPARE(edit.typedCount(), int(buffer.size()));
    QCOMPARE(edit.savedText(), QStringLiteral("    60.0"));
    QVERIFY(edit.Backspace());
    QCOMPARE(edit.buffer(), buffer.chopped(1));
}

void tst_EditBuffer::enter_data()
{
    QTest::addColumn<QString>("comNo");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("decimalComma");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<bool>("hex");
    QTest::addColumn<int>("message");  // -1: none

    QTest::newRow("hex entry on Mul 10") << "0001" << "h1F4" << false << "500" << "h1F4" << true << -1;
    QTest::newRow("more decimals than shown kept") << "0001" << "12.34" << false << "123.4" << "    12.3" << false << -1;
    QTest::newRow("above the upper limit takes it") << "0001" << "5000" << false << "36000" << "  3600.0" << false << 41;
    QTest::newRow("below the lower limit takes it") << "0002" << "0.5" << false << "100" << "     1.0" << false << 41;
    QTest::newRow("negative within limits") << "0003" << "-50" << false << "-50" << "     -50" << false << -1;
    QTest::newRow("hex FFFF on a signed parameter is -1") << "0003" << "hFFFFFFFF" << false << "-1" << "hFFFFFFFF"
                                                         << true << -1;
    QTest::newRow("decimal comma entry") << "0001" << "1,5" << true << "15" << "     1,5" << false << -1;
    QTest::newRow("point with the comma display") << "0001" << "1.5" << true << "15" << "     1,5" << false << -1;
    QTest::newRow("h alone") << "0001" << "h" << false << "600" << "    60.0" << false << 40;
    QTest::newRow("not a number") << "0001" << "1-2" << false << "600" << "    60.0" << false << 42;
    QTest::newRow("hex digits beyond eight") << "0001" << "h123456789" << false << "600" << "    60.0" << false << 42;
}

void tst_EditBuffer::enter()
{
    QFETCH(QString, comNo);
    QFETCH(QString, typed);
    QFETCH(bool, decimalComma);
    QFETCH(QString, value);
    QFETCH(QString, cell);
    QFETCH(bool, hex);
    QFETCH(int, message);
    Fixture f;
    setUp(f, decimalComma);
    const int index = f.data.IndexOfComNo(comNo);
    const QString shown = decimalComma ? QStringLiteral("    60,0") : QStringLiteral("    60.0");
    EditBuffer edit(f.data, m_messages, f.prompter);
    for (const QChar c : typed)
        edit.KeyPress(c, shown);
    const EditBuffer::Accepted accepted = edit.Enter(index, shown);
    QVERIFY(!edit.editing());
    QCOMPARE(edit.typedCount(), 0);
    QCOMPARE(f.data.uPara.at(index, UPara::Value), value);
    if (message == 40 || message == 42) {
        QCOMPARE(accepted.stored, false);
        QCOMPARE(accepted.cellText, shown);
        QCOMPARE(f.data.undoRedo.undoCount(), 0);
        QVERIFY(!f.data.uPara.flag(index, UPara::WriteIndex));
    } else {
        QCOMPARE(accepted.stored, true);
        QCOMPARE(accepted.cellText, cell);
        QCOMPARE(f.data.uPara.flag(index, UPara::HexIndex), hex);
        QCOMPARE(f.data.undoRedo.undoCount(), 1);
        QCOMPARE(f.data.uPara.flag(index, UPara::ChangeIndex), accepted.changed == 1);
    }
    if (message < 0) {
        QVERIFY(f.prompter.shown.isEmpty());
    } else {
        QCOMPARE(f.prompter.shown.size(), 1);
        QCOMPARE(f.prompter.shown.first().text, m_messages.text(message));
        QCOMPARE(f.prompter.shown.first().icon, Prompter::Icon::Warning);
    }
}

void tst_EditBuffer::enterWithoutTypingReentersShownValue()
{
    Fixture f;
    setUp(f);
    const int index = f.data.IndexOfComNo(u"0002");
    EditBuffer edit(f.data, m_messages, f.prompter);
    // 1234 with "Mul" 100 and one decimal shows 12.3: Enter stores what is shown.
    const EditBuffer::Accepted accepted = edit.Enter(index, QStringLiteral("    12.3"));
    QVERIFY(accepted.stored);
    QCOMPARE(f.data.uPara.at(index, UPara::Value), QStringLiteral("1230"));
    QVERIFY(f.data.uPara.flag(index, UPara::WriteIndex));
    QCOMPARE(accepted.changed, 1);
    QCOMPARE(f.data.undoRedo.UndoComNo(), QStringList{QStringLiteral("0002")});
    QCOMPARE(f.data.undoRedo.UndoVal(), QStringList{QStringLiteral("1234")});
}

void tst_EditBuffer::refusedEntryRestoresCellAndKeepsValue()
{
    Fixture f;
    setUp(f);
    EditBuffer edit(f.data, m_messages, f.prompter);
    // Not editing: nothing typed, the cell keeps what it showed rather than an earlier edit's text.
    edit.KeyPress(QLatin1Char('7'), QStringLiteral("other row"));
    edit.Cancel();
    const EditBuffer::Accepted accepted = edit.Enter(0, QString());
    QVERIFY(!accepted.stored);
    QCOMPARE(accepted.cellText, QString());
    QCOMPARE(f.prompter.shown.first().text, m_messages.text(40));
}

void tst_EditBuffer::escapeRestoresSavedText()
{
    Fixture f;
    setUp(f);
    EditBuffer edit(f.data, m_messages, f.prompter);
    QVERIFY(!edit.Cancel());
    edit.KeyPress(QLatin1Char('9'), QStringLiteral("    60.0"));
    QVERIFY(edit.Cancel());
    QCOMPARE(edit.savedText(), QStringLiteral("    60.0"));
    QVERIFY(!edit.editing());
    QCOMPARE(f.data.uPara.at(0, UPara::Value), QStringLiteral("600"));
}

void tst_EditBuffer::convertLeavesValueAlone()
{
    Fixture f;
    setUp(f);
    EditBuffer edit(f.data, m_messages, f.prompter);
    const std::optional<EditBuffer::Converted> c = edit.Convert(0, QStringLiteral("9999"));
    QVERIFY(c);
    QVERIFY(c->clamped);
    QCOMPARE(c->raw, 36000.0);
    QCOMPARE(f.data.uPara.at(0, UPara::Value), QStringLiteral("600"));
    QCOMPARE(f.data.undoRedo.undoCount(), 0);
}

QTEST_GUILESS_MAIN(tst_EditBuffer)
#include "tst_EditBuffer.moc"
