#include "FixedItems.h"
#include "SimPorts.h"

#include "app/InverterCatalog.h"
#include "app/MessageTable.h"
#include "base/IniFile.h"
#include "base/ScriptedPrompter.h"
#include "comm/CommExchange.h"
#include "comm/DetectExchange.h"
#include "comm/DriveIdentification.h"

#include <QTest>

namespace {

const QString Dat = QStringLiteral(VKR_SAMPLE_DATA "/dat");

// The line, the catalogue and the language messages as the main window has them.
struct Bench {
    SimPorts port;
    CommSettings settings;
    FixedItems items;
    CommExchange exchange{port, settings, &items};
    DetectExchange detect{port, settings};
    InverterCatalog catalog;
    MessageTable messages;
    ScriptedPrompter prompter;
    DriveIdentification identification{exchange, items, detect, catalog, messages, prompter};

    Bench()
    {
        settings.timeoutMs = 50;
        items.items = {{"0000", false}, {"FB91", false}, {"FB07", false}, {"FB05", false},
                       {"FE08", false}, {"FB72", false}};
        catalog.scan(Dat, Dat + QStringLiteral("/Inverter.ini"));
        messages.load(IniFile(QStringLiteral(VKR_SAMPLE_DATA "/lng/English.ini")));
    }
    bool connect(const QString &type, const QString &form, const QString &cpu, bool modbus = false)
    {
        settings.protocol = modbus ? CommSettings::Modbus : CommSettings::Native;
        if (!port.addDrive(QStringLiteral("sim"), type, form, cpu, modbus))
            return false;
        return port.open(QStringLiteral("sim")) && port.setLine(settings.line());
    }
    DriveIdentification::Selected selected(const QString &type, const QString &form, const QString &cpu) const
    {
        return {type, form, cpu, catalog.cpuVersions(type), catalog.cpuNumbers(type)};
    }
};

}  // namespace

class tst_DriveIdentification : public QObject
{
    Q_OBJECT
private slots:
    void namesAndChecks_data();
    void namesAndChecks();
    void transferBoxOffersOptionsOrCancel_data();
    void transferBoxOffersOptionsOrCancel();
    void comparisonBoxListsEveryMessage();
    void silentDriveAnswersNothing();
    void readsOnlyWhatTheTableHolds();
};

void tst_DriveIdentification::namesAndChecks_data()
{
    QTest::addColumn<QStringList>("drive");     // type, form, CPU version of the simulated drive
    QTest::addColumn<QStringList>("selected");  // and of the selection
    QTest::addColumn<bool>("modbus");
    QTest::addColumn<QStringList>("found");     // type, form, CPU names found
    QTest::addColumn<QString>("checks");        // TypeCheck, FormCheck, CPUCheck as 0/1
    QTest::addColumn<QList<int>>("messages");

    const QStringList kda1{"KDA1", "-2007P", "V100"};
    QTest::newRow("matching drive") << kda1 << kda1 << false << kda1 << "111" << QList<int>{};
    QTest::newRow("matching drive, Modbus") << kda1 << kda1 << true << kda1 << "111" << QList<int>{};
    QTest::newRow("another form") << kda1 << QStringList{"KDA1", "-2015P", "V100"} << false << kda1 << "101"
                                  << QList<int>{75};
    QTest::newRow("another CPU version (no message outside a comparison)")
        << QStringList{"KDA1", "-2007P", "V110"} << kda1 << false << QStringList{"KDA1", "-2007P", "V110"} << "110"
        << QList<int>{};
    QTest::newRow("another type, CPU not offered for the selected type")
        << QStringList{"KDB2", "-2055P", "V820"} << kda1 << false << QStringList{"KDB2", "-2055P", "Err."} << "000"
        << QList<int>{74, 107, 75};
    QTest::newRow("shared type number told apart by its Ident register")
        << QStringList{"KDC3", "-4150P", "V200"} << QStringList{"KDC3", "-4150P", "V200"} << false
        << QStringList{"KDC3", "-4150P", "V200"} << "111" << QList<int>{};
    QTest::newRow("CPU number above 799 takes the forms of its own section")
        << QStringList{"KDB2", "-4055P", "V820"} << QStringList{"KDB2", "-4055P", "V820"} << true
        << QStringList{"KDB2", "-4055P", "V820"} << "111" << QList<int>{};
}

void tst_DriveIdentification::namesAndChecks()
{
    QFETCH(QStringList, drive);
    QFETCH(QStringList, selected);
    QFETCH(bool, modbus);
    QFETCH(QStringList, found);
    QFETCH(QString, checks);
    QFETCH(QList<int>, messages);
    Bench b;
    QVERIFY(b.connect(drive[0], drive[1], drive[2], modbus));
    const auto r = b.identification.run(b.selected(selected[0], selected[1], selected[2]),
                                        DriveIdentification::Purpose::Transfer, false);
    QVERIFY(r.answered);
    QCOMPARE(QStringList({r.typeName, r.formName, r.cpuName}), found);
    QCOMPARE(QString::number(r.TypeCheck) + QString::number(r.FormCheck) + QString::number(r.CPUCheck), checks);
    QStringList texts;
    for (int m : messages)
        texts << b.messages.text(m);
    QCOMPARE(r.messages, texts);
    QVERIFY(b.prompter.shown.isEmpty());  // the option is off
    QVERIFY(!r.ComCancel);
}

void tst_DriveIdentification::transferBoxOffersOptionsOrCancel_data()
{
    QTest::addColumn<Prompter::Answer>("answer");
    QTest::newRow("OK opens the options") << Prompter::Answer::Ok;
    QTest::newRow("Cancel stops the transfer") << Prompter::Answer::Cancel;
}

void tst_DriveIdentification::transferBoxOffersOptionsOrCancel()
{
    QFETCH(Prompter::Answer, answer);
    Bench b;
    b.prompter.answers = {answer};
    QVERIFY(b.connect("KDA1", "-2007P", "V100"));
    const auto r = b.identification.run(b.selected("KDA1", "-4015P", "V100"), DriveIdentification::Purpose::Transfer,
                                        true);
    QCOMPARE(b.prompter.shown.size(), 1);
    const auto &box = b.prompter.shown.first();
    QCOMPARE(box.buttons, Prompter::Buttons::OkCancel);
    QCOMPARE(box.icon, Prompter::Icon::Warning);
    QCOMPARE(box.text, b.messages.text(78) + "KDA1-2007P (V100)\n\n" + b.messages.text(108) + "\n\n"
                           + b.messages.text(109));
    QCOMPARE(r.ComCancel, answer == Prompter::Answer::Cancel);
    QCOMPARE(r.openOptions, answer == Prompter::Answer::Ok);
}

void tst_DriveIdentification::comparisonBoxListsEveryMessage()
{
    Bench b;
    QVERIFY(b.connect("KDA1", "-2007P", "V110"));
    const auto r = b.identification.run(b.selected("KDA1", "-2004P", "V100"),
                                        DriveIdentification::Purpose::Comparison, true);
    QCOMPARE(r.messages, QStringList({b.messages.text(106), b.messages.text(75)}));
    QCOMPARE(b.prompter.shown.size(), 1);
    QCOMPARE(b.prompter.shown.first().buttons, Prompter::Buttons::Ok);
    QCOMPARE(b.prompter.shown.first().text, b.messages.text(78) + "KDA1-2007P (V110)\n\n" + b.messages.text(106)
                                                + "\n" + b.messages.text(75));
    QVERIFY(!r.ComCancel);
}

void tst_DriveIdentification::silentDriveAnswersNothing()
{
    Bench b;
    b.port.addSilent("none");
    QVERIFY(b.port.open("none"));
    b.prompter.answers = {Prompter::Answer::Cancel};
    const auto r = b.identification.run(b.selected("KDA1", "-2007P", "V100"), DriveIdentification::Purpose::Transfer,
                                        true);
    QVERIFY(!r.answered);
    QCOMPARE(QStringList({r.typeName, r.formName, r.cpuName}), QStringList({"Err.", "Err.", "Err."}));
    QCOMPARE(r.messages, QStringList({b.messages.text(76), b.messages.text(107), b.messages.text(77)}));
    QVERIFY(r.ComCancel);
}

void tst_DriveIdentification::readsOnlyWhatTheTableHolds()
{
    Bench b;
    b.items.items = {{"FB07", false}};
    QVERIFY(b.connect("KDA1", "-2007P", "V100"));
    const auto r = b.identification.run(b.selected("KDA1", "-2007P", "V100"), DriveIdentification::Purpose::Transfer,
                                        false);
    QCOMPARE(b.port.frames.size(), 1);
    QCOMPARE(r.typeName, QStringLiteral("KDA1"));
    QCOMPARE(r.formName, QStringLiteral("Err."));
}

QTEST_GUILESS_MAIN(tst_DriveIdentification)
#include "tst_DriveIdentification.moc"
