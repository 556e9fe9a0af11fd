#include "VkrProcess.h"
#include "files/ConfigFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QStringList drive(const char *command)
{
    return {QString::fromLatin1(command), "--data", VKR_SAMPLE_DATA "/dat", "--lng", VKR_SAMPLE_DATA "/lng", "--type",
            "KDC3", "--cpu", "V200", "--form", "-4110P", "--lang", "English"};
}

const QByteArray Header = "###\r\nKDC3\r\n-4110P\r\nV200\r\nEnglish\r\nNo Comments.\r\n0\r\n0\r\n";

QByteArray rowOf(const QByteArray &csv, const QByteArray &comNo)
{
    for (const QByteArray &line : csv.split('\n')) {
        if (line.startsWith(comNo + ','))
            return line.trimmed();
    }
    return {};
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

class tst_CliTables : public QObject
{
    Q_OBJECT

private slots:
    void saveCfgOpensAgainWithTheSameValues();
    void handEditedCfgIsReadWithANote();
    void cutShortCfgIsRefused();
    void valueAboveFfffIsLeftOutAndNamed();
    void saveCsv_data();
    void saveCsv();

private:
    QString write(const QByteArray &bytes, const char *ext = "vkr")
    {
        const QString path = m_tmp.filePath(QStringLiteral("in%1.%2").arg(++m_files).arg(QLatin1String(ext)));
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
        return path;
    }
    QString savedCfg()
    {
        const QString in = write(Header + "0001,1,0,0\r\nA005,7,0,0\r\nC002,12,0,0\r\n0009,1234,0,0\r\n");
        const QString out = m_tmp.filePath(QStringLiteral("saved%1.cfg").arg(++m_files));
        const Run r = vkr(drive("save-cfg") << "--open" << in << "--out" << out);
        return r.exitCode == 0 ? out : QString();
    }
    QTemporaryDir m_tmp;
    int m_files = 0;
};

void tst_CliTables::saveCfgOpensAgainWithTheSameValues()
{
    const QString first = savedCfg();
    QVERIFY(!first.isEmpty());
    const QByteArray bytes = readAll(first);
    QVERIFY(bytes.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<n1:SystemConfigurationFile "
                             "SystemCfgTransferMode=\"KSL\">\n<SystemConfigurationFilecomment>\nCreated By VKR410T\n"
                             "</SystemConfigurationFilecomment>\n<Device DeviceSlot=\"0\" DeviceID=\"KDC3-CFG-01\">\n"
                             "<DeviceCompatibilityData>\nFB070034FB050029FB720005FE0800C8\n"
                             "</DeviceCompatibilityData>\n<ConfigurationSlot ConfigurationSlotID=\"0\">\n"
                             "<CfgFile DataSize=\""));
    QVERIFY(bytes.contains("\n<CfgFile DataSize=\"40\" CfgFileID=\"0.0.1.1\">\n<Data>\na0010000a0020000a0030000a00400FE"
                           "a0050007</Data>\n</CfgFile>\n"));
    QVERIFY(bytes.contains("c002000C"));
    QVERIFY(bytes.contains("00090" "4d2"));
    QVERIFY(bytes.endsWith("</n1:SystemConfigurationFile>\n<!--ChecksumData::"
                           + ConfigFile::checksumText(bytes.left(bytes.indexOf("<!--"))).toLatin1() + "-->\n\r\n"));

    const Run params = vkr(drive("params") << "--open" << first);
    QCOMPARE(params.exitCode, 0);
    QVERIFY2(params.err.isEmpty(), params.err.constData());
    QVERIFY(rowOf(params.out, "A005").contains(",7,"));
    QVERIFY(rowOf(params.out, "0009").contains(",1234,"));

    const QString second = m_tmp.filePath(QStringLiteral("second.cfg"));
    QCOMPARE(vkr(drive("save-cfg") << "--open" << first << "--out" << second).exitCode, 0);
    QCOMPARE(readAll(second), bytes);
}

void tst_CliTables::handEditedCfgIsReadWithANote()
{
    QByteArray bytes = readAll(savedCfg());
    QVERIFY(bytes.contains("a0050007"));
    bytes.replace("a0050007", "a0050003");
    const Run r = vkr(drive("params") << "--open" << write(bytes, "cfg"));
    QCOMPARE(r.exitCode, 0);
    QVERIFY2(r.err.contains("checksum of this file does not match"), r.err.constData());
    QVERIFY(rowOf(r.out, "A005").contains(",3,"));
}

void tst_CliTables::cutShortCfgIsRefused()
{
    const QByteArray bytes = readAll(savedCfg());
    const Run r = vkr(drive("params") << "--open" << write(bytes.left(bytes.indexOf("c002")), "cfg"));
    QCOMPARE(r.exitCode, 2);
    QVERIFY2(r.err.contains("Data is incorrect."), r.err.constData());
    QVERIFY(rowOf(r.out, "A005").isEmpty());
}

void tst_CliTables::valueAboveFfffIsLeftOutAndNamed()
{
    // A 16-bit parameter cannot hold 70000: the parameter file is refused before anything is
    // written (values above FFFF of wider parameters are left out of the file by the writer).
    const QString in = write(Header + "C002,70000,0,0\r\nA005,65535,0,0\r\n");
    const QString out = m_tmp.filePath(QStringLiteral("large.cfg"));
    const Run r = vkr(drive("save-cfg") << "--open" << in << "--out" << out);
    QCOMPARE(r.exitCode, 2);
    QVERIFY2(r.err.contains("C002,70000"), r.err.constData());
    QVERIFY(!QFile::exists(out));
    const QString fits = write(Header + "A005,65535,0,0\r\n");
    QCOMPARE(vkr(drive("save-cfg") << "--open" << fits << "--out" << out).exitCode, 0);
    QVERIFY(readAll(out).contains("a005FFFF"));
}

void tst_CliTables::saveCsv_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<int>("lines");  // title row included; below 0: not counted, -2: no file
    QTest::addColumn<QByteArray>("row0009");

    QTest::newRow("all") << QStringList{} << 0 << -1 << QByteArray("ACC,0009,Acceleration time 1,");
    QTest::newRow("changed") << QStringList{"--display", "changed"} << 0 << 1 + 2 << QByteArray("0009,");
    QTest::newRow("decimal comma separates with semicolons") << QStringList{"--decimal-comma", "--display", "changed"}
                                                             << 0 << 1 + 2 << QByteArray("0009;");
    QTest::newRow("blind") << QStringList{"--display", "blind"} << 0 << -1 << QByteArray("0009,");
    QTest::newRow("no Quick display for this drive") << QStringList{"--display", "quick"} << 2 << -2 << QByteArray();
    QTest::newRow("unknown display") << QStringList{"--display", "odd"} << 3 << -2 << QByteArray();
}

void tst_CliTables::saveCsv()
{
    QFETCH(QStringList, options);
    QFETCH(int, exitCode);
    QFETCH(int, lines);
    QFETCH(QByteArray, row0009);
    const QString in = write(Header + "0009,1234,0,0\r\n0011,4000,0,0\r\n0004,1,0,1\r\n");
    const QString out = m_tmp.filePath(QStringLiteral("table%1.csv").arg(++m_files));
    const Run r = vkr(drive("save-csv") << "--open" << in << options << "--out" << out);
    QCOMPARE(r.exitCode, exitCode);
    const QByteArray bytes = readAll(out);
    if (lines == -2) {
        QVERIFY(bytes.isEmpty());
        return;
    }
    const QList<QByteArray> rows = bytes.split('\n');
    QVERIFY(bytes.endsWith("\r\n"));
    QCOMPARE(bytes.count("\r\n"), bytes.count('\n'));
    if (lines > 0)
        QCOMPARE(rows.size() - 1, lines);
    const bool semicolons = options.contains(QStringLiteral("--decimal-comma"));
    QVERIFY(rows.first().startsWith(semicolons ? "Title;Comm. No.;" : "Title,Comm. No.,"));
    // A text holding the separator is quoted, so every row keeps eight columns.
    for (const QByteArray &row : rows.mid(0, rows.size() - 1)) {
        const QByteArray unquoted = QByteArray(row).replace("\"Acc/dec selection (1, 2)\"", "x");
        QCOMPARE(unquoted.count(semicolons ? ';' : ','), 7);
    }
    bool found = false;
    for (const QByteArray &row : rows)
        found = found || row.contains(row0009);
    QVERIFY2(found, bytes.left(400).constData());
    if (options.contains(QStringLiteral("blind")))
        QVERIFY(!bytes.contains(",0004,"));
}

QTEST_GUILESS_MAIN(tst_CliTables)
#include "tst_CliTables.moc"
