#include "TransferLine.h"

#include "model/ParameterValues.h"
#include "model/ValueConversion.h"
#include "transfer/TransferRows.h"

#include <QtTest>

// Import, export and comparison runs against the simulated drive on the in-process line.
class tst_TransferRun : public QObject
{
    Q_OBJECT

private:
    // Puts a value into the tool's table as an entry would, changed mark included.
    static void enter(TransferLine &line, int index, const QString &raw)
    {
        line.data().uPara.setAt(index, UPara::Value, raw);
        ParameterValues(line.data(), line.tool.messages, line.tool.prompter)
            .MarkChanged(line.data().paraDat.at(index, ParaDat::ComNo), raw.toDouble());
    }
    static QList<QStringList> rows(const UPara &u)
    {
        QList<QStringList> all;
        for (int r = 0; r < u.rowCount(); ++r)
            all.append(u.row(r));
        return all;
    }
    // The stored word of a plain parameter of the drive, or nothing for registers whose value
    // moves (monitor items, identification, panel blocks).
    static std::optional<quint32> driveWord(TransferLine &line, int index)
    {
        const QString comNo = line.data().paraDat.at(index, ParaDat::ComNo);
        const quint16 address = quint16(comNo.toUInt(nullptr, 16));
        const std::optional<qint64> stored = line.drive().parameterValue(comNo);
        if (SimDrive::isBlock(address) || !stored)
            return std::nullopt;
        const std::optional<quint32> word = line.drive().read(address, 0);
        if (!word || *word != quint32(*stored))
            return std::nullopt;
        return word;
    }
    static QString driveValue(TransferLine &line, int index)
    {
        const auto v = line.drive().parameterValue(line.data().paraDat.at(index, ParaDat::ComNo));
        return v ? QString::number(*v) : QStringLiteral("none");
    }

private slots:
    void importTakesEveryValueTheDriveSent_data();
    void importTakesEveryValueTheDriveSent();
    void importWithFaultsListsExactlyTheFailed_data();
    void importWithFaultsListsExactlyTheFailed();
    void abortedImportLeavesTheTableUnchanged();
    void retryExchangesTheSameParameterAgain();
    void cancelEndsTheRunLikeAbort();
    void exportWritesChangedRowsOnly();
    void exportCountsADifferentEchoAsError();
    void ramParameterIsWrittenWithP();
    void comparisonAfterImportFindsNothing();
    void comparisonListsDifferencesScaled();
    void comparisonWithOnlyReadFailures();
    void differenceBoxAbortClearsTheCount();
    void hiddenMaintenanceFailuresAreCountedNotListed();
};

void tst_TransferRun::importTakesEveryValueTheDriveSent_data()
{
    QTest::addColumn<bool>("modbus");
    QTest::newRow("native") << false;
    QTest::newRow("modbus") << true;
}

void tst_TransferRun::importTakesEveryValueTheDriveSent()
{
    QFETCH(bool, modbus);
    TransferLine line;
    QVERIFY(line.setUp(modbus));
    const int acc = line.indexOf("0009");
    QVERIFY(acc >= 0);
    QCOMPARE(line.drive().write(quint16(0x0009), 123, false, false, 0), SimDrive::WriteResult::Ok);
    QList<int> progress;
    auto run = std::make_unique<TransferRun>(TransferMode::Import, line.data(), *line.exchange, line.tool.prompter,
                                             line.texts, line.options, line.data().lastIndex);
    run->onProgress = [&](int p) { progress.append(p); };
    run->run();
    QCOMPARE(run->state(), TransferRun::State::Finished);
    QCOMPARE(run->errors(), 0);
    QCOMPARE(run->report().lines(), QStringList{line.texts.info1});
    QVERIFY(run->keepOpen());
    QCOMPARE(run->status(), QStringLiteral("Communication was finished without error."));
    QVERIFY(!run->resultWanted());
    QCOMPARE(progress.last(), 100);
    QVERIFY(std::is_sorted(progress.begin(), progress.end()));
    for (int i = 0; i <= line.data().lastIndex; ++i) {
        if (const std::optional<quint32> word = driveWord(line, i))
            QCOMPARE(line.value(i), TransferRows::readText(line.data(), i, *word));
        QCOMPARE(line.data().uPara.at(i, UPara::CommErrIndex), QStringLiteral("0"));
    }
    QCOMPARE(line.value(acc), QStringLiteral("123"));
    QCOMPARE(line.data().uPara.at(acc, UPara::ChangeIndex), QStringLiteral("1"));
}

void tst_TransferRun::importWithFaultsListsExactlyTheFailed_data()
{
    QTest::addColumn<double>("drop");
    QTest::addColumn<double>("corrupt");
    QTest::addColumn<double>("garbage");
    QTest::addColumn<double>("truncate");
    QTest::newRow("dropped replies") << 0.15 << 0.0 << 0.0 << 0.0;
    QTest::newRow("corrupted replies") << 0.0 << 0.15 << 0.0 << 0.0;
    QTest::newRow("garbage and truncated replies") << 0.0 << 0.0 << 0.1 << 0.1;
    QTest::newRow("all faults") << 0.1 << 0.05 << 0.05 << 0.05;
}

void tst_TransferRun::importWithFaultsListsExactlyTheFailed()
{
    QFETCH(double, drop);
    QFETCH(double, corrupt);
    QFETCH(double, garbage);
    QFETCH(double, truncate);
    TransferLine line;
    SimFaultRates faults;
    faults.drop = drop;
    faults.corrupt = corrupt;
    faults.garbage = garbage;
    faults.truncate = truncate;
    faults.seed = 11;
    QVERIFY(line.setUp(false, faults));
    // Every drive value differs from its factory value, so a default is never mistaken for one read.
    for (int i = 0; i <= line.data().lastIndex; ++i) {
        const QString comNo = line.data().paraDat.at(i, ParaDat::ComNo);
        if (const auto v = line.drive().parameterValue(comNo)) {
            const qint64 other = *v > 0 ? *v - 1 : *v + 1;
            line.drive().write(quint16(comNo.toUInt(nullptr, 16)), quint32(other), false, false, 0);
        }
    }
    line.options.displayCommError = true;
    line.tool.prompter.defaultAnswer = Prompter::Answer::Ignore;
    auto run = line.run(TransferMode::Import);
    QCOMPARE(run->state(), TransferRun::State::Finished);
    QVERIFY(run->errors() > 0);
    QCOMPARE(run->errors(), int(run->failedIndices().size()));
    QCOMPARE(line.tool.prompter.shown.size(), run->errors());
    QStringList expectedReport{line.texts.info1};
    ParameterValues values(line.data(), line.tool.messages, line.tool.prompter);
    for (int i = 0; i <= line.data().lastIndex; ++i) {
        const ParaDat &p = line.data().paraDat;
        const QString comNo = p.at(i, ParaDat::ComNo);
        const bool failed = run->failedIndices().contains(i);
        QCOMPARE(line.data().uPara.at(i, UPara::CommErrIndex), failed ? QStringLiteral("1") : QStringLiteral("0"));
        if (failed) {
            QCOMPARE(p.at(i, ParaDat::Flag), p.at(i, ParaDat::Flag) == u"1" ? QStringLiteral("1") : QStringLiteral("2"));
            QCOMPARE(line.value(i).toLongLong(), values.FactoryValueOf(comNo).toLongLong());
            if (!comNo.startsWith(u'F'))
                expectedReport << p.at(i, ParaDat::FTitle) + QStringLiteral(": ") + p.at(i, ParaDat::FName);
        } else if (const std::optional<quint32> word = driveWord(line, i)) {
            QCOMPARE(line.value(i), TransferRows::readText(line.data(), i, *word));
        }
    }
    QCOMPARE(run->report().lines(), expectedReport);
    QVERIFY(!run->keepOpen());
    QVERIFY(run->resultWanted());
}

void tst_TransferRun::abortedImportLeavesTheTableUnchanged()
{
    TransferLine line;
    QVERIFY(line.setUp());
    QCOMPARE(line.drive().write(quint16(0x0009), 77, false, false, 0), SimDrive::WriteResult::Ok);
    const QList<QStringList> before = rows(line.data().uPara);
    line.port->lose = {5};
    line.options.displayCommError = true;
    line.tool.prompter.answers = {Prompter::Answer::Abort};
    auto run = line.run(TransferMode::Import);
    QCOMPARE(run->state(), TransferRun::State::Aborted);
    QCOMPARE(line.port->frames.size(), 6);
    QCOMPARE(rows(line.data().uPara), before);
    QVERIFY(!run->resultWanted());
    QVERIFY(!run->keepOpen());
    const ScriptedPrompter::Shown &box = line.tool.prompter.shown.first();
    QCOMPARE(box.buttons, Prompter::Buttons::AbortRetryIgnore);
    QCOMPARE(box.icon, Prompter::Icon::Warning);
    QVERIFY(box.text.startsWith(line.tool.messages.text(67) + u'\n' + line.tool.messages.text(68) + u' '
                                + line.data().paraDat.at(5, ParaDat::FTitle) + QStringLiteral("\n\n")));
}

void tst_TransferRun::retryExchangesTheSameParameterAgain()
{
    TransferLine line;
    QVERIFY(line.setUp());
    line.port->lose = {3};
    line.options.displayCommError = true;
    line.tool.prompter.answers = {Prompter::Answer::Retry};
    auto run = line.run(TransferMode::Import, 9);
    QCOMPARE(run->errors(), 0);
    QCOMPARE(line.port->frames.size(), 11);
    QCOMPARE(line.port->frames.at(3), line.port->frames.at(4));
    QCOMPARE(run->report().lines(), QStringList{line.texts.info1});
}

void tst_TransferRun::cancelEndsTheRunLikeAbort()
{
    TransferLine line;
    QVERIFY(line.setUp());
    TransferRun run(TransferMode::Import, line.data(), *line.exchange, line.tool.prompter, line.texts, line.options,
                    line.data().lastIndex);
    const QList<QStringList> before = rows(line.data().uPara);
    run.start();
    QVERIFY(run.step());
    QVERIFY(run.step());
    run.cancel();
    QVERIFY(!run.step());
    run.finish();
    QCOMPARE(run.state(), TransferRun::State::Aborted);
    QCOMPARE(line.port->frames.size(), 2);
    QCOMPARE(rows(line.data().uPara), before);
}

void tst_TransferRun::exportWritesChangedRowsOnly()
{
    TransferLine line;
    QVERIFY(line.setUp());
    const int acc = line.indexOf("0009");
    const int dec = line.indexOf("0010");
    enter(line, acc, QStringLiteral("150"));
    enter(line, dec, QStringLiteral("250"));
    line.data().uPara.setAt(acc, UPara::WriteIndex, QStringLiteral("1"));
    auto run = line.run(TransferMode::Export, line.data().lastUserIndex);
    QCOMPARE(run->errors(), 0);
    QCOMPARE(line.port->frames.size(), 2);
    QCOMPARE(driveValue(line, acc), QStringLiteral("150"));
    QCOMPARE(driveValue(line, dec), QStringLiteral("250"));
    QCOMPARE(line.data().uPara.at(acc, UPara::WriteIndex), QStringLiteral("0"));
    QCOMPARE(QChar(line.port->frames.first().at(1)), QChar(u'W'));
    QVERIFY(run->keepOpen());
}

void tst_TransferRun::exportCountsADifferentEchoAsError()
{
    TransferLine line;
    QVERIFY(line.setUp());
    const int acc = line.indexOf("0009");
    enter(line, acc, QStringLiteral("150"));
    line.port->alterEcho = 0;
    auto run = line.run(TransferMode::Export, line.data().lastUserIndex);
    QCOMPARE(run->errors(), 1);
    QCOMPARE(run->echoDiffers(), 1);
    QCOMPARE(run->failedIndices(), QList<int>{acc});
    QCOMPARE(line.data().paraDat.at(acc, ParaDat::Flag), QStringLiteral("2"));
    const ParaDat &p = line.data().paraDat;
    QCOMPARE(run->report().lines(),
             (QStringList{line.texts.info1, p.at(acc, ParaDat::FTitle) + QStringLiteral(": ") + p.at(acc, ParaDat::FName)}));
}

void tst_TransferRun::ramParameterIsWrittenWithP()
{
    TransferLine line;
    QVERIFY(line.setUp());
    const int ram = line.indexOf("0000");
    QCOMPARE(line.data().paraDat.at(ram, ParaDat::Memory), QStringLiteral("RAM"));
    enter(line, ram, QStringLiteral("500"));
    line.options.eeprom = true;
    auto run = line.run(TransferMode::Export, line.data().lastUserIndex);
    QCOMPARE(run->errors(), 0);
    QCOMPARE(line.port->frames.size(), 1);
    QCOMPARE(QChar(line.port->frames.first().at(1)), QChar(u'P'));
}

void tst_TransferRun::comparisonAfterImportFindsNothing()
{
    TransferLine line;
    QVERIFY(line.setUp());
    line.drive().write(quint16(0x0009), 42, false, false, 0);
    line.run(TransferMode::Import);
    auto run = line.run(TransferMode::Comparison, line.data().lastUserIndex);
    QCOMPARE(run->differences(), 0);
    QCOMPARE(run->errors(), 0);
    QCOMPARE(run->report().lines(),
             (QStringList{QStringLiteral("* Different Value Parameters"),
                          QStringLiteral("        Inverter     VKR410T       Title"), QStringLiteral("No Item.")}));
    QVERIFY(run->keepOpen());
    QCOMPARE(run->status(), QStringLiteral("Communication was finished without error."));
    QCOMPARE(run->secondLabel(), QStringLiteral("No Different Value."));
    QVERIFY(!run->resultWanted());
}

void tst_TransferRun::comparisonListsDifferencesScaled()
{
    TransferLine line;
    QVERIFY(line.setUp());
    const int acc = line.indexOf("0009");
    const ParaDat &p = line.data().paraDat;
    QCOMPARE(p.at(acc, ParaDat::Mul), QStringLiteral("10"));
    enter(line, acc, QStringLiteral("123"));
    line.data().uPara.setAt(line.indexOf("0010"), UPara::Value, QStringLiteral("250.7"));
    auto run = line.run(TransferMode::Comparison, line.data().lastUserIndex);
    QCOMPARE(run->differences(), 2);
    const QString factory = driveValue(line, acc);
    const QStringList lines = run->report().lines();
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines.at(2), QStringLiteral(" ACC: ") + QString::number(factory.toDouble() / 10, 'f', 1).rightJustified(10)
                              + QStringLiteral(" ,      12.3  (") + p.at(acc, ParaDat::FName) + u')');
    QVERIFY(lines.at(3).contains(QStringLiteral(" ,      25.0  (")));
    QVERIFY(run->keepOpen());
    QVERIFY(run->resultWanted());
}

void tst_TransferRun::comparisonWithOnlyReadFailures()
{
    TransferLine line;
    QVERIFY(line.setUp());
    line.port->lose = {1, 4};
    auto run = line.run(TransferMode::Comparison, 5);
    QCOMPARE(run->differences(), 0);
    QCOMPARE(run->errors(), 2);
    const ParaDat &p = line.data().paraDat;
    QCOMPARE(run->report().lines(),
             (QStringList{line.texts.info2, TransferReport::columnHeader("Inverter", "VKR410T", "Title"),
                          line.texts.info3, QString(), line.texts.info1,
                          p.at(1, ParaDat::FTitle) + QStringLiteral(": ") + p.at(1, ParaDat::FName),
                          p.at(4, ParaDat::FTitle) + QStringLiteral(": ") + p.at(4, ParaDat::FName)}));
    QVERIFY(!run->keepOpen());
    QVERIFY(run->resultWanted());
}

void tst_TransferRun::differenceBoxAbortClearsTheCount()
{
    TransferLine line;
    QVERIFY(line.setUp());
    enter(line, 2, QStringLiteral("2"));
    enter(line, 3, QStringLiteral("2"));
    line.options.displayCompMessage = true;
    line.tool.prompter.answers = {Prompter::Answer::Ignore, Prompter::Answer::Abort};
    auto run = line.run(TransferMode::Comparison, line.data().lastUserIndex);
    QCOMPARE(run->state(), TransferRun::State::Aborted);
    QCOMPARE(run->differences(), 0);
    QCOMPARE(line.port->frames.size(), 4);
    QVERIFY(line.tool.prompter.shown.first().text.startsWith(line.tool.messages.text(72) + u'\n'));
}

void tst_TransferRun::hiddenMaintenanceFailuresAreCountedNotListed()
{
    TransferLine line;
    QVERIFY(line.setUp());
    const int first = line.data().lastUserIndex + 1;
    QVERIFY(line.data().paraDat.at(first, ParaDat::ComNo).startsWith(u'F'));
    line.port->lose = {first};
    auto run = line.run(TransferMode::Import, first);
    QCOMPARE(run->errors(), 1);
    QCOMPARE(run->report().lines(), QStringList{line.texts.info1});

    line.options.maintenanceActive = true;
    line.port->frames.clear();
    line.port->lose = {first};
    run = line.run(TransferMode::Import, first);
    const ParaDat &p = line.data().paraDat;
    QCOMPARE(run->report().lines(),
             (QStringList{line.texts.info1, (p.at(first, ParaDat::FTitle).isEmpty() ? p.at(first, ParaDat::ComNo)
                                                                                     : p.at(first, ParaDat::FTitle))
                                                + QStringLiteral(": ") + p.at(first, ParaDat::FName)}));
}

QTEST_GUILESS_MAIN(tst_TransferRun)
#include "tst_TransferRun.moc"
