#pragma once

#include <QList>
#include <QString>
#include <functional>

class CommExchange;
class DriveData;
class EditBuffer;
class MessageTable;
class Prompter;

// Single rows of the parameter table read from or written to the drive outside the transfer
// window: no report, no type check, no Abort/Retry/Ignore. A failed exchange shows nothing;
// the row keeps its value and gets "CommErrIndex" "1" (and "WriteIndex" "1" after a write).
// Messages: 3 (no drive answered), 40 (no value), 41 (typed value out of range, nothing
// written), 42 (not a number), 46 (fixed parameter, never written).
class SelectedTransfer
{
public:
    SelectedTransfer(DriveData &data, CommExchange &exchange, const MessageTable &messages, Prompter &prompter);

    /// ConnectionCheck: true when a drive answered (false while monitoring samples).
    std::function<bool()> connectionCheck;
    /// "Export to EEPROM": writes with 'W', else 'P'.
    bool eeprom = false;

    /// Before anything is written: the rows about to be written (fixed ones left out); false
    /// stops the write (the snapshot taken before writing failed and the user did not go on).
    std::function<bool(const QList<int> &rows)> beforeWriting;
    /// Runs beforeWriting for `rows` without the fixed ones; true when the write may go on.
    bool mayWrite(const QList<int> &rows);

    /// Runs the connection check; language message 3 when no drive answered.
    bool connected();

    struct Row {
        bool exchanged = false;  // the drive answered this row
        QString value;           // the row's "Value" now
        int changed = 0;         // its changed mark
    };
    /// Reads one row. The value is taken only when the drive sent it.
    Row importRow(int index);

    enum class Outcome { Written, Fixed, Refused };
    struct Exported {
        Outcome outcome = Outcome::Written;
        Row row;
    };
    /// Writes one marked row whose value cell shows `shownText` (hexadecimal "h" cells, amperes
    /// and volts in the Current / Voltage display), without limits and without an undo entry.
    Exported exportShown(int index, const QString &shownText);

    enum class TypedOutcome { Written, Refused, Clamped, NotConnected, Fixed, Stopped };
    struct Typed {
        TypedOutcome outcome = TypedOutcome::Written;
        Row row;
    };
    /// Writes the value being typed into row `index`. Refused (40, 42): the caller restores the
    /// cell. Clamped, not connected, fixed, stopped before writing: nothing written, the typed
    /// text stays. Written: the undo entry is recorded and the edit ends.
    Typed exportTyped(int index, EditBuffer &edit);

private:
    Row write(int index, const QString &raw);
    void show(int message, bool stop) const;
    int markChanged(int index, const QString &value);

    DriveData &m_data;
    CommExchange &m_exchange;
    const MessageTable &m_messages;
    Prompter &m_prompter;
};
