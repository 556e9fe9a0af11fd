#include "FixedItems.h"
#include "SimPorts.h"

#include "app/MessageTable.h"
#include "base/IniFile.h"
#include "base/ScriptedPrompter.h"
#include "comm/CommExchange.h"
#include "comm/CommPort.h"
#include "comm/ConnectionCheck.h"
#include "comm/DetectExchange.h"
#include "comm/SpecialSetupCheck.h"

#include <QTest>

namespace {

struct Bench {
    SimPorts port;
    CommSettings settings;
    FixedItems items;
    ScriptedPrompter prompter;
    MessageTable messages;
    CommPort comm{port, nullptr, &prompter};
    CommExchange exchange{port, settings, &items};
    ConnectionCheck check{comm, exchange, settings, &items};
    DetectExchange detect{port, settings};
    SpecialSetupCheck special{check, detect, settings, messages, prompter};

    explicit Bench(bool driveInSpecialSetup, bool modbus = false)
    {
        settings.timeoutMs = 50;
        settings.protocol = modbus ? CommSettings::Modbus : CommSettings::Native;
        messages.load(IniFile(QStringLiteral(VKR_SAMPLE_DATA "/lng/English.ini")));
        SimDrive *drive = port.addDrive("sim", "KDB2", "-2037P", "V820", modbus);
        if (drive)
            drive->setSpecialSetup(driveInSpecialSetup);
        comm.EnumeratePorts({"sim"});
    }
};

}  // namespace

class tst_SpecialSetupCheck : public QObject
{
    Q_OBJECT
private slots:
    void marksDriveInSpecialSetup_data();
    void marksDriveInSpecialSetup();
    void tableWindowToldOnce();
    void noAnswerLeavesTheMark();
};

void tst_SpecialSetupCheck::marksDriveInSpecialSetup_data()
{
    QTest::addColumn<bool>("driveSpecial");
    QTest::addColumn<bool>("spChk");
    QTest::addColumn<bool>("modbus");
    QTest::addColumn<bool>("marked");
    QTest::newRow("0998 reads 1 and 0999 reads 2") << false << true << false << false;
    QTest::newRow("special set-up, native") << true << true << false << true;
    QTest::newRow("special set-up, Modbus") << true << true << true << true;
    QTest::newRow("type without the test") << true << false << false << false;
}

void tst_SpecialSetupCheck::marksDriveInSpecialSetup()
{
    QFETCH(bool, driveSpecial);
    QFETCH(bool, spChk);
    QFETCH(bool, modbus);
    QFETCH(bool, marked);
    Bench b(driveSpecial, modbus);
    SpecialSetupCheck::Notice notice;
    QCOMPARE(b.special.run(spChk, notice), marked);
    QCOMPARE(b.check.specialSetup(), marked);
    QVERIFY(b.check.driveAnswered());
    QCOMPARE(b.check.transferEnabled(), !marked);
    QVERIFY(b.check.panelEnabled());
    QVERIFY(b.prompter.shown.isEmpty());  // the table window is not active
}

void tst_SpecialSetupCheck::tableWindowToldOnce()
{
    Bench b(true);
    SpecialSetupCheck::Notice notice{true, true, false};
    QVERIFY(b.special.run(true, notice));
    QCOMPARE(b.prompter.shown.size(), 1);
    QCOMPARE(b.prompter.shown.first().text, b.messages.text(99) + "\n" + b.messages.text(100) + "\n\n"
                                                + b.messages.text(101) + "\n" + b.messages.text(102));
    QVERIFY(!notice.DrvChkAct);
    QVERIFY(notice.DrvChkd);
    QVERIFY(b.special.run(true, notice));
    QCOMPARE(b.prompter.shown.size(), 1);
}

void tst_SpecialSetupCheck::noAnswerLeavesTheMark()
{
    Bench b(true);
    SpecialSetupCheck::Notice notice;
    QVERIFY(b.special.run(true, notice));
    b.port.refused << "sim";  // the port is gone: the connection check fails first
    QVERIFY(b.special.run(true, notice));
    QVERIFY(!b.check.driveAnswered());
    QVERIFY(!b.check.transferEnabled());
}

QTEST_GUILESS_MAIN(tst_SpecialSetupCheck)
#include "tst_SpecialSetupCheck.moc"
