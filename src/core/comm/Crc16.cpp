#include "Crc16.h"

#include <array>

namespace {

// Byte-wise table of a reflected CRC-16 with the given (reflected) polynomial.
constexpr std::array<uint16_t, 256> makeTable(uint16_t polynomial)
{
    std::array<uint16_t, 256> table{};
    for (unsigned i = 0; i < 256; ++i) {
        uint16_t crc = uint16_t(i);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1u) ? uint16_t((crc >> 1) ^ polynomial) : uint16_t(crc >> 1);
        table[i] = crc;
    }
    return table;
}

constexpr std::array<uint16_t, 256> Table = makeTable(0xA001);
constexpr std::array<uint16_t, 256> CcittTable = makeTable(0x8408);

uint16_t reflected(const std::array<uint16_t, 256> &table, const uint8_t *data, size_t length)
{
    uint16_t crc = 0xFFFF;
    for (size_t i = 0; i < length; ++i)
        crc = uint16_t((crc >> 8) ^ table[(crc ^ data[i]) & 0xFFu]);
    return crc;
}

}  // namespace

namespace Crc16 {

uint16_t modbus(const uint8_t *data, size_t length)
{
    return reflected(Table, data, length);
}

uint16_t modbus(const QByteArray &bytes)
{
    return modbus(reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()));
}

uint16_t mcrf4xx(const QByteArray &bytes)
{
    return reflected(CcittTable, reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()));
}

uint16_t tableEntry(uint8_t index)
{
    return Table[index];
}

}  // namespace Crc16
