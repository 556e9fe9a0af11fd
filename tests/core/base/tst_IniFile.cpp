#include "base/CodePage.h"
#include "base/IniFile.h"

#include "SmallTmpfs.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

class tst_IniFile : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString write(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return path;
    }
    static QByteArray read(const QString &path)
    {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }

private slots:
    void reading_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        const QByteArray base = "[Comms]\r\nBaudrate=4\r\nbaudrate=5\r\n[COMMS]\r\nParity=2\r\n; Delay=9\r\n"
                                "[Other]\r\n  Key  =  spaced value  \r\nQuoted=\"x \"\r\n";
        QTest::newRow("exact") << base << "Comms" << "Baudrate" << "4";
        QTest::newRow("section and key ignore case") << base << "cOmMs" << "BAUDRATE" << "4";
        QTest::newRow("first section of a name wins") << base << "Comms" << "Parity" << "<def>";
        QTest::newRow("comment line is no key") << base << "Comms" << "Delay" << "<def>";
        QTest::newRow("value and key trimmed") << base << "Other" << "Key" << "spaced value";
        QTest::newRow("quotes around a value dropped") << base << "Other" << "Quoted" << "x ";
        QTest::newRow("single quotes around a value dropped")
            << QByteArray("[A]\r\nk=' x '\r\n") << "A" << "k" << " x ";
        QTest::newRow("only one pair of quotes dropped") << QByteArray("[A]\r\nk=''x''\r\n") << "A" << "k" << "'x'";
        QTest::newRow("unpaired quotes kept") << QByteArray("[A]\r\nk='x\"\r\n") << "A" << "k" << "'x\"";
        QTest::newRow("LF line ends") << QByteArray("[A]\nk=1\n[B]\nk=2") << "B" << "k" << "2";
        QTest::newRow("CR line ends") << QByteArray("[A]\rk=1\r") << "A" << "k" << "1";
        QTest::newRow("missing section") << base << "Nope" << "Key" << "<def>";
        QTest::newRow("garbage lines skipped") << QByteArray("\x01\x02garbage\r\n[A]\r\n]]==\r\nk=3\r\n") << "A"
                                               << "k" << "3";
    }
    void reading()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        const IniFile ini(write(QStringLiteral("r.ini"), file));
        QCOMPARE(ini.readString(section, key, QStringLiteral("<def>")), expected);
    }

    void keysInFileOrderWithoutRepeats()
    {
        const IniFile ini(write(QStringLiteral("k.ini"), "[Language]\r\nJapanese=0\r\nEnglish=1\r\nenglish=0\r\nDeutsch=1\r\n"));
        QCOMPARE(ini.keys(QStringLiteral("language")), QStringList({"Japanese", "English", "Deutsch"}));
        QCOMPARE(ini.readBool(QStringLiteral("Language"), QStringLiteral("English"), false), true);
    }

    void numbers_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("decimal") << "42" << 42;
        QTest::newRow("negative") << "-3" << -3;
        QTest::newRow("not a number gives default") << "yes" << 7;
        QTest::newRow("empty gives default") << "" << 7;
        QTest::newRow("trailing text gives default") << "12ab" << 7;
    }
    void numbers()
    {
        QFETCH(QString, value);
        QFETCH(int, expected);
        const IniFile ini(write(QStringLiteral("n.ini"), "[S]\r\nk=" + value.toLatin1() + "\r\n"));
        QCOMPARE(ini.readInt(QStringLiteral("S"), QStringLiteral("k"), 7), expected);
    }

    void writeKeepsEveryOtherLine()
    {
        const QByteArray before = "; comment\r\n[A]\r\nx = 1\r\n\r\n[B]\nMixed=old\n  odd line without equals\n[C]\r\nz=3";
        const QString path = write(QStringLiteral("w.ini"), before);
        IniFile ini(path);
        QVERIFY(ini.writeString(QStringLiteral("b"), QStringLiteral("mixed"), QStringLiteral("new")));
        QCOMPARE(read(path), QByteArray("; comment\r\n[A]\r\nx = 1\r\n\r\n[B]\nMixed=new\n  odd line without equals\n[C]\r\nz=3"));
        QVERIFY(ini.writeString(QStringLiteral("A"), QStringLiteral("y"), QStringLiteral("2")));
        QVERIFY(ini.writeString(QStringLiteral("C"), QStringLiteral("w"), QStringLiteral("4")));
        QVERIFY(ini.writeString(QStringLiteral("D"), QStringLiteral("v"), QStringLiteral("5")));
        QCOMPARE(read(path), QByteArray("; comment\r\n[A]\r\nx = 1\r\ny=2\r\n\r\n[B]\nMixed=new\n  odd line without equals\n"
                                        "[C]\r\nz=3\r\nw=4\r\n[D]\r\nv=5\r\n"));
        QCOMPARE(IniFile(path).readInt(QStringLiteral("A"), QStringLiteral("y"), 0), 2);
    }

    void eraseSection()
    {
        const QString path = write(QStringLiteral("e.ini"), "[A]\r\na=1\r\n[Monitor]\r\nItem1=3\r\nMonPath=/x\r\n[B]\r\nb=2\r\n");
        IniFile ini(path);
        QVERIFY(ini.eraseSection(QStringLiteral("monitor")));
        QCOMPARE(read(path), QByteArray("[A]\r\na=1\r\n[B]\r\nb=2\r\n"));
        QVERIFY(!ini.hasSection(QStringLiteral("Monitor")));
    }

    void missingFileCreatedByFirstWrite()
    {
        const QString path = m_dir.filePath(QStringLiteral("new.ini"));
        IniFile ini(path);
        QVERIFY(!ini.exists());
        QCOMPARE(ini.readInt(QStringLiteral("Language"), QStringLiteral("Japanese"), 999), 999);
        QVERIFY(ini.writeInt(QStringLiteral("Language"), QStringLiteral("Japanese"), 0));
        QCOMPARE(read(path), QByteArray("[Language]\r\nJapanese=0\r\n"));
    }

    void changeOnDiskIsSeen()
    {
        const QString path = write(QStringLiteral("c.ini"), "[S]\r\nk=1\r\n");
        const IniFile ini(path);
        QCOMPARE(ini.readInt(QStringLiteral("S"), QStringLiteral("k"), 0), 1);
        write(QStringLiteral("c.ini"), "[S]\r\nk=22\r\n");
        QCOMPARE(ini.readInt(QStringLiteral("S"), QStringLiteral("k"), 0), 22);
    }

    void unwritableFileReportsFailureAndKeepsCache()
    {
        IniFile ini(QStringLiteral("/proc/no-such-folder/x.ini"));
        QVERIFY(!ini.writeString(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("v")));
        QCOMPARE(ini.readString(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("def")), QStringLiteral("def"));
    }

    void fullDiskKeepsSettingsFile()
    {
        SmallTmpfs disk;
        if (!disk.mounted())
            QSKIP("mounting a tmpfs is not permitted here");
        IniFile ini(disk.filePath(QStringLiteral("VKR410T.ini")));
        QVERIFY(ini.writeString(QStringLiteral("File"), QStringLiteral("LoadPath"), QStringLiteral("/home/a")));
        const QByteArray before = read(ini.path());
        disk.fill();
        QVERIFY(!ini.writeString(QStringLiteral("File"), QStringLiteral("SavePath"), QString(3000, QLatin1Char('s'))));
        QVERIFY2(ini.lastError().contains(QStringLiteral("No space left")), qPrintable(ini.lastError()));
        QCOMPARE(read(ini.path()), before);
        QCOMPARE(ini.readString(QStringLiteral("File"), QStringLiteral("SavePath"), QStringLiteral("def")),
                 QStringLiteral("def"));
    }

    void batchWritesTheFileOnceAtCommit()
    {
        const QByteArray original = "; kept comment\r\n[File]\r\nLoadPath=/a\r\n[S]\r\nk=1\r\n";
        const QString path = write(QStringLiteral("batch.ini"), original);
        IniFile ini(path);
        ini.beginBatch();
        QVERIFY(ini.writeString(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("2")));
        QVERIFY(ini.writeString(QStringLiteral("New"), QStringLiteral("x"), QStringLiteral("3")));
        QCOMPARE(ini.readString(QStringLiteral("S"), QStringLiteral("k")), QStringLiteral("2"));
        QCOMPARE(read(path), original);
        QVERIFY(ini.commitBatch());
        QVERIFY(!ini.inBatch());
        QCOMPARE(read(path), "; kept comment\r\n[File]\r\nLoadPath=/a\r\n[S]\r\nk=2\r\n[New]\r\nx=3\r\n");
    }

    void emptyBatchCreatesNoFile()
    {
        IniFile ini(m_dir.filePath(QStringLiteral("never.ini")));
        ini.beginBatch();
        QVERIFY(ini.commitBatch());
        QVERIFY(!ini.exists());
    }

    void batchOnAFullDiskKeepsTheOldFile()
    {
        SmallTmpfs disk;
        if (!disk.mounted())
            QSKIP("mounting a tmpfs is not permitted here");
        IniFile ini(disk.filePath(QStringLiteral("VKR410T.ini")));
        QVERIFY(ini.writeString(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("1")));
        const QByteArray before = read(ini.path());
        disk.fill();
        ini.beginBatch();
        for (int i = 0; i < 50; ++i)
            ini.writeString(QStringLiteral("S"), QStringLiteral("k%1").arg(i), QString(100, QLatin1Char('v')));
        ini.writeString(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("2"));
        QVERIFY(!ini.commitBatch());
        QVERIFY2(ini.lastError().contains(QStringLiteral("No space left")), qPrintable(ini.lastError()));
        QCOMPARE(read(ini.path()), before);
        QCOMPARE(ini.readString(QStringLiteral("S"), QStringLiteral("k")), QStringLiteral("1"));
        QVERIFY(!ini.hasKey(QStringLiteral("S"), QStringLiteral("k0")));
    }

    void fifoReadsAsEmptyWithoutBlocking()
    {
        const QString fifo = m_dir.filePath(QStringLiteral("fifo.ini"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        IniFile ini(fifo);
        QVERIFY(ini.sections().isEmpty());
        QVERIFY(!ini.writeString(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("v")));
        QVERIFY(!QFileInfo(fifo).isFile());
    }

    void shiftJisValues()
    {
        const QString japanese = QStringLiteral("周波数設定");
        const QByteArray sjis = CodePages::encode(japanese, CodePage::ShiftJis);
        QVERIFY(sjis.size() == 10);
        const QString path = write(QStringLiteral("j.ini"), "[Jap Mon]\r\nItem1=" + sjis + "\r\n");
        IniFile ini(path, CodePage::ShiftJis);
        QCOMPARE(ini.readString(QStringLiteral("Jap Mon"), QStringLiteral("Item1")), japanese);
        QVERIFY(ini.writeString(QStringLiteral("Jap Mon"), QStringLiteral("Item2"), japanese));
        QCOMPARE(read(path), "[Jap Mon]\r\nItem1=" + sjis + "\r\nItem2=" + sjis + "\r\n");
    }
};

QTEST_GUILESS_MAIN(tst_IniFile)
#include "tst_IniFile.moc"
