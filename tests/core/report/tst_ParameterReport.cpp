#include "../files/SampleDrive.h"
#include "../model/ModelFixture.h"
#include "model/NumberText.h"
#include "model/ParameterValues.h"
#include "report/PageSetup.h"
#include "report/ParameterReport.h"

#include <QtTest>

namespace {

// The texts of one page that lie in the band of rows starting at `y`.
QStringList textsAt(const ReportPage &page, double y)
{
    QStringList out;
    for (const ReportText &t : page.texts) {
        if (qAbs(t.box.top() - y) < 0.01)
            out << t.text;
    }
    return out;
}

bool holds(const ReportDocument &doc, const QString &text)
{
    for (const ReportPage &page : doc.pages) {
        for (const ReportText &t : page.texts) {
            if (t.text == text)
                return true;
        }
    }
    return false;
}

ReportHeader header()
{
    ReportHeader h;
    h.typeForm = QStringLiteral("KDA1-2004P");
    h.printedAt = QDateTime(QDate(2026, 3, 4), QTime(9, 5, 7));
    return h;
}

QVector<ParameterReport::Row> numberedRows(int count)
{
    QVector<ParameterReport::Row> rows(count);
    for (int i = 0; i < count; ++i)
        rows[i][ParameterReport::ComNo] = QStringLiteral("R%1").arg(i);
    return rows;
}

}  // namespace

class tst_ParameterReport : public QObject
{
    Q_OBJECT

private slots:
    void rowsPerPage_data()
    {
        QTest::addColumn<int>("paper");
        QTest::addColumn<bool>("portrait");
        QTest::addColumn<int>("margins");
        QTest::addColumn<int>("rowHeight");
        QTest::addColumn<int>("fontSizeIndex");
        QTest::addColumn<int>("expected");
        // A4 portrait: 297 - 20 mm = 785.2 pt; header, titles and footer take 3 rows + 3 pt.
        QTest::newRow("defaults, A4 portrait") << 1 << true << 10 << 15 << 3 << 49;
        QTest::newRow("A4 landscape") << 1 << false << 10 << 15 << 3 << 32;
        QTest::newRow("A3 portrait") << 0 << true << 10 << 15 << 3 << 72;
        QTest::newRow("B5 portrait") << 4 << true << 10 << 15 << 3 << 41;
        QTest::newRow("margins of 30 mm") << 1 << true << 30 << 15 << 3 << 41;
        QTest::newRow("no margins") << 1 << true << 0 << 15 << 3 << 52;
        QTest::newRow("rows of 30 pt") << 1 << true << 10 << 30 << 3 << 23;
        QTest::newRow("rows of 10 pt") << 1 << true << 10 << 10 << 3 << 75;
        // A 22 pt font needs 27 pt rows whatever the row height says.
        QTest::newRow("22 pt font grows the rows") << 1 << true << 10 << 15 << 12 << 25;
        QTest::newRow("12 pt font fits 15 pt rows") << 1 << true << 10 << 15 << 7 << 49;
    }

    void rowsPerPage()
    {
        QFETCH(int, paper);
        QFETCH(bool, portrait);
        QFETCH(int, margins);
        QFETCH(int, rowHeight);
        QFETCH(int, fontSizeIndex);
        QFETCH(int, expected);
        PageSetup setup;
        setup.paper = PageSetup::Paper(paper);
        setup.portrait = portrait;
        setup.top = setup.bottom = setup.left = setup.right = margins;
        setup.rowHeight = rowHeight;
        setup.fontSizeIndex = fontSizeIndex;
        QCOMPARE(ParameterReport::rowsPerPage(setup), expected);
        // The pages really hold that many rows, and the last one the rest, all above the footer.
        const ReportDocument doc = ParameterReport::layout(setup, header(), QStringList(), numberedRows(2 * expected + 3));
        QCOMPARE(doc.pages.size(), 3);
        QCOMPARE(doc.pageSize, setup.pageSize());
        for (int n = 0; n < 3; ++n) {
            int rows = 0;
            for (const ReportText &t : doc.pages[n].texts) {
                if (t.text.startsWith(QLatin1Char('R'))) {
                    ++rows;
                    QVERIFY(t.box.bottom() <= setup.printable().bottom() - setup.rowPoints() + 0.01);
                }
            }
            QCOMPARE(rows, n < 2 ? expected : 3);
        }
        QVERIFY(holds(doc, QStringLiteral("R%1").arg(2 * expected + 2)));
    }

    void emptyListStillGivesOnePage()
    {
        const ReportDocument doc = ParameterReport::layout(PageSetup(), header(), QStringList(), {});
        QCOMPARE(doc.pages.size(), 1);
        QVERIFY(holds(doc, QStringLiteral("1")));
    }

    void headerItems_data()
    {
        QTest::addColumn<bool>("on");
        QTest::newRow("header items on") << true;
        QTest::newRow("header items off") << false;
    }

    void headerItems()
    {
        QFETCH(bool, on);
        PageSetup setup;
        setup.printDate = setup.printTime = setup.printTypeForm = setup.printPageNo = setup.printComment = on;
        setup.comment = QStringLiteral("pump 3 after service");
        const ReportDocument doc = ParameterReport::layout(setup, header(), QStringList(), numberedRows(120));
        QCOMPARE(doc.pages.size(), 3);
        QCOMPARE(holds(doc, QStringLiteral("2026/03/04")), on);
        QCOMPARE(holds(doc, QStringLiteral("09:05")), on);
        QCOMPARE(holds(doc, QStringLiteral("KDA1-2004P   pump 3 after service")), on);
        QCOMPARE(holds(doc, QStringLiteral("3")), on);
        // The header items take no rows from the list.
        QCOMPARE(ParameterReport::rowsPerPage(setup), 49);
    }

    void factoryColumnOnAndOff_data()
    {
        QTest::addColumn<bool>("factory");
        QTest::newRow("with the shipment value") << true;
        QTest::newRow("without the shipment value") << false;
    }

    void factoryColumnOnAndOff()
    {
        QFETCH(bool, factory);
        SampleDrive drive;
        QVERIFY(drive.load());
        PageSetup setup;
        setup.printFactory = factory;
        const QStringList titles = ParameterReport::titles(drive.messages);
        QCOMPARE(titles.first(), QStringLiteral("Title"));
        QCOMPARE(titles.last(), QStringLiteral("Notes"));
        const ReportDocument doc = ParameterReport::layout(setup, header(), titles,
                                                           ParameterReport::rows(drive.data, drive.messages, {}));
        const ReportPage &page = doc.pages.first();
        const double titleY = setup.printable().top() + setup.rowPoints();
        QStringList expected = titles;
        if (!factory)
            expected.removeAt(ParameterReport::Factory);
        QCOMPARE(textsAt(page, titleY), expected);
        // The name column reaches to the set value's column when the factory value is left out.
        const QRectF area = setup.printable();
        for (const ReportText &t : page.texts) {
            if (t.text == titles[ParameterReport::Name])
                QCOMPARE(qRound(t.box.right()), qRound(area.left() + (factory ? 0.4958 : 0.585) * area.width()));
        }
        QCOMPARE(textsAt(page, titleY + setup.rowPoints() + 3).size(), factory ? 9 : 8);
    }

    void whatEachRowPrints()
    {
        SampleDrive drive;
        QVERIFY(drive.load());
        DriveData &d = drive.data;
        const int fc = d.IndexOfComNo(u"0000");
        QVERIFY(fc >= 0);
        d.uPara.setAt(fc, UPara::Value, QStringLiteral("4250"));
        d.uPara.setFlag(fc, UPara::ChangeIndex, true);
        // Shown in hexadecimal in the table, printed in decimal all the same.
        d.uPara.setFlag(fc, UPara::HexIndex, true);
        const ParameterReport::Row row = ParameterReport::row(d, drive.messages, fc);
        QCOMPARE(row[ParameterReport::Title], QStringLiteral("fc"));
        QCOMPARE(row[ParameterReport::ComNo], QStringLiteral("0000"));
        QCOMPARE(row[ParameterReport::Name], QStringLiteral("Panel operating frequency"));
        QCOMPARE(row[ParameterReport::Value], QStringLiteral("42.50"));
        QCOMPARE(row[ParameterReport::Unit], QStringLiteral("Hz"));
        QCOMPARE(row[ParameterReport::Notes], drive.messages.text(30));
        QCOMPARE(row[ParameterReport::Notes], QStringLiteral("Change"));
        QVERIFY(row[ParameterReport::Low].contains(QLatin1Char('.')));
        QCOMPARE(NumberText::parse(row[ParameterReport::High]).value() * 100,
                 NumberText::parse(d.uPara.at(fc, UPara::HValue)).value());
        const ParameterReport::Row unchanged = ParameterReport::row(d, drive.messages, fc + 1);
        QCOMPARE(unchanged[ParameterReport::Notes], QStringLiteral("      "));
    }

    void rowsFollowTheDisplaySwitches()
    {
        SampleDrive drive;
        QVERIFY(drive.load());
        DriveData &d = drive.data;
        const int all = d.lastShownIndex + 1;
        QCOMPARE(ParameterReport::rows(d, drive.messages, {}).size(), all);
        for (int i : {3, 17})
            d.uPara.setFlag(i, UPara::ChangeIndex, true);
        ParameterGridRows::Switches changed;
        changed.changedOnly = true;
        const QVector<ParameterReport::Row> rows = ParameterReport::rows(d, drive.messages, changed);
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[1][ParameterReport::ComNo], d.paraDat.at(17, ParaDat::ComNo));
        int quick = 0;
        for (int i = 0; i < all; ++i)
            quick += d.paraDat.at(i, ParaDat::Quick) != QLatin1String("0") ? 1 : 0;
        ParameterGridRows::Switches quickOnly;
        quickOnly.quick = true;
        QCOMPARE(ParameterReport::rows(d, drive.messages, quickOnly).size(), quick);
        QVERIFY(quick > 0 && quick < all);
        d.uPara.setFlag(5, UPara::BlindIndex, true);
        ParameterGridRows::Switches blind;
        blind.blind = true;
        QCOMPARE(ParameterReport::rows(d, drive.messages, blind).size(), all - 1);
    }

    void factoryValueFollowsItsReference()
    {
        DriveData d;
        loadDefs(d, {Def{QStringLiteral("0001"), QStringLiteral("1"), QStringLiteral("0002")},
                     Def{QStringLiteral("0002"), QStringLiteral("0"), QStringLiteral("125"), QStringLiteral("0"),
                         QStringLiteral("9999"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("#.#"),
                         QStringLiteral("10")},
                     Def{QStringLiteral("0003"), QStringLiteral("1"), QStringLiteral("0999")}});
        MessageTable messages;
        ScriptedPrompter prompter;
        ParameterValues(d, messages, prompter).SetUpValues();
        d.lastShownIndex = d.lastIndex;
        const QVector<ParameterReport::Row> rows = ParameterReport::rows(d, messages, {});
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows[0][ParameterReport::Factory], QStringLiteral("125"));
        QCOMPARE(rows[1][ParameterReport::Factory], QStringLiteral("12.5"));
        QCOMPARE(rows[2][ParameterReport::Factory], QStringLiteral("-"));
    }

    void japaneseTitlesFromShiftJisData()
    {
        SampleDrive drive;
        drive.selection.languageName = QStringLiteral("Japanese");
        drive.selection.languagePrefix = QStringLiteral("Jap");
        drive.folders.setAppFolder(QStringLiteral(VKR_SAMPLE_DATA));
        drive.selection.typeName = QStringLiteral("KDA1");
        drive.selection.cpuVersion = QStringLiteral("V100");
        drive.selection.formName = QStringLiteral("-2004P");
        drive.folders.setModel(drive.selection.typeName, drive.selection.cpuVersion);
        QVERIFY(drive.messages.load(IniFile(QStringLiteral(VKR_SAMPLE_DATA "/lng/Japanese.ini"), CodePage::ShiftJis)));
        QCOMPARE(DriveLoader::load(drive.folders, drive.selection, drive.messages, drive.prompter, drive.data),
                 DriveLoader::Result::Loaded);
        drive.data.lastShownIndex = drive.data.lastUserIndex;
        const QStringList titles = ParameterReport::titles(drive.messages);
        QCOMPARE(titles.first(), QString::fromUtf8("タイトル"));
        QCOMPARE(titles[ParameterReport::Value], QString::fromUtf8("設定値"));
        const QVector<ParameterReport::Row> rows = ParameterReport::rows(drive.data, drive.messages, {});
        QCOMPARE(rows.first()[ParameterReport::Name], QString::fromUtf8("パネル運転周波数"));
    }
};

QTEST_GUILESS_MAIN(tst_ParameterReport)
#include "tst_ParameterReport.moc"
