#include "transfer/TransferReport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// The report lines as the result window shows and saves them, and the automatic save.
class tst_TransferReport : public QObject
{
    Q_OBJECT

private slots:
    void differenceLine_data();
    void differenceLine();
    void columnHeaderPadsEveryTitle();
    void savedBytesEndEveryLineWithCrLf();
    void automaticNameHasTheFullDateAndTime();
    void automaticSaveNeverOverwrites();
    void unwritableFolderSaysSo();
};

void tst_TransferReport::differenceLine_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("line");
    QTest::newRow("title of one character is not padded") << "X" << "X:       10.0 ,      20.0  (Name)";
    QTest::newRow("title of two characters padded to four") << "XY" << "  XY:       10.0 ,      20.0  (Name)";
    QTest::newRow("title of three characters padded to four") << "XYZ" << " XYZ:       10.0 ,      20.0  (Name)";
    QTest::newRow("title of four characters as it is") << "WXYZ" << "WXYZ:       10.0 ,      20.0  (Name)";
}

void tst_TransferReport::differenceLine()
{
    QFETCH(QString, title);
    QFETCH(QString, line);
    QCOMPARE(TransferReport::differenceLine(title, QStringLiteral("    10.0"), QStringLiteral("    20.0"),
                                            QStringLiteral("Name")),
             line);
}

void tst_TransferReport::columnHeaderPadsEveryTitle()
{
    QCOMPARE(TransferReport::columnHeader("Inverter", "VKR410T", "Title"),
             QStringLiteral("        Inverter     VKR410T       Title"));
    QCOMPARE(TransferReport::columnHeader("A long title", "B", "C"),
             QStringLiteral("      A long title           B           C"));
}

void tst_TransferReport::savedBytesEndEveryLineWithCrLf()
{
    TransferReport report;
    report.append(QStringLiteral("* Different Value Parameters"));
    report.append(QString());
    report.append(QStringLiteral("\u00b0C: caf\u00e9"));
    QCOMPARE(report.bytes(CodePage::Windows1252), QByteArray("* Different Value Parameters\r\n\r\n\xb0" "C: caf\xe9\r\n"));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("r.txt"));
    QVERIFY(report.save(path, CodePage::Windows1252));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), report.bytes(CodePage::Windows1252));
}

void tst_TransferReport::automaticNameHasTheFullDateAndTime()
{
    const QDateTime when(QDate(2026, 3, 8), QTime(13, 5, 9));
    QCOMPARE(TransferReport::automaticName(when), QStringLiteral("2026-03-08_13h05m09s.txt"));
    QVERIFY(TransferReport::automaticName(when) != TransferReport::automaticName(when.addMonths(1)));
}

void tst_TransferReport::automaticSaveNeverOverwrites()
{
    QTemporaryDir dir;
    const QDateTime when(QDate(2026, 12, 9), QTime(8, 0, 1));
    QStringList paths;
    for (int i = 0; i < 3; ++i) {
        TransferReport report;
        report.append(QStringLiteral("report %1").arg(i));
        QString path;
        QVERIFY(report.saveAutomatic(dir.path(), when, CodePage::Windows1252, &path));
        paths << QFileInfo(path).fileName();
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("report ") + QByteArray::number(i) + "\r\n");
    }
    QCOMPARE(paths, (QStringList{"2026-12-09_08h00m01s.txt", "2026-12-09_08h00m01s-1.txt", "2026-12-09_08h00m01s-2.txt"}));
}

void tst_TransferReport::unwritableFolderSaysSo()
{
    TransferReport report;
    report.append(QStringLiteral("x"));
    QString error;
    QString path;
    QVERIFY(!report.saveAutomatic(QStringLiteral("/nonexistent-folder/reports"), QDateTime::currentDateTime(),
                                  CodePage::Windows1252, &path, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(path.isEmpty());
    QVERIFY(!report.save(QStringLiteral("/nonexistent-folder/r.txt"), CodePage::Windows1252, &error));
    QVERIFY(!error.isEmpty());
}

QTEST_GUILESS_MAIN(tst_TransferReport)
#include "tst_TransferReport.moc"
