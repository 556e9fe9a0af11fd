#include "StartedWithFile.h"
#include "monitor/MonitorChart.h"
#include "monitor/MonitorCommands.h"
#include "monitor/MonitorDisplayTab.h"
#include "monitor/MonitorFile.h"
#include "monitor/MonitorFileCommands.h"
#include "monitor/MonitorSettingTab.h"
#include "monitor/TMonitoring.h"
#include "monitor/UpDownEdit.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <qcustomplot.h>

namespace {

TMonitoring *openMonitor(Started &s)
{
    s.main->action(QStringLiteral("MonChart"))->trigger();
    TMonitoring *w = s.main->monitor()->window();
    if (w)
        w->FormActivate();
    s.prompter.shown.clear();
    return w;
}

// A recording of 40 samples on CH2 and CH4, as a run of the drive the window has selected
// would leave it.
MonitorFile recording(const QString &type = QStringLiteral("KDA1"))
{
    MonitorFile file;
    file.typeName = type;
    file.formName = QStringLiteral("-2004P");
    file.cpuVersion = QStringLiteral("V100");
    file.maxText = QStringLiteral("200");
    file.timePerDivision = QStringLiteral("2.5");
    file.triggerSource = 3;
    file.levelText = QStringLiteral("40");
    file.errorCounter = QStringLiteral("3");
    for (int i = 0; i < 40; ++i)
        file.times.append(i * 500);
    for (int c = 0; c < 10; ++c) {
        MonitorFile::Channel &ch = file.channels[size_t(c)];
        ch.item = (c + 2) % 10;
        ch.selected = c == 1 || c == 3;
        ch.multiplierTenths = c == 3 ? 20 : 10;
        ch.offset = c == 1 ? 30 : 0;
        for (int i = 0; i < 40; ++i)
            ch.values.append(ch.selected ? c * 10 + i * 0.5 : 0);
    }
    return file;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
    return path;
}

}  // namespace

// "Open" and "Save As" of the monitoring window, without a drive: a recording file shown on
// the chart and written again, the refusals, and the monitor folder following the dialogs.
class tst_MonitorFileCommands : public QObject
{
    Q_OBJECT

private slots:
    void openShowsTheRecordingAndSavesItAgain();
    void saveAsTable();
    void legacyFileRestoresFiveChannels();
    void refusedFileKeepsTheChart_data();
    void refusedFileKeepsTheChart();
    void cancelledDialogsChangeNothing();
    void failedSaveIsReported();
    void continuousModeAllowsNoFile();
};

void tst_MonitorFileCommands::openShowsTheRecordingAndSavesItAgain()
{
    Started s(vkr(""));
    TMonitoring *w = openMonitor(s);
    MonitorDisplayTab *d = w->display();
    QVERIFY(d->MonOpen->isEnabled());
    QVERIFY(d->MonSave->isEnabled());
    QTemporaryDir dir;
    const QByteArray bytes = recording().build(CodePage::Windows1252);
    const QString path = writeFile(dir, QStringLiteral("trace.mon"), bytes);
    s.prompter.files = {path};
    QTest::mouseClick(d->MonOpen, Qt::LeftButton);
    QVERIFY2(s.prompter.shown.isEmpty(), qPrintable(s.prompter.shown.value(0).text));
    QCOMPARE(w->windowTitle(), QStringLiteral("Monitoring File : trace.mon (KDA1-2004P)"));
    QCOMPARE(s.main->session().monPath, dir.path());
    QCOMPARE(s.main->session().monFile, QStringLiteral("trace.mon"));
    MonitorChart *chart = d->Chart2;
    QCOMPARE(chart->pointCount(1), 40);
    QCOMPARE(chart->pointY(1, 3), 10 + 1.5 + 30);  // value x 1.0 + 30
    QCOMPARE(chart->pointY(3, 39), (30 + 19.5) * 2.0);
    QCOMPARE(chart->pointCount(0), 0);
    QVERIFY(!chart->line(0)->visible());
    QVERIFY(chart->line(3)->visible());
    QCOMPARE(chart->timePerDivision(), QStringLiteral("2.5"));
    QCOMPARE(chart->label(QStringLiteral("Label_ErrNo"))->text(), QStringLiteral("3"));
    QCOMPARE(d->XValMax->text(), QStringLiteral("200"));
    QCOMPARE(w->setting()->Level->text(), QStringLiteral("40"));
    QCOMPARE(w->setting()->AryMonName[3]->currentIndex(), 5);
    QCOMPARE(w->setting()->AryTCMax[3]->text(), QStringLiteral("2.0"));
    QCOMPARE(w->setting()->AryPlus[1]->text(), QStringLiteral("30"));
    QVERIFY(w->setting()->AryCheckBox[1]->isChecked() && !w->setting()->AryCheckBox[0]->isChecked());
    QCOMPARE(w->recording().SamplesTaken(), 39);

    // Saved again as a bare name with the .mon filter: the same samples and set-up.
    s.prompter.files = {dir.filePath(QStringLiteral("again"))};
    s.prompter.chosenFilters = {0};
    QTest::mouseClick(d->MonSave, Qt::LeftButton);
    QVERIFY(s.prompter.shown.isEmpty());
    QCOMPARE(s.prompter.offeredFilters.last(), 0);
    const QString again = dir.filePath(QStringLiteral("again.mon"));
    QCOMPARE(w->windowTitle(), QStringLiteral("Monitoring File : again.mon"));
    QCOMPARE(s.main->session().monFile, QStringLiteral("again.mon"));
    const QList<QByteArray> want = bytes.split('\n');
    const QList<QByteArray> got = readAll(again).split('\n');
    QCOMPARE(got.size(), want.size());
    // Lines 5..7 tell which checks the options arm on this drive; the rest is the recording.
    for (int n = 0; n < want.size(); ++n) {
        if (n < 4 || n > 6)
            QCOMPARE(got[n], want[n]);
    }
}

void tst_MonitorFileCommands::saveAsTable()
{
    Started s(vkr(""));
    TMonitoring *w = openMonitor(s);
    QTemporaryDir dir;
    s.prompter.files = {writeFile(dir, QStringLiteral("t.mon"), recording().build(CodePage::Windows1252))};
    w->files()->MonFileOpenClick();
    s.prompter.files = {dir.filePath(QStringLiteral("table"))};
    s.prompter.chosenFilters = {1};
    w->files()->MonFileClick();
    QVERIFY(s.prompter.shown.isEmpty());
    const QList<QByteArray> lines = readAll(dir.filePath(QStringLiteral("table.csv"))).split('\n');
    QCOMPARE(lines.size(), 6 + 40 + 1);
    QCOMPARE(lines[0], QByteArray("KDA1-2004P\r"));
    QVERIFY(lines[1].startsWith("Monitoring,-,"));
    QCOMPARE(lines[3], QByteArray("Offset,0,30,0,0,0,0,0,0,0,0\r"));
    QCOMPARE(lines[5], QByteArray("Communication errors : 3\r"));
    QCOMPARE(lines[7], QByteArray("500,0.000000,10.500000,0.000000,30.500000,0.000000,0.000000,0.000000,0.000000,"
                                  "0.000000,0.000000\r"));
    // A table does not name the window after it; the next dialog offers the table again.
    QCOMPARE(w->windowTitle(), QStringLiteral("Monitoring File : t.mon (KDA1-2004P)"));
    s.prompter.files.clear();
    w->files()->MonFileClick();
    QCOMPARE(s.prompter.offeredFilters.last(), 1);
}

void tst_MonitorFileCommands::legacyFileRestoresFiveChannels()
{
    Started s(vkr(""));
    TMonitoring *w = openMonitor(s);
    MonitorSettingTab *set = w->setting();
    set->AryCheckBox[6]->click();
    QVERIFY(set->AryCheckBox[6]->isChecked());
    QTemporaryDir dir;
    s.prompter.files = {writeFile(dir, QStringLiteral("old.mon"),
                                  "KDA1\r\n-2004P\r\n0,4,3,2,1,0\r\n0,150,20,5,,10\r\n0,0,10,,7,0\r\n"
                                  "1500,1,1,0,1,1\r\n0,1.5,2,3,4,5\r\n500,2.5,3,4,5,6\r\n")};
    w->files()->MonFileOpenClick();
    QVERIFY(s.prompter.shown.isEmpty());
    QCOMPARE(w->windowTitle(), QStringLiteral("Monitoring File : old.mon (KDA1-2004P)"));
    QCOMPARE(w->display()->XValMax->text(), QStringLiteral("150"));
    QCOMPARE(set->AryMonName[0]->currentIndex(), 4);
    QCOMPARE(set->AryTCMax[1]->text(), QStringLiteral("2.0"));
    QCOMPARE(set->AryPlus[3]->text(), QStringLiteral("7"));
    QVERIFY(!set->AryCheckBox[2]->isChecked());
    // CH6..CH10 keep their set-up; the file has no samples for them.
    QVERIFY(set->AryCheckBox[6]->isChecked());
    QCOMPARE(w->display()->Chart2->pointCount(6), 0);
    QCOMPARE(w->display()->Chart2->pointCount(0), 2);
    QCOMPARE(w->display()->Chart2->timePerDivision(), QStringLiteral("1.5"));
}

void tst_MonitorFileCommands::refusedFileKeepsTheChart_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    QTest::newRow("another drive type") << recording(QStringLiteral("KDB2")).build(CodePage::Windows1252)
                                        << QStringLiteral("The data belong to another inverter type.\n"
                                                          "KDB2-2004P (V100) is not the selected inverter type.");
    QByteArray otherCpu = recording().build(CodePage::Windows1252);
    otherCpu.replace("V100", "V110");
    QTest::newRow("another CPU version, Cancel")
        << otherCpu
        << QStringLiteral("The CPU version of the file differs from the selected CPU version. Open it anyway?\n"
                          "* KDA1-2004P (V110) is the inverter of the file.");
    QTest::newRow("samples that are not numbers")
        << recording().build(CodePage::Windows1252).replace("\r\n500,", "\r\nfive hundred,")
        << QStringLiteral("Data is incorrect.\nline 2: the time \"fivehundred\" is not a whole number");
}

void tst_MonitorFileCommands::refusedFileKeepsTheChart()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    Started s(vkr(""));
    TMonitoring *w = openMonitor(s);
    QTemporaryDir dir;
    s.prompter.files = {writeFile(dir, QStringLiteral("first.mon"), recording().build(CodePage::Windows1252)),
                        writeFile(dir, QStringLiteral("refused.mon"), bytes)};
    s.prompter.answers = {Prompter::Answer::Cancel};
    w->files()->MonFileOpenClick();
    const QString title = w->windowTitle();
    w->files()->MonFileOpenClick();
    QCOMPARE(s.prompter.shown.size(), 1);
    QCOMPARE(s.prompter.shown[0].text, message);
    QCOMPARE(w->windowTitle(), title);
    QCOMPARE(w->display()->Chart2->pointCount(1), 40);
    QCOMPARE(w->display()->XValMax->text(), QStringLiteral("200"));
    // The folder follows the dialog even when the file is refused.
    QCOMPARE(s.main->session().monFile, QStringLiteral("refused.mon"));
}

void tst_MonitorFileCommands::cancelledDialogsChangeNothing()
{
    Started s(vkr(""));
    TMonitoring *w = openMonitor(s);
    s.main->session().monPath = QStringLiteral("/nowhere");
    w->files()->MonFileOpenClick();
    w->files()->MonFileClick();
    QCOMPARE(s.prompter.fileDialogs, 2);
    QVERIFY(s.prompter.shown.isEmpty());
    QCOMPARE(w->windowTitle(), QStringLiteral("Monitoring"));
    QCOMPARE(s.main->session().monPath, QStringLiteral("/nowhere"));
}

void tst_MonitorFileCommands::failedSaveIsReported()
{
    Started s(vkr(""));
    TMonitoring *w = openMonitor(s);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("missing/folder/x.mon"));
    s.prompter.files = {path};
    w->files()->MonFileClick();
    QCOMPARE(s.prompter.shown.size(), 1);
    QVERIFY(s.prompter.shown[0].text.startsWith(QStringLiteral("Data is incorrect.\n") + path + QLatin1Char('\n')));
    QVERIFY(!QFile::exists(path));
    QCOMPARE(w->windowTitle(), QStringLiteral("Monitoring"));
}

void tst_MonitorFileCommands::continuousModeAllowsNoFile()
{
    Started s(vkr(""), LanguageSettings + "[Options]\r\nMonMode3=1\r\n");
    TMonitoring *w = openMonitor(s);
    QVERIFY(!w->display()->MonOpen->isEnabled());
    // Only pictures are saved in continuous mode: the window's chart picture.
    QVERIFY(w->display()->MonSave->isEnabled());
    w->files()->setPictureWriter({});
    QVERIFY(!w->display()->MonSave->isEnabled());
    QVERIFY(!w->display()->MonOpen->isEnabled());
}

QTEST_MAIN(tst_MonitorFileCommands)
#include "tst_MonitorFileCommands.moc"
