#include "base/AtomicFile.h"
#include "base/DialogFilter.h"
#include "base/FileLookup.h"
#include "base/FileRead.h"
#include "base/TextFile.h"

#include "SmallTmpfs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

namespace {

QByteArray contentsOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

class tst_TextFiles : public QObject
{
    Q_OBJECT

private slots:
    void splitLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("CR LF") << "a\r\nb\r\n" << QStringList{"a", "b"};
        QTest::newRow("LF and CR mixed") << "a\nb\rc" << QStringList{"a", "b", "c"};
        QTest::newRow("empty line kept") << "a\r\n\r\nb" << QStringList{"a", "", "b"};
        QTest::newRow("empty text") << "" << QStringList{};
        QTest::newRow("LF CR is two ends") << "a\n\rb" << QStringList{"a", "", "b"};
    }
    void splitLines()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QCOMPARE(TextFile::splitLines(text), lines);
    }

    void writeLinesIsCrLfAndAtomic()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("x.vkr"));
        QVERIFY(TextFile::writeLines(path, {QStringLiteral("###"), QStringLiteral("KDA1")}, CodePage::Windows1252));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("###\r\nKDA1\r\n"));
        f.close();
        // A folder that cannot be written keeps the previous file and reports the failure.
        QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        QString error;
        const bool ok = AtomicFile::write(path, "replaced", &error);
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        if (ok)
            QSKIP("running as a user who may write anywhere");
        QVERIFY(!error.isEmpty());
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("###\r\nKDA1\r\n"));
    }

    void fullDiskKeepsPreviousFile_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("smaller than the save buffer") << 4000;
        QTest::newRow("larger than the disk") << 40000;
    }
    void fullDiskKeepsPreviousFile()
    {
        QFETCH(int, size);
        SmallTmpfs disk;
        if (!disk.mounted())
            QSKIP("mounting a tmpfs is not permitted here");
        const QString path = disk.filePath(QStringLiteral("set.vkr"));
        QVERIFY(AtomicFile::write(path, "###\r\nprevious\r\n"));
        disk.fill();
        QString error;
        QVERIFY(!AtomicFile::write(path, QByteArray(size, 'n'), &error));
        QVERIFY2(error.contains(QStringLiteral("No space left")), qPrintable(error));
        QCOMPARE(contentsOf(path), QByteArray("###\r\nprevious\r\n"));
        QCOMPARE(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);  // no temporary file left
    }

    void nonRegularFilesAreNeverReadNorReplaced()
    {
        QTemporaryDir dir;
        const QString fifo = dir.filePath(QStringLiteral("pipe.vkr"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QStringList lines;
        QString error;
        QVERIFY(!TextFile::readLines(fifo, CodePage::Windows1252, &lines, &error));
        QCOMPARE(error, QStringLiteral("not a regular file"));
        QVERIFY(!TextFile::readLines(QStringLiteral("/dev/zero"), CodePage::Windows1252, &lines, &error));
        QCOMPARE(error, QStringLiteral("not a regular file"));
        QVERIFY(!AtomicFile::write(fifo, "###", &error));
        QCOMPARE(error, QStringLiteral("not a regular file"));
        QVERIFY(QFileInfo(fifo).exists() && !QFileInfo(fifo).isFile());
        QVERIFY(!AtomicFile::write(dir.path(), "###", &error));
        QVERIFY(!TextFile::readLines(dir.filePath(QStringLiteral("none.vkr")), CodePage::Windows1252, &lines, &error));
        QCOMPARE(error, QStringLiteral("No such file or directory"));
    }

    void hugeFileRefused()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("huge.inv"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QVERIFY(f.resize(FileRead::TextLimit + 1));  // sparse: no disk used
        f.close();
        QByteArray bytes;
        QString error;
        QVERIFY(!FileRead::readAll(path, FileRead::TextLimit, &bytes, &error));
        QCOMPARE(error, QStringLiteral("file larger than 16 MB"));
        QVERIFY(bytes.isEmpty());
        QVERIFY(FileRead::readAll(path, FileRead::TextLimit + 1, &bytes, &error));
        QCOMPARE(bytes.size(), FileRead::TextLimit + 1);
    }

    void caseInsensitiveLookup()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("dat/kda1(V100)")));
        QFile f(dir.filePath(QStringLiteral("dat/kda1(V100)/Info.INI")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        const QString found = FileLookup::resolve(dir.path() + QStringLiteral("\\DAT\\KDA1(V100)\\info.ini"));
        QCOMPARE(found, dir.filePath(QStringLiteral("dat/kda1(V100)/Info.INI")));
        const QString missing = dir.path() + QStringLiteral("/dat/nothing.ini");
        QCOMPARE(FileLookup::resolve(missing), missing);
    }

    void dialogFilters_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("qt");
        QTest::newRow("two entries") << "Parameter Datas (*.vkr)|*.vkr|All Files (*.*)|*.*"
                                     << "Parameter Datas (*.vkr);;All Files (*.*)";
        QTest::newRow("description without pattern") << "Language Data|*.ini" << "Language Data (*.ini)";
        QTest::newRow("odd count ignores the tail") << "A (*.a)|*.a|B" << "A (*.a)";
    }
    void dialogFilters()
    {
        QFETCH(QString, filter);
        QFETCH(QString, qt);
        QCOMPARE(DialogFilter::toQt(filter), qt);
    }
};

QTEST_GUILESS_MAIN(tst_TextFiles)
#include "tst_TextFiles.moc"
