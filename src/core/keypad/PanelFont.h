#pragma once

#include <QChar>
#include <QString>
#include <cstdint>

// The characters of the panel's LED display. A segment code has bit 0 = segment a, bit 1 = b,
// bit 2 = c, bit 3 = d, bit 4 = e, bit 5 = f, bit 6 = g and bit 7 = the decimal point. The
// display text is kept as one character per code in the LED font's own alphabet, where each
// character stands for one segment pattern ("5" is 0x6D, "=" is "0." 0xBF, "e" is 0x79 and
// "E" the same with its point); a code outside the alphabet shows as a space.
namespace PanelFont {

/// The font character of a segment code; a space for a code the font has no character for.
QChar DispListRKP(uint8_t code);
/// The segment code a font character draws; 0 (dark) for a character the font lacks. "o",
/// which the error text "coMe" uses, draws the lower-case o (segments c, d, e, g).
uint8_t SegmentsOf(QChar c);
/// The digit with its decimal point: "0" gives "=", "1" "!" .. "9" ")"; a null QChar for
/// anything else.
QChar PointCharOf(QChar digit);
/// The plain digit of a digit-with-point character; a null QChar for anything else.
QChar DigitOfPointChar(QChar c);
/// Display text for a reader: each character as the pattern it draws, its decimal point as
/// a "." after it ("5=00" gives "50.00", "E" gives "e.").
QString ReadableText(const QString &fontText);

}  // namespace PanelFont
