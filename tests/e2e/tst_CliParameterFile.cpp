#include "SmallTmpfs.h"
#include "VkrProcess.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

QStringList drive(const char *command)
{
    return {QString::fromLatin1(command), "--data", VKR_SAMPLE_DATA "/dat", "--lng", VKR_SAMPLE_DATA "/lng", "--type",
            "KDA1", "--cpu", "V100", "--form", "-2004P", "--lang", "English"};
}

QByteArray header(const QByteArray &form = "-2004P", const QByteArray &type = "KDA1")
{
    return "###\r\n" + type + "\r\n" + form + "\r\nV100\r\nEnglish\r\nSite 4\r\n1\r\n1\r\n";
}

// The CSV row of a parameter: its ParaDat and UPara cells.
QByteArray rowOf(const QByteArray &csv, const QByteArray &comNo)
{
    for (const QByteArray &line : csv.split('\n')) {
        if (line.startsWith(comNo + ','))
            return line.trimmed();
    }
    return {};
}

}  // namespace

class tst_CliParameterFile : public QObject
{
    Q_OBJECT

private slots:
    void paramsOpen_data();
    void paramsOpen();
    void saveVkrRoundTrip();
    void saveVkrChangedOnly();
    void badValueRefusesTheFile_data();
    void badValueRefusesTheFile();
    void nonRegularFileRefusedAtOnce();
    void saveVkrOnAFullDiskKeepsThePreviousFile();
    void saveVkrNeverReplacesAFifo();
    void saveVkrRefusesAnotherFormat_data();
    void saveVkrRefusesAnotherFormat();
    void cancelledQuestionWritesNothing_data();
    void cancelledQuestionWritesNothing();

private:
    QString write(const QByteArray &bytes)
    {
        const QString path = m_tmp.filePath(QStringLiteral("in%1.vkr").arg(++m_files));
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
        return path;
    }
    QTemporaryDir m_tmp;
    int m_files = 0;
};

void tst_CliParameterFile::paramsOpen_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("stderrPart");
    QTest::addColumn<QByteArray>("row0009End");  // end of the 0009 row: Value ... marks

    QTest::newRow("values and marks") << header() + "0009,250,1,1\r\n" << "" << 0 << QByteArray() << QByteArray(",250,");
    QTest::newRow("other type refused") << header("-2004P", "KDB2") + "0009,250\r\n" << "" << 2
                                        << QByteArray("another inverter type") << QByteArray();
    QTest::newRow("special set-up refused") << header() + "0998,3\r\n" << "" << 2
                                            << QByteArray("0998 of this file") << QByteArray();
    QTest::newRow("no layout refused") << QByteArray("garbage\r\n") << "" << 2 << QByteArray("Data is incorrect.")
                                       << QByteArray();
    QTest::newRow("form question cancelled by default") << header("-2007P") + "0009,250\r\n" << "" << 2
                                                        << QByteArray("form of the file differs") << QByteArray();
    QTest::newRow("form question answered yes") << header("-2007P") + "0009,250\r\n" << "yes" << 0
                                                << QByteArray("form of the file differs") << QByteArray(",250,");
    QTest::newRow("form question answered no keeps capacity values")
        << header("-2007P") + "0009,250\r\n" << "no" << 0 << QByteArray("form of the file differs") << QByteArray(",100,");
    QTest::newRow("unknown number answered yes skips it") << header() + "7777,1\r\n0009,250\r\n" << "yes" << 0
                                                          << QByteArray("7777") << QByteArray(",250,");
}

void tst_CliParameterFile::paramsOpen()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, answer);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, stderrPart);
    QFETCH(QByteArray, row0009End);
    QStringList args = drive("params") << "--open" << write(file);
    if (!answer.isEmpty())
        args << "--answer" << answer;
    const Run r = vkr(args);
    QCOMPARE(r.exitCode, exitCode);
    if (!stderrPart.isEmpty())
        QVERIFY2(r.err.contains(stderrPart), r.err.constData());
    if (!row0009End.isEmpty()) {
        const QByteArray row = rowOf(r.out, "0009");
        QVERIFY2(row.contains(row0009End), row.constData());
    }
    if (file.contains("0009,250,1,1"))
        QVERIFY(rowOf(r.out, "0009").contains(",250,36000,1,1,0,0,1,1,0,0,"));
}

void tst_CliParameterFile::saveVkrRoundTrip()
{
    const QByteArray original = header() + "0009,250,1,0\r\n0011,6000,0,1\r\n";
    const QString in = write(original);
    const QString first = m_tmp.filePath(QStringLiteral("first.vkr"));
    const QString second = m_tmp.filePath(QStringLiteral("second.vkr"));
    QCOMPARE(vkr(drive("save-vkr") << "--open" << in << "--out" << first).exitCode, 0);
    QCOMPARE(vkr(drive("save-vkr") << "--open" << first << "--out" << second).exitCode, 0);
    QFile a(first), b(second);
    QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    const QByteArray bytes = a.readAll();
    QCOMPARE(b.readAll(), bytes);
    QVERIFY(bytes.startsWith(header()));
    QVERIFY(bytes.contains("\r\n0009,250,1,0\r\n"));
    QVERIFY(bytes.contains("\r\n0011,6000,0,1\r\n"));
    QVERIFY(bytes.endsWith("\r\n"));
}

void tst_CliParameterFile::saveVkrChangedOnly()
{
    const QString in = write(header() + "0009,250,0,0\r\n0011,6000,0,0\r\n0004,0,0,1\r\n");
    const QString out = m_tmp.filePath(QStringLiteral("changed.vkr"));
    QCOMPARE(vkr(drive("save-vkr") << "--open" << in << "--out" << out << "--changed-only").exitCode, 0);
    QFile f(out);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = f.readAll().split('\n');
    QCOMPARE(lines.size(), 8 + 3 + 1);
    const Run bad = vkr(drive("save-vkr") << "--out" << m_tmp.filePath(QStringLiteral("none/x.vkr")));
    QCOMPARE(bad.exitCode, 6);
    QVERIFY(!bad.err.isEmpty());
}

void tst_CliParameterFile::badValueRefusesTheFile_data()
{
    QTest::addColumn<QByteArray>("lines");
    QTest::addColumn<QByteArray>("named");
    QTest::newRow("letters as a value") << QByteArray("0009,250\r\n0011,abc\r\n") << QByteArray("10: 0011,abc");
    QTest::newRow("value beyond the data size") << QByteArray("0011,70000\r\n") << QByteArray("9: 0011,70000");
    QTest::newRow("decimal value") << QByteArray("0009,12.5\r\n") << QByteArray("9: 0009,12.5");
}

void tst_CliParameterFile::badValueRefusesTheFile()
{
    QFETCH(QByteArray, lines);
    QFETCH(QByteArray, named);
    const Run r = vkr(drive("params") << "--open" << write(header() + lines));
    QCOMPARE(r.exitCode, 2);
    QVERIFY2(r.err.contains("Data is incorrect.") && r.err.contains(named), r.err.constData());
    QVERIFY(r.out.isEmpty());
}

void tst_CliParameterFile::nonRegularFileRefusedAtOnce()
{
    const QString fifo = m_tmp.filePath(QStringLiteral("pipe.vkr"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString &path : {QStringLiteral("/dev/zero"), fifo}) {
        QElapsedTimer clock;
        clock.start();
        const Run r = vkr(drive("params") << "--open" << path);
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.contains(path.toUtf8() + ": not a regular file"), r.err.constData());
        QVERIFY(clock.elapsed() < 20000);
    }
}

void tst_CliParameterFile::saveVkrOnAFullDiskKeepsThePreviousFile()
{
    SmallTmpfs disk;
    if (!disk.mounted())
        QSKIP("mounting a tmpfs is not permitted here");
    const QString out = disk.filePath(QStringLiteral("set.vkr"));
    QCOMPARE(vkr(drive("save-vkr") << "--out" << out << "--changed-only").exitCode, 0);
    QFile f(out);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray previous = f.readAll();
    f.close();
    QCOMPARE(previous.count('\n'), 8);
    disk.fill();
    const Run r = vkr(drive("save-vkr") << "--out" << out);
    QCOMPARE(r.exitCode, 6);
    QVERIFY2(r.err.contains("No space left on device"), r.err.constData());
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), previous);
}

void tst_CliParameterFile::saveVkrNeverReplacesAFifo()
{
    const QString fifo = m_tmp.filePath(QStringLiteral("out-pipe.vkr"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const Run r = vkr(drive("save-vkr") << "--out" << fifo);
    QCOMPARE(r.exitCode, 6);
    QVERIFY2(r.err.contains("not a regular file"), r.err.constData());
    struct stat st {};
    QCOMPARE(::stat(QFile::encodeName(fifo).constData(), &st), 0);
    QVERIFY(S_ISFIFO(st.st_mode));
}

void tst_CliParameterFile::saveVkrRefusesAnotherFormat_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("csv name") << "set.csv" << 3;
    QTest::newRow("cfg name") << "set.cfg" << 3;
    QTest::newRow("no extension") << "set" << 3;
    QTest::newRow("vkr in a folder name only") << "set.vkr.d/set.txt" << 3;
    QTest::newRow("vkr name") << "set.vkr" << 0;
    QTest::newRow("VKR in capitals") << "SET.VKR" << 0;
}

void tst_CliParameterFile::saveVkrRefusesAnotherFormat()
{
    QFETCH(QString, name);
    QFETCH(int, exitCode);
    QTemporaryDir dir;
    QDir(dir.path()).mkdir(QStringLiteral("set.vkr.d"));
    const QString out = dir.filePath(name);
    const Run r = vkr(drive("save-vkr") << "--out" << out);
    QCOMPARE(r.exitCode, exitCode);
    QCOMPARE(QFileInfo::exists(out), exitCode == 0);
    QCOMPARE(r.out, QByteArray());
    if (exitCode != 0)
        QVERIFY2(r.err.contains(".vkr") && r.err.contains("Usage: vkr save-vkr"), r.err.constData());
}

void tst_CliParameterFile::cancelledQuestionWritesNothing_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("answer");
    const QByteArray otherForm = header("-2007P") + "0009,250\r\n";
    const QByteArray unknownNumber = header() + "0009,250\r\n7777,1\r\n0011,6000\r\n";
    QTest::newRow("params: form question cancelled") << "params" << otherForm << "cancel";
    QTest::newRow("params: unknown number cancelled") << "params" << unknownNumber << "cancel";
    QTest::newRow("params: unknown number answered no") << "params" << unknownNumber << "no";
    QTest::newRow("save-vkr: form question cancelled") << "save-vkr" << otherForm << "cancel";
    QTest::newRow("save-vkr: unknown number cancelled") << "save-vkr" << unknownNumber << "cancel";
}

void tst_CliParameterFile::cancelledQuestionWritesNothing()
{
    QFETCH(QString, command);
    QFETCH(QByteArray, file);
    QFETCH(QString, answer);
    const QString out = m_tmp.filePath(QStringLiteral("cancelled%1.vkr").arg(m_files));
    QStringList args = drive(command.toLatin1().constData()) << "--open" << write(file) << "--answer" << answer;
    if (command == QLatin1String("save-vkr"))
        args << "--out" << out;
    const Run r = vkr(args);
    QCOMPARE(r.exitCode, 2);
    QCOMPARE(r.out, QByteArray());
    QVERIFY(!QFileInfo::exists(out));
    QVERIFY2(r.err.contains("answer taken: Cancel"), r.err.constData());
}

QTEST_GUILESS_MAIN(tst_CliParameterFile)
#include "tst_CliParameterFile.moc"
