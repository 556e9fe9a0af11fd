#pragma once

#include "SnapshotTexts.h"
#include "app/DriveSelection.h"

#include <QDateTime>
#include <QList>
#include <QString>

class CommExchange;
class DriveData;
class Prompter;
class Session;

// The snapshot taken before an export writes anything: the parameters it is about to write
// are read from the drive through the same exchange, one read each and nothing else, and
// saved atomically as a parameter data file in the snapshots folder (SnapshotFiles). Nothing
// is written to the drive while the snapshot is taken; a snapshot that fails stops the export
// unless the user chooses to write without one.
class ExportSnapshot
{
public:
    ExportSnapshot(const DriveData &data, CommExchange &exchange, const SnapshotTexts &texts, Prompter &prompter);

    /// The snapshot of the session's drive on `exchange`'s inverter number, in the folder
    /// beside the session's settings file, enabled by the option "Snapshot before Export".
    static ExportSnapshot forSession(Session &session, CommExchange &exchange, Prompter &prompter);

    bool enabled = true;       // off: guard() takes nothing and lets the export go on
    QString folder;            // the snapshots folder; created when missing
    DriveSelection selection;  // names the file and fills its header
    int inverterNumber = 0;

    enum class Outcome { Taken, ReadFailed, WriteFailed };
    struct Result {
        Outcome outcome = Outcome::Taken;
        QString path;       // the file written, or the one that could not be
        QString failedRow;  // ReadFailed: title and number of the row that did not answer
        QString error;      // WriteFailed: why
        int exchanges = 0;  // reads sent to the drive
    };

    /// Reads `rows` from the drive and writes the snapshot file. Stops at the first row that
    /// does not answer (after one more try): a snapshot with a hole would restore wrong values.
    Result take(const QList<int> &rows, const QDateTime &when = QDateTime::currentDateTime());
    /// The message for a failed snapshot, without the question.
    QString failureText(const Result &result) const;
    /// take() when enabled; after a failure asks (Yes/No, warning) whether to write without a snapshot.
    /// True when the export may go on.
    bool guard(const QList<int> &rows);
    const Result &result() const { return m_result; }

private:
    QStringList lines(const QList<int> &rows, const QStringList &values) const;

    const DriveData &m_data;
    CommExchange &m_exchange;
    SnapshotTexts m_texts;
    Prompter &m_prompter;
    Result m_result;
};
