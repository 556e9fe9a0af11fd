#include "ModelFixture.h"
#include "app/AppFolders.h"
#include "app/DriveSelection.h"
#include "app/MessageTable.h"
#include "base/CodePage.h"
#include "base/IniFile.h"
#include "base/ScriptedPrompter.h"
#include "model/DriveLoader.h"
#include "model/ModelInfo.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString ModelFixture = QStringLiteral(VKR_TEST_DATA "/model/dat/KD100(V1)");

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray crlf(const QStringList &lines, CodePage page = CodePage::Windows1252)
{
    return CodePages::encode(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"), page);
}

}  // namespace

class tst_DriveLoader : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void definitionLine_data();
    void definitionLine();
    void userParameters_data();
    void userParameters();
    void listEnds_data();
    void listEnds();
    void capacities();
    void modelInfoKeys();
    void loadsModelFolder();
    void definitionFileMissing_data();
    void definitionFileMissing();
    void capacityFileMissing_data();
    void capacityFileMissing();
    void shiftJisNamesKept();
    void badDIndexAsksForSelection();
    void unusableFilesGiveFewestRows_data();
    void unusableFilesGiveFewestRows();

private:
    void copyModel(const QString &to);
    DriveLoader::Result load(ScriptedPrompter &prompter);

    MessageTable m_messages;
    QTemporaryDir m_tmp;
    AppFolders m_folders;
    DriveSelection m_sel;
    DriveData m_data;
};

void tst_DriveLoader::initTestCase()
{
    QVERIFY(m_messages.load(IniFile(QStringLiteral(VKR_TEST_DATA "/model/lng/English.ini"))));
}

void tst_DriveLoader::copyModel(const QString &to)
{
    QDir().mkpath(to);
    for (const QString &name : QDir(ModelFixture).entryList(QDir::Files))
        QVERIFY(QFile::copy(ModelFixture + '/' + name, to + '/' + name));
}

void tst_DriveLoader::init()
{
    QVERIFY(m_tmp.isValid());
    const QString root = m_tmp.path() + QStringLiteral("/") + QTest::currentTestFunction()
        + QString::fromLatin1(QTest::currentDataTag()).replace(' ', '_');
    m_folders = AppFolders();
    m_folders.setAppFolder(root);
    m_sel = DriveSelection();
    m_sel.typeName = QStringLiteral("KD100");
    m_sel.cpuVersion = QStringLiteral("V1");
    m_sel.formName = QStringLiteral("-2015");
    m_sel.languageName = QStringLiteral("English");
    m_sel.languagePrefix = QStringLiteral("Eng");
    copyModel(root + QStringLiteral("/dat/KD100(V1)"));
    m_folders.setModel(m_sel.typeName, m_sel.cpuVersion);
    m_data = DriveData();
}

DriveLoader::Result tst_DriveLoader::load(ScriptedPrompter &prompter)
{
    return DriveLoader::load(m_folders, m_sel, m_messages, prompter, m_data);
}

void tst_DriveLoader::definitionLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("columns");  // columns 0 to 16

    QTest::newRow("example line with quoted name")
        << "0001,0,600,F001,\"Max freq\",Hz,2,0,0,4000,0,300,#.#,10,RAM,1,1"
        << QStringList{"0001", "0", "600", "F001", "Max freq", "Hz", "2", "0", "0", "4000", "0", "300", "#.#", "10",
                       "RAM", "1", "1"};
    QTest::newRow("example line without quotes")
        << "0001,0,600,F001,Max freq,Hz,2,0,0,4000,0,300,#.#,10,RAM,1,1"
        << QStringList{"0001", "0", "600", "F001", "Maxfreq", "Hz", "2", "0", "0", "4000", "0", "300", "#.#", "10",
                       "RAM", "1", "1"};
    QTest::newRow("15 commas: last field is Flag, empty 13-15 get defaults")
        << "0002,0,5,F002,Name,Hz,2,0,0,10,0,0,,,,7"
        << QStringList{"0002", "0", "5", "F002", "Name", "Hz", "2", "0", "0", "10", "0", "0", "#", "1", "-", "7", "0"};
    QTest::newRow("quoted comma kept") << "0003,0,1,F003,\"a, b\",x,2,0,0,1,0,0,#,1,RAM,1,0"
                                       << QStringList{"0003", "0", "1", "F003", "a, b", "x", "2", "0", "0", "1", "0",
                                                      "0", "#", "1", "RAM", "1", "0"};
    QTest::newRow("more than 17 fields: the last is Quick")
        << "0004,0,1,F004,N,x,2,0,0,1,0,0,#,1,RAM,1,0,extra,more,9"
        << QStringList{"0004", "0", "1", "F004", "N", "x", "2", "0", "0", "1", "0", "0", "#", "1", "RAM", "1", "9"};
    QTest::newRow("few fields: last is Flag, rest empty with defaults")
        << "0005,1,0001" << QStringList{"0005", "1", "", "", "", "", "", "", "", "", "", "", "#", "1", "-", "0001", "0"};
    QTest::newRow("no comma at all") << "garbage text"
                                     << QStringList{"", "", "", "", "", "", "", "", "", "", "", "", "#", "1", "-",
                                                    "garbagetext", "0"};
}

void tst_DriveLoader::definitionLine()
{
    QFETCH(QString, line);
    QFETCH(QStringList, columns);
    DriveData data;
    loadDefs(data, {{.comNo = "9999", .def = "stale", .tMul = "#.##"}});  // an earlier drive
    DefinitionParser::parseDefinitions({QStringLiteral("0000,0,0,F000,A,,2,0,0,1,0,0,#,1,RAM,1,0"), line},
                                       QStringLiteral("0*"), data);
    QCOMPARE(data.lastIndex, 1);
    QCOMPARE(data.paraDat.row(2).mid(0, 17), columns);
    QCOMPARE(data.paraDat.at(1, ParaDat::No), QStringLiteral("1"));
    QCOMPARE(data.paraDat.rowCount(), 3);
    QCOMPARE(data.paraDat.row(0), ParaDat::titles());
}

void tst_DriveLoader::userParameters_data()
{
    QTest::addColumn<QString>("disp");
    QTest::addColumn<int>("lastUserIndex");

    QTest::newRow("no extra prefix") << "0*" << 249;
    QTest::newRow("F0 counts as user parameters") << "F0" << 269;
    QTest::newRow("prefix that no number has") << "E1" << 249;
}

void tst_DriveLoader::userParameters()
{
    QFETCH(QString, disp);
    QFETCH(int, lastUserIndex);
    QStringList lines;
    for (int i = 1; i <= 250; ++i)
        lines.append(Def{.comNo = QStringLiteral("%1").arg(i, 4, 10, QLatin1Char('0'))}.line());
    for (int i = 1; i <= 20; ++i)
        lines.append(Def{.comNo = QStringLiteral("F%1").arg(i, 3, 10, QLatin1Char('0'))}.line());
    DriveData data;
    DefinitionParser::parseDefinitions(lines, disp, data);
    QCOMPARE(data.lastIndex, 269);
    QCOMPARE(data.lastUserIndex, lastUserIndex);
    QCOMPARE(data.IndexOfComNo(u"F020"), 269);
}

void tst_DriveLoader::listEnds_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("shortAt");  // -1: none
    QTest::addColumn<int>("lastIndex");

    QTest::newRow("2500 lines give 2000 parameters") << 2500 << -1 << 1999;
    QTest::newRow("exactly 2000") << 2000 << -1 << 1999;
    QTest::newRow("short line ends the list") << 10 << 4 << 3;
    QTest::newRow("short first line: no parameters") << 10 << 0 << -1;
}

void tst_DriveLoader::listEnds()
{
    QFETCH(int, lines);
    QFETCH(int, shortAt);
    QFETCH(int, lastIndex);
    QStringList text;
    for (int i = 0; i < lines; ++i)
        text.append(i == shortAt ? QStringLiteral("0,0,0") : Def{.comNo = QString::number(i, 16).rightJustified(4, '0')}.line());
    DriveData data;
    DefinitionParser::parseDefinitions(text, QStringLiteral("0*"), data);
    QCOMPARE(data.lastIndex, lastIndex);
    QCOMPARE(data.paraDat.rowCount(), lastIndex + 2);
    QCOMPARE(data.comNoList().text().size(), qsizetype(5 * (lastIndex + 1)));
}

void tst_DriveLoader::capacities()
{
    DriveData data;
    loadDefs(data, {{.comNo = "0601", .def = "35"},
                    {.comNo = "0003", .dIndex = "1", .def = "0601"},
                    {.comNo = "0004", .dIndex = "1", .def = "0003"},
                    {.comNo = "0005", .def = "0601"}});
    DefinitionParser::parseCapacities({"0601,55", "0999,7", "0005, 9 ", "", "0004,1"}, data);
    QCOMPARE(data.capPara, (QStringList{"0601", "0999", "0005"}));
    QCOMPARE(data.paraDat.at(0, ParaDat::Default), QStringLiteral("55"));
    QCOMPARE(data.paraDat.at(3, ParaDat::Default), QStringLiteral("9"));
    QCOMPARE(data.paraDat.at(2, ParaDat::Default), QStringLiteral("0003"));
    DefinitionParser::applyModelInfo(ModelInfo(), data);
    QCOMPARE(data.capParaR, QStringList{"0003"});
    QVERIFY(data.listBuff.isEmpty());
}

void tst_DriveLoader::modelInfoKeys()
{
    const ModelInfo info(m_folders.infoFile);
    QCOMPARE(info.type(), QStringLiteral("KD100"));
    QCOMPARE(info.cpu(), QStringLiteral("V1"));
    QCOMPARE(info.quick(), 1);
    QCOMPARE(info.dispCvKeys(), (QStringList{"0301", "0302"}));
    QCOMPARE(info.dispCv(QStringLiteral("0302")), QStringLiteral("V"));
    QCOMPARE(info.dispCv(QStringLiteral("0001")), QString());
    const ModelInfo missing(m_folders.modelFolder + QStringLiteral("/none.ini"));
    QCOMPARE(missing.type(), QStringLiteral("-"));
    QCOMPARE(missing.cpu(), QStringLiteral("-"));
    QCOMPARE(missing.disp(), QStringLiteral("0*"));
    QCOMPARE(missing.quick(), 0);
    QCOMPARE(missing.mldFilter(), false);
    QCOMPARE(missing.mldId(), QStringLiteral("-"));
    QCOMPARE(missing.specialSetup(), false);
    QCOMPARE(missing.option(2), 0);
    QCOMPARE(missing.unit(), 0);
}

void tst_DriveLoader::loadsModelFolder()
{
    ScriptedPrompter prompter;
    m_sel.decimalComma = true;
    QCOMPARE(load(prompter), DriveLoader::Result::Loaded);
    QVERIFY(prompter.shown.isEmpty());
    QCOMPARE(m_data.lastIndex, 10);
    QCOMPARE(m_data.lastUserIndex, 8);
    QVERIFY(m_data.decimalComma);
    const int accel = m_data.IndexOfComNo(u"0003");
    QCOMPARE(m_data.uPara.at(accel, UPara::Value), QStringLiteral("55"));
    QCOMPARE(m_data.paraDat.at(accel, ParaDat::Memory), QStringLiteral("-"));
    QCOMPARE(m_data.uPara.at(m_data.IndexOfComNo(u"0004"), UPara::LValue), QStringLiteral("-600"));
    QCOMPARE(m_data.uPara.at(m_data.IndexOfComNo(u"0002"), UPara::HValue), QStringLiteral("600"));
    QCOMPARE(m_data.paraDat.at(m_data.IndexOfComNo(u"0004"), ParaDat::FTitle), QStringLiteral("Bias, offset"));
    QCOMPARE(m_data.paraDat.at(m_data.IndexOfComNo(u"FE70"), ParaDat::Default), QStringLiteral("320"));
    QCOMPARE(m_data.capPara, (QStringList{"0601", "FE70"}));
    QCOMPARE(m_data.capParaR, QStringList{"0003"});
    QCOMPARE(m_data.listBuff, (QStringList{"0301", "0302"}));
    QCOMPARE(m_data.paraDat.at(m_data.IndexOfComNo(u"0301"), ParaDat::CurrentVoltIndex), QStringLiteral("C"));
    QCOMPARE(m_data.paraDat.at(m_data.IndexOfComNo(u"0302"), ParaDat::CurrentVoltIndex), QStringLiteral("V"));
    QCOMPARE(m_data.paraDat.at(0, ParaDat::CurrentVoltIndex), QString());
}

void tst_DriveLoader::definitionFileMissing_data()
{
    QTest::addColumn<bool>("pick");
    QTest::addColumn<int>("result");
    QTest::addColumn<QList<int>>("messages");

    QTest::newRow("dialog cancelled") << false << int(DriveLoader::Result::StartupFailed) << QList<int>{6, 85};
    QTest::newRow("file picked in another folder") << true << int(DriveLoader::Result::Loaded) << QList<int>{6};
}

void tst_DriveLoader::definitionFileMissing()
{
    QFETCH(bool, pick);
    QFETCH(int, result);
    QFETCH(QList<int>, messages);
    const QString elsewhere = m_folders.appFolder + QStringLiteral("/elsewhere");
    copyModel(elsewhere);
    QVERIFY(QFile::rename(elsewhere + "/KD100(Eng).inv", elsewhere + "/picked.inv"));
    IniFile(elsewhere + "/Info.ini").writeString("Info", "Cpu", "V7");
    QVERIFY(QFile::remove(m_folders.modelFolder + "/KD100(Eng).inv"));
    const QString oldModel = m_folders.modelFolder;

    ScriptedPrompter prompter;
    if (pick)
        prompter.files = {elsewhere + "/picked.inv"};
    QCOMPARE(int(load(prompter)), result);
    QCOMPARE(prompter.fileDialogs, 1);
    QList<int> shown;
    for (const auto &s : prompter.shown) {
        for (int k : {6, 85}) {
            if (s.text == m_messages.text(k))
                shown.append(k);
        }
        QCOMPARE(s.caption, m_messages.caption());
        QCOMPARE(s.icon, Prompter::Icon::Warning);
    }
    QCOMPARE(shown, messages);
    if (pick) {
        QCOMPARE(QFileInfo(m_folders.modelFolder).canonicalFilePath(), QFileInfo(elsewhere).canonicalFilePath());
        QCOMPARE(m_sel.cpuVersion, QStringLiteral("V7"));
        QCOMPARE(m_sel.typeName, QStringLiteral("KD100"));
        QCOMPARE(m_data.lastIndex, 10);
    } else {
        QCOMPARE(m_folders.modelFolder, oldModel);
    }
}

void tst_DriveLoader::capacityFileMissing_data()
{
    QTest::addColumn<QString>("picked");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("lastMessage");
    QTest::addColumn<QString>("form");

    QTest::newRow("cancelled") << "" << int(DriveLoader::Result::StartupFailed) << 85 << "-2015";
    QTest::newRow("other form of the same type") << "KD100-4037.cap" << int(DriveLoader::Result::Loaded) << 7
                                                 << "-4037";
    QTest::newRow("another type") << "KD200-2015.cap" << int(DriveLoader::Result::StartupFailed) << 9 << "-2015";
    QTest::newRow("name without a form") << "KD100.cap" << int(DriveLoader::Result::StartupFailed) << 9 << "-2015";
}

void tst_DriveLoader::capacityFileMissing()
{
    QFETCH(QString, picked);
    QFETCH(int, result);
    QFETCH(int, lastMessage);
    QFETCH(QString, form);
    const QString capFolder = m_folders.appFolder + QStringLiteral("/caps");
    QDir().mkpath(capFolder);
    QVERIFY(QFile::rename(m_folders.modelFolder + "/KD100-2015.cap", capFolder + "/KD100-4037.cap"));
    QVERIFY(QFile::copy(capFolder + "/KD100-4037.cap", capFolder + "/KD200-2015.cap"));
    ScriptedPrompter prompter;
    if (!picked.isEmpty())
        prompter.files = {capFolder + '/' + picked};
    QCOMPARE(int(load(prompter)), result);
    QCOMPARE(prompter.shown.first().text, m_messages.text(7));
    QCOMPARE(prompter.shown.last().text, m_messages.text(lastMessage));
    QCOMPARE(m_sel.formName, form);
    if (result == int(DriveLoader::Result::Loaded))
        QCOMPARE(m_data.paraDat.at(m_data.IndexOfComNo(u"0601"), ParaDat::Default), QStringLiteral("55"));
}

void tst_DriveLoader::shiftJisNamesKept()
{
    const QString name = QString::fromUtf8("最高周波数 (上限)");
    const QString unit = QString::fromUtf8("ヘルツ");
    const QStringList lines{QStringLiteral("0001,0,600,F001,\"%1\",%2,2,0,0,4000,0,300,#.#,10,RAM,1,1").arg(name, unit),
                            QString::fromUtf8("0002,0,1,F002,表示,-,2,0,0,1,0,0,#,1,RAM,1,0")};
    const QByteArray bytes = crlf(lines, CodePage::ShiftJis);
    QVERIFY(bytes.contains("\x8d\xc5"));  // the lead and trail bytes of the first ideograph
    QVERIFY(writeBytes(m_folders.modelFolder + "/KD100(Jap).inv", bytes));
    m_sel.languageName = QStringLiteral("Japanese");
    m_sel.languagePrefix = QStringLiteral("Jap");
    ScriptedPrompter prompter;
    QCOMPARE(load(prompter), DriveLoader::Result::Loaded);
    QCOMPARE(m_data.lastIndex, 1);
    QCOMPARE(m_data.paraDat.at(0, ParaDat::FTitle), name);
    QCOMPARE(m_data.paraDat.at(0, ParaDat::Unit), unit);
    QCOMPARE(m_data.paraDat.at(1, ParaDat::FTitle), QString::fromUtf8("表示"));
    QCOMPARE(m_data.paraDat.at(0, ParaDat::Quick), QStringLiteral("1"));
}

void tst_DriveLoader::badDIndexAsksForSelection()
{
    QVERIFY(writeBytes(m_folders.modelFolder + "/KD100(Eng).inv",
                       crlf({"0001,0,600,F001,A,Hz,2,0,0,4000,0,300,#.#,10,RAM,1,1",
                             "0002,yes,600,F001,A,Hz,2,0,0,4000,0,300,#.#,10,RAM,1,1"})));
    ScriptedPrompter prompter;
    QCOMPARE(load(prompter), DriveLoader::Result::SelectAgain);
    QCOMPARE(prompter.shown.size(), 1);
    QCOMPARE(prompter.shown.first().text, m_messages.text(67));
}

void tst_DriveLoader::unusableFilesGiveFewestRows_data()
{
    QTest::addColumn<QByteArray>("definitions");
    QTest::addColumn<QByteArray>("capacities");
    QTest::addColumn<int>("lastIndex");

    QByteArray garbage(4096, '\0');
    QRandomGenerator rng(1234);
    for (char &c : garbage)
        c = char(rng.bounded(256));
    const QByteArray good = crlf({"0001,0,600,F001,A,Hz,2,0,0,4000,0,300,#.#,10,RAM,1,1"});
    QTest::newRow("empty definition file") << QByteArray() << QByteArray("0001,5\r\n") << -1;
    QTest::newRow("empty capacity file") << good << QByteArray() << 0;
    QTest::newRow("capacity lines without commas") << good << QByteArray("0001\r\n,\r\n\"\r\n") << 0;
    QTest::newRow("only line ends") << QByteArray("\r\n\r\n\n\r") << QByteArray("\r\n") << -1;
    QTest::newRow("binary garbage") << garbage << garbage << -2;
    QTest::newRow("NUL bytes in a line") << QByteArray("0001,0\0\0\0,600,F,A\r\n", 20) << garbage << -2;
}

void tst_DriveLoader::unusableFilesGiveFewestRows()
{
    QFETCH(QByteArray, definitions);
    QFETCH(QByteArray, capacities);
    QFETCH(int, lastIndex);
    QVERIFY(writeBytes(m_folders.modelFolder + "/KD100(Eng).inv", definitions));
    QVERIFY(writeBytes(m_folders.modelFolder + "/KD100-2015.cap", capacities));
    ScriptedPrompter prompter;
    const DriveLoader::Result result = load(prompter);
    QCOMPARE(prompter.fileDialogs, 0);
    if (lastIndex >= -1) {
        QCOMPARE(m_data.lastIndex, lastIndex);
        QCOMPARE(result, DriveLoader::Result::Loaded);
    }
    QCOMPARE(m_data.paraDat.rowCount(), m_data.lastIndex + 2);
    QVERIFY(m_data.uPara.rowCount() <= m_data.lastIndex + 2);
}

QTEST_GUILESS_MAIN(tst_DriveLoader)
#include "tst_DriveLoader.moc"
