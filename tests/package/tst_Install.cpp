#include "ReadOnlyFolder.h"
#include "app/FileTypeRegistration.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtEndian>
#include <QtTest>

// Installs the build into a fresh prefix with `cmake --install` and runs the installed
// programs from folders that hold no data of their own.
class tst_Install : public QObject
{
    Q_OBJECT

    QTemporaryDir m_prefix;

    QString installed(const QString &relative) const { return m_prefix.filePath(relative); }

    struct Run {
        int exitCode = -1;
        QByteArray out, err;
    };
    static Run run(const QString &program, const QStringList &arguments, const QString &workDir = QDir::tempPath(),
                   const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
    {
        QProcess p;
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(workDir);
        p.start(program, arguments);
        Run r;
        if (!p.waitForFinished(120000)) {
            p.kill();
            p.waitForFinished();
            return r;
        }
        r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        r.out = p.readAllStandardOutput();
        r.err = p.readAllStandardError();
        return r;
    }
    static QString readText(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }
    // "Key=value" of a desktop entry's main group.
    static QString desktopValue(const QString &entry, const QString &key)
    {
        for (const QString &line : entry.split(QLatin1Char('\n'))) {
            if (line.startsWith(key + QLatin1Char('=')))
                return line.mid(key.size() + 1);
        }
        return {};
    }
    static bool toolMissing(const QString &tool) { return QStandardPaths::findExecutable(tool).isEmpty(); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_prefix.isValid());
        const Run r = run(QStringLiteral(VKR_CMAKE_COMMAND),
                          {QStringLiteral("--install"), QStringLiteral(VKR_BUILD_DIR), QStringLiteral("--prefix"),
                           m_prefix.path()});
        QVERIFY2(r.exitCode == 0, r.err.constData());
    }

    void layout_data()
    {
        QTest::addColumn<QString>("path");
        for (const char *p : {"bin/VKR410T", "bin/vkr", "bin/vkr-drive-sim", "share/vkr410t/dat/Inverter.ini",
                              "share/vkr410t/dat/KDA1(V100)/Info.ini", "share/vkr410t/lng/English.ini",
                              "share/vkr410t/lng/Japanese.ini", "share/applications/org.vkr410t.VKR410T.desktop",
                              "share/metainfo/org.vkr410t.VKR410T.metainfo.xml",
                              "share/mime/packages/vkr410t-parameters.xml",
                              "share/icons/hicolor/scalable/apps/vkr410t.svg", "share/man/man1/VKR410T.1.gz",
                              "share/man/man1/vkr.1.gz", "share/man/man1/vkr-drive-sim.1.gz"})
            QTest::newRow(p) << QString::fromLatin1(p);
    }
    void layout()
    {
        QFETCH(QString, path);
        const QFileInfo info(installed(path));
        QVERIFY2(info.isFile() && info.size() > 0, qPrintable(info.filePath()));
        if (path.startsWith(QLatin1String("bin/")))
            QVERIFY(info.isExecutable());
    }

    void pngIcons_data()
    {
        QTest::addColumn<int>("size");
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
            QTest::addRow("%dx%d", size, size) << size;
    }
    void pngIcons()
    {
        QFETCH(int, size);
        QFile f(installed(QStringLiteral("share/icons/hicolor/%1x%1/apps/vkr410t.png").arg(size)));
        QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(f.fileName()));
        // PNG signature, then the IHDR chunk: width and height as big-endian 32-bit numbers.
        const QByteArray head = f.read(24);
        QVERIFY(head.startsWith("\x89PNG\r\n\x1a\n") && head.mid(12, 4) == "IHDR");
        QCOMPARE(qFromBigEndian<quint32>(head.constData() + 16), quint32(size));
        QCOMPARE(qFromBigEndian<quint32>(head.constData() + 20), quint32(size));
    }

    void desktopEntryStartsTheInstalledWindows()
    {
        const QString path = installed(QStringLiteral("share/applications/org.vkr410t.VKR410T.desktop"));
        const QString entry = readText(path);
        const QString exec = desktopValue(entry, QStringLiteral("Exec"));
        QVERIFY(QFileInfo(installed(QStringLiteral("bin/") + exec.section(QLatin1Char(' '), 0, 0))).isExecutable());
        QCOMPARE(exec.section(QLatin1Char(' '), 1), QStringLiteral("%f"));
        const QString icon = desktopValue(entry, QStringLiteral("Icon"));
        QVERIFY(QFile::exists(installed(QStringLiteral("share/icons/hicolor/scalable/apps/%1.svg").arg(icon))));
        QCOMPARE(desktopValue(entry, QStringLiteral("MimeType")), FileTypeRegistration::mimeType() + u';');
        if (toolMissing(QStringLiteral("desktop-file-validate")))
            QSKIP("desktop-file-validate is not installed");
        const Run r = run(QStringLiteral("desktop-file-validate"), {path});
        QVERIFY2(r.exitCode == 0 && r.out.isEmpty(), r.out.constData());
    }

    // The installed type is the one the tool registers per user, so both name ".vkr" alike.
    void mimeTypeIsTheRegisteredOne()
    {
        QXmlStreamReader xml(readText(installed(QStringLiteral("share/mime/packages/vkr410t-parameters.xml"))));
        QStringList types, globs;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == QLatin1String("mime-type"))
                types << xml.attributes().value(QLatin1String("type")).toString();
            else if (xml.name() == QLatin1String("glob"))
                globs << xml.attributes().value(QLatin1String("pattern")).toString();
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(types, QStringList{FileTypeRegistration::mimeType()});
        QCOMPARE(globs, QStringList{QStringLiteral("*.vkr")});
        if (toolMissing(QStringLiteral("update-mime-database")))
            QSKIP("update-mime-database is not installed");
        QTemporaryDir copy;
        QDir().mkpath(copy.filePath(QStringLiteral("mime/packages")));
        QVERIFY(QFile::copy(installed(QStringLiteral("share/mime/packages/vkr410t-parameters.xml")),
                            copy.filePath(QStringLiteral("mime/packages/vkr410t-parameters.xml"))));
        QCOMPARE(run(QStringLiteral("update-mime-database"), {copy.filePath(QStringLiteral("mime"))}).exitCode, 0);
        const QByteArray dataDirs = qgetenv("XDG_DATA_DIRS");
        qputenv("XDG_DATA_DIRS", "/nonexistent");
        const QStringList known = FileTypeRegistration(copy.path(), QString()).typesOfExtension();
        qputenv("XDG_DATA_DIRS", dataDirs);
        QCOMPARE(known, QStringList{FileTypeRegistration::mimeType()});
    }

    void metainfoIsValid()
    {
        const QString path = installed(QStringLiteral("share/metainfo/org.vkr410t.VKR410T.metainfo.xml"));
        QVERIFY(readText(path).contains(QStringLiteral("<release version=\"" VKR_VERSION "\"")));
        if (toolMissing(QStringLiteral("appstreamcli")))
            QSKIP("appstreamcli is not installed");
        const Run r = run(QStringLiteral("appstreamcli"), {QStringLiteral("validate"), QStringLiteral("--no-net"), path});
        QVERIFY2(r.exitCode == 0, (r.out + r.err).constData());
    }

    void manPages_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("excerpt");  // a piece of the program's help text
        QTest::newRow("VKR410T") << "VKR410T" << "FILE.vkr";
        QTest::newRow("vkr") << "vkr" << "identify";
        QTest::newRow("vkr-drive-sim") << "vkr-drive-sim" << "line\\-timing";
    }
    void manPages()
    {
        QFETCH(QString, program);
        QFETCH(QString, excerpt);
        const Run r = run(QStringLiteral("gzip"),
                          {QStringLiteral("-dc"), installed(QStringLiteral("share/man/man1/%1.1.gz").arg(program))});
        QCOMPARE(r.exitCode, 0);
        const QString page = QString::fromUtf8(r.out);
        QVERIFY2(page.contains(QStringLiteral(".TH ")) && page.contains(QStringLiteral(VKR_VERSION)), r.out.left(400));
        QVERIFY2(page.contains(excerpt), qPrintable(program));
        QVERIFY2(!page.contains(QStringLiteral("Sanitizer")), qPrintable(program));
    }

    void versions_data()
    {
        QTest::addColumn<QString>("program");
        for (const char *p : {"VKR410T", "vkr", "vkr-drive-sim"})
            QTest::newRow(p) << QString::fromLatin1(p);
    }
    void versions()
    {
        QFETCH(QString, program);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));  // --version needs no window system
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        const Run r = run(installed(QStringLiteral("bin/") + program), {QStringLiteral("--version")}, QDir::tempPath(), env);
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, (program + QStringLiteral(" " VKR_VERSION "\n")).toUtf8());
    }

    // Neither program is told where the data are, and neither is started where they are.
    void installedProgramsFindTheirData()
    {
        QTemporaryDir elsewhere;
        QProcess sim;
        sim.setWorkingDirectory(elsewhere.path());
        sim.start(installed(QStringLiteral("bin/vkr-drive-sim")), {});
        QVERIFY(sim.waitForReadyRead(30000));
        const QString device = QString::fromUtf8(sim.readLine()).trimmed();
        QVERIFY2(device.startsWith(QStringLiteral("/dev/")), qPrintable(device + sim.readAllStandardError()));

        const Run r = run(installed(QStringLiteral("bin/vkr")),
                          {QStringLiteral("identify"), QStringLiteral("--port"), device, QStringLiteral("--type"),
                           QStringLiteral("KDA1"), QStringLiteral("--cpu"), QStringLiteral("V100"),
                           QStringLiteral("--form"), QStringLiteral("-2004P"), QStringLiteral("--lang"),
                           QStringLiteral("English")},
                          elsewhere.path());
        sim.terminate();
        QVERIFY(sim.waitForFinished(30000));
        QVERIFY2(r.exitCode == 0, (r.out + r.err).constData());
        QVERIFY2(r.out.contains("KDA1"), r.out.constData());
    }

    // Started with a file from the desktop: the data come from the installation, which the
    // user cannot write, so the settings go to the user's configuration folder.
    void installedWindowsKeepSettingsInTheConfigFolder()
    {
        QTemporaryDir home;
        const ReadOnlyFolder readOnlyShare(installed(QStringLiteral("share/vkr410t")));
        const ReadOnlyFolder readOnlyBin(installed(QStringLiteral("bin")));
        if (!readOnlyShare.active() || !readOnlyBin.active())
            QSKIP("cannot make the installation read-only here");
        const QString settings = home.filePath(QStringLiteral("config/vkr410t/VKR410T.ini"));
        QDir().mkpath(QFileInfo(settings).absolutePath());
        QFile ini(settings);
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[Language]\r\nJapanese=0\r\nEnglish=0\r\n[Comms]\r\nPortNames=/dev/vkr-no-such-port\r\n");
        ini.close();
        QFile vkr(home.filePath(QStringLiteral("set.vkr")));
        QVERIFY(vkr.open(QIODevice::WriteOnly));
        vkr.write("###\r\nKDA1\r\n-2004P\r\nV100\r\nEnglish\r\nNo Comments.\r\n0\r\n0\r\n");
        vkr.close();

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
        env.insert(QStringLiteral("VKR410T_PROMPT_LOG"), home.filePath(QStringLiteral("prompts.log")));
        QProcess gui;
        gui.setProcessEnvironment(env);
        gui.setWorkingDirectory(home.path());
        gui.start(installed(QStringLiteral("bin/VKR410T")), {vkr.fileName()});
        const bool started = QTest::qWaitFor([&] { return readText(settings).contains(QStringLiteral("LangNo=1")); },
                                             60000);
        const bool running = !gui.waitForFinished(2000);
        gui.kill();
        gui.waitForFinished();
        QVERIFY2(started, qPrintable(readText(settings) + gui.readAllStandardError()));
        // The only message a good start may show is that the line has no port to open.
        const QString prompts = readText(home.filePath(QStringLiteral("prompts.log")));
        QVERIFY2(running, qPrintable(prompts));
        QVERIFY2(prompts.isEmpty() || prompts == QStringLiteral("Confirmation|Usable serial port is not found.\n"),
                 qPrintable(prompts));
        QVERIFY(!QFile::exists(installed(QStringLiteral("share/vkr410t/VKR410T.ini"))));
        QVERIFY(!QFile::exists(installed(QStringLiteral("bin/VKR410T.ini"))));
    }

    // The command line started outside any folder of the tool keeps its options where the
    // windows read them, and finds the language files for its messages there too.
    void installedCommandLineSharesTheWindowsSettings()
    {
        QTemporaryDir home;
        const ReadOnlyFolder readOnlyShare(installed(QStringLiteral("share/vkr410t")));
        const ReadOnlyFolder readOnlyBin(installed(QStringLiteral("bin")));
        if (!readOnlyShare.active() || !readOnlyBin.active())
            QSKIP("cannot make the installation read-only here");
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
        const QString vkr = installed(QStringLiteral("bin/vkr"));
        const Run set = run(vkr, {QStringLiteral("options"), QStringLiteral("--set"), QStringLiteral("Eeprom=0")},
                            home.path(), env);
        QVERIFY2(set.exitCode == 0, set.err.constData());
        const QString settings = home.filePath(QStringLiteral("config/vkr410t/VKR410T.ini"));
        QVERIFY2(readText(settings).contains(QStringLiteral("Eeprom=0")), qPrintable(readText(settings)));
        QVERIFY(!QFile::exists(home.filePath(QStringLiteral("VKR410T.ini"))));
        const Run get = run(vkr, {QStringLiteral("options"), QStringLiteral("--get"), QStringLiteral("Eeprom")},
                            home.path(), env);
        QCOMPARE(get.out, QByteArray("0\n"));
        // A value out of range is refused with the options window's message.
        const Run refused = run(vkr, {QStringLiteral("options"), QStringLiteral("--set"), QStringLiteral("Eeprom=7")},
                                home.path(), env);
        QCOMPARE(refused.exitCode, 9);
        QVERIFY2(!refused.err.contains("no such language file"), refused.err.constData());
    }
};

QTEST_GUILESS_MAIN(tst_Install)
#include "tst_Install.moc"
