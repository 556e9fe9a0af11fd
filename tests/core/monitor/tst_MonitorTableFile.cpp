// The monitor tables: the exported table of a recording and the continuous monitoring table,
// byte for byte under both separators, and a continuous line that meets a full disk.
#include "SmallTmpfs.h"
#include "monitor/MonitorFile.h"
#include "monitor/MonitorTableFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

MonitorFile recording()
{
    MonitorFile file;
    file.typeName = QStringLiteral("KDA1");
    file.formName = QStringLiteral("-2007P");
    file.errorCounter = QStringLiteral("2");
    file.times = {0, 1002};
    for (int c = 0; c < 10; ++c) {
        MonitorFile::Channel &ch = file.channels[size_t(c)];
        ch.item = c;
        ch.selected = c == 0 || c == 3;
        ch.multiplierTenths = c == 3 ? 25 : 10;
        ch.offset = c == 3 ? 50 : 0;
        ch.values = {c * 1.5, c == 0 ? 0.125 : -12.0};
    }
    return file;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

MonitorTableFile::ContinuousHead head()
{
    MonitorTableFile::ContinuousHead h;
    h.typeName = QStringLiteral("KDA1");
    h.formName = QStringLiteral("-2007P");
    h.recordMinutes = 30;
    h.samplingSeconds = 15;
    h.time = QStringLiteral("Time(ms)");
    for (int c = 0; c < 10; ++c)
        h.items[size_t(c)] = c < 2 ? QStringLiteral("Item %1").arg(c) : QStringLiteral("-");
    return h;
}

}  // namespace

class tst_MonitorTableFile : public QObject
{
    Q_OBJECT

private slots:
    void exported_data();
    void exported();
    void continuous_data();
    void continuous();
    void continuousLineOnFullDisk();
};

void tst_MonitorTableFile::exported_data()
{
    QTest::addColumn<bool>("decimalComma");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("full stop and commas")
        << false
        << QByteArray("KDA1-2007P\r\n"
                      "Monitoring,Output frequency,-,-,Current,-,-,-,-,-,-\r\n"
                      "Multi.,1,1,1,2.5,1,1,1,1,1,1\r\n"
                      "Offset,0,0,0,50,0,0,0,0,0,0\r\n"
                      "Time(ms),(CH1),(CH2),(CH3),(CH4),(CH5),(CH6),(CH7),(CH8),(CH9),(CH10)\r\n"
                      "Communication errors : 2\r\n"
                      "0,0.000000,0.000000,0.000000,4.500000,0.000000,0.000000,0.000000,0.000000,0.000000,0.000000\r\n"
                      "1002,0.125000,0.000000,0.000000,-12.000000,0.000000,0.000000,0.000000,0.000000,0.000000,"
                      "0.000000\r\n");
    QTest::newRow("decimal comma and semicolons")
        << true
        << QByteArray("KDA1-2007P\r\n"
                      "Monitoring;Output frequency;-;-;Current;-;-;-;-;-;-\r\n"
                      "Multi.;1;1;1;2,5;1;1;1;1;1;1\r\n"
                      "Offset;0;0;0;50;0;0;0;0;0;0\r\n"
                      "Time(ms);(CH1);(CH2);(CH3);(CH4);(CH5);(CH6);(CH7);(CH8);(CH9);(CH10)\r\n"
                      "Communication errors : 2\r\n"
                      "0;0;0;0;4,5;0;0;0;0;0;0\r\n"
                      "1002;0,125;0;0;-12;0;0;0;0;0;0\r\n");
}

void tst_MonitorTableFile::exported()
{
    QFETCH(bool, decimalComma);
    QFETCH(QByteArray, expected);
    MonitorTableFile::Captions captions;
    captions.time = QStringLiteral("Time(ms)");
    captions.errors = QStringLiteral("Communication errors : ");
    const QStringList items{QStringLiteral("Output frequency"), QStringLiteral("x"), QStringLiteral("y"),
                            QStringLiteral("Current")};
    const QByteArray bytes = MonitorTableFile::build(recording(), items, captions, decimalComma, CodePage::Windows1252);
    QCOMPARE(bytes, expected);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.csv"));
    QVERIFY(MonitorTableFile::WriteTable(path, bytes));
    QCOMPARE(readAll(path), expected);
}

void tst_MonitorTableFile::continuous_data()
{
    QTest::addColumn<bool>("decimalComma");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("full stop and commas")
        << false
        << QByteArray("KDA1-2007P\r\n30(min)\r\n15(s/point)\r\n"
                      "Time(ms),Item 0,Item 1,-,-,-,-,-,-,-,-\r\n"
                      " ,(CH1),(CH2),(CH3),(CH4),(CH5),(CH6),(CH7),(CH8),(CH9),(CH10)\r\n"
                      "3,50.250000,-1.500000,0.000000,0.000000,0.000000,0.000000,0.000000,0.000000,0.000000,0.000000\r\n"
                      "15004,50.000000,0.000000,0.000000,0.000000,0.000000,0.000000,0.000000,0.000000,0.000000,"
                      "0.000000\r\n");
    QTest::newRow("decimal comma and semicolons")
        << true
        << QByteArray("KDA1-2007P\r\n30(min)\r\n15(s/point)\r\n"
                      "Time(ms);Item 0;Item 1;-;-;-;-;-;-;-;-\r\n"
                      " ;(CH1);(CH2);(CH3);(CH4);(CH5);(CH6);(CH7);(CH8);(CH9);(CH10)\r\n"
                      "3;50,25;-1,5;0;0;0;0;0;0;0;0\r\n"
                      "15004;50;0;0;0;0;0;0;0;0;0\r\n");
}

void tst_MonitorTableFile::continuous()
{
    QFETCH(bool, decimalComma);
    QFETCH(QByteArray, expected);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("long.csv"));
    QVERIFY(MonitorTableFile::WriteContinuousHead(path, head(), decimalComma, CodePage::Windows1252));
    QVERIFY(MonitorTableFile::AppendContinuousLine(path, 3, {50.25, -1.5}, decimalComma));
    QVERIFY(MonitorTableFile::AppendContinuousLine(path, 15004, {50}, decimalComma));
    QCOMPARE(readAll(path), expected);
}

void tst_MonitorTableFile::continuousLineOnFullDisk()
{
    SmallTmpfs disk;
    if (!disk.mounted())
        QSKIP("mounting a tmpfs is not permitted here");
    const QString path = disk.filePath(QStringLiteral("long.csv"));
    QVERIFY(MonitorTableFile::WriteContinuousHead(path, head(), false, CodePage::Windows1252));
    disk.fill();
    // Lines go on until the disk is full; the one that does not fit is reported and taken
    // back, so the table still ends with a whole line.
    QString error;
    int written = 0;
    while (MonitorTableFile::AppendContinuousLine(path, written, {1, 2, 3}, false, &error) && written < 10000)
        ++written;
    QVERIFY(written < 10000);
    QVERIFY(!error.isEmpty());
    const QByteArray bytes = readAll(path);
    QVERIFY(bytes.endsWith("\r\n"));
    QCOMPARE(bytes.count("\r\n"), 5 + written);
}

QTEST_GUILESS_MAIN(tst_MonitorTableFile)
#include "tst_MonitorTableFile.moc"
