#pragma once

#include <QString>
#include <QtGlobal>

class DriveData;

// Whether a raw value can go to the drive for a parameter: first what its data word can
// hold (16 or 32 bits by "Byte", signed when its lower limit "LValue" is negative), then its
// effective limits "HValue"/"LValue". A value the word cannot hold would reach the drive cut
// to its low bits, a different value altogether, so it is never sent.
class RawValueCheck
{
public:
    enum class Result { Fits, OutsideLimits, OutsideDataSize };

    /// `wireBits`: the bits the protocol carries (16 for Modbus, which writes only the low
    /// word of a 32-bit parameter; 32 for the native protocol).
    RawValueCheck(const DriveData &data, int index, int wireBits = 32);

    Result check(qint64 raw) const;
    /// The range of the data word on the line, e.g. 0 and 65535.
    qint64 dataLow() const { return m_dataLow; }
    qint64 dataHigh() const { return m_dataHigh; }
    /// The limit texts as the table holds them (empty when a limit is not a number).
    QString lowText() const;
    QString highText() const;
    /// The bits of the data word on the line: 16 or 32.
    int bits() const { return m_bits; }
    /// True when two raw values are the same word on the line (an echo of a signed value
    /// may come back unsigned).
    bool sameWord(qint64 a, qint64 b) const;

private:
    const DriveData &m_data;
    int m_index;
    int m_bits = 16;
    qint64 m_dataLow = 0;
    qint64 m_dataHigh = 0xFFFF;
};
