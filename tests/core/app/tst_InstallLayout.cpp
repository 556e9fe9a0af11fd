#include "ReadOnlyFolder.h"
#include "app/AppFolders.h"
#include "app/InstallLayout.h"
#include "app/Session.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// The folders an installed tool uses: <root>/bin for the programs, <root>/share/vkr410t for
// the shared data, and separate current folders.
class tst_InstallLayout : public QObject
{
    Q_OBJECT

private slots:
    void sharedFolderIsBesideTheProgramFolder()
    {
        QCOMPARE(InstallLayout::sharedFolder(QStringLiteral("/usr/bin")), QStringLiteral("/usr/share/vkr410t"));
        QCOMPARE(InstallLayout::sharedFolder(QStringLiteral("/opt/x/bin")), QStringLiteral("/opt/x/share/vkr410t"));
    }

    void appFolder_data()
    {
        QTest::addColumn<QStringList>("made");
        QTest::addColumn<QString>("expected");
        QTest::newRow("current folder with data wins") << QStringList{"cur/dat", "bin/dat", "share/vkr410t/dat"} << "cur";
        QTest::newRow("language folder alone prepares") << QStringList{"cur/lng", "share/vkr410t/dat"} << "cur";
        QTest::newRow("settings file alone prepares") << QStringList{"cur/VKR410T.ini", "share/vkr410t/dat"} << "cur";
        QTest::newRow("names ignore case") << QStringList{"cur/DAT", "share/vkr410t/dat"} << "cur";
        QTest::newRow("program folder next") << QStringList{"bin/dat", "share/vkr410t/dat"} << "bin";
        QTest::newRow("shared data of an installation") << QStringList{"share/vkr410t/dat"} << "share/vkr410t";
        QTest::newRow("nothing anywhere keeps the current folder") << QStringList{"share/other/dat"} << "cur";
        QTest::newRow("a file named dat is no data folder") << QStringList{"cur/dat.ini"} << "cur";
    }
    void appFolder()
    {
        QFETCH(QStringList, made);
        QFETCH(QString, expected);
        QTemporaryDir root;
        const auto at = [&](const QString &r) { return root.filePath(r); };
        QDir().mkpath(at(QStringLiteral("cur")));
        QDir().mkpath(at(QStringLiteral("bin")));
        for (const QString &m : made) {
            if (m.endsWith(QLatin1String(".ini"))) {
                QFile f(at(m));
                QVERIFY(f.open(QIODevice::WriteOnly));
            } else {
                QVERIFY(QDir().mkpath(at(m)));
            }
        }
        const QString got = InstallLayout::appFolder({at(QStringLiteral("cur")), at(QStringLiteral("bin"))},
                                                     at(QStringLiteral("bin")));
        QCOMPARE(got, at(expected));
    }

    void dataFolder_data()
    {
        QTest::addColumn<QStringList>("made");
        QTest::addColumn<QString>("expected");
        QTest::newRow("beside the program first") << QStringList{"bin/dat", "share/vkr410t/dat"} << "bin/dat";
        QTest::newRow("installed data") << QStringList{"share/vkr410t/dat"} << "share/vkr410t/dat";
        QTest::newRow("none: the option stays required") << QStringList{"share/vkr410t/lng"} << "";
    }
    void dataFolder()
    {
        QFETCH(QStringList, made);
        QFETCH(QString, expected);
        QTemporaryDir root;
        QDir().mkpath(root.filePath(QStringLiteral("bin")));
        for (const QString &m : made)
            QVERIFY(QDir().mkpath(root.filePath(m)));
        const QString got = InstallLayout::dataFolder(root.filePath(QStringLiteral("bin")));
        QCOMPARE(got, expected.isEmpty() ? QString() : root.filePath(expected));
    }

    // A prepared, writable application folder keeps its settings file as it always did.
    void writableAppFolderKeepsItsSettings()
    {
        QTemporaryDir app;
        Session session;
        session.setAppFolder(app.path());
        QCOMPARE(session.folders.settingsFile(), app.filePath(QStringLiteral("VKR410T.ini")));
        QVERIFY(session.settings().set(Keys::LangNo, 1));
        QVERIFY(QFile::exists(app.filePath(QStringLiteral("VKR410T.ini"))));
        QCOMPARE(session.folders.userFolder(), app.path());
    }

    void readOnlyAppFolderKeepsSettingsInTheConfigFolder()
    {
        QTemporaryDir app, config;
        QDir().mkpath(app.filePath(QStringLiteral("dat")));
        const ReadOnlyFolder readOnly(app.path());
        if (!readOnly.active())
            QSKIP("cannot make a folder read-only here");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
        Session session;
        session.setAppFolder(app.path());
        const QString expected = config.filePath(QStringLiteral("vkr410t/VKR410T.ini"));
        QCOMPARE(session.folders.settingsFile(), expected);
        QCOMPARE(session.folders.dataFolder, app.filePath(QStringLiteral("dat")));
        QVERIFY(session.settings().set(Keys::LangNo, 1));
        QVERIFY(QFile(expected).size() > 0);
        // The folders the user saves into default to home, not to the read-only folder.
        QCOMPARE(session.folders.userFolder(), QDir::homePath());
        QCOMPARE(session.settings().get(Keys::SavePath), QDir::homePath());
        // The drive selection does not move the settings file back.
        session.folders.setAppFolder(app.path(), QStringLiteral("\\dat"));
        QCOMPARE(session.folders.settingsFile(), expected);
    }
};

QTEST_GUILESS_MAIN(tst_InstallLayout)
#include "tst_InstallLayout.moc"
