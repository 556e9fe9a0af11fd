#include "app/FileTypeRegistration.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

// Registration of ".vkr" with the desktop, in a private set of XDG folders, with the real
// shared-mime-info, desktop-file-utils and xdg-utils tools.
class tst_FileTypeRegistration : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_root;
    QString m_exe = QStringLiteral("/opt/VKR 410T/bin/VKR410T");

    QString data() const { return m_root.filePath(QStringLiteral("data")); }

    static QByteArray read(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void write(const QString &path, const QByteArray &bytes)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static void run(const QString &program, const QStringList &arguments)
    {
        QProcess p;
        p.start(program, arguments);
        QVERIFY(p.waitForFinished(30000));
    }
    static bool toolsPresent()
    {
        for (const char *tool : {"xdg-mime", "update-mime-database", "update-desktop-database"}) {
            if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
                return false;
        }
        return true;
    }
    // Another program that owns "*.vkr" and is its default application.
    void installOtherProgram()
    {
        write(data() + QStringLiteral("/mime/packages/other.xml"),
              "<?xml version=\"1.0\"?>\n<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
              "<mime-type type=\"application/x-other-vkr\"><comment>Other</comment><glob pattern=\"*.vkr\"/></mime-type>\n"
              "</mime-info>\n");
        write(data() + QStringLiteral("/applications/other.desktop"),
              "[Desktop Entry]\nType=Application\nName=Other\nExec=other %f\nMimeType=application/x-other-vkr;\n");
        run(QStringLiteral("update-mime-database"), {data() + QStringLiteral("/mime")});
        run(QStringLiteral("update-desktop-database"), {data() + QStringLiteral("/applications")});
    }

private slots:
    void init()
    {
        QVERIFY(m_root.isValid());
        QDir(data()).removeRecursively();
        QDir(m_root.filePath(QStringLiteral("config"))).removeRecursively();
        QDir().mkpath(data());
        QDir().mkpath(m_root.filePath(QStringLiteral("config")));
        QDir().mkpath(m_root.filePath(QStringLiteral("system")));
        qputenv("XDG_DATA_HOME", data().toUtf8());
        qputenv("XDG_CONFIG_HOME", m_root.filePath(QStringLiteral("config")).toUtf8());
        qputenv("XDG_CONFIG_DIRS", m_root.filePath(QStringLiteral("config")).toUtf8());
        qputenv("XDG_DATA_DIRS", m_root.filePath(QStringLiteral("system")).toUtf8());
        qunsetenv("XDG_CURRENT_DESKTOP");
        qunsetenv("DESKTOP_SESSION");
        if (!toolsPresent())
            QSKIP("xdg-utils, shared-mime-info or desktop-file-utils is not installed");
    }

    void dataHomeFollowsTheEnvironment()
    {
        QCOMPARE(FileTypeRegistration::dataHome(), data());
        qputenv("XDG_DATA_HOME", "relative/path");
        QCOMPARE(FileTypeRegistration::dataHome(), QDir::homePath() + QStringLiteral("/.local/share"));
    }

    void registeringMakesVkr410tTheDefault()
    {
        FileTypeRegistration r(data(), m_exe);
        QCOMPARE(r.registerType(), FileTypeRegistration::Result::Registered);
        const QByteArray mime = read(r.mimePackagePath());
        QVERIFY(mime.contains("<glob pattern=\"*.vkr\"/>"));
        QVERIFY(mime.contains("<match type=\"string\" offset=\"0\" value=\"###\"/>"));
        const QByteArray desktop = read(r.desktopFilePath());
        QVERIFY(desktop.contains("Exec=\"/opt/VKR 410T/bin/VKR410T\" %f\n"));
        QVERIFY(desktop.contains("MimeType=application/x-vkr410t-parameters;\n"));
        // The caches were refreshed: the glob is known and a double-click opens VKR410T.
        QVERIFY(r.typesOfExtension().contains(FileTypeRegistration::mimeType()));
        QCOMPARE(FileTypeRegistration::defaultApplication(FileTypeRegistration::mimeType()),
                 FileTypeRegistration::desktopFileName());
        const QProcess::ExitStatus ok = QProcess::NormalExit;
        QProcess validate;
        validate.start(QStringLiteral("desktop-file-validate"), {r.desktopFilePath()});
        QVERIFY(validate.waitForFinished(30000));
        QCOMPARE(validate.exitStatus(), ok);
        QVERIFY2(validate.exitCode() == 0, validate.readAllStandardOutput().constData());

        // Registering again changes nothing.
        const QByteArray before = read(r.desktopFilePath());
        QCOMPARE(r.registerType(), FileTypeRegistration::Result::AlreadyAssociated);
        QCOMPARE(read(r.desktopFilePath()), before);
    }

    void unregisteringRemovesOnlyWhatRegisteringWrote()
    {
        FileTypeRegistration r(data(), m_exe);
        write(data() + QStringLiteral("/applications/unrelated.desktop"), "[Desktop Entry]\nType=Application\nName=U\nExec=u\n");
        QCOMPARE(r.registerType(), FileTypeRegistration::Result::Registered);
        QCOMPARE(r.unregisterType(), FileTypeRegistration::Result::Unregistered);
        QVERIFY(!QFile::exists(r.mimePackagePath()));
        QVERIFY(!QFile::exists(r.desktopFilePath()));
        QVERIFY(QFile::exists(data() + QStringLiteral("/applications/unrelated.desktop")));
        QVERIFY(!r.typesOfExtension().contains(FileTypeRegistration::mimeType()));
        QVERIFY(FileTypeRegistration::defaultApplication(FileTypeRegistration::mimeType()).isEmpty());
        QCOMPARE(r.unregisterType(), FileTypeRegistration::Result::NothingToRemove);
    }

    void anEntryOfTheSameNameWithoutTheMarkIsKept()
    {
        FileTypeRegistration r(data(), m_exe);
        write(r.desktopFilePath(), "[Desktop Entry]\nType=Application\nName=Mine\nExec=mine\n");
        QCOMPARE(r.registerType(), FileTypeRegistration::Result::AlreadyAssociated);
        QCOMPARE(r.unregisterType(), FileTypeRegistration::Result::NothingToRemove);
        QVERIFY(read(r.desktopFilePath()).contains("Name=Mine"));
    }

    void extensionOwnedByAnotherProgramIsLeftAlone()
    {
        installOtherProgram();
        FileTypeRegistration r(data(), m_exe);
        QCOMPARE(r.typesOfExtension(), QStringList{QStringLiteral("application/x-other-vkr")});
        QCOMPARE(FileTypeRegistration::defaultApplication(QStringLiteral("application/x-other-vkr")),
                 QStringLiteral("other.desktop"));
        const QByteArray otherMime = read(data() + QStringLiteral("/mime/packages/other.xml"));
        QCOMPARE(r.registerType(), FileTypeRegistration::Result::AlreadyAssociated);
        QVERIFY(!QFile::exists(r.mimePackagePath()));
        QVERIFY(!QFile::exists(r.desktopFilePath()));
        QCOMPARE(r.unregisterType(), FileTypeRegistration::Result::NothingToRemove);
        QCOMPARE(read(data() + QStringLiteral("/mime/packages/other.xml")), otherMime);
        QCOMPARE(FileTypeRegistration::defaultApplication(QStringLiteral("application/x-other-vkr")),
                 QStringLiteral("other.desktop"));
    }

    void aDataFolderThatCannotBeWrittenFails()
    {
        write(data() + QStringLiteral("/mime"), "a file where a folder should be");
        FileTypeRegistration r(data(), m_exe);
        QCOMPARE(r.registerType(), FileTypeRegistration::Result::Failed);
        QVERIFY(!r.error().isEmpty());
        QVERIFY(!QFile::exists(r.desktopFilePath()));
    }

    void execLineQuoting_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("exec");
        QTest::newRow("plain") << "/usr/bin/VKR410T" << "\"/usr/bin/VKR410T\" %f";
        QTest::newRow("space") << "/a b/VKR410T" << "\"/a b/VKR410T\" %f";
        QTest::newRow("quote and dollar") << "/a\"$b/x" << "\"/a\\\\\"\\\\$b/x\" %f";
        QTest::newRow("percent") << "/100%/x" << "\"/100%%/x\" %f";
        QTest::newRow("backslash") << "/a\\b/x" << "\"/a\\\\\\\\b/x\" %f";
    }
    void execLineQuoting()
    {
        QFETCH(QString, path);
        QTEST(FileTypeRegistration::execLine(path), "exec");
    }
};

QTEST_GUILESS_MAIN(tst_FileTypeRegistration)
#include "tst_FileTypeRegistration.moc"
