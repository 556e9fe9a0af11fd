#include "FixedItems.h"
#include "PtyPeer.h"

#include "app/MessageTable.h"
#include "base/IniFile.h"
#include "base/ScriptedPrompter.h"
#include "comm/CommExchange.h"
#include "comm/CommPort.h"
#include "comm/ConnectionCheck.h"
#include "comm/LineIndicator.h"
#include "comm/PosixSerialPort.h"

#include <QTest>
#include <atomic>

namespace {

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

// Everything the setup window owns, wired as the application wires it.
struct Line {
    CommSettings settings;
    PosixSerialPort port;
    LineIndicator indicator;
    ScriptedPrompter prompter;
    FixedItems items;
    CommPort comm{port, &indicator, &prompter};
    CommExchange exchange{port, settings, &items, &indicator};
    ConnectionCheck check{comm, exchange, settings, &items};
};

}  // namespace

class tst_ConnectionCheck : public QObject
{
    Q_OBJECT
private slots:
    void groupsFollowTheAnswer_data();
    void groupsFollowTheAnswer();
    void refusedWhileMonitoring();
    void noUsablePortWarnsOnce();
    void deviceGoneWarnsOncePerCycle();
    void warningComesFromTheLanguageFile();
};

void tst_ConnectionCheck::groupsFollowTheAnswer_data()
{
    QTest::addColumn<bool>("answers");
    QTest::addColumn<bool>("specialSetup");
    QTest::addColumn<bool>("has0000");
    QTest::addColumn<bool>("transfer");
    QTest::addColumn<bool>("panel");
    QTest::newRow("drive answers") << true << false << true << true << true;
    QTest::newRow("special setup keeps transfers off") << true << true << true << false << true;
    QTest::newRow("no answer") << false << false << true << false << false;
    QTest::newRow("definitions without 0000") << true << false << false << false << false;
}

void tst_ConnectionCheck::groupsFollowTheAnswer()
{
    QFETCH(bool, answers);
    QFETCH(bool, specialSetup);
    QFETCH(bool, has0000);
    QFETCH(bool, transfer);
    QFETCH(bool, panel);
    PtyPeer peer([&](const QByteArray &) {
        return PtyPeer::Answer{answers ? hex("2F 52 00 00 00 07 88") : QByteArray(), 0};
    });
    Line line;
    line.settings.timeoutMs = 50;
    if (!has0000)
        line.items.items.removeFirst();
    line.check.setSpecialSetup(specialSetup);
    QList<bool> emitted;
    connect(&line.check, &ConnectionCheck::commandGroupsChanged, this,
            [&](bool t, bool p, bool i) { emitted = {t, p, i}; });
    QCOMPARE(line.comm.EnumeratePorts({peer.path()}), 1);
    QCOMPARE(line.check.run(), panel);
    QCOMPARE(line.check.driveAnswered(), panel);
    QCOMPARE(emitted, (QList<bool>{transfer, panel, panel}));
    QCOMPARE(line.exchange.CommErrorFlag(), !panel);
    QVERIFY(line.port.isOpen());
    QVERIFY(line.prompter.shown.isEmpty());
}

void tst_ConnectionCheck::refusedWhileMonitoring()
{
    PtyPeer peer([](const QByteArray &) { return PtyPeer::Answer{hex("2F 52 00 00 00 07 88"), 0}; });
    Line line;
    bool monitoring = true;
    line.check.setMonitoringRunning([&] { return monitoring; });
    QCOMPARE(line.comm.EnumeratePorts({peer.path()}), 1);
    int signals_ = 0;
    connect(&line.check, &ConnectionCheck::commandGroupsChanged, this, [&] { ++signals_; });
    QVERIFY(!line.check.run());
    QVERIFY(!line.port.isOpen());
    QCOMPARE(signals_, 0);
    QTest::qWait(30);
    QVERIFY(peer.requests().isEmpty());
    monitoring = false;
    QVERIFY(line.check.run());
    QCOMPARE(signals_, 1);
}

void tst_ConnectionCheck::noUsablePortWarnsOnce()
{
    Line line;
    QCOMPARE(line.comm.EnumeratePorts({"/dev/no-such-line"}), 0);
    QVERIFY(!line.check.run());
    QVERIFY(!line.check.run());
    QCOMPARE(line.prompter.shown.size(), 1);
    QCOMPARE(line.prompter.shown.first().text, QStringLiteral("Usable serial port is not found."));
    QCOMPARE(line.prompter.shown.first().caption, QStringLiteral("Confirmation"));
    QVERIFY(!line.comm.PortChk());
    QCOMPARE(line.indicator.image(), 0);

    // A port that appears arms the warning again.
    PtyPeer peer([](const QByteArray &) { return PtyPeer::Answer{hex("2F 52 00 00 00 07 88"), 0}; });
    QCOMPARE(line.comm.EnumeratePorts({peer.path()}), 1);
    QVERIFY(line.check.run());
    QVERIFY(line.comm.PortChk());
    QCOMPARE(line.comm.EnumeratePorts({}), 0);
    QVERIFY(!line.check.run());
    QCOMPARE(line.prompter.shown.size(), 2);
}

void tst_ConnectionCheck::deviceGoneWarnsOncePerCycle()
{
    Line line;
    {
        PtyPeer peer([](const QByteArray &) { return PtyPeer::Answer{}; });
        QCOMPARE(line.comm.EnumeratePorts({peer.path()}), 1);
    }
    // The pseudo-terminal is gone, its name stays in the list of available ports.
    QVERIFY(!line.check.run());
    QVERIFY(!line.check.run());
    QCOMPARE(line.prompter.shown.size(), 1);
    QVERIFY(line.comm.PortNotFoundShown());
    line.comm.setPortNotFoundShown(false);
    QVERIFY(!line.check.run());
    QCOMPARE(line.prompter.shown.size(), 2);
    QVERIFY(!line.check.transferEnabled());
}

void tst_ConnectionCheck::warningComesFromTheLanguageFile()
{
    MessageTable messages;
    QVERIFY(messages.load(IniFile(QStringLiteral(VKR_SAMPLE_DATA "/lng/English.ini"))));
    PosixSerialPort port;
    LineIndicator indicator;
    ScriptedPrompter prompter;
    CommPort comm(port, &indicator, &prompter, &messages);
    QCOMPARE(comm.EnumeratePorts({}), 0);
    QVERIFY(comm.OpenCommPort(CommSettings()));
    QCOMPARE(prompter.shown.size(), 1);
    QCOMPARE(prompter.shown.first().text, messages.text(2));
    QCOMPARE(prompter.shown.first().caption, messages.caption());
    QCOMPARE(prompter.shown.first().icon, Prompter::Icon::None);
}

QTEST_GUILESS_MAIN(tst_ConnectionCheck)
#include "tst_ConnectionCheck.moc"
