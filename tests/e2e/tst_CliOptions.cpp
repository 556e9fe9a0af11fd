#include "VkrProcess.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// "vkr options" on a settings file in a temporary application folder with the sample
// language files beside it.
class tst_CliOptions : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString settings() const { return m_dir.filePath(QStringLiteral("VKR410T.ini")); }
    QByteArray file() const
    {
        QFile f(settings());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void writeSettings(const QByteArray &bytes) const
    {
        QFile f(settings());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    Run options(const QStringList &args) const
    {
        return vkr(QStringList{QStringLiteral("options"), QStringLiteral("--settings"), settings(),
                               QStringLiteral("--lng"), QStringLiteral(VKR_SAMPLE_DATA "/lng")}
                   + args);
    }

private slots:
    void init() { QFile::remove(settings()); }

    void listsEveryStoredOptionWithLimitsAndFactoryValue()
    {
        writeSettings("[Options]\r\nUndoMax=55\r\nMonMode2Point=zero\r\n");
        const Run r = options({});
        QCOMPARE(r.exitCode, 0);
        const QList<QByteArray> lines = r.out.trimmed().split('\n');
        QCOMPARE(lines.size(), 45);  // every [Options] key but the written-only CheckInvTyp
        QVERIFY(lines.contains("UndoMax=55\tinteger 0..100\tfactory 10"));
        QVERIFY(lines.contains("MonMode2Point=3000\tinteger 1250..10000\tfactory 3000"));
        QVERIFY(lines.contains("MNCC=14745599\tcolour 0..16777215 (0x00BBGGRR)\tfactory 14745599"));
        QVERIFY(lines.contains("Result=1\tboolean 0..1\tfactory 1"));
        QVERIFY(!r.out.contains("CheckInvTyp"));
    }

    void setAndGet_data()
    {
        QTest::addColumn<QString>("assignment");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("stored");   // the line in the file afterwards, empty: none
        QTest::addColumn<QByteArray>("message");  // part of stderr
        QTest::newRow("in range") << "MonMode2Point=5000" << 0 << QByteArray("MonMode2Point=5000") << QByteArray();
        QTest::newRow("key in another case") << "undomax=7" << 0 << QByteArray("UndoMax=7") << QByteArray();
        QTest::newRow("above the maximum")
            << "MonMode2Point=99999" << 9 << QByteArray("MonMode2Point=10000")
            << QByteArray("The value is out of range. The limit value is set.");
        QTest::newRow("below the minimum") << "MonMode3Smp=1" << 9 << QByteArray("MonMode3Smp=10")
                                           << QByteArray("The value is out of range.");
        QTest::newRow("not a number") << "MonMode2Point=lots" << 9 << QByteArray() << QByteArray("Data is incorrect.");
        QTest::newRow("empty value") << "UndoMax=" << 9 << QByteArray() << QByteArray("Data is incorrect.");
        QTest::newRow("factor in hundredths") << "MonMode2Multi=150" << 0 << QByteArray("MonMode2Multi=150")
                                              << QByteArray();
        QTest::newRow("colour in hex") << "MNCC=0x0000FF" << 0 << QByteArray("MNCC=255") << QByteArray();
        QTest::newRow("boolean") << "Eeprom=0" << 0 << QByteArray("Eeprom=0") << QByteArray();
        QTest::newRow("comparison outputs never both off")
            << "ResultC=0" << 0 << QByteArray("CompDisp=1") << QByteArray("CompDisp=1");
    }
    void setAndGet()
    {
        QFETCH(QString, assignment);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, stored);
        QFETCH(QByteArray, message);
        const Run r = options({QStringLiteral("--set"), assignment});
        QCOMPARE(r.exitCode, exitCode);
        QVERIFY2(r.err.contains(message), r.err.constData());
        if (stored.isEmpty()) {
            QVERIFY(!QFile::exists(settings()));
            return;
        }
        QVERIFY2(file().contains(stored + "\r\n"), file().constData());
        const QByteArray key = stored.left(stored.indexOf('='));
        const Run get = options({QStringLiteral("--get"), QString::fromLatin1(key)});
        QCOMPARE(get.exitCode, 0);
        QCOMPARE(get.out.trimmed(), stored.mid(stored.indexOf('=') + 1));
    }

    void factoryRestoresEveryOption()
    {
        writeSettings("[Options]\r\nUndoMax=55\r\nEeprom=0\r\nMNCC=1\r\n[Comms]\r\nID=4\r\n");
        const Run r = options({QStringLiteral("--factory")});
        QCOMPARE(r.exitCode, 0);
        const QByteArray f = file();
        QVERIFY(f.contains("UndoMax=10\r\n"));
        QVERIFY(f.contains("Eeprom=1\r\n"));
        QVERIFY(f.contains("MNCC=14745599\r\n"));
        QVERIFY(f.contains("[Comms]\r\nID=4\r\n"));  // other sections untouched
    }

    void unwritableSettingsFileIsReported()
    {
        // A folder where the settings file should be: the write fails whatever the rights.
        const QString blocked = m_dir.filePath(QStringLiteral("blocked/VKR410T.ini"));
        QDir().mkpath(blocked);
        const Run r = vkr({QStringLiteral("options"), QStringLiteral("--settings"), blocked, QStringLiteral("--set"),
                           QStringLiteral("UndoMax=5")});
        QCOMPARE(r.exitCode, 6);
        QVERIFY2(r.err.contains("VKR410T.ini"), r.err.constData());
    }

    void badInput_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("unknown key") << QStringList{"--get", "NoSuchKey"};
        QTest::newRow("run-only option") << QStringList{"--set", "MainteClear=1"};
        QTest::newRow("written-only option") << QStringList{"--get", "CheckInvTyp"};
        QTest::newRow("no equals sign") << QStringList{"--set", "UndoMax"};
        QTest::newRow("two actions") << QStringList{"--factory", "--get", "UndoMax"};
        QTest::newRow("stray argument") << QStringList{"UndoMax"};
        QTest::newRow("unknown option") << QStringList{"--frobnicate"};
    }
    void badInput()
    {
        QFETCH(QStringList, args);
        const Run r = options(args);
        QCOMPARE(r.exitCode, 3);
        QVERIFY(r.err.contains("Usage: vkr options"));
        QVERIFY(!QFile::exists(settings()));
    }

    void helpExplainsTheCommand()
    {
        const Run r = vkr({QStringLiteral("options"), QStringLiteral("--help")});
        QCOMPARE(r.exitCode, 0);
        for (const char *part : {"--get <KEY>", "--set <KEY=VALUE>", "--factory", "--settings <FILE>", "9  a value"})
            QVERIFY2(r.out.contains(part), part);
        QVERIFY(vkr({QStringLiteral("--help")}).out.contains("options"));
    }
};

QTEST_GUILESS_MAIN(tst_CliOptions)
#include "tst_CliOptions.moc"
