#include "app/InverterCatalog.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class tst_InverterCatalog : public QObject
{
    Q_OBJECT

private:
    static void touch(const QString &path)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }

private slots:
    void typeNames_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("type");
        QTest::newRow("plain") << "KDA1(V100)" << "KDA1";
        QTest::newRow("no CPU part") << "KDA1" << "KDA1";
        QTest::newRow("unclosed") << "KDA1(V1" << "KDA1";
        QTest::newRow("text after") << "KDA1(V100)x" << "KDA1x";
    }
    void typeNames()
    {
        QFETCH(QString, folder);
        QFETCH(QString, type);
        QCOMPARE(InverterCatalog::typeNameOf(folder), type);
    }

    void catalogueOfFolders()
    {
        QTemporaryDir dir;
        QDir d(dir.path());
        for (const char *name : {"KDA1(V110)", "KDA1(V100)", "KDB2(V100)", "KDA10(V100)", "kdz9(V300)", "Other(V1)"})
            QVERIFY(d.mkpath(QString::fromLatin1(name)));
        touch(dir.filePath(QStringLiteral("KDX5(V100)")));  // a file, not a folder
        touch(dir.filePath(QStringLiteral("KDA1(V100)/KDA1-2007P.cap")));
        touch(dir.filePath(QStringLiteral("KDA1(V100)/KDA1-0015P.cap")));
        touch(dir.filePath(QStringLiteral("KDA1(V100)/KDA1-0040P.CAP")));
        touch(dir.filePath(QStringLiteral("KDA1(V100)/KDA1(Eng).inv")));
        QFile ini(dir.filePath(QStringLiteral("Inverter.ini")));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[Type]\r\nKDA1=41\r\nKDB2=52\r\n[KDA1]\r\n-2007P=2\r\n[Type_Ident_52]\r\nIdent=0099\r\nTyp_1=KDB2\r\n");
        ini.close();

        InverterCatalog c;
        c.scan(dir.path(), ini.fileName());
        QCOMPARE(c.types(), QStringList({"KDA1", "KDA10", "KDB2", "kdz9"}));
        QCOMPARE(c.cpuVersions(QStringLiteral("KDA1")), QStringList({"V100", "V110"}));
        QCOMPARE(c.cpuNumbers(QStringLiteral("KDA1")), QStringList({"100", "110"}));
        QCOMPARE(c.cpuVersions(QStringLiteral("KDA10")), QStringList({"V100"}));
        QCOMPARE(c.forms(QStringLiteral("KDA1"), QStringLiteral("V100")), QStringList({"-0015P", "-0040P", "-2007P"}));
        QCOMPARE(c.typeNumber(QStringLiteral("KDA1")), QStringLiteral("41"));
        QCOMPARE(c.typeNumber(QStringLiteral("kdz9")), QStringLiteral("99"));
        QCOMPARE(c.formNumber(QStringLiteral("KDA1"), QStringLiteral("-2007P")), QStringLiteral("2"));
        QCOMPARE(c.formNumber(QStringLiteral("KDA1"), QStringLiteral("-0015P")), QStringLiteral("0"));
        QCOMPARE(c.typeIdentNumber(QStringLiteral("52")), QStringLiteral("0099"));
        QCOMPARE(c.typeIdentName(QStringLiteral("52"), QStringLiteral("1")), QStringLiteral("KDB2"));
        QCOMPARE(c.typeIdentName(QStringLiteral("52"), QStringLiteral("3")), QStringLiteral("-"));
        QCOMPARE(c.typeNameOfNumber(QStringLiteral("52")), QStringLiteral("KDB2"));
        QCOMPARE(c.freqCommNo(QStringLiteral("KDA1")), QStringLiteral("-"));
        QCOMPARE(c.cpu2Code(QStringLiteral("KDA1")), QStringLiteral("D"));
    }

    void listsSortWithoutRegardToCase()
    {
        QTemporaryDir dir;
        QDir d(dir.path());
        for (const char *name : {"KDb2(V100)", "KDA1(V100)", "KDa1(V200)", "KDC3(V100)"})
            QVERIFY(d.mkpath(QString::fromLatin1(name)));
        for (const char *name : {"KDA1-b1.cap", "KDA1-A2.cap", "KDA1-a3.cap", "KDA1-B0.cap"})
            touch(dir.filePath(QStringLiteral("KDA1(V100)/") + QString::fromLatin1(name)));
        InverterCatalog c;
        c.scan(dir.path(), dir.filePath(QStringLiteral("Inverter.ini")));
        QCOMPARE(c.modelFolders(), QStringList({"KDA1(V100)", "KDa1(V200)", "KDb2(V100)", "KDC3(V100)"}));
        QCOMPARE(c.types(), QStringList({"KDA1", "KDa1", "KDb2", "KDC3"}));
        QCOMPARE(c.forms(QStringLiteral("KDA1"), QStringLiteral("V100")), QStringList({"-A2", "-a3", "-B0", "-b1"}));
    }

    void knowsOnlyListedDrives_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("cpu");
        QTest::addColumn<QString>("form");
        QTest::addColumn<bool>("known");
        QTest::newRow("listed") << "KDA1" << "V100" << "-2004P" << true;
        QTest::newRow("path in the type") << "../KDA1" << "V100" << "-2004P" << false;
        QTest::newRow("type in another case") << "kda1" << "V100" << "-2004P" << false;
        QTest::newRow("CPU version without folder") << "KDA1" << "V300" << "-2004P" << false;
        QTest::newRow("form without capacity file") << "KDA1" << "V100" << "-9999P" << false;
        QTest::newRow("form naming another folder") << "KDA1" << "V100" << "/../x" << false;
        QTest::newRow("empty names") << "" << "" << "" << false;
    }
    void knowsOnlyListedDrives()
    {
        QFETCH(QString, type);
        QFETCH(QString, cpu);
        QFETCH(QString, form);
        QFETCH(bool, known);
        InverterCatalog c;
        c.scan(QStringLiteral(VKR_SAMPLE_DATA "/dat"), QStringLiteral(VKR_SAMPLE_DATA "/dat/Inverter.ini"));
        QCOMPARE(c.knows(type, cpu, form), known);
    }

    void sampleData()
    {
        InverterCatalog c;
        c.scan(QStringLiteral(VKR_SAMPLE_DATA "/dat"), QStringLiteral(VKR_SAMPLE_DATA "/dat/Inverter.ini"));
        QVERIFY(c.types().size() >= 2);
        for (const QString &type : c.types()) {
            QVERIFY(type.startsWith(QLatin1String("KD")));
            const QStringList cpus = c.cpuVersions(type);
            QVERIFY(!cpus.isEmpty());
            QVERIFY(c.forms(type, cpus.first()).size() >= 3);
            QVERIFY(c.typeNumber(type) != QLatin1String("99"));
        }
    }
};

QTEST_GUILESS_MAIN(tst_InverterCatalog)
#include "tst_InverterCatalog.moc"
