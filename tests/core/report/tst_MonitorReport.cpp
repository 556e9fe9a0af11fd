#include "report/MonitorReport.h"
#include "report/PageSetup.h"

#include <QtTest>

namespace {

// Ten channels, the first five selected; channel k's line runs through the given points.
MonitorReportData recording(int samplesTaken)
{
    MonitorReportData d;
    d.samplesTaken = samplesTaken;
    d.timePerDivision = QStringLiteral("25");
    d.scope = QStringLiteral("100");
    for (int ch = 0; ch < 10; ++ch) {
        MonitorReportChannel c;
        c.selected = ch < 5;
        c.item = QStringLiteral("Item %1").arg(ch + 1);
        c.color = 0x100 * ch;
        d.channels.append(c);
    }
    return d;
}

}  // namespace

class tst_MonitorReport : public QObject
{
    Q_OBJECT

private slots:
    void channelValuesTakeOffsetAndMultiplierOut()
    {
        MonitorReportData d = recording(3);
        MonitorReportChannel &c = d.channels[0];
        c.multiplier = QStringLiteral("2");
        c.offset = QStringLiteral("10");
        c.decimals = 2;
        // Drawn as value × 2 + 10; the point after SamplesTaken is left from an older run.
        c.points = {30, 14, 50, 20, -500};
        const MonitorReport::Row row = MonitorReport::row(d, 0);
        QCOMPARE(row[0], QStringLiteral("1"));
        QCOMPARE(row[1], QStringLiteral("ON"));
        QCOMPARE(row[2], QStringLiteral("Item 1"));
        QCOMPARE(row[3], QStringLiteral("2"));
        QCOMPARE(row[4], QStringLiteral("10"));
        QCOMPARE(row[5], QStringLiteral("2.00"));
        QCOMPARE(row[6], QStringLiteral("20.00"));
        QCOMPARE(row[7], QStringLiteral("10.00"));
        QCOMPARE(row[8], QStringLiteral("5.00"));
        d.decimalComma = true;
        QCOMPARE(MonitorReport::row(d, 0)[6], QStringLiteral("20,00"));
    }

    void unselectedChannelKeepsItsSetUp()
    {
        MonitorReportData d = recording(1);
        d.channels[6].points = {1, 2};
        d.channels[6].multiplier = QStringLiteral("0.5");
        const MonitorReport::Row row = MonitorReport::row(d, 6);
        QCOMPARE(row[1], QStringLiteral("OFF"));
        QCOMPARE(row[2], QStringLiteral("Item 7"));
        QCOMPARE(row[3], QStringLiteral("0.5"));
        for (int k = 5; k < 9; ++k)
            QCOMPARE(row[k], QStringLiteral("-"));
    }

    void oneSampleGivesTheSameStartAndStop()
    {
        MonitorReportData d = recording(0);
        d.channels[1].points = {7};
        const MonitorReport::Row row = MonitorReport::row(d, 1);
        QCOMPARE(row[7], QStringLiteral("7"));
        QCOMPARE(row[8], row[7]);
        QCOMPARE(row[5], row[6]);
    }

    void nothingRecordedOrMissingPoint_data()
    {
        QTest::addColumn<int>("taken");
        QTest::addColumn<int>("points");
        QTest::addColumn<QStringList>("values");
        QTest::newRow("no run yet") << -1 << 3 << QStringList{"-", "-", "-", "-"};
        QTest::newRow("stop point missing") << 5 << 3 << QStringList{"1", "3", "1", "-"};
        QTest::newRow("zero multiplier") << 2 << 3 << QStringList{"-", "-", "-", "-"};
    }

    void nothingRecordedOrMissingPoint()
    {
        QFETCH(int, taken);
        QFETCH(int, points);
        QFETCH(QStringList, values);
        MonitorReportData d = recording(taken);
        for (int i = 0; i < points; ++i)
            d.channels[2].points.append(i + 1);
        if (QByteArray(QTest::currentDataTag()) == "zero multiplier")
            d.channels[2].multiplier = QStringLiteral("0");
        const MonitorReport::Row row = MonitorReport::row(d, 2);
        QCOMPARE(QStringList(row.begin() + 5, row.end()), values);
    }

    void armedChecksShortenTheTable_data()
    {
        QTest::addColumn<int>("armed");
        QTest::addColumn<int>("rows");
        QTest::newRow("no alarm or trip display") << 0 << 10;
        QTest::newRow("alarm display") << 1 << 9;
        QTest::newRow("alarm and trip display") << 2 << 8;
    }

    void armedChecksShortenTheTable()
    {
        QFETCH(int, armed);
        QFETCH(int, rows);
        MonitorReportData d = recording(0);
        d.armedChecks = armed;
        QCOMPARE(MonitorReport::rowCount(d), rows);
        const ReportDocument doc = MonitorReport::layout(PageSetup(), ReportHeader(), d);
        QCOMPARE(doc.pages.size(), 1);
        int items = 0;
        for (const ReportText &t : doc.pages.first().texts)
            items += t.text.startsWith(QLatin1String("Item ")) ? 1 : 0;
        QCOMPARE(items, rows);
    }

    void settingsBlock_data()
    {
        QTest::addColumn<bool>("trigger");
        QTest::addColumn<QString>("scope");
        QTest::addColumn<QStringList>("values");
        QTest::newRow("trigger off") << false << "100" << QStringList{": 25(s/div)", ": 100(%)", ": -", ": -", ": -", ": -"};
        QTest::newRow("trigger on, scope 100")
            << true << "100" << QStringList{": 25(s/div)", ": 100(%)", ": CH3", ": 12.5", ": Rise", ": 20"};
        QTest::newRow("trigger on, scope 50 hides the delay")
            << true << "50" << QStringList{": 25(s/div)", ": 50(%)", ": CH3", ": 12.5", ": Rise", ": -"};
    }

    void settingsBlock()
    {
        QFETCH(bool, trigger);
        QFETCH(QString, scope);
        QFETCH(QStringList, values);
        MonitorReportData d = recording(0);
        d.trigger = trigger;
        d.scope = scope;
        d.triggerChannel = 2;
        d.triggerLevel = QStringLiteral("12.5");
        d.triggerSlope = QStringLiteral("Rise");
        d.triggerDelay = QStringLiteral("20");
        QStringList got;
        for (const MonitorReport::SettingLine &line : MonitorReport::settings(d))
            got << line.value;
        QCOMPARE(got, values);
    }

    void layoutIsA4PortraitWithChartAndColouredRows()
    {
        MonitorReportData d = recording(0);
        PageSetup setup;
        setup.paper = PageSetup::A3;
        setup.portrait = false;
        setup.printComment = true;
        setup.comment = QStringLiteral("after the motor change");
        ReportHeader header;
        header.typeForm = QStringLiteral("KDA1-2004P");
        const ReportDocument doc = MonitorReport::layout(setup, header, d);
        PageSetup a4;
        QCOMPARE(doc.pageSize, a4.pageSize());
        const ReportPage &page = doc.pages.first();
        QCOMPARE(page.pictures.size(), 1);
        const QRectF chart = page.pictures.first();
        QCOMPARE(chart.width(), a4.printable().width());
        QCOMPARE(qRound(chart.height() * 709), qRound(chart.width() * 273));
        bool comment = false;
        for (const ReportText &t : page.texts) {
            if (t.text == setup.comment)
                comment = t.box.top() > a4.printable().top() && t.box.bottom() <= chart.top();
            if (t.text == QLatin1String("Item 4"))
                QCOMPARE(t.color, 0x300);
            QVERIFY2(t.box.bottom() <= a4.printable().bottom() + 0.01, qPrintable(t.text));
        }
        QVERIFY(comment);
    }

    void tallRowsContinueOnANewPage()
    {
        MonitorReportData d = recording(0);
        PageSetup setup;
        setup.rowHeight = 30;
        setup.top = setup.bottom = 30;
        const ReportDocument doc = MonitorReport::layout(setup, ReportHeader(), d);
        QCOMPARE(doc.pages.size(), 2);
        int items = 0;
        for (const ReportPage &page : doc.pages) {
            for (const ReportText &t : page.texts) {
                items += t.text.startsWith(QLatin1String("Item ")) ? 1 : 0;
                QVERIFY(t.box.bottom() <= setup.printable().bottom() + 0.01);
            }
        }
        QCOMPARE(items, 10);
        QVERIFY(doc.pages[1].pictures.isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_MonitorReport)
#include "tst_MonitorReport.moc"
