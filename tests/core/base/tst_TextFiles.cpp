#include "base/AtomicFile.h"
#include "base/DialogFilter.h"
#include "base/FileLookup.h"
#include "base/TextFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

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
