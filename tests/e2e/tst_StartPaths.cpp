#include "TestAppFolder.h"
#include "app/SingleInstance.h"

#include <QProcess>
#include <QtTest>

// Runs the real VKR410T executable, installed in a fresh application folder, with its
// message boxes written to a log instead of shown.
class tst_StartPaths : public QObject
{
    Q_OBJECT

private:
    struct Run {
        int exitCode;
        QString log;
    };

    // An empty `runtimeDir` runs without a runtime folder; `cacheDir` is the user's cache folder.
    static Run run(const TestAppFolder &app, const QStringList &arguments, const QString &runtimeDir,
                   const QString &cacheDir = QString())
    {
        const QString exe = app.file(QStringLiteral("VKR410T"));
        if (!QFile::exists(exe))
            QFile::copy(QStringLiteral(VKR_BIN_DIR "/VKR410T"), exe);
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        if (runtimeDir.isEmpty())
            env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        else
            env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir);
        if (!cacheDir.isEmpty())
            env.insert(QStringLiteral("XDG_CACHE_HOME"), cacheDir);
        env.insert(QStringLiteral("VKR410T_PROMPT_LOG"), app.file(QStringLiteral("prompts.log")));
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(QDir::tempPath());
        process.start(exe, arguments);
        if (!process.waitForFinished(30000)) {
            process.kill();
            process.waitForFinished();
            return {-1, QString()};
        }
        return {process.exitCode(), QString::fromUtf8(app.readFile(QStringLiteral("prompts.log")))};
    }

private slots:
    void secondInstanceEnds()
    {
        TestAppFolder app(false);
        QTemporaryDir runtime;
        SingleInstance first;
        QCOMPARE(first.acquire(runtime.path()), SingleInstance::Result::Acquired);
        const Run r = run(app, {}, runtime.path());
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(r.log, QStringLiteral("VKR410T|Already running.\n"));
    }

    // Without a runtime folder the lock is in the user's own cache folder: a copy of another
    // user (another cache folder) is not blocked, one of the same user is.
    void withoutRuntimeFolderTheLockIsPerUser()
    {
        TestAppFolder app(false);
        QTemporaryDir cache, otherUsersCache;
        SingleInstance first;
        QCOMPARE(first.acquire(cache.path()), SingleInstance::Result::Acquired);
        const Run same = run(app, {}, QString(), cache.path());
        QCOMPARE(same.exitCode, 1);
        QCOMPARE(same.log, QStringLiteral("VKR410T|Already running.\n"));

        QFile::remove(app.file(QStringLiteral("prompts.log")));
        const Run other = run(app, {}, QString(), otherUsersCache.path());
        QVERIFY2(!other.log.contains(QStringLiteral("Already running.")), qPrintable(other.log));
        QCOMPARE(other.exitCode, 2);  // started, then ended for want of data
    }

    // A lock that cannot be made is not "Already running.": the tool says so and starts
    // (here it then ends because the folder has no data, with the failed-start exit code).
    void lockThatCannotBeMadeStillStarts()
    {
        TestAppFolder app(false);
        app.writeFile(QStringLiteral("plain-file"), "x");
        const QString impossible = app.file(QStringLiteral("plain-file/runtime"));
        const Run r = run(app, {}, QString(), impossible);
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(!r.log.contains(QStringLiteral("Already running.")), qPrintable(r.log));
        QVERIFY2(r.log.startsWith(QStringLiteral("VKR410T|The lock that keeps a second VKR410T from starting cannot "
                                                 "be created (")),
                 qPrintable(r.log));
        QVERIFY2(r.log.count(QLatin1Char('\n')) > 1, qPrintable(r.log));  // the start went on
    }

    void failedStartExitsWithAnError()
    {
        TestAppFolder app(false);
        QTemporaryDir runtime;
        const Run r = run(app, {}, runtime.path());
        QCOMPARE(r.exitCode, 2);
        QVERIFY(!r.log.isEmpty());
    }

    void refusedFiles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("log");
        QTest::newRow("backup name") << "x.vkr.bak" << QByteArray("###\r\n")
                                     << "Confirmation (File-type error)|Data is incorrect.\n";
        QTest::newRow("first line") << "x.vkr" << QByteArray("#\r\nKDA1\r\n")
                                    << "Confirmation (Data error)|Data is incorrect.\n";
        QTest::newRow("language") << "x.VKR" << QByteArray("###\r\nKDA1\r\n-2015P\r\nV100\r\nFrench\r\n")
                                  << "Confirmation (Language error)|Data is incorrect.\n";
    }
    void refusedFiles()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, log);
        TestAppFolder app;
        app.writeSettings("[Language]\r\nJapanese=0\r\nEnglish=0\r\n");
        app.writeFile(name, bytes);
        QTemporaryDir runtime;
        const Run r = run(app, {app.file(name)}, runtime.path());
        QCOMPARE(r.exitCode, 2);
        QCOMPARE(r.log, log);
        QCOMPARE(app.readFile(QStringLiteral("VKR410T.ini")), QByteArray("[Language]\r\nJapanese=0\r\nEnglish=0\r\n"));
    }

    void missingLanguageFileEndsTheStart()
    {
        TestAppFolder app;
        QFile::remove(app.file(QStringLiteral("lng/English.ini")));
        app.writeSettings("[Language]\r\nEnglish=0\r\n");
        app.writeFile(QStringLiteral("x.vkr"), "###\r\nKDA1\r\n-2015P\r\nV100\r\nEnglish\r\nNo Comments.\r\n0\r\n0\r\n");
        QTemporaryDir runtime;
        const Run r = run(app, {app.file(QStringLiteral("x.vkr"))}, runtime.path());
        QCOMPARE(r.exitCode, 2);
        QCOMPARE(r.log, QStringLiteral("Confirmation|Not found Language data file.\nConfirmation|VKR410T is closed.\n"));
    }
};

QTEST_GUILESS_MAIN(tst_StartPaths)
#include "tst_StartPaths.moc"
