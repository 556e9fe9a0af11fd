#include "ConfigDrive.h"
#include "comm/Crc16.h"
#include "files/ConfigFile.h"
#include "files/ConfigFileOpen.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(ConfigFileOpen::Result)

namespace {

const QByteArray TwoParameterFile =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<n1:SystemConfigurationFile SystemCfgTransferMode=\"KSL\">\n"
    "<SystemConfigurationFilecomment>\n"
    "Created By VKR410T\n"
    "</SystemConfigurationFilecomment>\n"
    "<Device DeviceSlot=\"0\" DeviceID=\"-\">\n"
    "<DeviceCompatibilityData>\n"
    "FB070029FB050001FB720000FE080064\n"
    "</DeviceCompatibilityData>\n"
    "<ConfigurationSlot ConfigurationSlotID=\"0\">\n"
    "<CfgFile DataSize=\"16\" CfgFileID=\"0.0.0.1\">\n"
    "<Data>\n"
    "0001000a0002012c</Data>\n"
    "</CfgFile>\n"
    "</ConfigurationSlot>\n"
    "</Device>\n"
    "</n1:SystemConfigurationFile>\n"
    // Worked out apart from the program, bit by bit.
    "<!--ChecksumData::006B-->\n"
    "\r\n";

QStringList lines(const QByteArray &bytes)
{
    return QString::fromUtf8(bytes).split(QLatin1Char('\n'));
}

// The KDC3 set with values in all three families, as a configuration file.
QByteArray savedSet(ConfigDrive &d)
{
    d.set(QStringLiteral("0001"), QStringLiteral("1"));
    d.set(QStringLiteral("A005"), QStringLiteral("7"));
    d.set(QStringLiteral("C002"), QStringLiteral("12"));
    return ConfigFile::build(d.data, d.selection, QStringLiteral("KDC3-CFG-01"));
}

}  // namespace

class tst_ConfigFile : public QObject
{
    Q_OBJECT

private slots:
    void checksumIsMcrf4xx();
    void twoParametersGiveTheLayoutByteForByte();
    void blocks_data();
    void blocks();
    void valuesThatDoNotFitAreLeftOutAndNamed();
    void checksumFollowsEveryEarlierByte();
    void xmllintAcceptsWrittenFiles();
    void savedSetOpensWithTheSameValues();
    void open_data();
    void open();
    void cutShortFileIsNeverReadHalf();
    void configValueOf();

private:
    QTemporaryDir m_tmp;
};

void tst_ConfigFile::checksumIsMcrf4xx()
{
    QCOMPARE(Crc16::mcrf4xx("123456789"), uint16_t(0x6F91));
    QCOMPARE(ConfigFile::checksumText("123456789"), QStringLiteral("6F91"));
    QCOMPARE(Crc16::modbus(QByteArray("123456789")), uint16_t(0x4B37));
}

void tst_ConfigFile::twoParametersGiveTheLayoutByteForByte()
{
    ConfigDrive d;
    d.define({QStringLiteral("0001"), QStringLiteral("0002")});
    d.set(QStringLiteral("0001"), QStringLiteral("10"));
    d.set(QStringLiteral("0002"), QStringLiteral("300"));
    QCOMPARE(ConfigFile::build(d.data, d.selection, QStringLiteral("-")), TwoParameterFile);
    QCOMPARE(ConfigFile::check(TwoParameterFile).integrity, ConfigFile::Integrity::Sound);
}

void tst_ConfigFile::blocks_data()
{
    QTest::addColumn<QStringList>("comNos");
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QByteArray>("expected");  // a piece of the file
    QTest::addColumn<QByteArray>("absent");    // must not be in it

    QTest::newRow("group 1 upper-case value") << QStringList{"A005"} << QStringList{"255"}
        << QByteArray("<CfgFile DataSize=\"8\" CfgFileID=\"0.0.1.1\">\n<Data>\na00500FF</Data>\n") << QByteArray("A005");
    QTest::newRow("group 2 key lower-case") << QStringList{"C123"} << QStringList{"43981"}
        << QByteArray("CfgFileID=\"0.0.2.2\">\n<Data>\nc123ABCD</Data>") << QByteArray("abcd");
    QTest::newRow("tenth hundred is block 16") << QStringList{"0900", "0998", "0999"} << QStringList{"0", "1", "2"}
        << QByteArray("<CfgFile DataSize=\"24\" CfgFileID=\"0.0.0.16\">\n<Data>\n090000000998000109990002</Data>")
        << QByteArray("0.0.0.10\"");
    QTest::newRow("negative value left out") << QStringList{"0001", "0002"} << QStringList{"-5", "3"}
        << QByteArray("DataSize=\"8\" CfgFileID=\"0.0.0.1\">\n<Data>\n00020003</Data>") << QByteArray("<Data>\n0001");
    QTest::newRow("hundreds ascending, groups in order")
        << QStringList{"C001", "0250", "A100", "0001"} << QStringList{"1", "2", "3", "4"}
        << QByteArray("0.0.0.1\">\n<Data>\n00010004</Data>\n</CfgFile>\n<CfgFile DataSize=\"8\" CfgFileID=\"0.0.0.3\">"
                      "\n<Data>\n02500002</Data>\n</CfgFile>\n<CfgFile DataSize=\"8\" CfgFileID=\"0.0.1.2\">\n<Data>\n"
                      "a1000003</Data>\n</CfgFile>\n<CfgFile DataSize=\"8\" CfgFileID=\"0.0.2.1\">\n<Data>\nc0010001</Data>")
        << QByteArray("0.0.0.2\"");
    QTest::newRow("other families not written") << QStringList{"F001", "FB07", "B001", "1234", "A1B2"}
                                                << QStringList{"1", "2", "3", "4", "5"}
        << QByteArray("<ConfigurationSlot ConfigurationSlotID=\"0\">\n</ConfigurationSlot>\n") << QByteArray("<Data>");
    QTest::newRow("FB72 on the compatibility line") << QStringList{"FB72"} << QStringList{"26"}
        << QByteArray("\nFB070029FB050001FB72001AFE080064\n") << QByteArray("fb72");
}

void tst_ConfigFile::blocks()
{
    QFETCH(QStringList, comNos);
    QFETCH(QStringList, values);
    QFETCH(QByteArray, expected);
    QFETCH(QByteArray, absent);
    ConfigDrive d;
    d.define(comNos);
    for (qsizetype i = 0; i < comNos.size(); ++i)
        d.set(comNos.at(i), values.at(i));
    const QByteArray file = ConfigFile::build(d.data, d.selection, QStringLiteral("-"));
    QVERIFY2(file.contains(expected), file.constData());
    QVERIFY2(!file.contains(absent), file.constData());
    QCOMPARE(ConfigFile::check(file).integrity, ConfigFile::Integrity::Sound);
}

void tst_ConfigFile::valuesThatDoNotFitAreLeftOutAndNamed()
{
    ConfigDrive d;
    d.define({QStringLiteral("0001"), QStringLiteral("0002"), QStringLiteral("A003")});
    d.set(QStringLiteral("0001"), QStringLiteral("65536"));
    d.set(QStringLiteral("0002"), QStringLiteral("65535"));
    d.set(QStringLiteral("A003"), QStringLiteral("99999"));
    QStringList tooLarge;
    const QByteArray file = ConfigFile::build(d.data, d.selection, QStringLiteral("-"), &tooLarge);
    QCOMPARE(tooLarge, (QStringList{"0001", "A003"}));
    QVERIFY(file.contains("<Data>\n0002ffff</Data>\n"));
    QVERIFY(!file.contains("00010"));
    QVERIFY(!file.contains("0.0.1."));
}

void tst_ConfigFile::checksumFollowsEveryEarlierByte()
{
    const qsizetype checksumLine = TwoParameterFile.indexOf("<!--");
    for (qsizetype at = 0; at < checksumLine; ++at) {
        QByteArray edited = TwoParameterFile;
        // A changed digit or letter keeps the document well formed where it can.
        edited[at] = edited.at(at) == '0' ? '1' : edited.at(at) == 'a' ? 'b' : edited.at(at);
        if (edited == TwoParameterFile)
            continue;
        const ConfigFile::Check c = ConfigFile::check(edited);
        QVERIFY2(c.integrity != ConfigFile::Integrity::Sound, qPrintable(QString::number(at)));
    }
    QByteArray handEdited = TwoParameterFile;
    handEdited.replace("0001000a", "0001000b");
    const ConfigFile::Check c = ConfigFile::check(handEdited);
    QCOMPARE(c.integrity, ConfigFile::Integrity::ChecksumMismatch);
    QCOMPARE(c.stored, QStringLiteral("006B"));
    QCOMPARE(c.computed, ConfigFile::checksumText(handEdited.left(checksumLine)));
}

void tst_ConfigFile::xmllintAcceptsWrittenFiles()
{
    const QString xmllint = QStandardPaths::findExecutable(QStringLiteral("xmllint"));
    if (xmllint.isEmpty())
        QSKIP("xmllint is not installed (package libxml2-utils)");
    ConfigDrive d;
    QVERIFY(d.load());
    ConfigDrive small;
    small.define({QStringLiteral("0001"), QStringLiteral("0002")});
    const QList<QByteArray> files{savedSet(d), ConfigFile::build(small.data, small.selection, QStringLiteral("a&b<\"c\">")),
                                  TwoParameterFile};
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QString path = m_tmp.filePath(QStringLiteral("lint%1.cfg").arg(i));
        QVERIFY(ConfigFile::write(path, files.at(i)));
        QProcess p;
        p.start(xmllint, {QStringLiteral("--noout"), path});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 0);
        // The only complaint allowed is the root element's "n1" prefix, which the format
        // leaves undeclared.
        const QString err = QString::fromLocal8Bit(p.readAllStandardError());
        for (const QString &line : err.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            if (line.contains(QLatin1String("error")))
                QVERIFY2(line.contains(QLatin1String("Namespace prefix n1")), qPrintable(err));
        }
    }
}

void tst_ConfigFile::savedSetOpensWithTheSameValues()
{
    ConfigDrive d;
    QVERIFY(d.load());
    const QByteArray file = savedSet(d);
    QVERIFY(file.contains("\nFB070034FB050029FB720005FE0800C8\n"));
    QVERIFY(file.contains("DeviceID=\"KDC3-CFG-01\""));
    const QString path = m_tmp.filePath(QStringLiteral("set.cfg"));
    QVERIFY(ConfigFile::write(path, file));

    ConfigDrive e;
    QVERIFY(e.load());
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    ConfigFileOpen open(e.data, e.selection, e.messages, e.catalog, e.prompter);
    QCOMPARE(open.open(f.readAll()), ConfigFileOpen::Result::Loaded);
    QVERIFY(e.prompter.shown.isEmpty());
    QCOMPARE(open.typeName(), QStringLiteral("KDC3"));
    QCOMPARE(open.formName(), QStringLiteral("-4110P"));
    QCOMPARE(open.cpuVersion(), QStringLiteral("V200"));
    QVERIFY(open.keys().contains(QStringLiteral("a005")));
    for (int i = 0; i <= d.data.lastIndex; ++i) {
        const QString comNo = d.data.paraDat.at(i, ParaDat::ComNo);
        if (!QRegularExpression(QStringLiteral("^([0-9]|A|C)[0-9]{3}$")).match(comNo).hasMatch())
            continue;
        QCOMPARE(e.data.uPara.at(i, UPara::Value), d.data.uPara.at(i, UPara::Value));
        QCOMPARE(e.data.uPara.at(i, UPara::ChangeIndex), d.data.uPara.at(i, UPara::ChangeIndex));
    }
    QCOMPARE(e.value(QStringLiteral("A005")), QStringLiteral("7"));
    QCOMPARE(ConfigFile::build(e.data, e.selection, QStringLiteral("KDC3-CFG-01")), file);
}

void tst_ConfigFile::open_data()
{
    QTest::addColumn<QByteArray>("from");
    QTest::addColumn<QByteArray>("to");
    QTest::addColumn<QString>("selectedType");
    QTest::addColumn<int>("answer");  // Prompter::Answer for every question
    QTest::addColumn<ConfigFileOpen::Result>("result");
    QTest::addColumn<QString>("firstMessage");  // start of the first message, empty: none
    QTest::addColumn<QString>("valueA005");

    using R = ConfigFileOpen::Result;
    const int ok = int(Prompter::Answer::Ok);
    const int cancel = int(Prompter::Answer::Cancel);
    const QString stale = ConfigFileOpen::mismatchText(QStringLiteral("x"), QString()).left(30);
    QTest::newRow("hand edited, read after OK") << QByteArray("a0050007") << QByteArray("a0050009") << "KDC3" << ok
                                                << R::Loaded << stale << "9";
    QTest::newRow("hand edited, cancelled") << QByteArray("a0050007") << QByteArray("a0050009") << "KDC3" << cancel
                                            << R::Cancelled << stale << "0";
    QTest::newRow("special set-up 0998") << QByteArray("09980001") << QByteArray("09980003") << "KDC3" << ok
                                         << R::Refused << "0998" << "0";
    QTest::newRow("other drive type") << QByteArray() << QByteArray() << "KDA1" << ok << R::Refused
                                      << "The data belong to another inverter type" << "0";
    QTest::newRow("type number without Type_Ident") << QByteArray("FB070034") << QByteArray("FB070029") << "KDC3"
                                                    << ok << R::Refused << stale << "0";
    QTest::newRow("unknown key skipped") << QByteArray("a0050007") << QByteArray("b0050007") << "KDC3" << ok
                                         << R::Loaded << stale << "0";
    // Without entries there is no 0099 either: its value counts as 1, which names KDB2.
    QTest::newRow("no Data line, no 0099") << QByteArray("<Data>\n") << QByteArray("<Data >\n") << "KDC3" << ok
                                           << R::Refused << stale << "0";
}

void tst_ConfigFile::open()
{
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, to);
    QFETCH(QString, selectedType);
    QFETCH(int, answer);
    QFETCH(ConfigFileOpen::Result, result);
    QFETCH(QString, firstMessage);
    QFETCH(QString, valueA005);
    ConfigDrive d;
    QVERIFY(d.load());
    QByteArray file = savedSet(d);
    if (!from.isEmpty())
        file.replace(from, to);
    ConfigDrive e;
    if (selectedType == QLatin1String("KDA1"))
        QVERIFY(e.load(QStringLiteral("KDA1"), QStringLiteral("V100"), QStringLiteral("-2004P")));
    else
        QVERIFY(e.load());
    e.prompter.defaultAnswer = Prompter::Answer(answer);
    e.prompter.fitAnswers = true;
    ConfigFileOpen open(e.data, e.selection, e.messages, e.catalog, e.prompter);
    QCOMPARE(open.open(file), result);
    if (firstMessage.isEmpty() && result == ConfigFileOpen::Result::Loaded)
        QVERIFY(e.prompter.shown.isEmpty());
    else if (!firstMessage.isEmpty())
        QVERIFY2(!e.prompter.shown.isEmpty() && e.prompter.shown.first().text.contains(firstMessage.left(20)),
                 qPrintable(e.prompter.shown.value(0).text));
    if (selectedType == QLatin1String("KDC3"))
        QCOMPARE(e.value(QStringLiteral("A005")), valueA005);
}

void tst_ConfigFile::cutShortFileIsNeverReadHalf()
{
    ConfigDrive d;
    QVERIFY(d.load());
    const QByteArray file = savedSet(d);
    const qsizetype checksumEnd = file.indexOf("-->") + 3;
    ConfigDrive e;
    QVERIFY(e.load());
    e.set(QStringLiteral("0001"), QStringLiteral("2"));
    for (qsizetype length = 0; length < checksumEnd; length += (length < 200 ? 1 : 7)) {
        e.prompter.shown.clear();
        ConfigFileOpen open(e.data, e.selection, e.messages, e.catalog, e.prompter);
        QCOMPARE(open.open(file.left(length)), ConfigFileOpen::Result::Refused);
        QCOMPARE(e.prompter.shown.size(), 1);
        QCOMPARE(e.prompter.shown.first().text, e.messages.text(67));
        QCOMPARE(e.value(QStringLiteral("0001")), QStringLiteral("2"));
    }
}

void tst_ConfigFile::configValueOf()
{
    const QStringList keys{"0001", "a005", "c010", "0002"};
    const QStringList values{"000a", "00FF", "zz", "0"};
    QCOMPARE(ConfigFile::ConfigValueOf(keys, values, QStringLiteral("0001")), QStringLiteral("10"));
    QCOMPARE(ConfigFile::ConfigValueOf(keys, values, QStringLiteral("A005")), QStringLiteral("255"));
    QCOMPARE(ConfigFile::ConfigValueOf(keys, values, QStringLiteral("C010")), QStringLiteral("Err."));
    QCOMPARE(ConfigFile::ConfigValueOf(keys, values, QStringLiteral("0003")), QStringLiteral("Err."));
    QCOMPARE(ConfigFile::ConfigValueOf(keys, values, QStringLiteral("0002")), QStringLiteral("0"));
    QStringList k, v;
    ConfigFile::collect(lines(TwoParameterFile), &k, &v);
    QCOMPARE(k, (QStringList{"0001", "0002"}));
    QCOMPARE(v, (QStringList{"000a", "012c"}));
}

QTEST_GUILESS_MAIN(tst_ConfigFile)
#include "tst_ConfigFile.moc"
