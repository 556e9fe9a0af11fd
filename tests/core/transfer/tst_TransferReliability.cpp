#include "../files/SampleDrive.h"
#include "SimProcess.h"

#include "comm/CommExchange.h"
#include "comm/DriveFrameItems.h"
#include "comm/PosixSerialPort.h"
#include "drivesim/SimStateFile.h"
#include "model/NumberText.h"
#include "model/ParameterValues.h"
#include "transfer/TransferRun.h"
#include "transfer/TransferTexts.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>

// Whole imports and exports against the simulator program on a pseudo-terminal with a line
// that loses, corrupts and delays replies, or goes dead in the middle of a run.
class tst_TransferReliability : public QObject
{
    Q_OBJECT

private:
    static constexpr int TimeoutMs = 60;

    struct Line {
        SampleDrive tool;
        QTemporaryDir dir;
        QHash<int, QString> stored;  // parameter index -> value put into the drive's EEPROM
        QStringList held;            // value of every parameter as a sound line gave it
        std::unique_ptr<SimProcess> sim;
        PosixSerialPort port;
        CommSettings settings;
        std::unique_ptr<DriveFrameItems> items;
        std::unique_ptr<CommExchange> exchange;
        TransferTexts texts;

        // Gives the simulated drive an EEPROM in which every user parameter that can take its
        // factory value + 1 holds that value, so a value read never equals a default.
        bool setUp(const QStringList &faults)
        {
            if (!tool.load())
                return false;
            SimStateFile state(dir.filePath(QStringLiteral("eeprom.ini")));
            ParameterValues values(tool.data, tool.messages, tool.prompter);
            const DriveData &d = tool.data;
            for (int i = 0; i <= d.lastUserIndex; ++i) {
                const QString comNo = d.paraDat.at(i, ParaDat::ComNo);
                const auto factory = NumberText::parseWhole(values.FactoryValueOf(comNo));
                const auto high = NumberText::parseWhole(d.paraDat.at(i, ParaDat::High));
                if (!factory || !high || d.paraDat.at(i, ParaDat::HIndex) != u"0" || *factory + 1 > *high)
                    continue;
                if (!state.store(0, QStringLiteral("KDA1:-2004P:V100"), comNo, *factory + 1))
                    return false;
                stored.insert(i, QString::number(*factory + 1));
            }
            settings.timeoutMs = TimeoutMs;
            items = std::make_unique<DriveFrameItems>(tool.data);
            exchange = std::make_unique<CommExchange>(port, settings, items.get());
            texts.messages = tool.messages;
            // What the drive holds, learnt over a sound line first.
            if (!startSim(state.path(), {}))
                return false;
            const std::unique_ptr<TransferRun> clean = run(TransferMode::Import, tool.data.lastIndex);
            if (clean->errors() != 0)
                return false;
            held.clear();
            for (int i = 0; i <= tool.data.lastIndex; ++i)
                held.append(tool.data.uPara.at(i, UPara::Value));
            return tool.load() && startSim(state.path(), faults);
        }

        bool startSim(const QString &statePath, const QStringList &faults)
        {
            port.close();
            sim.reset();
            sim = std::make_unique<SimProcess>(QStringList{"--drive", "KDA1:-2004P:V100", "--state", statePath} + faults);
            return !sim->device().isEmpty() && port.open(sim->device()) && port.setLine(settings.line());
        }

        std::unique_ptr<TransferRun> run(TransferMode mode, int last)
        {
            TransferOptions options;
            auto r = std::make_unique<TransferRun>(mode, tool.data, *exchange, tool.prompter, texts, options, last);
            r->run();
            return r;
        }

        // Every row either holds what the drive sent (and is not marked) or is marked failed,
        // holds its factory value and is in the failed list.
        void verifyImport(const TransferRun &run)
        {
            ParameterValues values(tool.data, tool.messages, tool.prompter);
            int listed = 0;
            for (int i = 0; i <= run.lastIndex(); ++i) {
                const UPara &u = tool.data.uPara;
                const QString comNo = tool.data.paraDat.at(i, ParaDat::ComNo);
                const bool failed = run.failedIndices().contains(i);
                QCOMPARE(u.at(i, UPara::CommErrIndex), failed ? QStringLiteral("1") : QStringLiteral("0"));
                if (failed) {
                    QCOMPARE(u.at(i, UPara::Value).toLongLong(), values.FactoryValueOf(comNo).toLongLong());
                    listed += comNo.startsWith(u'F') ? 0 : 1;
                } else if (stored.value(i) == held.value(i)) {
                    // A plain parameter whose EEPROM value the drive took: never its default.
                    QCOMPARE(u.at(i, UPara::Value), held.value(i));
                }
            }
            QCOMPARE(run.errors(), int(run.failedIndices().size()));
            QCOMPARE(run.report().lines().size(), 1 + listed);
        }
    };

private slots:
    void importOverAFaultyLine_data();
    void importOverAFaultyLine();
    void disconnectEndsTheRunWithEveryRemainingParameterReported();
    void exportListsEveryFailedEcho();
};

void tst_TransferReliability::importOverAFaultyLine_data()
{
    QTest::addColumn<QStringList>("faults");
    QTest::addColumn<bool>("allFail");
    QTest::newRow("drops and corruption")
        << QStringList{"--drop-rate", "0.1", "--corrupt-rate", "0.05", "--seed", "5"} << false;
    QTest::newRow("late replies within the time-out") << QStringList{"--late-ms", "20", "--seed", "6"} << false;
    QTest::newRow("replies later than the time-out")
        << QStringList{"--late-ms", QString::number(TimeoutMs + 30), "--seed", "7"} << true;
}

void tst_TransferReliability::importOverAFaultyLine()
{
    QFETCH(QStringList, faults);
    QFETCH(bool, allFail);
    Line line;
    QVERIFY(line.setUp(faults));
    const int last = allFail ? 40 : line.tool.data.lastIndex;
    QElapsedTimer clock;
    clock.start();
    auto run = line.run(TransferMode::Import, last);
    const qint64 elapsed = clock.elapsed();
    QCOMPARE(run->state(), TransferRun::State::Finished);
    if (allFail) {
        // Every late reply is swallowed by the exchange that gave up on it, never taken as
        // the answer to the next request.
        QCOMPARE(run->errors(), last + 1);
    } else {
        QVERIFY(run->errors() < (last + 1) / 2);
    }
    line.verifyImport(*run);
    // No exchange waits longer than its time-out and, after a failure, the quiet line that
    // swallows a late reply (at most three time-outs), plus scheduling slack.
    QVERIFY2(elapsed < (last + 1) * (4 * TimeoutMs + 25), qPrintable(QString::number(elapsed)));
}

void tst_TransferReliability::disconnectEndsTheRunWithEveryRemainingParameterReported()
{
    Line line;
    QVERIFY(line.setUp({"--disconnect-after", "50"}));
    const int last = line.tool.data.lastIndex;
    QElapsedTimer clock;
    clock.start();
    auto run = line.run(TransferMode::Import, last);
    QCOMPARE(run->state(), TransferRun::State::Finished);
    line.verifyImport(*run);
    QVERIFY(run->errors() >= last + 1 - 50);
    for (int i = 50; i <= last; ++i)
        QVERIFY(run->failedIndices().contains(i));
    // A failed exchange waits its time-out and then for a quiet line (at most three time-outs).
    QVERIFY2(clock.elapsed() < (last + 1) * (4 * TimeoutMs + 25), qPrintable(QString::number(clock.elapsed())));
}

void tst_TransferReliability::exportListsEveryFailedEcho()
{
    Line line;
    QVERIFY(line.setUp({"--drop-rate", "0.2", "--corrupt-rate", "0.1", "--seed", "9"}));
    // Every user parameter is sent (not only the changed ones).
    TransferOptions options;
    options.changedOnly = false;
    options.eeprom = false;
    TransferRun run(TransferMode::Export, line.tool.data, *line.exchange, line.tool.prompter, line.texts, options,
                    line.tool.data.lastUserIndex);
    run.run();
    QVERIFY(run.errors() > 0);
    int sent = 0;
    for (int i = 0; i <= line.tool.data.lastUserIndex; ++i) {
        const bool fixed = line.tool.data.paraDat.at(i, ParaDat::Flag) == u"1";
        sent += fixed ? 0 : 1;
        const bool failed = run.failedIndices().contains(i);
        QCOMPARE(line.tool.data.uPara.at(i, UPara::CommErrIndex), failed ? QStringLiteral("1") : QStringLiteral("0"));
    }
    QVERIFY(run.errors() < sent);
    QCOMPARE(run.report().lines().size(), 1 + run.errors());
}

QTEST_GUILESS_MAIN(tst_TransferReliability)
#include "tst_TransferReliability.moc"
