#include "app/Settings.h"
#include "report/PageSetup.h"
#include "report/PageSetupCheck.h"

#include <QTemporaryDir>
#include <QtTest>

using Verdict = PageSetupCheck::Verdict;
Q_DECLARE_METATYPE(Verdict)

class tst_PageSetup : public QObject
{
    Q_OBJECT

private slots:
    void defaultsWithoutAFile()
    {
        QTemporaryDir dir;
        const PageSetup p = PageSetup::read(Settings(dir.filePath(QStringLiteral("VKR410T.ini")), dir.path()));
        QCOMPARE(p.paper, PageSetup::A4);
        QVERIFY(p.portrait);
        QCOMPARE(p.top, 10);
        QCOMPARE(p.right, 10);
        QCOMPARE(p.rowHeight, 15);
        QCOMPARE(p.fontSize(), 8);
        QCOMPARE(p.fontIndex, PageSetup::NoFontStored);
        QCOMPARE(p.valueColor, 0);
        QVERIFY(p.printDate && !p.printTime && p.printTypeForm && p.printPageNo && !p.printComment && !p.printFactory);
    }

    void everyValueSavedAndRestored()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("VKR410T.ini"));
        PageSetup p;
        p.paper = PageSetup::B5;
        p.portrait = false;
        p.top = 0, p.bottom = 30, p.left = 7, p.right = 12;
        p.rowHeight = 22;
        p.fontSizeIndex = 12;
        p.fontIndex = 4;
        p.valueColor = 0x0000FF;
        p.printDate = false, p.printTime = true, p.printTypeForm = false, p.printPageNo = false;
        p.printComment = true, p.printFactory = true;
        {
            Settings s(path, dir.path());
            p.write(s);
        }
        const PageSetup back = PageSetup::read(Settings(path, dir.path()));
        QCOMPARE(back.paper, PageSetup::B5);
        QVERIFY(!back.portrait);
        QCOMPARE(back.top, 0);
        QCOMPARE(back.bottom, 30);
        QCOMPARE(back.left, 7);
        QCOMPARE(back.right, 12);
        QCOMPARE(back.rowHeight, 22);
        QCOMPARE(back.fontSize(), 22);
        QCOMPARE(back.fontIndex, 4);
        QCOMPARE(back.valueColor, 0x0000FF);
        QVERIFY(!back.printDate && back.printTime && !back.printTypeForm && !back.printPageNo);
        QVERIFY(back.printComment && back.printFactory);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY(text.contains("[Page]"));
        QVERIFY(text.contains("PSet3=4"));
        QVERIFY(text.contains("PSetB=30"));
    }

    void storedValuesOutsideTheLimitsAreBroughtToThem()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("VKR410T.ini"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Page]\r\nPSetT=45\r\nPSetB=-3\r\nPSetL=12.6\r\nPSetR=x\r\nPSet4=4\r\nPSet5=77\r\nPSet3=9\r\n");
        file.close();
        const PageSetup p = PageSetup::read(Settings(path, dir.path()));
        QCOMPARE(p.top, 30);
        QCOMPARE(p.bottom, 0);
        QCOMPARE(p.left, 13);
        QCOMPARE(p.right, 10);
        QCOMPARE(p.rowHeight, 10);
        QCOMPARE(p.fontSize(), 22);
        QCOMPARE(p.paper, PageSetup::A4);
    }

    void paperSizesAndCodes()
    {
        PageSetup p;
        QCOMPARE(qRound(p.pageSize().width()), 595);
        QCOMPARE(qRound(p.pageSize().height()), 842);
        p.portrait = false;
        QCOMPARE(qRound(p.pageSize().width()), 842);
        QCOMPARE(p.printable().left(), PageSetup::points(10));
        QCOMPARE(qRound(p.printable().width()), 842 - 57);
        const int codes[] = {8, 9, 11, 12, 13};
        for (int i = 0; i < PageSetup::PaperCount; ++i)
            QCOMPARE(PageSetup::paperCode(i), codes[i]);
        QCOMPARE(PageSetup::paperCode(-1), 9);
        QCOMPARE(PageSetup::paperMillimetres(PageSetup::B4), QSizeF(257, 364));
    }

    void fieldChecks_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<Verdict>("verdict");
        const Verdict ok;
        QTest::newRow("margin 31 becomes 30") << "margin" << "31" << Verdict{false, 41, "30"};
        QTest::newRow("margin -1 becomes 0") << "margin" << "-1" << Verdict{false, 41, "0"};
        QTest::newRow("margin empty") << "margin" << "" << Verdict{false, 67, ""};
        QTest::newRow("margin not a number") << "margin" << "1O" << Verdict{false, 67, ""};
        QTest::newRow("margin with decimals passes") << "margin" << "12.5" << ok;
        QTest::newRow("margin 30 passes") << "margin" << "30" << ok;
        QTest::newRow("row height 9 becomes 10") << "row" << "9" << Verdict{false, 41, "10"};
        QTest::newRow("row height 31 becomes 30") << "row" << "31" << Verdict{false, 41, "30"};
        QTest::newRow("row height with decimals") << "row" << "12.5" << Verdict{false, 67, ""};
        QTest::newRow("row height 10 passes") << "row" << "10" << ok;
        QTest::newRow("font size 25 becomes 22") << "size" << "25" << Verdict{false, 41, "22"};
        QTest::newRow("font size 4 becomes 5") << "size" << "4" << Verdict{false, 41, "5"};
        QTest::newRow("font size 13 passes") << "size" << "13" << ok;
        QTest::newRow("zoom 1000 becomes 999") << "zoom" << "1000" << Verdict{false, 41, "999"};
        QTest::newRow("zoom 1 becomes 2") << "zoom" << "1" << Verdict{false, 41, "2"};
        QTest::newRow("zoom not a number") << "zoom" << "abc" << Verdict{false, 67, ""};
        QTest::newRow("paper not in the list") << "paper" << "A6" << Verdict{false, 17, ""};
        QTest::newRow("paper empty") << "paper" << "" << Verdict{false, 67, ""};
        QTest::newRow("paper B4") << "paper" << "B4" << ok;
        QTest::newRow("unknown font") << "font" << "No Such Font" << Verdict{false, 18, ""};
        QTest::newRow("known font in other case") << "font" << "dejavu sans" << ok;
    }

    void fieldChecks()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(Verdict, verdict);
        Verdict got;
        if (field == QLatin1String("margin"))
            got = PageSetupCheck::margin(text);
        else if (field == QLatin1String("row"))
            got = PageSetupCheck::rowHeight(text);
        else if (field == QLatin1String("size"))
            got = PageSetupCheck::fontSize(text);
        else if (field == QLatin1String("zoom"))
            got = PageSetupCheck::zoom(text);
        else if (field == QLatin1String("paper"))
            got = PageSetupCheck::paper(text, {"A3", "A4", "A5", "B4", "B5"});
        else
            got = PageSetupCheck::font(text, {"DejaVu Sans", "IPAGothic"});
        QCOMPARE(got.ok, verdict.ok);
        QCOMPARE(got.message, verdict.message);
        QCOMPARE(got.replacement, verdict.replacement);
    }
};

QTEST_GUILESS_MAIN(tst_PageSetup)
#include "tst_PageSetup.moc"
