#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

// One request frame as a drive on the line understands it.
struct SimRequest
{
    enum class Command { Read, WriteEeprom, WriteRam };

    bool modbus = false;
    Command command = Command::Read;
    quint16 address = 0;  // communication number as register address ("FB05" is 0xFB05)
    quint32 value = 0;    // written value: 16 bits, or 32 bits with the long marker
    int count = 1;        // Modbus register count of a read

    // Native framing, echoed in the reply.
    bool hasStart = true;
    int number = -1;      // number byte: 0..63, 0xFF broadcast, -1 none
    bool wide = false;    // long marker "L"
    char commandByte = 'R';

    // Modbus framing.
    int slave = 0;
    int function = 0;

    bool isWrite() const { return command != Command::Read; }
};

// Drive-side parsing and building of both protocols: bytes in, bytes out, no port and no
// clock. Native frames: optional start byte 0x2F, optional number byte, optional long
// marker "L", command, two address bytes, two or four data bytes on writes, and a check
// value that is the low 8 bits of the sum of every byte before it. Modbus RTU: functions 3
// and 6, CRC-16 low byte first.
namespace SimFrames {

enum class Parse { Complete, Incomplete, Invalid };

constexpr uint8_t StartByte = 0x2F;
constexpr uint8_t LongMarker = 0x4C;
constexpr int BroadcastNumber = 0xFF;
constexpr int ModbusAloneAddress = 251;
constexpr int ModbusBroadcastAddress = 0;

/// Each pair of characters gives one byte as first digit x 16 + second digit, keeping the
/// low 8 bits; a character that is not a hexadecimal digit counts -1 ("r300" is 0xF300).
quint16 addressOf(const QString &comNo);
uint8_t checkSum(const QByteArray &bytes, int length);

/// Complete when the bytes are exactly one valid frame; Incomplete when more bytes could
/// still make one; Invalid otherwise (wrong check value, unknown command, extra bytes).
Parse parseNative(const QByteArray &bytes, SimRequest *request);
Parse parseModbus(const QByteArray &bytes, SimRequest *request);

/// Reply in the request's layout (same number byte and long marker): `data` holds the two
/// or four data bytes, or the ten bytes of a block item.
QByteArray nativeReply(const SimRequest &request, const QByteArray &data);
/// Function 3 reply carrying `data` (two bytes per register).
QByteArray modbusReadReply(const SimRequest &request, const QByteArray &data);
/// Function 6 reply: the echo of the request with the value as stored.
QByteArray modbusWriteReply(const SimRequest &request, quint16 value);
QByteArray modbusException(const SimRequest &request, uint8_t code);
QByteArray withModbusCrc(QByteArray frame);

QByteArray bigEndian(quint32 value, int width);

}  // namespace SimFrames
