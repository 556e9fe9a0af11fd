#include "ModelFixture.h"
#include "app/MessageTable.h"
#include "base/IniFile.h"
#include "base/ScriptedPrompter.h"
#include "model/NumberText.h"
#include "model/ParameterValues.h"
#include "model/RatingBases.h"

#include <QRandomGenerator>
#include <QTest>

Q_DECLARE_METATYPE(QList<Def>)

class tst_ParameterValues : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void factoryValue_data();
    void factoryValue();
    void setUpValues();
    void setUpValuesStopsOnBadDIndex();
    void clampToLimits_data();
    void clampToLimits();
    void clampNonNumberKeepsValue();
    void markChanged_data();
    void markChanged();
    void refreshLinkedLimitsFollowsCurrentValues();
    void intValueOfComNo_data();
    void intValueOfComNo();
    void indexOfComNo_data();
    void indexOfComNo();
    void indexOfComNoEqualsTextSearch();
    void ratingBases_data();
    void ratingBases();

private:
    MessageTable m_messages;
};

void tst_ParameterValues::initTestCase()
{
    QVERIFY(m_messages.load(IniFile(QStringLiteral(VKR_TEST_DATA "/model/lng/English.ini"))));
}

void tst_ParameterValues::factoryValue_data()
{
    QTest::addColumn<QList<Def>>("defs");
    QTest::addColumn<QString>("comNo");
    QTest::addColumn<QString>("expected");

    const Def a{.comNo = "0001", .def = "600"};
    QTest::newRow("own default") << QList<Def>{a} << "0001" << "600";
    QTest::newRow("DIndex chain of three")
        << QList<Def>{{.comNo = "0001", .dIndex = "1", .def = "0002"}, {.comNo = "0002", .dIndex = "1", .def = "0003"},
                      {.comNo = "0003", .def = "77"}}
        << "0001" << "77";
    QTest::newRow("undefined number") << QList<Def>{a} << "0999" << "Error.";
    QTest::newRow("empty number") << QList<Def>{a} << "" << "Error.";
    QTest::newRow("reference to undefined number")
        << QList<Def>{{.comNo = "0001", .dIndex = "1", .def = "0999"}} << "0001" << "Error.";
    QTest::newRow("indicator other than 0 and 1")
        << QList<Def>{{.comNo = "0001", .dIndex = "2", .def = "5"}} << "0001" << "Error.";
    QTest::newRow("reference to itself") << QList<Def>{{.comNo = "0001", .dIndex = "1", .def = "0001"}} << "0001"
                                         << "Error.";
    QTest::newRow("loop of two")
        << QList<Def>{{.comNo = "0001", .dIndex = "1", .def = "0002"}, {.comNo = "0002", .dIndex = "1", .def = "0001"}}
        << "0002" << "Error.";
    QTest::newRow("chain entering a loop")
        << QList<Def>{{.comNo = "0001", .dIndex = "1", .def = "0002"}, {.comNo = "0002", .dIndex = "1", .def = "0003"},
                      {.comNo = "0003", .dIndex = "1", .def = "0002"}}
        << "0001" << "Error.";
}

void tst_ParameterValues::factoryValue()
{
    QFETCH(QList<Def>, defs);
    QFETCH(QString, comNo);
    QFETCH(QString, expected);
    DriveData data;
    loadDefs(data, defs);
    ScriptedPrompter prompter;
    ParameterValues values(data, m_messages, prompter);
    QCOMPARE(values.FactoryValueOf(comNo), expected);
    const bool failed = expected == QLatin1String("Error.");
    QCOMPARE(prompter.shown.size(), failed ? 1 : 0);
    if (failed) {
        QCOMPARE(prompter.shown.first().text, m_messages.text(32));
        QCOMPARE(prompter.shown.first().caption, m_messages.caption());
        QCOMPARE(prompter.shown.first().icon, Prompter::Icon::Warning);
    }
}

void tst_ParameterValues::setUpValues()
{
    DriveData data;
    loadDefs(data, {{.comNo = "0001", .def = "600", .high = "4000", .low = "300"},
                    {.comNo = "0002", .dIndex = "1", .def = "0001", .hIndex = "1", .high = "0001"},
                    {.comNo = "0003", .lIndex = "-1", .low = "0001"},
                    {.comNo = "0004", .lIndex = "1", .low = "0001"},
                    {.comNo = "0005", .dIndex = "1", .def = "0005"}});
    data.uPara.setRowCount(40);  // a previous, larger drive
    data.uPara.setAt(0, UPara::SelectIndex, QStringLiteral("1"));
    ScriptedPrompter prompter;
    ParameterValues values(data, m_messages, prompter);
    QCOMPARE(values.SetUpValues(), ParameterValues::SetUpResult::Done);
    QCOMPARE(data.uPara.rowCount(), 6);
    QCOMPARE(data.uPara.row(0), UPara::titles());
    QCOMPARE(data.uPara.row(1), (QStringList{"600", "4000", "300", "0", "0", "0", "0", "0", "0", "0", "0"}));
    QCOMPARE(data.uPara.row(2).mid(0, 3), (QStringList{"600", "600", "0"}));
    QCOMPARE(data.uPara.at(2, UPara::LValue), QStringLiteral("-600"));
    QCOMPARE(data.uPara.at(3, UPara::LValue), QStringLiteral("600"));
    QCOMPARE(data.uPara.at(4, UPara::Value), QStringLiteral("Error."));
    QCOMPARE(data.uPara.at(4, UPara::No), QStringLiteral("4"));
    QCOMPARE(prompter.shown.size(), 1);
}

void tst_ParameterValues::setUpValuesStopsOnBadDIndex()
{
    DriveData data;
    loadDefs(data, {{.comNo = "0001"}, {.comNo = "0002", .dIndex = "x"}, {.comNo = "0003"}});
    ScriptedPrompter prompter;
    ParameterValues values(data, m_messages, prompter);
    QCOMPARE(values.SetUpValues(), ParameterValues::SetUpResult::BadDIndex);
    QCOMPARE(prompter.shown.size(), 1);
    QCOMPARE(prompter.shown.first().text, m_messages.text(67));
    QCOMPARE(prompter.shown.first().icon, Prompter::Icon::Stop);
    QCOMPARE(data.uPara.at(0, UPara::Value), QStringLiteral("0"));
}

void tst_ParameterValues::clampToLimits_data()
{
    QTest::addColumn<QString>("raw");
    QTest::addColumn<int>("index");
    QTest::addColumn<double>("expected");
    QTest::addColumn<bool>("clamped");

    // 0000: value 600; 0001: 300..4000; 0002: upper limit = value of 0000;
    // 0003: lower limit = -(value of 0000); 0004: lower limit = value of 0000.
    QTest::newRow("inside") << "1000" << 1 << 1000.0 << false;
    QTest::newRow("on the upper limit") << "4000" << 1 << 4000.0 << false;
    QTest::newRow("above") << "4001" << 1 << 4000.0 << true;
    QTest::newRow("below") << "299.5" << 1 << 300.0 << true;
    QTest::newRow("fraction kept inside") << "300.5" << 1 << 300.5 << false;
    QTest::newRow("upper limit from current value") << "700" << 2 << 650.0 << true;
    QTest::newRow("lower limit minus current value") << "-700" << 3 << -650.0 << true;
    QTest::newRow("lower limit minus current value, inside") << "-649" << 3 << -649.0 << false;
    QTest::newRow("lower limit from current value") << "600" << 4 << 650.0 << true;
    QTest::newRow("undefined lower-limit indicator") << "-99999" << 5 << -99999.0 << false;
}

void tst_ParameterValues::clampToLimits()
{
    QFETCH(QString, raw);
    QFETCH(int, index);
    QFETCH(double, expected);
    QFETCH(bool, clamped);
    DriveData data;
    loadDefs(data, {{.comNo = "0000", .def = "600"},
                    {.comNo = "0001", .high = "4000", .low = "300"},
                    {.comNo = "0002", .hIndex = "1", .high = "0000"},
                    {.comNo = "0003", .lIndex = "-1", .low = "0000"},
                    {.comNo = "0004", .lIndex = "1", .low = "0000"},
                    {.comNo = "0005", .lIndex = "2", .low = "0000"}});
    ScriptedPrompter prompter;
    ParameterValues values(data, m_messages, prompter);
    values.SetUpValues();
    data.uPara.setAt(0, UPara::Value, QStringLiteral("650"));  // the limits follow the value now
    data.limitClamped = false;
    QCOMPARE(values.ClampToLimits(raw, index), expected);
    QCOMPARE(data.limitClamped, clamped);
    QVERIFY(prompter.shown.isEmpty());
}

void tst_ParameterValues::clampNonNumberKeepsValue()
{
    DriveData data;
    loadDefs(data, {{.comNo = "0001", .def = "12"}});
    ScriptedPrompter prompter;
    ParameterValues values(data, m_messages, prompter);
    values.SetUpValues();
    data.uPara.setAt(0, UPara::Value, QStringLiteral("123.7"));
    data.limitClamped = true;
    QCOMPARE(values.ClampToLimits(u"abc", 0), 123.0);
    QVERIFY(data.limitClamped);
    QCOMPARE(prompter.shown.size(), 1);
    QCOMPARE(prompter.shown.first().text, m_messages.text(42));
}

void tst_ParameterValues::markChanged_data()
{
    QTest::addColumn<QString>("comNo");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("mark");
    QTest::addColumn<int>("messages");

    QTest::newRow("equal to factory value") << "0001" << 600.0 << 0 << 0;
    QTest::newRow("differs") << "0001" << 601.0 << 1 << 0;
    QTest::newRow("differs by a fraction") << "0001" << 600.5 << 1 << 0;
    QTest::newRow("equal through a reference") << "0002" << 600.0 << 0 << 0;
    QTest::newRow("factory value unresolvable") << "0003" << 0.0 << 1 << 1;
}

void tst_ParameterValues::markChanged()
{
    QFETCH(QString, comNo);
    QFETCH(double, value);
    QFETCH(int, mark);
    QFETCH(int, messages);
    DriveData data;
    loadDefs(data, {{.comNo = "0001", .def = "600"},
                    {.comNo = "0002", .dIndex = "1", .def = "0001"},
                    {.comNo = "0003", .dIndex = "1", .def = "0009"}});
    data.uPara.setRowCount(data.lastIndex + 2);
    ScriptedPrompter prompter;
    ParameterValues values(data, m_messages, prompter);
    QCOMPARE(values.MarkChanged(comNo, value), mark);
    QCOMPARE(data.uPara.at(data.IndexOfComNo(comNo), UPara::ChangeIndex), QString::number(mark));
    QCOMPARE(prompter.shown.size(), messages);
}

void tst_ParameterValues::refreshLinkedLimitsFollowsCurrentValues()
{
    DriveData data;
    loadDefs(data, {{.comNo = "0001", .def = "600"},
                    {.comNo = "0002", .hIndex = "1", .high = "0001", .lIndex = "-1", .low = "0001"},
                    {.comNo = "0003", .high = "50", .lIndex = "0", .low = "7"}});
    ScriptedPrompter prompter;
    ParameterValues values(data, m_messages, prompter);
    values.SetUpValues();
    data.uPara.setAt(0, UPara::Value, QStringLiteral("450"));
    values.RefreshLinkedLimits(1);
    values.RefreshLinkedLimits(2);
    values.RefreshLinkedLimits(99);
    QCOMPARE(data.uPara.at(1, UPara::HValue), QStringLiteral("450"));
    QCOMPARE(data.uPara.at(1, UPara::LValue), QStringLiteral("-450"));
    QCOMPARE(data.uPara.at(2, UPara::HValue), QStringLiteral("50"));
    QCOMPARE(data.uPara.at(2, UPara::LValue), QStringLiteral("7"));
}

void tst_ParameterValues::intValueOfComNo_data()
{
    QTest::addColumn<QString>("comNo");
    QTest::addColumn<qint64>("expected");

    QTest::newRow("exact") << "0010" << qint64(42);
    QTest::newRow("padded with zeros") << "10" << qint64(42);
    QTest::newRow("fraction dropped") << "0020" << qint64(12);
    QTest::newRow("negative") << "0030" << qint64(-5);
    QTest::newRow("empty") << "" << qint64(-1);
    QTest::newRow("undefined") << "0999" << qint64(-1);
    QTest::newRow("part of a number does not count") << "001" << qint64(-1);
}

void tst_ParameterValues::intValueOfComNo()
{
    QFETCH(QString, comNo);
    QFETCH(qint64, expected);
    DriveData data;
    loadDefs(data, {{.comNo = "0010", .def = "42"}, {.comNo = "0020", .def = "12.9"}, {.comNo = "0030", .def = "-5"}});
    ScriptedPrompter prompter;
    ParameterValues values(data, m_messages, prompter);
    values.SetUpValues();
    QCOMPARE(values.IntValueOfComNo(comNo), expected);
}

void tst_ParameterValues::indexOfComNo_data()
{
    QTest::addColumn<QString>("comNo");
    QTest::addColumn<int>("expected");

    QTest::newRow("first parameter") << "0001" << 0;
    QTest::newRow("last parameter") << "FE71" << 3;
    QTest::newRow("undefined") << "0999" << -1;
    QTest::newRow("empty") << "" << -1;
    QTest::newRow("lower case is another number") << "fe71" << -1;
    QTest::newRow("first of a duplicate") << "0002" << 1;
    QTest::newRow("short text found inside a slot") << "E7" << 3;
    QTest::newRow("text across the separator") << "1,00" << 0;
}

void tst_ParameterValues::indexOfComNo()
{
    QFETCH(QString, comNo);
    QFETCH(int, expected);
    DriveData data;
    loadDefs(data, {{.comNo = "0001"}, {.comNo = "0002"}, {.comNo = "0002"}, {.comNo = "FE71"}});
    QCOMPARE(data.IndexOfComNo(comNo), expected);
    QCOMPARE(data.comNoList().searchText(comNo), expected);
}

void tst_ParameterValues::indexOfComNoEqualsTextSearch()
{
    // Random lists, some with numbers that are not four characters wide, against random
    // and listed keys: the hashed look-up must give what the text search gives.
    QRandomGenerator rng(4711);
    const QString alphabet = QStringLiteral("0F1E,");
    auto randomNo = [&](int length) {
        QString s;
        for (int i = 0; i < length; ++i)
            s += alphabet.at(rng.bounded(alphabet.size()));
        return s;
    };
    for (int round = 0; round < 200; ++round) {
        const bool irregular = round % 4 == 0;
        QStringList comNos;
        for (int i = 0; i < 30; ++i)
            comNos.append(randomNo(irregular ? rng.bounded(1, 6) : 4).replace(',', irregular ? ',' : '0'));
        ComNoList list;
        list.build(comNos);
        for (int k = 0; k < 60; ++k) {
            const QString key = k < 30 ? comNos.at(k) : randomNo(rng.bounded(0, 6));
            QCOMPARE(list.indexOf(key), list.searchText(key));
        }
    }
}

void tst_ParameterValues::ratingBases_data()
{
    QTest::addColumn<bool>("withRows");
    QTest::addColumn<QString>("form");
    QTest::addColumn<int>("reader");  // 0 none, 1 answers, 2 fails
    QTest::addColumn<double>("voltage");
    QTest::addColumn<double>("current");

    QTest::newRow("from the table") << true << "-4015" << 0 << 400.0 << 15.0;
    QTest::newRow("no rating rows: form digit") << false << "-2015" << 0 << 200.0 << 0.0;
    QTest::newRow("no rating rows: S form uses third character") << false << "S-4015" << 0 << 400.0 << 0.0;
    QTest::newRow("on line") << true << "-4015" << 1 << 460.0 << 32.0;
    QTest::newRow("on line, read fails") << true << "-2015" << 2 << 200.0 << 15.0;
}

void tst_ParameterValues::ratingBases()
{
    QFETCH(bool, withRows);
    QFETCH(QString, form);
    QFETCH(int, reader);
    QFETCH(double, voltage);
    QFETCH(double, current);
    DriveData data;
    QList<Def> defs{{.comNo = "0001"}};
    if (withRows)
        defs += {{.comNo = "FE70", .def = "150", .mul = "10"}, {.comNo = "FE71", .def = "4000", .mul = "10"}};
    loadDefs(data, defs);
    ScriptedPrompter prompter;
    ParameterValues(data, m_messages, prompter).SetUpValues();
    QStringList asked;
    DriveReader read;
    if (reader > 0) {
        read = [&](const QString &comNo) -> std::optional<qint64> {
            asked.append(comNo);
            if (reader == 2)
                return std::nullopt;
            return comNo == QLatin1String("FE71") ? 4600 : 320;
        };
    }
    RatingBases(data, form, read);
    QCOMPARE(data.voltageBase, voltage);
    QCOMPARE(data.currentBase, current);
    const QStringList expectedReads = reader > 0 ? QStringList{"FE71", "FE70"} : QStringList();
    QCOMPARE(asked, expectedReads);
}

QTEST_GUILESS_MAIN(tst_ParameterValues)
#include "tst_ParameterValues.moc"
