#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>

// The drive's panel block as it goes on the line: ten bytes, display image A in D0..D3,
// image B in D4..D7, the lamp byte of image B in D8 and of image A in D9. Each image is four
// seven-segment codes (bit 0 segment a .. bit 6 segment g, bit 7 the decimal point) in the
// order the panel wires them: the digits left to right are D1, D0, D3, D2 (and D5, D4, D7,
// D6). The panel alternates the two images, which is how a digit or a lamp blinks.
namespace SimPanel {

using Digits = std::array<uint8_t, 4>;  // left to right

enum Lamp : uint8_t {
    LampRun = 0x01,
    LampMon = 0x08,
    LampPrg = 0x10,
};

/// Segment code of a digit, "-", a blank or the letters E and r; 0 otherwise.
uint8_t segmentCode(QChar c);

/// Four digits from a text such as "50.00", " 5.0" or "E 12": a "." adds the decimal
/// point to the character before it; the text is right-aligned, extra characters on the
/// left are dropped.
Digits digits(const QString &text);

/// Four-digit display text of a value: two decimals below 100, one below 1000, none
/// above; never more than 9999 and never negative.
QString valueText(double value);

QByteArray block(const Digits &imageA, uint8_t lampsA, const Digits &imageB, uint8_t lampsB);

}  // namespace SimPanel
