#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// Numbers held in the parameter tables are text. Reading accepts decimal numbers with "." as
// the decimal separator, an optional sign and exponent, and blanks around; writing gives the
// shortest exact form of up to 15 significant digits. Both are independent of the process
// locale.
namespace NumberText {

/// The value of one hexadecimal digit (either case), or -1.
int hexDigit(QChar c);

/// A decimal number, or nothing for any other text (including "inf" and "nan").
std::optional<double> parse(QStringView text);
/// A whole decimal number within 32 bits (blanks around allowed), or nothing.
std::optional<qint64> parseWhole(QStringView text);
/// The text as a number truncated toward zero, or nothing when it is not a number.
std::optional<qint64> parseTruncated(QStringView text);
/// The leading whole-number part: optional blanks, sign and digits ("12.7" gives 12,
/// "abc" gives 0).
qint64 leadingWhole(QStringView text);

/// Up to 15 significant digits, trailing zeros dropped; an exponent ("1E-5") only for
/// magnitudes of 10^15 and more or below 10^-4.
QString format(double value);
/// Fixed notation with `decimals` digits after the point, rounded as printf rounds
/// (the exact binary value, ties to even).
QString fixed(double value, int decimals);
/// Truncation toward zero into 64 bits; NaN gives 0, out-of-range values saturate.
qint64 truncate(double value);

}  // namespace NumberText
