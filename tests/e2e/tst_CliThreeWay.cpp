// vkr compare --three-way against vkr-drive-sim: each parameter's factory, table and drive
// values, the source of each difference, the spreadsheet form and the exit codes.
#include "SimProcess.h"
#include "VkrProcess.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

QStringList drive(const QString &device)
{
    return {"--data", VKR_SAMPLE_DATA "/dat", "--lng", VKR_SAMPLE_DATA "/lng", "--type", "KDA1", "--cpu", "V100",
            "--form", "-2004P", "--lang", "English", "--port", device, "--timeout", "60"};
}

const QString ChangedSet = QStringLiteral(VKR_TEST_DATA "/transfer/changed-KDA1-2004P.vkr");

// The report line of the parameter titled `title`, blanks collapsed.
QString lineOf(const QByteArray &report, const QString &title)
{
    for (const QByteArray &raw : report.split('\n')) {
        QString line = QString::fromLatin1(raw).trimmed();
        if (line.startsWith(title + QStringLiteral(": ")))
            return line.replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" "));
    }
    return {};
}


}  // namespace

class tst_CliThreeWay : public QObject
{
    Q_OBJECT
private slots:
    void namesTheSourceOfEachDifference_data();
    void namesTheSourceOfEachDifference();
    void factorySetOnFactoryDriveExitsZero();
    void csvQuotesForSpreadsheets();
    void unansweredRowsExitOne();
};

void tst_CliThreeWay::namesTheSourceOfEachDifference_data()
{
    QTest::addColumn<QString>("protocol");
    QTest::newRow("native") << "native";
    QTest::newRow("modbus") << "modbus";
}

void tst_CliThreeWay::namesTheSourceOfEachDifference()
{
    QFETCH(QString, protocol);
    SimProcess sim({"--drive", "KDA1:-2004P:V100", "--protocol", protocol});
    QVERIFY(!sim.device().isEmpty());
    const QStringList base = drive(sim.device()) + QStringList{"--protocol", protocol};
    // The set changes FC to 1234, ACC to 123 and dEC to 456 (factory 0, 100 and 100).
    QVERIFY(vkr(QStringList{"write"} + base + QStringList{"0009", "200"}).exitCode == 0);
    QVERIFY(vkr(QStringList{"write"} + base + QStringList{"0010", "456"}).exitCode == 0);
    QVERIFY(vkr(QStringList{"write"} + base + QStringList{"0006", "700"}).exitCode == 0);

    const Run r = vkr(QStringList{"compare", "--three-way"} + base + QStringList{"--open", ChangedSet});
    QCOMPARE(r.exitCode, 7);
    QVERIFY(r.out.startsWith("* Three-Way Comparison\r\n"));
    QCOMPARE(lineOf(r.out, "FC"), QString("FC: 0.00 , 12.34 , 0.00 Hz VKR410T (Panel operating frequency)"));
    QCOMPARE(lineOf(r.out, "FM"), QString("FM: 640 , 640 , 700 - Inverter (Meter adjustment)"));
    QCOMPARE(lineOf(r.out, "ACC"), QString("ACC: 10.0 , 12.3 , 20.0 s all (Acceleration time 1)"));
    QCOMPARE(lineOf(r.out, "dEC"), QString("dEC: 10.0 , 45.6 , 45.6 s Factory (Deceleration time 1)"));
    QCOMPARE(lineOf(r.out, "FH"), QString("FH: 80.00 , 80.00 , 80.00 Hz (Maximum frequency)"));
    QVERIFY(r.out.endsWith("\r\n\r\nDiffers: 4\r\n"));
}

void tst_CliThreeWay::factorySetOnFactoryDriveExitsZero()
{
    SimProcess sim({"--drive", "KDA1:-2004P:V100"});
    const Run r = vkr(QStringList{"compare", "--three-way"} + drive(sim.device()));
    QCOMPARE(r.exitCode, 0);
    QVERIFY(r.out.endsWith("\r\nDiffers: 0\r\n"));
    // The plain comparison of the same set says the same.
    QCOMPARE(vkr(QStringList{"compare"} + drive(sim.device())).exitCode, 0);
}

void tst_CliThreeWay::csvQuotesForSpreadsheets()
{
    SimProcess sim({"--drive", "KDA1:-2004P:V100"});
    QTemporaryDir dir;
    const QString path = dir.filePath("three-way.csv");
    const Run r = vkr(QStringList{"compare", "--csv", "--decimal-comma", "--report", path} + drive(sim.device())
                      + QStringList{"--open", ChangedSet});
    QCOMPARE(r.exitCode, 7);
    QVERIFY(r.out.isEmpty());
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = f.readAll().split('\n');
    QCOMPARE(lines.first(), QByteArray("ComNo,Title,Factory,VKR410T,Inverter,Unit,Differs,Name\r"));
    // A decimal comma and a comma in a name are quoted; every row ends with CR LF.
    QVERIFY(lines.contains("0000,FC,\"0,00\",\"12,34\",\"0,00\",Hz,VKR410T,Panel operating frequency\r"));
    QVERIFY(lines.contains("0504,ACSL,1,1,1,-,,\"Acc/dec selection (1, 2)\"\r"));
    QCOMPARE(lines.last(), QByteArray());
    for (qsizetype i = 0; i + 1 < lines.size(); ++i)
        QVERIFY2(lines.at(i).endsWith('\r'), lines.at(i).constData());
}

void tst_CliThreeWay::unansweredRowsExitOne()
{
    SimProcess sim({"--drive", "KDA1:-2004P:V100", "--drop-rate", "0.1", "--seed", "4"});
    const Run r = vkr(QStringList{"compare", "--three-way", "--no-type-check"} + drive(sim.device()));
    QCOMPARE(r.exitCode, 1);
    // A row the drive did not answer shows no drive value and is named, never compared.
    QVERIFY(r.out.contains(" ,         -  "));
    QVERIFY(r.out.contains("no reply"));
    QVERIFY(QRegularExpression("Differs: \\d+, no reply: [1-9]\\d*\r\n$").match(QString::fromLatin1(r.out)).hasMatch());
}

QTEST_GUILESS_MAIN(tst_CliThreeWay)
#include "tst_CliThreeWay.moc"
