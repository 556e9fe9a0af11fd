#pragma once

#include <QString>
#include <QStringView>
#include <optional>

class DriveData;

// Conversions between a parameter's raw value (an integer in the drive's units, held as
// decimal text) and the texts shown and typed: decimal by the "TMul" pattern, hexadecimal,
// and amperes/volts for the current and voltage parameters. The shown number is
// raw / "Mul".
class ValueConversion
{
public:
    explicit ValueConversion(DriveData &data);

    /// `scaled` right-aligned in eight characters with the decimals of "TMul", rounded as
    /// printf rounds; the first "." becomes "," when DecimalComma is set.
    QString FormatScaled(int index, double scaled) const;
    /// Upper-case hexadecimal digits of the low 32 bits, no leading zeros, no prefix.
    static QString HexText(qint64 value);
    /// Up to eight hexadecimal digits as a 32-bit word: signed when the parameter's
    /// "LValue" is negative, else unsigned. Nothing for any other text.
    std::optional<qint64> HexToValue(QStringView digits, int index) const;
    /// Amperes or volts ("12.5A") for a "C" or "V" parameter; otherwise hexadecimal when
    /// "HexIndex" is set, else FormatScaled.
    QString CVText(QStringView raw, int index) const;
    /// An entry in amperes or volts as percent of the rating with the decimals "Mul" allows;
    /// the text unchanged for other parameters; nothing when it is not a number or the
    /// rating is zero.
    std::optional<QString> CVToPercent(QStringView text, int index) const;
    /// Amperes or volts of one raw unit ("0.20A"), empty for other parameters.
    QString CVUnitText(int index) const;
    /// The value's text under the current display (empty counts as "0"; text that is not a
    /// number is shown as it is).
    QString ValueText(QStringView raw, int index) const;
    /// A limit's text: like ValueText but never hexadecimal.
    QString LimitText(QStringView raw, int index) const;

    enum class EntryError { None, EmptyHex, NotANumber };
    /// The raw value of an entry: "h"/"H" + hex digits, amperes/volts while the
    /// "Current / Voltage" display is on, else a decimal number. Updates "HexIndex" for an
    /// accepted entry. No rounding: more decimals than the parameter resolves leave a
    /// fraction.
    std::optional<double> EntryToRaw(QStringView text, int index, EntryError *error = nullptr);
    /// A 32-bit word from the drive as decimal text, by the parameter's width ("Byte") and
    /// sign (a negative "LValue").
    QString RawToValueText(quint32 word, int index) const;
    /// True when the parameter's width ("Byte": 4 for 32 bits, else 16) and sign (a
    /// negative "LValue") can hold the raw value.
    bool fitsDataSize(qint64 raw, int index) const;

    /// "Mul" as a number; 1 when it is zero or not a number, so that bad data never divides
    /// by zero.
    double mulOf(int index) const;
    /// "Mul" as a whole number, with the same fallback.
    qint64 wholeMulOf(int index) const;

private:
    bool hasNegativeLow(int index) const;
    /// Rating and unit letter of a "C" or "V" parameter; false for others.
    bool rating(int index, double *base, QChar *unit) const;

    DriveData &m_data;
};
