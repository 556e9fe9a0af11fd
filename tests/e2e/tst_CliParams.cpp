#include "VkrProcess.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString FixtureData = QStringLiteral(VKR_TEST_DATA "/model/dat");

QStringList driveArgs(const QString &data, const QString &lng = QString())
{
    QStringList args{"params", "--data", data, "--type", "KD100", "--cpu", "V1", "--form", "-2015", "--lang", "English"};
    if (!lng.isEmpty())
        args << "--lng" << lng;
    return args;
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool copyTree(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    const QDir dir(from);
    for (const QFileInfo &fi : dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
        const QString target = to + '/' + fi.fileName();
        if (fi.isDir() ? !copyTree(fi.filePath(), target) : !QFile::copy(fi.filePath(), target))
            return false;
    }
    return true;
}

}  // namespace

class tst_CliParams : public QObject
{
    Q_OBJECT

private slots:
    void printsEveryParameter();
    void sampleDrives_data();
    void sampleDrives();
    void helpListsCommand();
    void longDefinitionFileGives2000Rows();
    void failures_data();
    void failures();
};

void tst_CliParams::printsEveryParameter()
{
    const Run r = vkr(driveArgs(FixtureData));
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.err, QByteArray());
    QCOMPARE(r.out, readFile(QStringLiteral(VKR_TEST_DATA "/model/params-KD100.csv")));
    QVERIFY(!r.out.contains('\r'));
    const QList<QByteArray> rows = r.out.split('\n');
    QCOMPARE(rows.size(), 1 + 11 + 1);  // titles, parameters, nothing after the last LF
    QVERIFY(rows.first().startsWith("ComNo,DIndex,Default,FName"));
}

void tst_CliParams::sampleDrives_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("cpu");
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("language");

    QTest::newRow("KDA1 V100 English") << "KDA1" << "V100" << "-2015P" << "English";
    QTest::newRow("KDA1 V110 Japanese") << "KDA1" << "V110" << "-4022P" << "Japanese";
    QTest::newRow("KDB2 English") << "KDB2" << "V820" << "-4055P" << "English";
    QTest::newRow("KDC3 Japanese") << "KDC3" << "V200" << "-4150P" << "Japanese";
}

void tst_CliParams::sampleDrives()
{
    QFETCH(QString, type);
    QFETCH(QString, cpu);
    QFETCH(QString, form);
    QFETCH(QString, language);
    const QString data = QStringLiteral(VKR_SAMPLE_DATA "/dat");
    if (!QFileInfo::exists(data + "/Inverter.ini"))
        QSKIP("no sample data");
    const Run r = vkr({"params", "--data", data, "--type", type, "--cpu", cpu, "--form", form, "--lang", language});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.err, QByteArray());
    const QString model = QStringLiteral("%1/%2(%3)/%2(%4)").arg(data, type, cpu, language.left(3));
    const int definitions = int(readFile(model + ".inv").count("\r\n"));
    QStringList rows = QString::fromUtf8(r.out).split('\n');
    QCOMPARE(rows.takeLast(), QString());
    QCOMPARE(rows.size(), 1 + definitions);
    // Factory values: a literal default is the value; a referenced one is resolved.
    int referenced = 0;
    for (const QString &row : rows.mid(1)) {
        const QStringList cells = row.split(',');
        if (cells.size() != 30)
            continue;  // a quoted name with a comma
        if (cells.at(1) == "0") {
            QCOMPARE(cells.at(19), cells.at(2));
        } else {
            ++referenced;
            QVERIFY2(cells.at(19) != "Error." && cells.at(19) != cells.at(2), qPrintable(row));
        }
        QCOMPARE(cells.mid(22, 7), QStringList(7, "0"));
    }
    QVERIFY(referenced > 0);
    // FE71, the rated voltage, comes from the capacity file of the form: 0.1 V units.
    const QString fe71 = rows.filter(QRegularExpression("^FE71,")).value(0);
    QCOMPARE(fe71.split(',').value(19), form.at(1) == '4' ? QStringLiteral("4000") : QStringLiteral("2000"));
}

void tst_CliParams::helpListsCommand()
{
    const Run r = vkr({"--help"});
    QCOMPARE(r.exitCode, 0);
    QVERIFY(r.out.contains("\n  params  "));
    const Run own = vkr({"params", "--help"});
    QCOMPARE(own.exitCode, 0);
    QVERIFY(own.out.startsWith("Usage: vkr params [options]"));
}

void tst_CliParams::longDefinitionFileGives2000Rows()
{
    QTemporaryDir tmp;
    QVERIFY(copyTree(QStringLiteral(VKR_TEST_DATA "/model"), tmp.path()));
    QByteArray inv;
    for (int i = 0; i < 2500; ++i)
        inv += QStringLiteral("%1,0,%2,F,\"P %2\",Hz,2,0,0,9999,0,0,#.#,10,RAM,1,0\r\n")
                   .arg(i, 4, 16, QLatin1Char('0'))
                   .arg(i)
                   .toLatin1();
    QFile f(tmp.path() + "/dat/KD100(V1)/KD100(Eng).inv");
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(inv);
    f.close();
    const Run r = vkr(driveArgs(tmp.path() + "/dat"));
    QCOMPARE(r.exitCode, 0);
    const QList<QByteArray> rows = r.out.split('\n');
    QCOMPARE(rows.size(), 1 + 2000 + 1);
    QVERIFY(rows.at(2000).startsWith("07cf,0,1999,"));
}

void tst_CliParams::failures_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("stderrText");

    QTest::newRow("missing type") << QStringList{"params", "--data", FixtureData, "--cpu", "V1", "--form", "-2015",
                                                 "--lang", "English"}
                                  << 3 << QByteArray("--type");
    QTest::newRow("option without value") << (driveArgs(FixtureData) << "--lng") << 3 << QByteArray("--lng");
    QTest::newRow("unknown argument") << (driveArgs(FixtureData) << "--bogus") << 3 << QByteArray("--bogus");
    QTest::newRow("language file missing") << driveArgs(FixtureData, "/nonexistent") << 4
                                           << QByteArray("Not found Language data file.");
    QTest::newRow("no such drive: message 6 and the file")
        << QStringList{"params", "--data", FixtureData, "--lng", QStringLiteral(VKR_TEST_DATA "/model/lng"), "--type",
                       "KD999", "--cpu", "V1", "--form", "-2015", "--lang", "English"}
        << 4 << QByteArray("Not found Inverter Type data file.\nvkr: drive KD999 V1 -2015 not loaded: ");
    QTest::newRow("no such form: message 7 and the file")
        << QStringList{"params", "--data", FixtureData, "--type", "KD100", "--cpu", "V1", "--form", "-9999", "--lang",
                       "English"}
        << 4 << QByteArray("Not found Inverter Capacity data file.\nvkr: drive KD100 V1 -9999 not loaded: ");
}

void tst_CliParams::failures()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, stderrText);
    const Run r = vkr(args);
    QCOMPARE(r.exitCode, exitCode);
    QVERIFY2(r.err.contains(stderrText), r.err.constData());
    QCOMPARE(r.out, QByteArray());
}

QTEST_GUILESS_MAIN(tst_CliParams)
#include "tst_CliParams.moc"
