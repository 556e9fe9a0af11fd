#pragma once

#include "TransferMode.h"
#include "TransferOptions.h"
#include "TransferReport.h"

#include <QList>
#include <QSet>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

class CommExchange;
class DriveData;
class Prompter;
struct TransferTexts;

// One press of "Start" in the transfer window: the import, export or comparison loop over
// parameters 0 .. lastIndex, one exchange each, with the optional Abort/Retry/Ignore boxes,
// the report and the finish rules. Ready -> Running -> Finished or Aborted. run() does it all,
// letting events run (Prompter::pump) after every parameter; start(), step() and finish()
// let a caller drive it one parameter at a time.
//
// An import keeps the words it reads and writes them into the value table only after the
// loop, so an aborted import leaves the table as it was.
class TransferRun
{
public:
    enum class State { Ready, Running, Finished, Aborted };

    TransferRun(TransferMode mode, DriveData &data, CommExchange &exchange, Prompter &prompter,
                const TransferTexts &texts, const TransferOptions &options, int lastIndex);

    /// Called with 0..100 after every parameter and at the end.
    std::function<void(int percent)> onProgress;
    /// The selected drive type; "KDR5" reads FE08 again after an import.
    QString typeName;

    /// Export: only these parameters are written (restoring a snapshot); unset, every one.
    std::optional<QSet<int>> onlyRows;
    /// Export: the parameters the loop writes, in order (before start(), for the snapshot).
    QList<int> rowsToWrite() const;

    void start();
    /// Exchanges the next parameter (again after Retry). False once the loop is over.
    bool step();
    void finish();
    /// start(), every step() with events let run in between, finish().
    void run();
    /// Ends the run before the next parameter as "Abort" does.
    void cancel() { m_cancelRequested = true; }

    TransferMode mode() const { return m_mode; }
    State state() const { return m_state; }
    int lastIndex() const { return m_last; }
    int nextIndex() const { return m_next; }
    int progress() const { return m_progress; }
    int errors() const { return m_errors; }
    int differences() const { return m_differences; }
    /// Export: rows the drive answered with another value than the one sent (counted in errors()).
    int echoDiffers() const { return m_echoDiffers; }
    /// Parameter indices whose exchange failed, in order (Retry tries not included).
    const QList<int> &failedIndices() const { return m_failed; }
    const TransferReport &report() const { return m_report; }
    /// Import and comparison: the word the drive sent for a row of this run, or nothing when
    /// the row was not read or its exchange failed.
    std::optional<quint32> driveWord(int index) const;

    /// The status label: the mode's "working" message while running, "NoErrInfo" when finished
    /// without error.
    QString status() const { return m_status; }
    /// The second label ("No Different Value."), empty when hidden.
    QString secondLabel() const { return m_secondLabel; }
    /// The window stays open with "OK" after the run.
    bool keepOpen() const { return m_keepOpen; }
    /// The result window is to be shown once the transfer window has closed.
    bool resultWanted() const;
    /// The report is to be saved without asking ("Save Comm./Comp. Result").
    bool autoSaveWanted() const { return m_autoSave; }

private:
    enum class Choice { Go, Retry, Abort };

    Choice processRow(int index);
    Choice importRow(int index);
    Choice exportRow(int index);
    bool writes(int index) const;
    Choice compareRow(int index);
    Choice failed(int index);
    Choice differs(int index, const QString &driveText);
    Choice ask(const QString &text);
    void setFlag(int index, const char *flag);
    void storeImported();
    void applyKdr5Rule();
    void finishImportExport();
    void finishComparison();
    void abort();
    void setProgress(int percent);

    TransferMode m_mode;
    DriveData &m_data;
    CommExchange &m_exchange;
    Prompter &m_prompter;
    const TransferTexts &m_texts;
    TransferOptions m_options;
    int m_last;

    State m_state = State::Ready;
    int m_next = 0;
    int m_progress = 0;
    int m_errors = 0;
    int m_differences = 0;
    int m_echoDiffers = 0;
    bool m_cancelRequested = false;
    bool m_showResultWanted = true;
    bool m_keepOpen = false;
    bool m_autoSave = false;
    QString m_status;
    QString m_secondLabel;
    TransferReport m_report;
    QStringList m_errorList;
    QList<int> m_failed;
    std::vector<quint32> m_words;     // import: the word of each row, read or default
    std::vector<bool> m_readFailed;   // import: the row kept its default
    std::vector<bool> m_answered;     // import and comparison: m_words holds what the drive sent
};
