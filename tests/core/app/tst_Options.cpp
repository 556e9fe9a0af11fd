#include "app/OptionInterlocks.h"
#include "app/Options.h"
#include "app/Settings.h"

#include "SmallTmpfs.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

using namespace OptionDefs;

namespace {

// The documented key, default, factory value and limits of every option, written out here
// independently of the declaration so that a slip in either shows.
struct Expected {
    const char *key;
    int def, factory, min, max;
};

const Expected ExpectedOptions[] = {
    {"CheckLang", 1, 1, 0, 1}, {"CheckInv", 1, 1, 0, 1}, {"CheckPrt", 0, 0, 0, 1}, {"CheckInvTyp", 1, 1, 0, 1},
    {"Eeprom", 1, 1, 0, 1}, {"ChgPara1", 1, 1, 0, 1}, {"ComDisp", 0, 0, 0, 1}, {"Result", 1, 1, 0, 1},
    {"CompDisp", 0, 0, 0, 1}, {"ResultC", 1, 1, 0, 1}, {"Mainte", 0, 0, 0, 1}, {"Snapshot", 1, 1, 0, 1}, {"ChgPara2", 0, 0, 0, 1},
    {"SkipFile", 0, 0, 0, 1}, {"RegistFile", 1, 1, 0, 1}, {"Entkey", 1, 1, 0, 1}, {"UndoMax", 10, 10, 0, 100},
    {"PanelTime1", 260, 260, 0, 1000}, {"MonBack", 0xFFFFFF, 0xFFFFFF, 0, 0xFFFFFF}, {"MonVal", 15, 15, 0, 100},
    {"MonMode2", 0, 0, 0, 1}, {"MonMode2Multi", 100, 100, 1, 20000}, {"MonMode2Point", 3000, 3000, 1250, 10000},
    {"MonMode3", 0, 0, 0, 1}, {"MonMode3T", 120, 120, 30, 1440}, {"MonMode3Smp", 10, 10, 10, 300},
    {"MonMode4", 0, 0, 0, 1}, {"MonMode5", 1, 1, 0, 1}, {"MonMode6", 1, 1, 0, 1}, {"MonMode7", 1, 1, 0, 1},
    {"MonKeep", 0, 0, 0, 1}, {"MSTC", 0, 0, 0, 0xFFFFFF}, {"MSCC", 0xFFFFFF, 0xFFFFFF, 0, 0xFFFFFF},
    {"MNTC", 0, 0, 0, 0xFFFFFF}, {"MNCC", 0xE0FFFF, 0xE0FFFF, 0, 0xFFFFFF}, {"MSLTC", 0xFFFFFF, 0xFFFFFF, 0, 0xFFFFFF},
    {"MCVCCC", 0, 0, 0, 1}, {"MCVCC", 0x00FFFF, 0x00FFFF, 0, 0xFFFFFF}, {"MCVBOC", 0, 0, 0, 1}, {"WHP", 0, 0, 0, 1},
    {"MMG", 50, 50, 0, 100}, {"MMCT", 5, 5, 1, 100}, {"MWC", 0x808080, 0x808080, 0, 0xFFFFFF},
    {"MTC", 0x808080, 0x808080, 0, 0xFFFFFF}, {"MEC", 0x808080, 0x808080, 0, 0xFFFFFF}, {"MZV", 0, 0, 0, 1},
    {"MainteClear", 0, 0, 0, 1}, {"DispBuffer", 0, 0, 0, 1},
};

QString settingsPath(const QTemporaryDir &dir)
{
    return dir.filePath(QStringLiteral("VKR410T.ini"));
}

void writeFile(const QString &path, const QByteArray &text)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
}

// A value of the option that is not its default and inside its limits.
int otherValue(const Def &d)
{
    if (d.kind == Kind::Bool)
        return d.def ? 0 : 1;
    return d.def == d.max ? d.min : d.def + (d.max - d.def) / 2 + 1;
}

void documentedOptions()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("def");
        QTest::addColumn<int>("factory");
        QTest::addColumn<int>("min");
        QTest::addColumn<int>("max");
        for (const Expected &e : ExpectedOptions)
            QTest::newRow(e.key) << QString::fromLatin1(e.key) << e.def << e.factory << e.min << e.max;
    }

}  // namespace

class tst_Options : public QObject
{
    Q_OBJECT

private slots:
    void declarationMatchesTheDocumentedValues_data() { documentedOptions(); }
    void declarationMatchesTheDocumentedValues()
    {
        QFETCH(QString, key);
        QFETCH(int, def);
        QFETCH(int, factory);
        QFETCH(int, min);
        QFETCH(int, max);
        const Def *d = byKey(key);
        QVERIFY(d);
        QCOMPARE(d->def, def);
        QCOMPARE(d->factory, factory);
        QCOMPARE(d->min, min);
        QCOMPARE(d->max, max);
        QCOMPARE(Options().value(d->id), def);
        QCOMPARE(byComponent(QLatin1String(d->component)), d);
    }

    void theDeclarationHasNoUndocumentedOption()
    {
        QSet<QString> documented;
        for (const Expected &e : ExpectedOptions)
            documented.insert(QString::fromLatin1(e.key).toLower());
        QCOMPARE(int(documented.size()), Count);
        for (int i = 0; i < Count; ++i)
            QVERIFY2(documented.contains(QString::fromLatin1(def(Opt(i)).key).toLower()), def(Opt(i)).key);
    }

    void valuesComeBackAfterSaveAndLoad_data() { documentedOptions(); }
    void valuesComeBackAfterSaveAndLoad()
    {
        QFETCH(QString, key);
        const Def &d = *byKey(key);
        QTemporaryDir dir;
        Options saved;
        saved.set(d.id, otherValue(d));
        Settings s(settingsPath(dir), dir.path());
        saved.save(s, false);
        Options loaded;
        loaded.load(Settings(settingsPath(dir), dir.path()));
        const int expected = d.storage == Storage::Stored ? otherValue(d) : d.def;
        QCOMPARE(loaded.value(d.id), d.id == Opt::TypCapChk ? 1 : expected);
    }

    void hostileValuesLoadAsDefaults_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("word in an integer") << "UndoMax" << QByteArray("ten");
        QTest::newRow("above the maximum") << "MonMode2Point" << QByteArray("10001");
        QTest::newRow("below the minimum") << "MonMode3Smp" << QByteArray("9");
        QTest::newRow("negative colour") << "MNCC" << QByteArray("-1");
        QTest::newRow("colour above 24 bits") << "MSCC" << QByteArray("16777216");
        QTest::newRow("integer overflow") << "PanelTime1" << QByteArray("99999999999999999999");
        QTest::newRow("empty value") << "MMCT" << QByteArray("");
        QTest::newRow("word in a boolean") << "Eeprom" << QByteArray("yes");
        QTest::newRow("binary junk") << "MonVal" << QByteArray("\x01\xff\xfe");
    }
    void hostileValuesLoadAsDefaults()
    {
        QFETCH(QString, key);
        QFETCH(QByteArray, text);
        QTemporaryDir dir;
        writeFile(settingsPath(dir), "[Options]\r\n" + key.toLatin1() + "=" + text + "\r\nUndoMax2=5\r\n");
        Options o;
        o.set(byKey(key)->id, otherValue(*byKey(key)));
        o.load(Settings(settingsPath(dir), dir.path()));
        QCOMPARE(o.value(byKey(key)->id), byKey(key)->def);
    }

    void aBooleanWrittenAsTwoIsOn()
    {
        QTemporaryDir dir;
        writeFile(settingsPath(dir), "[options]\r\ncomdisp=2\r\nCheckInvTyp=0\r\n");
        Options o;
        o.load(Settings(settingsPath(dir), dir.path()));
        QVERIFY(o.on(Opt::ParaErrDisp));
        QVERIFY(o.on(Opt::TypCapChk));  // never read: on at every start
    }

    void maintenanceChoiceIsNotSavedWhileTheModeIsOn()
    {
        QTemporaryDir dir;
        Settings s(settingsPath(dir), dir.path());
        Options o;
        o.set(Opt::SUMode, 1);
        o.save(s, true);
        QFile file(settingsPath(dir));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("ChgPara1"));
        file.seek(0);
        QVERIFY(!file.readAll().contains("Mainte"));
        Options back;
        back.load(s);
        QVERIFY(!back.on(Opt::SUMode));
        o.save(s, false);
        back.load(s);
        QVERIFY(back.on(Opt::SUMode));
    }

    void savingKeepsTheOtherSectionsAndComments()
    {
        QTemporaryDir dir;
        const QByteArray head = "; written by hand\r\n[Language]\r\nJapanese=0\r\nEnglish=0\r\n";
        const QByteArray tail = "[Comms]\r\n; the line of the test bench\r\nDelay=500\r\n";
        writeFile(settingsPath(dir), head + "[Options]\r\n; colours\r\nMSCC=255\r\n" + tail);
        Settings s(settingsPath(dir), dir.path());
        Options o;
        o.load(s);
        o.set(Opt::UndoMaxSet, 42);
        QVERIFY(o.save(s, false));
        QFile file(settingsPath(dir));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY(text.startsWith(head + "[Options]\r\n; colours\r\nMSCC=255\r\n"));
        QVERIFY(text.contains("UndoMax=42\r\n"));
        QVERIFY(text.endsWith(tail));
        QCOMPARE(s.get(Keys::Delay), 500);
    }

    void aSaveOnAFullDiskLeavesTheOldFile()
    {
        SmallTmpfs disk;
        if (!disk.mounted())
            QSKIP("mounting a tmpfs is not permitted here");
        const QString path = disk.filePath(QStringLiteral("VKR410T.ini"));
        Settings s(path, disk.path());
        Options o;
        QVERIFY(o.save(s, false));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();
        disk.fill();
        for (int i = 0; i < Count; ++i)
            o.set(Opt(i), otherValue(def(Opt(i))));
        QVERIFY(!o.save(s, false));
        QVERIFY(!s.lastError().isEmpty());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
        Options back;
        back.load(s);
        QCOMPARE(back.value(Opt::UndoMaxSet), def(Opt::UndoMaxSet).def);
    }

    void restoreToFactoryResetsEveryOption()
    {
        Options o;
        for (int i = 0; i < Count; ++i)
            o.set(Opt(i), otherValue(def(Opt(i))));
        o.restoreFactory();
        for (int i = 0; i < Count; ++i)
            QCOMPARE(o.value(Opt(i)), def(Opt(i)).factory);
    }

    void defaultColorsResetOnlyTheMastersValues()
    {
        Options o;
        for (int i = 0; i < Count; ++i)
            o.set(Opt(i), otherValue(def(Opt(i))));
        o.setDefaultColors();
        for (Opt id : {Opt::PSTextC, Opt::PNCellC, Opt::PCVCellC, Opt::CErrC, Opt::CheckBox1, Opt::CheckBox2,
                       Opt::CheckBox3, Opt::WinHelpSlct, Opt::ComSpMarg, Opt::ComChkTimes})
            QCOMPARE(o.value(id), def(id).def);
        for (Opt id : {Opt::MonCB, Opt::UndoMaxSet, Opt::MainteClear, Opt::DispBuffer, Opt::ParaResult})
            QCOMPARE(o.value(id), otherValue(def(id)));
    }

    void setClampsToTheLimits()
    {
        Options o;
        o.set(Opt::LedDispTime, 1001);
        QCOMPARE(o.value(Opt::LedDispTime), 1000);
        o.set(Opt::MonRecPoint, -5);
        QCOMPARE(o.value(Opt::MonRecPoint), 1250);
    }

    void entries_data()
    {
        QTest::addColumn<QString>("component");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("message");
        QTest::addColumn<int>("value");
        QTest::newRow("factor below its minimum") << "ValMulti" << "0.001" << 41 << 1;
        QTest::newRow("factor above its maximum") << "ValMulti" << "250" << 41 << 20000;
        QTest::newRow("factor rounded to hundredths") << "ValMulti" << "1.256" << -1 << 126;
        QTest::newRow("LED timer zero") << "LedDispTime" << "0" << -1 << 0;
        QTest::newRow("LED timer above") << "LedDispTime" << "1001" << 41 << 1000;
        QTest::newRow("empty undo depth") << "UndoMaxSet" << "" << 67 << 0;
        QTest::newRow("word in undo depth") << "UndoMaxSet" << "ten" << 67 << 0;
        QTest::newRow("infinity") << "UndoMaxSet" << "inf" << 67 << 0;
        QTest::newRow("decimal rounded") << "UndoMaxSet" << " 12.6 " << -1 << 13;
        QTest::newRow("recording points below") << "MonRecPoint" << "1249" << 41 << 1250;
        QTest::newRow("record time above") << "CntMonTime" << "1441" << 41 << 1440;
        QTest::newRow("sampling time below") << "CntMonSmp" << "-3" << 41 << 10;
        QTest::newRow("signal level at its top") << "TBValSet" << "100" << -1 << 100;
        QTest::newRow("colour as hex") << "PNCellC" << "0xE0FFFF" << -1 << 0xE0FFFF;
        QTest::newRow("colour too wide") << "PNCellC" << "0x1000000" << 41 << 0xFFFFFF;
        QTest::newRow("check box as 1") << "ParaEnt" << "1" << -1 << 1;
        QTest::newRow("check box as 2") << "ParaEnt" << "2" << 41 << 1;
    }
    void entries()
    {
        QFETCH(QString, component);
        QFETCH(QString, text);
        QFETCH(int, message);
        QFETCH(int, value);
        const Options::Entry e = Options::check(byComponent(component)->id, text);
        QCOMPARE(e.message(), message);
        if (message != 67)
            QCOMPARE(e.value, value);
    }

    void factorIsShownWithTwoDecimals()
    {
        QCOMPARE(shownText(Opt::ValMulti, 1), QStringLiteral("0.01"));
        QCOMPARE(shownText(Opt::ValMulti, 20000), QStringLiteral("200.00"));
        QCOMPARE(shownText(Opt::PNCellC, 0xE0FFFF), QStringLiteral("0xE0FFFF"));
    }

    void comparisonOutputsNeverBothOff()
    {
        Options o;
        o.set(Opt::CompMsgDisp, 0);
        o.set(Opt::CompResult, 0);
        QVERIFY(OptionInterlocks::keepComparisonOutput(o, Opt::CompResult));
        QVERIFY(o.on(Opt::CompMsgDisp));
        o.set(Opt::CompMsgDisp, 0);
        QVERIFY(OptionInterlocks::keepComparisonOutput(o, Opt::CompMsgDisp));
        QVERIFY(o.on(Opt::CompResult));
        QVERIFY(!OptionInterlocks::keepComparisonOutput(o, Opt::CompMsgDisp));
    }

    void interlocks_data()
    {
        QTest::addColumn<bool>("option1");
        QTest::addColumn<bool>("option2");
        QTest::addColumn<bool>("maintenance");
        QTest::addColumn<bool>("continuous");
        QTest::addColumn<bool>("saveResult");
        QTest::addColumn<bool>("runStop");
        QTest::newRow("both results shown") << false << false << false << false << false << true;
        QTest::newRow("both results shown, Option1") << true << false << false << false << true << true;
        QTest::newRow("continuous blocks RUN/STOP") << false << false << false << true << false << false;
        QTest::newRow("Option2 without maintenance") << false << true << false << false << false << false;
        QTest::newRow("Option2 in maintenance") << false << true << true << false << false << true;
        QTest::newRow("Option2 in maintenance, continuous") << false << true << true << true << false << false;
    }
    void interlocks()
    {
        QFETCH(bool, option1);
        QFETCH(bool, option2);
        QFETCH(bool, maintenance);
        QFETCH(bool, continuous);
        Options o;
        o.set(Opt::CntMon, continuous);
        OptionInterlocks::Context c{option1, option2, false, false, maintenance};
        const OptionInterlocks::Enabling e = OptionInterlocks::enabling(o, c);
        QTEST(e.saveResult, "saveResult");
        QTEST(e.runStop, "runStop");
        QCOMPARE(e.continuousFields, continuous);
    }

    void alarmAndTripOptionsFollowTheTable()
    {
        Options o;
        OptionInterlocks::Context c;
        OptionInterlocks::Enabling e = OptionInterlocks::enabling(o, c);
        QVERIFY(!e.alarm && !e.trip && !e.tripData);
        c.hasTripWord = true;
        e = OptionInterlocks::enabling(o, c);
        QVERIFY(!e.alarm && e.trip && e.tripData);
        o.set(Opt::MonTripDisp, 0);
        QVERIFY(!OptionInterlocks::enabling(o, c).tripData);
        o.set(Opt::FreeUnitMon, 1);
        QVERIFY(OptionInterlocks::enabling(o, c).freeUnitFactor);
    }
};

QTEST_GUILESS_MAIN(tst_Options)
#include "tst_Options.moc"
