#include "base/ZipArchive.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// Zip archives read back with bsdtar, a reader apart from the writer, and writes that fail
// without leaving anything behind.
class tst_ZipArchive : public QObject
{
    Q_OBJECT

private:
    static QByteArray bsdtar(const QStringList &arguments)
    {
        QProcess p;
        p.start(QStringLiteral("bsdtar"), arguments);
        if (!p.waitForFinished(20000) || p.exitCode() != 0)
            return "bsdtar failed: " + p.readAllStandardError();
        return p.readAllStandardOutput();
    }

private slots:
    void entriesReadBack_data();
    void entriesReadBack();
    void missingFolderLeavesNothing();
    void folderAsTargetIsNeverReplaced();
};

void tst_ZipArchive::entriesReadBack_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("text with CR LF") << "report.txt" << QByteArray("line 1\r\nline 2\r\n");
    QTest::newRow("empty file") << "empty.log" << QByteArray();
    QTest::newRow("binary with zero bytes") << "data.mon" << QByteArray("\x00\x01\xff\x00", 4);
    QTest::newRow("name with non-ASCII letters") << QString::fromUtf8("Übersicht.txt") << QByteArray("x");
    QTest::newRow("file in a folder") << "recording/chart.png" << QByteArray(70000, 'p');
}

void tst_ZipArchive::entriesReadBack()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString path = dir.filePath("a.zip");
    QString error;
    QVERIFY2(ZipArchive::write(path, {{"first.txt", "1"}, {name, bytes}}, QDateTime::currentDateTime(), &error),
             qPrintable(error));
    QCOMPARE(bsdtar({"-tf", path}), "first.txt\n" + name.toUtf8() + '\n');
    QCOMPARE(bsdtar({"-xOf", path, name}), bytes);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"a.zip"});
}

void tst_ZipArchive::missingFolderLeavesNothing()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("no-such-folder/a.zip");
    QString error;
    QVERIFY(!ZipArchive::write(path, {{"a.txt", "a"}}, QDateTime::currentDateTime(), &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());
}

void tst_ZipArchive::folderAsTargetIsNeverReplaced()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.zip");
    QVERIFY(ZipArchive::write(path, {{"old.txt", "old"}}, QDateTime::currentDateTime()));
    // A target that is a folder is never replaced, and the archive beside it stays.
    const QString folder = dir.filePath("b.zip");
    QVERIFY(QDir().mkdir(folder));
    QString error;
    QVERIFY(!ZipArchive::write(folder, {{"new.txt", "new"}}, QDateTime::currentDateTime(), &error));
    QVERIFY(QFileInfo(folder).isDir());
    QCOMPARE(bsdtar({"-tf", path}), QByteArray("old.txt\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"a.zip"});
}

QTEST_GUILESS_MAIN(tst_ZipArchive)
#include "tst_ZipArchive.moc"
