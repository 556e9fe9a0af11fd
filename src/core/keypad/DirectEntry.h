#pragma once

#include <QString>
#include <optional>

class DriveData;

// "FC Direct Input": a frequency typed on the panel's display, up to four digits with one
// decimal point, written to the drive type's frequency command parameter. The text is kept
// in the LED font's alphabet, where a digit with its point is one character ("5=" is "50.").
class DirectEntry
{
public:
    /// The text shown while nothing has been typed.
    static QString prompt() { return QStringLiteral("fc  "); }

    void begin();
    bool active() const { return m_active; }
    void leave() { m_active = false; }
    /// What the display shows: the prompt, or the characters typed.
    QString text() const { return m_count == 0 ? prompt() : m_text; }

    /// A digit; the first replaces the prompt, a fifth is ignored.
    void typeDigit(QChar digit);
    /// "." or ",": puts the point on the last digit, once per entry. False (language message
    /// 67) when there is no digit to put it on.
    bool typePoint();
    /// Takes the last character back; a digit with point loses only its point.
    void backspace();
    /// Empties the entry.
    void clear();

    enum class Verdict {
        Write,          // write `raw` to `index`
        NoParameter,    // the drive type has no frequency command parameter: message 40
        NotANumber,     // message 67
        OutsideLimits,  // message 41
    };
    struct Outcome {
        Verdict verdict = Verdict::NotANumber;
        int index = -1;
        QString raw;
    };
    /// Enter: checks the entry against the parameter `freqComNo` ("-" when the type has
    /// none): the number times its "Mul", rounded, must pass the parameter's range check
    /// unchanged. `wireBits`: 16 for Modbus, 32 for the native protocol.
    Outcome enter(const DriveData &data, const QString &freqComNo, int wireBits) const;

    /// The entry as a number ("5=" gives 50.0); nothing when it is not one.
    std::optional<double> number() const;

    static constexpr int MaxDigits = 4;

private:
    QString m_text;
    int m_count = 0;
    bool m_point = false;
    bool m_active = false;
};
