#include "SampleDrive.h"
#include "files/ParameterFile.h"
#include "files/ParameterFileOpen.h"
#include "model/ParameterValues.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(ParameterFileOpen::Result)
Q_DECLARE_METATYPE(QList<Prompter::Answer>)

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString value(const DriveData &data, const char *comNo, UPara::Column column = UPara::Value)
{
    const int i = data.IndexOfComNo(QString::fromLatin1(comNo));
    return i < 0 ? QStringLiteral("?") : data.uPara.at(i, column);
}

void setValue(SampleDrive &d, const char *comNo, const char *raw)
{
    const int i = d.data.IndexOfComNo(QString::fromLatin1(comNo));
    d.data.uPara.setAt(i, UPara::Value, QString::fromLatin1(raw));
    ParameterValues(d.data, d.messages, d.prompter).MarkChanged(QString::fromLatin1(comNo), QByteArray(raw).toDouble());
}

QStringList header(const char *type = "KDA1", const char *form = "-2004P", const char *cpu = "V100")
{
    return {"###", type, form, cpu, "English", "No Comments.", "0", "0"};
}

}  // namespace

class tst_ParameterFile : public QObject
{
    Q_OBJECT

private slots:
    void roundTripKeepsBytesAndValues();
    void emptyCommentSavedAsNoComments();
    void changedOnlyWritesChangedAndHidden();
    void open_data();
    void open();
    void formAnsweredNoKeepsCapacityValues_data();
    void formAnsweredNoKeepsCapacityValues();
    void openResetsMarksOfThePreviousSet();
    void badValueRefusedAtStart();
    void failedWriteKeepsPreviousFile();
    void hostileFilesNeverCrash_data();
    void hostileFilesNeverCrash();

private:
    QTemporaryDir m_tmp;
};

void tst_ParameterFile::roundTripKeepsBytesAndValues()
{
    SampleDrive d;
    QVERIFY(d.load());
    setValue(d, "0009", "250");
    setValue(d, "0011", "6000");
    d.data.uPara.setFlag(d.data.IndexOfComNo(u"0004"), UPara::SelectIndex, true);
    d.data.uPara.setFlag(d.data.IndexOfComNo(u"0005"), UPara::BlindIndex, true);
    const QString path = m_tmp.filePath(QStringLiteral("roundtrip.vkr"));
    const QStringList lines = ParameterFile::build(d.data, d.selection, QStringLiteral("Pump 3, line B"), true, 1, false);
    QVERIFY(ParameterFile::writeLines(path, d.selection.languagePrefix, lines));
    const QByteArray bytes = readAll(path);
    QVERIFY(bytes.startsWith("###\r\nKDA1\r\n-2004P\r\nV100\r\nEnglish\r\nPump 3, line B\r\n1\r\n1\r\n"));
    QCOMPARE(bytes.count("\r\n"), 8 + d.data.parameterCount());
    QVERIFY(!bytes.contains("\n\n"));
    QVERIFY(bytes.contains("\r\n0009,250,0,0\r\n"));
    QVERIFY(bytes.contains("\r\n0004,0,1,0\r\n"));

    SampleDrive e;
    QVERIFY(e.load());
    QStringList read;
    QVERIFY(ParameterFile::readLines(path, e.selection.languagePrefix, &read));
    ParameterFileOpen open(e.data, e.selection, e.messages, e.prompter);
    QCOMPARE(open.open(read), ParameterFileOpen::Result::Loaded);
    QVERIFY(e.prompter.shown.isEmpty());
    QCOMPARE(open.header().comment, QStringLiteral("Pump 3, line B"));
    QVERIFY(open.header().blindMode);
    QCOMPARE(open.header().blindCount, 1);
    for (int i = 0; i <= d.data.lastIndex; ++i) {
        for (UPara::Column c : {UPara::Value, UPara::SelectIndex, UPara::BlindIndex, UPara::ChangeIndex})
            QCOMPARE(e.data.uPara.at(i, c), d.data.uPara.at(i, c));
    }
    const QString again = m_tmp.filePath(QStringLiteral("again.vkr"));
    const ParameterFile &h = open.header();
    QVERIFY(ParameterFile::writeLines(
        again, e.selection.languagePrefix,
        ParameterFile::build(e.data, e.selection, h.comment, h.blindMode, h.blindCount, false)));
    QCOMPARE(readAll(again), bytes);
}

void tst_ParameterFile::emptyCommentSavedAsNoComments()
{
    SampleDrive d;
    QVERIFY(d.load());
    const QStringList lines = ParameterFile::build(d.data, d.selection, QString(), false, 0, false);
    QCOMPARE(lines.at(5), QStringLiteral("No Comments."));
    QCOMPARE(lines.at(6), QStringLiteral("0"));
    QCOMPARE(ParameterFile::parseHeader(lines).comment, QString());
}

void tst_ParameterFile::changedOnlyWritesChangedAndHidden()
{
    SampleDrive d;
    QVERIFY(d.load());
    QCOMPARE(ParameterFile::build(d.data, d.selection, QString(), false, 0, true).size(), 8);
    setValue(d, "0009", "250");
    setValue(d, "0011", "6000");
    QCOMPARE(ParameterFile::build(d.data, d.selection, QString(), false, 0, true).size(), 8 + 2);
    d.data.uPara.setFlag(d.data.IndexOfComNo(u"0005"), UPara::BlindIndex, true);
    const QStringList lines = ParameterFile::build(d.data, d.selection, QString(), false, 0, true);
    QCOMPARE(lines.mid(8), (QStringList{"0005,0,0,1", "0009,250,0,0", "0011,6000,0,0"}));
}

void tst_ParameterFile::open_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QList<Prompter::Answer>>("answers");
    QTest::addColumn<ParameterFileOpen::Result>("result");
    QTest::addColumn<QString>("firstMessage");  // start of the first message shown, empty: none
    QTest::addColumn<QString>("value0009");
    QTest::addColumn<QString>("select0009");

    using R = ParameterFileOpen::Result;
    using A = Prompter::Answer;
    const QString factory = QStringLiteral("100");
    QTest::newRow("current layout") << header() + QStringList{"0009,250,1,0"} << QList<A>{} << R::Loaded << ""
                                    << "250" << "1";
    QTest::newRow("empty line ends the parameters")
        << header() + QStringList{"0011,5000,0,0", "", "0009,250,0,0"} << QList<A>{} << R::Loaded << "" << factory << "0";
    QTest::newRow("two fields leave the marks at 0")
        << header() + QStringList{"0009,250"} << QList<A>{} << R::Loaded << "" << "250" << "0";
    QTest::newRow("older layout") << QStringList{"##", "KDA1", "-2004P", "c", "0", "0", "0009,30,1"} << QList<A>{}
                                  << R::Loaded << "" << "30" << "1";
    QTest::newRow("oldest layout asks nothing about the form")
        << QStringList{"#", "KDA1", "-4015P", "c", "0009,40"} << QList<A>{} << R::Loaded << "" << "40" << "0";
    QTest::newRow("other type refused") << header("KDB2") + QStringList{"0009,250"} << QList<A>{} << R::Refused
                                        << "The data belong to another inverter type.\nKDB2-2004P (V100) is not"
                                        << factory << "0";
    QTest::newRow("0998 not normal") << header() + QStringList{"0998,0"} << QList<A>{} << R::Refused
                                     << "0998 of this file is not in the normal setting.\n\nThis file" << factory
                                     << "0";
    QTest::newRow("0999 not normal") << header() + QStringList{"0998,1", "0999,3"} << QList<A>{} << R::Refused
                                     << "0999 of this file" << factory << "0";
    QTest::newRow("normal set-up numbers open")
        << header() + QStringList{"0998,1", "0999,2", "0009,7"} << QList<A>{} << R::Loaded << "" << "7" << "0";
    QTest::newRow("no mark") << QStringList{"KDA1", "0009,1"} << QList<A>{} << R::Refused << "Data is incorrect."
                             << factory << "0";
    QTest::newRow("configuration file") << QStringList{"<?xml?>", "<a>", "<b>", "<!-- Created By VKR410T -->"}
                                        << QList<A>{} << R::ConfigFile << "" << factory << "0";
    QTest::newRow("form question cancelled") << header("KDA1", "-2007P") + QStringList{"0009,250"}
                                             << QList<A>{A::Cancel} << R::Cancelled
                                             << "The inverter form of the file differs" << factory << "0";
    QTest::newRow("CPU question OK") << header("KDA1", "-2004P", "V110") + QStringList{"0009,250"}
                                     << QList<A>{A::Ok} << R::Loaded << "The CPU version of the file differs"
                                     << "250" << "0";
    QTest::newRow("CPU question cancelled") << header("KDA1", "-2004P", "V110") + QStringList{"0009,250"}
                                            << QList<A>{A::Cancel} << R::Cancelled << "The CPU version" << factory
                                            << "0";
    QTest::newRow("unknown number skipped") << header() + QStringList{"7777,1", "0009,250"} << QList<A>{A::Ok}
                                            << R::Loaded << "Data is incorrect.\nUnknown communication number : 7777"
                                            << "250" << "0";
    QTest::newRow("value that is no number refused")
        << header() + QStringList{"0009,250", "0011,abc"} << QList<A>{} << R::Refused << "Data is incorrect.\n10: 0011,abc"
        << factory << "0";
    QTest::newRow("value beyond 16 bits refused")
        << header() + QStringList{"0009,250", "0011,65536"} << QList<A>{} << R::Refused << "Data is incorrect.\n10: 0011"
        << factory << "0";
    QTest::newRow("negative value of an unsigned parameter refused")
        << header() + QStringList{"0009,-1"} << QList<A>{} << R::Refused << "Data is incorrect.\n9: 0009,-1" << factory
        << "0";
    QTest::newRow("decimal value refused") << header() + QStringList{"0009,2.5"} << QList<A>{} << R::Refused
                                           << "Data is incorrect." << factory << "0";
    QTest::newRow("empty value refused") << header() + QStringList{"0009,,1"} << QList<A>{} << R::Refused
                                         << "Data is incorrect." << factory << "0";
    QTest::newRow("bad value refused before the form question")
        << header("KDA1", "-2007P") + QStringList{"0009,x"} << QList<A>{A::Yes} << R::Refused << "Data is incorrect."
        << factory << "0";
    QTest::newRow("largest 16-bit value loads")
        << header() + QStringList{"0011,65535", "0009,250"} << QList<A>{} << R::Loaded << "" << "250" << "0";
    QTest::newRow("unknown number stops") << header() + QStringList{"0011,5000", "7777,1", "0009,250"}
                                          << QList<A>{A::Cancel} << R::Stopped << "Data is incorrect.\nUnknown"
                                          << factory << "0";
}

void tst_ParameterFile::open()
{
    QFETCH(QStringList, lines);
    QFETCH(QList<Prompter::Answer>, answers);
    QFETCH(ParameterFileOpen::Result, result);
    QFETCH(QString, firstMessage);
    QFETCH(QString, value0009);
    QFETCH(QString, select0009);

    SampleDrive d;
    QVERIFY(d.load());
    QCOMPARE(value(d.data, "0009"), QStringLiteral("100"));
    d.prompter.answers = answers;
    ParameterFileOpen open(d.data, d.selection, d.messages, d.prompter);
    QCOMPARE(open.open(lines), result);
    if (firstMessage.isEmpty()) {
        QVERIFY(d.prompter.shown.isEmpty());
    } else {
        QVERIFY(!d.prompter.shown.isEmpty());
        QVERIFY2(d.prompter.shown.first().text.startsWith(firstMessage), qPrintable(d.prompter.shown.first().text));
        QCOMPARE(d.prompter.shown.first().caption, d.messages.caption());
    }
    QCOMPARE(value(d.data, "0009"), value0009);
    QCOMPARE(value(d.data, "0009", UPara::SelectIndex), select0009);
    QCOMPARE(value(d.data, "0009", UPara::ChangeIndex), QString::fromLatin1(value0009 == "100" ? "0" : "1"));
    if (result == ParameterFileOpen::Result::Stopped)
        QCOMPARE(value(d.data, "0011"), QStringLiteral("5000"));
}

void tst_ParameterFile::formAnsweredNoKeepsCapacityValues_data()
{
    QTest::addColumn<Prompter::Answer>("answer");
    QTest::addColumn<bool>("fileCapacity");
    QTest::newRow("Yes loads the capacity values") << Prompter::Answer::Yes << true;
    QTest::newRow("No keeps the drive's capacity values") << Prompter::Answer::No << false;
}

void tst_ParameterFile::formAnsweredNoKeepsCapacityValues()
{
    QFETCH(Prompter::Answer, answer);
    QFETCH(bool, fileCapacity);
    SampleDrive d;
    QVERIFY(d.load());
    QVERIFY(d.data.capPara.contains(QStringLiteral("0405")));
    const QString own = value(d.data, "0405");
    d.prompter.answers = {answer};
    ParameterFileOpen open(d.data, d.selection, d.messages, d.prompter);
    QCOMPARE(open.open(header("KDA1", "-2007P") + QStringList{"0405,12345,0,0", "0009,250,0,0", "0004,3,0,0"}),
             ParameterFileOpen::Result::Loaded);
    QCOMPARE(d.prompter.shown.size(), 1);
    QCOMPARE(d.prompter.shown.first().buttons, Prompter::Buttons::YesNoCancel);
    QCOMPARE(value(d.data, "0405"), fileCapacity ? QStringLiteral("12345") : own);
    // 0009 takes its factory value from a capacity parameter, so it stays with the drive too.
    QCOMPARE(value(d.data, "0009"), fileCapacity ? QStringLiteral("250") : QStringLiteral("100"));
    QCOMPARE(value(d.data, "0004"), QStringLiteral("3"));
}

void tst_ParameterFile::openResetsMarksOfThePreviousSet()
{
    SampleDrive d;
    QVERIFY(d.load());
    ParameterFileOpen open(d.data, d.selection, d.messages, d.prompter);
    QCOMPARE(open.open(header() + QStringList{"0004,3,1,0", "0005,2,0,1", "0011,6000,1,1"}),
             ParameterFileOpen::Result::Loaded);
    QCOMPARE(value(d.data, "0005", UPara::BlindIndex), QStringLiteral("1"));
    d.data.uPara.setFlag(d.data.IndexOfComNo(u"0004"), UPara::CommErrIndex, true);

    QCOMPARE(open.open(header() + QStringList{"0009,250,0,1"}), ParameterFileOpen::Result::Loaded);
    for (const char *comNo : {"0004", "0005", "0011"}) {
        for (UPara::Column c : {UPara::SelectIndex, UPara::BlindIndex, UPara::ChangeIndex, UPara::CommErrIndex})
            QCOMPARE(value(d.data, comNo, c), QStringLiteral("0"));
    }
    QCOMPARE(value(d.data, "0011"), QStringLiteral("8000"));
    QCOMPARE(value(d.data, "0009", UPara::BlindIndex), QStringLiteral("1"));
}

void tst_ParameterFile::badValueRefusedAtStart()
{
    SampleDrive d;
    QVERIFY(d.load());
    ParameterFileOpen open(d.data, d.selection, d.messages, d.prompter);
    QCOMPARE(open.openAtStart(header() + QStringList{"0009,250", "0011,abc"}), ParameterFileOpen::Result::Refused);
    QCOMPARE(value(d.data, "0009"), QStringLiteral("100"));
    QCOMPARE(d.prompter.shown.size(), 1);
    QCOMPARE(d.prompter.shown.first().text, QStringLiteral("Data is incorrect.\n10: 0011,abc"));
}

void tst_ParameterFile::failedWriteKeepsPreviousFile()
{
    const QString path = m_tmp.filePath(QStringLiteral("kept.vkr"));
    QVERIFY(ParameterFile::writeLines(path, QStringLiteral("Eng"), {"###", "previous"}));
    // A folder in the way of the temporary file's rename makes the save fail.
    QVERIFY(QDir(m_tmp.path()).mkpath(QStringLiteral("blocked.vkr/inner")));
    QString error;
    QVERIFY(!ParameterFile::writeLines(m_tmp.filePath(QStringLiteral("blocked.vkr")), QStringLiteral("Eng"),
                                       {"###"}, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!ParameterFile::writeLines(m_tmp.filePath(QStringLiteral("missing/x.vkr")), QStringLiteral("Eng"),
                                       {"###"}, &error));
    QCOMPARE(readAll(path), QByteArray("###\r\nprevious\r\n"));
}

void tst_ParameterFile::hostileFilesNeverCrash_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<ParameterFileOpen::Result>("result");
    using R = ParameterFileOpen::Result;
    QTest::newRow("empty file") << QByteArray() << R::Refused;
    QTest::newRow("mark only") << QByteArray("###") << R::Refused;
    QTest::newRow("header only") << QByteArray("###\r\nKDA1\r\n-2004P\r\nV100\r\n") << R::Loaded;
    QTest::newRow("NUL bytes") << QByteArray("###\r\nKDA1\r\n-2004P\r\nV100\r\nEn\0g\r\nc\r\n0\r\n0\r\n00\0" "09,1\r\n", 48)
                               << R::Stopped;
    QTest::newRow("overlong line") << QByteArray("###\r\nKDA1\r\n-2004P\r\nV100\r\nE\r\nc\r\n0\r\n0\r\n0009,")
                                          + QByteArray(1 << 20, '9') << R::Refused;
    QTest::newRow("garbage") << QByteArray("\xff\xfe\x01,,,\"\"\"\r\n\n\r", 11) << R::Refused;
    QTest::newRow("commas only") << QByteArray("###\r\nKDA1\r\n-2004P\r\nV100\r\nE\r\nc\r\nx\r\n-1\r\n,,,,,\r\n") << R::Stopped;
}

void tst_ParameterFile::hostileFilesNeverCrash()
{
    QFETCH(QByteArray, bytes);
    QFETCH(ParameterFileOpen::Result, result);
    SampleDrive d;
    QVERIFY(d.load());
    const QString path = m_tmp.filePath(QStringLiteral("hostile.vkr"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();
    QStringList lines;
    QVERIFY(ParameterFile::readLines(path, d.selection.languagePrefix, &lines));
    ParameterFileOpen open(d.data, d.selection, d.messages, d.prompter);
    QCOMPARE(open.open(lines), result);
}

QTEST_GUILESS_MAIN(tst_ParameterFile)
#include "tst_ParameterFile.moc"
