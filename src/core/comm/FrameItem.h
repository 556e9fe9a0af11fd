#pragma once

#include <QString>
#include <cstdint>

// What a frame needs to know of one parameter: its communication number and whether it is
// a 32-bit parameter ("Byte" column 4 of the definition table).
struct FrameItem {
    QString comNo;
    bool wide = false;

    /// "FC10" and "r300" (exactly, case-sensitive) are read as a block of five registers;
    /// their check value is not verified.
    bool isBlock() const;
    /// The two address bytes: each character pair gives first * 16 + second, low 8 bits, where
    /// 0-9, A-F and a-f count 0..15 and any other character counts -1 ("r300" gives F3 00).
    uint8_t addressHigh() const;
    uint8_t addressLow() const;
};

/// A write's data text as a signed decimal number: leading blanks, an optional sign and the
/// digits that follow; no digits give 0. Wraps to 32 bits like the drive's registers.
int32_t DataTextValue(const QString &data);
