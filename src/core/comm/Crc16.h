#pragma once

#include <QByteArray>
#include <cstdint>

// Two reflected CRC-16 variants, both table driven with initial value 0xFFFF and no final
// inversion: CRC-16/MODBUS (polynomial 0xA001), whose check value goes on the line low byte
// first, and CRC-16/MCRF4XX (polynomial 0x8408, the reflected CCITT 0x1021) of the
// configuration files' checksum comment.
namespace Crc16 {

uint16_t modbus(const uint8_t *data, size_t length);
uint16_t modbus(const QByteArray &bytes);
/// CRC-16/MCRF4XX; "123456789" gives 0x6F91.
uint16_t mcrf4xx(const QByteArray &bytes);
/// Table entry i of the byte-wise algorithm (entry 1 is 0xC0C1, entry 2 is 0xC181).
uint16_t tableEntry(uint8_t index);

}  // namespace Crc16
