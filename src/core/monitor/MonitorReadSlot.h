#pragma once

#include <QString>
#include <cstdint>

class DriveData;

// What one read of a monitor item needs: its parameter and how to turn the exchange's 32-bit
// result into the item's value. Slots 0-9 belong to CH1..CH10, slot 10 to the alarm word
// "FC91", slot 11 to the trip code "FC90"; slot 12 is never read.
struct MonitorReadSlot {
    static constexpr int Count = 13;
    static constexpr int AlarmSlot = 10;
    static constexpr int TripSlot = 11;

    int row = -1;        // parameter index, -1 when the drive has no such parameter
    int dataSize = 2;    // "Byte": 4 is a 32-bit value, anything else 16 bits
    int minimum = 0;     // "Low": negative means the value is signed
    float divisor = 1;   // "Mul", e.g. 10, 100, 1000
    QString bitText;     // bit number of a BitItem, empty for a plain item

    /// The slot of an item code ("FD00", "FD06-3") looked up in the loaded parameters.
    static MonitorReadSlot forCode(const DriveData &data, const QString &code);
    /// Parameter index of a four-character communication number, -1 for any other text or
    /// a number the drive does not have.
    static int rowOf(const DriveData &data, const QString &comNo);
    /// The exchange's result as decimal text by data size and sign: signed or unsigned
    /// 32 bits, or the low 16 bits signed or unsigned.
    QString rawText(int32_t value) const;
};
