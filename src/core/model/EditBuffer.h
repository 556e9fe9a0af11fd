#pragma once

#include <QString>
#include <optional>

class DriveData;
class MessageTable;
class Prompter;

// Typing over a row of the parameter table: the characters collected for the value cell, the
// cell text they replaced, and the rules of Enter (convert, check the limits, mark the
// change, record the undo entry, store). The window feeds it keys and shows what it gives
// back; the command-line tool feeds it whole entries, so both take values by the same rules.
// Problems are language messages 40 (no value), 41 (out of range, limit taken) and 42 (not
// a number), shown through the Prompter with the warning icon.
class EditBuffer
{
public:
    static constexpr int MaxTyped = 12;

    EditBuffer(DriveData &data, const MessageTable &messages, Prompter &prompter);

    bool editing() const { return m_editing; }
    const QString &buffer() const { return m_buffer; }
    int typedCount() const { return m_typed; }
    const QString &savedText() const { return m_saved; }

    /// Digits, ".", ",", "-", "A" to "F", "V" in either case while fewer than twelve were
    /// typed, "h"/"H" only as the first. The first key of an edit saves `cellText`, the value
    /// cell as shown. False for a character the cell does not take.
    bool KeyPress(QChar c, const QString &cellText);
    /// Drops the last typed character; false when there was none.
    bool Backspace();
    /// Escape, an arrow key, a click: ends the edit. True when one was in progress; the
    /// value cell then gets savedText() back.
    bool Cancel();

    /// The text Enter takes: the buffer while typing, else the value cell as shown.
    QString enteredText(const QString &shownText) const;

    struct Converted {
        double raw = 0;        // within the limits
        bool clamped = false;  // the entry lay outside them (message 41 was shown)
    };
    /// Enter's conversion without storing: "h" + hexadecimal digits, amperes/volts in the
    /// Current / Voltage display, else a decimal number (a comma counts as the decimal
    /// point), times "Mul", then within the limits. Nothing after message 40 or 42. Updates
    /// "HexIndex" as an accepted entry does.
    std::optional<Converted> Convert(int index, const QString &text);
    /// Convert's first half: the raw value of the entry, not yet within the limits. Nothing
    /// after message 40 or 42.
    std::optional<double> EntryRaw(int index, const QString &text);

    struct Accepted {
        bool stored = false;
        QString cellText;  // what the value cell shows now (the text before the edit when refused)
        int changed = 0;   // the changed mark (stored entries only)
    };
    /// Enter on parameter `index` with its value cell showing `shownText`: stores the
    /// converted value, marks it changed or not, sets "WriteIndex" when the value moved and
    /// records the value before it for undo. The edit ends either way.
    Accepted Enter(int index, const QString &shownText);

    /// Ends the edit after the value was taken elsewhere (export of a typed value).
    void finish();

private:
    void warn(int message) const;

    DriveData &m_data;
    const MessageTable &m_messages;
    Prompter &m_prompter;
    bool m_editing = false;
    QString m_saved;
    QString m_buffer;
    int m_typed = 0;
};
