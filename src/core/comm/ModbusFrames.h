#pragma once

#include "CommSettings.h"
#include "FrameItem.h"

#include <QByteArray>

// Modbus RTU frames: read holding registers (function 3) for "R", write single register
// (function 6) for "W" and "P" alike. The communication number is the register address.
// The slave address is the inverter number with "Set number", 0 with "Broadcast", else 251.
// CRC-16/MODBUS, low byte first. Pure functions: no port, no clock.

/// The 8-byte request.
QByteArray BuildModbusRequest(const FrameItem &item, char command, const QString &data,
                              const CommSettings &settings);
/// The start-up scan's second try: the request without its address byte, CRC over the six
/// bytes that remain.
QByteArray ModbusResyncRequest(const QByteArray &request);
/// 15 for a read of a block item, 7 for other reads, 8 for writes (the echo).
int ModbusReplyLength(const FrameItem &item, char command);
/// True when at least `expected` bytes arrived and the CRC over the first expected - 2 bytes
/// matches bytes expected - 2 (low) and expected - 1 (high); any arrived reply of a block item.
bool ModbusReplyValid(const QByteArray &reply, int expected, const FrameItem &item);
/// True when the reply answers `request`: the same function code and, for function 3, the
/// byte count of the registers asked for, for function 6 the same register. Replies of block
/// items are not compared. Expects a reply of at least the expected length.
bool ModbusReplyAnswers(const QByteArray &reply, const QByteArray &request, const FrameItem &item);
/// Function 3: bytes 3 and 4; function 6: bytes 4 and 5. Any other function code (an exception
/// reply) or a reply too short for its function gives 0 and sets `failed`.
uint16_t ModbusReplyValue(const QByteArray &reply, bool *failed = nullptr);
