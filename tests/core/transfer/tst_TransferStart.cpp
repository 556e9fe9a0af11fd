#include "TransferLine.h"

#include "transfer/TransferStart.h"

#include <QtTest>

// The common start of a whole transfer: checks, FB91, range and the type-form decision.
class tst_TransferStart : public QObject
{
    Q_OBJECT

private slots:
    void decision_data();
    void decision();
    void okInTheMismatchBoxOpensTheOptions_data();
    void okInTheMismatchBoxOpensTheOptions();
    void notConnectedShowsMessage3();
    void fb91AndRange_data();
    void fb91AndRange();
};

void tst_TransferStart::decision_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("check");
    QTest::addColumn<bool>("typeMatches");
    QTest::addColumn<bool>("comCancel");
    QTest::addColumn<int>("result");
    using R = TransferStart::Result;
    const int im = int(TransferMode::Import), cmp = int(TransferMode::Comparison), ex = int(TransferMode::Export);
    QTest::newRow("import, same drive") << im << true << true << false << int(R::Ready);
    QTest::newRow("import, other type, check on") << im << true << false << false << int(R::TypeFormRefused);
    QTest::newRow("export, other type, check off") << ex << false << false << false << int(R::Ready);
    QTest::newRow("export, other type, check off, refused") << ex << false << false << true << int(R::TypeFormRefused);
    QTest::newRow("comparison never stops") << cmp << true << false << true << int(R::Ready);
}

void tst_TransferStart::decision()
{
    QFETCH(int, mode);
    QFETCH(bool, check);
    QFETCH(bool, typeMatches);
    QFETCH(bool, comCancel);
    QFETCH(int, result);
    TransferLine line;
    QVERIFY(line.setUp());
    line.options.checkTypeForm = check;
    TransferStart start(line.data(), *line.exchange, line.tool.prompter, line.texts);
    int identified = 0;
    TransferStart::Steps steps;
    steps.connectionCheck = [] { return true; };
    steps.identify = [&](TransferMode) {
        ++identified;
        return TransferStart::Identification{typeMatches, true, comCancel};
    };
    QCOMPARE(int(start.begin(TransferMode(mode), line.options, steps)), result);
    // Identification runs before import and export always, before a comparison only with the check on.
    QCOMPARE(identified, (TransferMode(mode) != TransferMode::Comparison || check) ? 1 : 0);
    QVERIFY(line.tool.prompter.shown.isEmpty());
}

void tst_TransferStart::okInTheMismatchBoxOpensTheOptions_data()
{
    QTest::addColumn<bool>("withWindow");
    QTest::addColumn<bool>("checkAfter");
    QTest::addColumn<int>("opened");
    QTest::addColumn<int>("result");
    using R = TransferStart::Result;
    QTest::newRow("check switched off in the window") << true << false << 1 << int(R::Ready);
    QTest::newRow("check left on in the window") << true << true << 1 << int(R::TypeFormRefused);
    QTest::newRow("no options window to open") << false << false << 0 << int(R::TypeFormRefused);
}

void tst_TransferStart::okInTheMismatchBoxOpensTheOptions()
{
    QFETCH(bool, withWindow);
    QFETCH(bool, checkAfter);
    QFETCH(int, opened);
    QFETCH(int, result);
    TransferLine line;
    QVERIFY(line.setUp());
    line.options.checkTypeForm = true;
    TransferStart start(line.data(), *line.exchange, line.tool.prompter, line.texts);
    int windows = 0;
    TransferStart::Steps steps;
    steps.connectionCheck = [] { return true; };
    steps.identify = [&](TransferMode) { return TransferStart::Identification{false, true, false, true}; };
    if (withWindow) {
        steps.openOptions = [&] {
            ++windows;
            return checkAfter;
        };
    }
    QCOMPARE(int(start.begin(TransferMode::Export, line.options, steps)), result);
    QCOMPARE(windows, opened);
}

void tst_TransferStart::notConnectedShowsMessage3()
{
    TransferLine line;
    QVERIFY(line.setUp());
    TransferStart start(line.data(), *line.exchange, line.tool.prompter, line.texts);
    TransferStart::Steps steps;
    steps.connectionCheck = [] { return false; };
    QCOMPARE(start.begin(TransferMode::Import, line.options, steps), TransferStart::Result::NotConnected);
    QCOMPARE(line.tool.prompter.shown.size(), 1);
    QCOMPARE(line.tool.prompter.shown.first().text, line.tool.messages.text(3));
    QVERIFY(line.port->frames.isEmpty());

    // A drive in special setup stops the start silently.
    steps.connectionCheck = [] { return true; };
    steps.specialSetup = [] { return true; };
    QCOMPARE(start.begin(TransferMode::Import, line.options, steps), TransferStart::Result::SpecialSetup);
    QCOMPARE(line.tool.prompter.shown.size(), 1);
    QVERIFY(line.port->frames.isEmpty());
}

void tst_TransferStart::fb91AndRange_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("maintenance");
    QTest::addColumn<quint32>("fb91");
    QTest::addColumn<bool>("all");
    QTest::newRow("import") << int(TransferMode::Import) << false << 251u << true;
    QTest::newRow("export") << int(TransferMode::Export) << false << 0u << false;
    QTest::newRow("export, maintenance") << int(TransferMode::Export) << true << 251u << true;
    QTest::newRow("comparison") << int(TransferMode::Comparison) << false << 0u << false;
}

void tst_TransferStart::fb91AndRange()
{
    QFETCH(int, mode);
    QFETCH(bool, maintenance);
    QFETCH(quint32, fb91);
    QFETCH(bool, all);
    TransferLine line;
    QVERIFY(line.setUp());
    line.drive().write(quint16(0xFB91), 7, false, false, 0);
    line.options.useMaintenance = maintenance;
    TransferStart start(line.data(), *line.exchange, line.tool.prompter, line.texts);
    TransferStart::Steps steps;
    steps.connectionCheck = [] { return true; };
    QCOMPARE(start.begin(TransferMode(mode), line.options, steps), TransferStart::Result::Ready);
    QCOMPARE(line.drive().read(quint16(0xFB91), 0), std::optional<quint32>(fb91));
    QCOMPARE(QChar(line.port->frames.first().at(1)), QChar(u'P'));
    QCOMPARE(TransferStart::lastIndexFor(TransferMode(mode), line.data(), line.options),
             all ? line.data().lastIndex : line.data().lastUserIndex);
}

QTEST_GUILESS_MAIN(tst_TransferStart)
#include "tst_TransferStart.moc"
