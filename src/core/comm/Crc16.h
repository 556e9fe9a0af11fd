#pragma once

#include <QByteArray>
#include <cstdint>

// CRC-16/MODBUS (reflected polynomial 0xA001, initial value 0xFFFF), table driven.
// The check value goes on the line low byte first.
namespace Crc16 {

uint16_t modbus(const uint8_t *data, size_t length);
uint16_t modbus(const QByteArray &bytes);
/// Table entry i of the byte-wise algorithm (entry 1 is 0xC0C1, entry 2 is 0xC181).
uint16_t tableEntry(uint8_t index);

}  // namespace Crc16
