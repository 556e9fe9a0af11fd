#include "comm/CommLogBuffer.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class tst_CommLogBuffer : public QObject
{
    Q_OBJECT
private slots:
    void keepsOnlyTheLastLines();
    void newLinesAfterAnOverflow();
    void savesWhatItHolds();
    void saveToAMissingFolderFails();
};

void tst_CommLogBuffer::keepsOnlyTheLastLines()
{
    CommLogBuffer log(3);
    for (int i = 1; i <= 5; ++i)
        log.append(QString::number(i));
    QCOMPARE(log.appended(), 5);
    QCOMPARE(log.text(), QStringLiteral("3\n4\n5\n"));
}

void tst_CommLogBuffer::newLinesAfterAnOverflow()
{
    CommLogBuffer log(3);
    log.append("a");
    log.append("b");
    QCOMPARE(log.linesAfter(1), QStringList{"b"});
    for (const char *l : {"c", "d", "e", "f"})
        log.append(l);
    // A reader that last saw 2 lines missed "c" for good: it gets what is still held.
    QCOMPARE(log.linesAfter(2), (QStringList{"d", "e", "f"}));
    QCOMPARE(log.linesAfter(5), QStringList{"f"});
    QCOMPARE(log.linesAfter(6), QStringList{});
}

void tst_CommLogBuffer::savesWhatItHolds()
{
    QTemporaryDir dir;
    CommLogBuffer log;
    log.append("12:00:00.000 TX 2F 52 FB 05 81");
    const QString path = dir.filePath("comm.log");
    QString error;
    QVERIFY2(log.save(path, &error), qPrintable(error));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("12:00:00.000 TX 2F 52 FB 05 81\n"));
}

void tst_CommLogBuffer::saveToAMissingFolderFails()
{
    QTemporaryDir dir;
    CommLogBuffer log;
    log.append("line");
    QString error;
    QVERIFY(!log.save(dir.filePath("no/such/folder/comm.log"), &error));
    QVERIFY(!error.isEmpty());
}

QTEST_GUILESS_MAIN(tst_CommLogBuffer)
#include "tst_CommLogBuffer.moc"
