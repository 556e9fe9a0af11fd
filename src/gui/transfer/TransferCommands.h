#pragma once

#include "transfer/TransferMode.h"
#include "transfer/TransferOptions.h"

#include <QObject>
#include <QSet>
#include <optional>

class TMain;
class Prompter;
class TResultForm1;
class TransferRun;
class TWorkBar;
struct TransferTexts;

// The main window's whole transfers ("Parameter Import", "Parameter Export", "Parameter
// Comparison"): the common start, the transfer window, the result window and the refresh of
// the parameter table.
class TransferCommands : public QObject
{
    Q_OBJECT

public:
    TransferCommands(TMain &main, Prompter &prompter);

    /// Runs one command; returns once its windows have closed. An export with `onlyRows`
    /// writes those parameters only, changed or not (a snapshot written back).
    void run(TransferMode mode, const std::optional<QSet<int>> &onlyRows = std::nullopt);

    /// The transfer of the last command started (Start was pressed and nothing stopped it).
    bool started() const { return m_started; }
    /// The result window of the last command was shown (for tests).
    bool resultShown() const { return m_resultShown; }

signals:
    /// The transfer window of a run is about to open (tests script it from here).
    void workBarOpening(TWorkBar *bar);
    /// The result window is about to be shown modally.
    void resultOpening(TResultForm1 *result);

private:
    /// The common start; true when the run may begin.
    bool begin(TransferMode mode, const TransferOptions &options, const TransferTexts &texts);
    void finish(TransferMode mode, const TransferRun &run, TResultForm1 &result);
    /// "Compare with factory values" in the result window of a finished comparison.
    void offerThreeWay(const TransferRun &run, const TransferOptions &options, const TransferTexts &texts,
                       TResultForm1 &result);

    TMain &m_main;
    Prompter &m_prompter;
    bool m_resultShown = false;
    bool m_started = false;
};
