#include "VkrProcess.h"
#include "app/AppFolders.h"
#include "app/DriveSelection.h"
#include "app/MessageTable.h"
#include "app/Settings.h"
#include "base/IniFile.h"
#include "base/ScriptedPrompter.h"
#include "model/DriveData.h"
#include "model/DriveLoader.h"
#include "report/PageSetup.h"
#include "report/ParameterReport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

QStringList drive(const char *lang = "English")
{
    return {"print", "--data", VKR_SAMPLE_DATA "/dat", "--lng", VKR_SAMPLE_DATA "/lng", "--type", "KDC3", "--cpu",
            "V200",  "--form", "-4110P", "--lang", QString::fromLatin1(lang)};
}

QByteArray tool(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000))
        return {};
    return p.readAllStandardOutput();
}

QString pdfText(const QString &pdf, const QStringList &extra = {})
{
    return QString::fromUtf8(tool(QStringLiteral("pdftotext"), extra + QStringList{pdf, "-"}));
}

int pdfPages(const QString &pdf)
{
    const QString info = QString::fromUtf8(tool(QStringLiteral("pdfinfo"), {pdf}));
    for (const QString &line : info.split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("Pages:")))
            return line.mid(6).trimmed().toInt();
    }
    return -1;
}

QString pdfPageSize(const QString &pdf)
{
    const QString info = QString::fromUtf8(tool(QStringLiteral("pdfinfo"), {pdf}));
    for (const QString &line : info.split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("Page size:")))
            return line.mid(10).simplified();
    }
    return {};
}

// The KDC3 drive's parameters as the tool loads them.
struct Kdc3 {
    AppFolders folders;
    DriveSelection selection;
    MessageTable messages;
    ScriptedPrompter prompter;
    DriveData data;

    bool load()
    {
        folders.setAppFolder(QStringLiteral(VKR_SAMPLE_DATA));
        selection.typeName = QStringLiteral("KDC3");
        selection.cpuVersion = QStringLiteral("V200");
        selection.formName = QStringLiteral("-4110P");
        selection.languageName = QStringLiteral("English");
        selection.languagePrefix = QStringLiteral("Eng");
        folders.setModel(selection.typeName, selection.cpuVersion);
        if (!messages.load(IniFile(QStringLiteral(VKR_SAMPLE_DATA "/lng/English.ini"), CodePage::Windows1252)))
            return false;
        return DriveLoader::load(folders, selection, messages, prompter, data) == DriveLoader::Result::Loaded;
    }
};

// Counts the dark pixels of page 1 (rendered at 72 dpi, one pixel a point) outside `inside`.
int inkOutside(const QString &pdf, const QRect &inside, QSize *size)
{
    const QByteArray pgm = tool(QStringLiteral("pdftoppm"), {"-gray", "-r", "72", "-f", "1", "-l", "1", pdf});
    // "P5\n<w> <h>\n255\n" then one byte a pixel.
    const QList<QByteArray> head = pgm.left(64).split('\n');
    if (head.size() < 4 || head[0] != "P5")
        return -1;
    const QList<QByteArray> wh = head[1].split(' ');
    const int w = wh.value(0).toInt(), h = wh.value(1).toInt();
    const qsizetype start = head[0].size() + head[1].size() + head[2].size() + 3;
    if (pgm.size() < start + qsizetype(w) * h)
        return -1;
    *size = QSize(w, h);
    int dark = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (uchar(pgm[start + qsizetype(y) * w + x]) < 160 && !inside.contains(x, y))
                ++dark;
        }
    }
    return dark;
}

}  // namespace

class tst_CliPrint : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_tmp.isValid());
        QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty(), "poppler-utils missing");
    }

    void everyShownParameterIsInThePdf()
    {
        const QString pdf = m_tmp.filePath(QStringLiteral("all.pdf"));
        const QString settings = m_tmp.filePath(QStringLiteral("none.ini"));
        const Run r = vkr(drive() << "--pdf" << pdf << "--settings" << settings);
        QCOMPARE(r.exitCode, 0);
        QVERIFY2(r.err.isEmpty() || !r.err.contains("vkr:"), r.err.constData());
        Kdc3 kdc3;
        QVERIFY(kdc3.load());
        const int shown = kdc3.data.lastUserIndex + 1;
        QCOMPARE(pdfPages(pdf), (shown + 48) / 49);
        QCOMPARE(pdfPageSize(pdf), QStringLiteral("595 x 842 pts (A4)"));
        const QString text = pdfText(pdf).simplified();
        for (int i = 0; i < shown; ++i) {
            const QString comNo = kdc3.data.paraDat.at(i, ParaDat::ComNo);
            const QString name = kdc3.data.paraDat.at(i, ParaDat::FName);
            QVERIFY2(text.contains(QLatin1Char(' ') + comNo + QLatin1Char(' ')), qPrintable(comNo));
            QVERIFY2(text.contains(name.simplified()), qPrintable(name));
        }
        for (const char *title : {"Title", "Comm. No.", "Function", "Set Val.", "Low limit.", "Up limit.", "Unit", "Notes"})
            QVERIFY2(text.contains(QLatin1String(title)), title);
        // Without "Shipment Value" there is no factory column; the drive and date head each page.
        const QStringList lines = pdfText(pdf, {"-layout", "-l", "1"}).split(QLatin1Char('\n'));
        QVERIFY(lines.value(1).contains(QLatin1String("Comm. No.")));
        QVERIFY(!lines.value(1).contains(QLatin1String("Default")));
        QCOMPARE(text.count(QStringLiteral("KDC3-4110P")), pdfPages(pdf));
        // Reading the page set-up creates no settings file.
        QVERIFY(!QFile::exists(settings));
    }

    void changedDisplayListsOnlyTheChangedParameters()
    {
        const QString file = write(QStringLiteral("changed.vkr"),
                                   "###\r\nKDC3\r\n-4110P\r\nV200\r\nEnglish\r\nPump station 4\r\n0\r\n0\r\n"
                                   "0009,450,0,0\r\n0011,7000,0,0\r\n");
        const QString settings = write(QStringLiteral("comment.ini"), "[Page]\r\nItem5=1\r\nItem6=1\r\n");
        const QString pdf = m_tmp.filePath(QStringLiteral("changed.pdf"));
        const Run r = vkr(drive() << "--open" << file << "--display" << "changed" << "--pdf" << pdf << "--settings"
                                  << settings);
        QCOMPARE(r.exitCode, 0);
        const QString text = pdfText(pdf, {"-layout"});
        QCOMPARE(pdfPages(pdf), 1);
        QStringList rows;
        for (const QString &line : text.split(QLatin1Char('\n'))) {
            if (line.contains(QLatin1String("Change")))
                rows << line.simplified();
        }
        QCOMPARE(rows.size(), 2);
        QVERIFY2(rows[0].startsWith(QLatin1String("acc 0009 Acceleration time 1 30.0 45.0 0.1 3600.0 s Change")),
                 qPrintable(rows[0]));
        QVERIFY2(rows[1].startsWith(QLatin1String("fh 0011 Maximum frequency 60.00 70.00 30.00 500.00 Hz Change")),
                 qPrintable(rows[1]));
        QVERIFY(pdfText(pdf).contains(QLatin1String("KDC3-4110P Pump station 4")));
        QVERIFY(text.contains(QLatin1String("Default")));
    }

    void changedDisplayWithNothingChangedIsRefused()
    {
        const QString pdf = m_tmp.filePath(QStringLiteral("nothing.pdf"));
        const Run r = vkr(drive() << "--display" << "changed" << "--pdf" << pdf);
        QCOMPARE(r.exitCode, 2);
        QVERIFY(!QFile::exists(pdf));
    }

    void japaneseTitlesAndNames()
    {
        const QString pdf = m_tmp.filePath(QStringLiteral("ja.pdf"));
        const Run r = vkr(drive("Japanese") << "--pdf" << pdf << "--settings" << m_tmp.filePath("none.ini"));
        QCOMPARE(r.exitCode, 0);
        const QString text = pdfText(pdf);
        for (const char *utf8 : {"タイトル", "通信番号", "機能", "設定値", "下限値", "上限値", "単位", "パネル運転周波数",
                                 "周波数設定モード選択1"})
            QVERIFY2(text.contains(QString::fromUtf8(utf8)), utf8);
    }

    void pageSetupOfTheSettingsFile()
    {
        // A3 landscape, 30 pt rows, time and no page numbers.
        const QString settings = write(QStringLiteral("a3.ini"),
                                       "[Page]\r\nPSet1=0\r\nPSet3=0\r\nPSet4=30\r\nItem2=1\r\nItem4=0\r\n");
        const QString pdf = m_tmp.filePath(QStringLiteral("a3.pdf"));
        QCOMPARE(vkr(drive() << "--pdf" << pdf << "--settings" << settings).exitCode, 0);
        QCOMPARE(pdfPageSize(pdf), QStringLiteral("1191 x 842 pts (A3)"));
        PageSetup setup;
        setup.paper = PageSetup::A3;
        setup.portrait = false;
        setup.rowHeight = 30;
        Kdc3 kdc3;
        QVERIFY(kdc3.load());
        const int perPage = ParameterReport::rowsPerPage(setup);
        QCOMPARE(perPage, 23);
        QCOMPARE(pdfPages(pdf), (kdc3.data.lastUserIndex + perPage) / perPage);
        const QStringList lines = pdfText(pdf, {"-layout", "-l", "1"}).split(QLatin1Char('\n'));
        QVERIFY(QRegularExpression(QStringLiteral("\\d\\d:\\d\\d\\s*$")).match(lines.first()).hasMatch());
        // No page number at the foot of the page.
        QVERIFY(!QRegularExpression(QStringLiteral("^\\s*1\\s*$")).match(pdfText(pdf, {"-layout", "-l", "1"})).hasMatch());
    }

    void nothingPrintedInTheMargins_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::newRow("defaults") << QByteArray("[Page]\r\n");
        QTest::newRow("wide margins, time and factory value")
            << QByteArray("[Page]\r\nPSetT=30\r\nPSetB=25\r\nPSetL=20\r\nPSetR=30\r\nItem2=1\r\nItem6=1\r\n");
        QTest::newRow("landscape B5, big font") << QByteArray("[Page]\r\nPSet1=0\r\nPSet3=4\r\nPSet5=9\r\n");
    }

    void nothingPrintedInTheMargins()
    {
        QFETCH(QByteArray, page);
        const QString settings = write(QStringLiteral("margins.ini"), page);
        const QString pdf = m_tmp.filePath(QStringLiteral("margins.pdf"));
        QCOMPARE(vkr(drive() << "--pdf" << pdf << "--settings" << settings).exitCode, 0);
        QTemporaryDir dir;
        const PageSetup setup = PageSetup::read(Settings(settings, dir.path()));
        const QRect inside = setup.printable().toAlignedRect().adjusted(-1, -1, 1, 1);
        QSize size;
        QCOMPARE(inkOutside(pdf, inside, &size), 0);
        QCOMPARE(size, setup.pageSize().toSize());
    }

    void badInput_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("no --pdf") << drive() << 3;
        QTest::newRow("unknown display") << (drive() << "--display" << "quick" << "--pdf" << "x.pdf") << 3;
        QTest::newRow("missing drive option") << QStringList{"print", "--pdf", "x.pdf"} << 3;
        QTest::newRow("folder that does not exist")
            << (drive() << "--pdf" << "/nonexistent-folder/x.pdf") << 6;
        QTest::newRow("parameter file that does not exist")
            << (drive() << "--open" << "/nonexistent-folder/x.vkr" << "--pdf" << "x.pdf") << 2;
    }

    void badInput()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        const Run r = vkr(args);
        QCOMPARE(r.exitCode, exitCode);
        QVERIFY(r.err.startsWith("vkr"));
    }

    void failedWriteKeepsThePreviousFile()
    {
        // A folder in the PDF's place is never replaced.
        const QString pdf = m_tmp.filePath(QStringLiteral("taken.pdf"));
        QVERIFY(QDir().mkpath(pdf));
        const Run r = vkr(drive() << "--pdf" << pdf);
        QCOMPARE(r.exitCode, 6);
        QVERIFY(QFileInfo(pdf).isDir());
        QVERIFY(r.err.contains("taken.pdf"));
    }

    void helpExplainsEveryOption()
    {
        const Run r = vkr({"print", "--help"});
        QCOMPARE(r.exitCode, 0);
        for (const char *option : {"--pdf", "--display", "--settings", "--open", "--answer", "--data", "--type"})
            QVERIFY2(r.out.contains(option), option);
        QVERIFY(vkr({"--help"}).out.contains("print"));
    }

private:
    QString write(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_tmp.filePath(name);
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
        return path;
    }

    QTemporaryDir m_tmp;
};

QTEST_GUILESS_MAIN(tst_CliPrint)
#include "tst_CliPrint.moc"
