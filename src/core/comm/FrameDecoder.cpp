#include "FrameDecoder.h"

#include "Crc16.h"
#include "NativeFrames.h"

#include <QStringList>
#include <algorithm>

namespace FrameDecoder {

namespace {

constexpr uint8_t StartByte = 0x2F;
constexpr uint8_t LongMarker = 0x4C;
constexpr uint8_t BroadcastNumber = 0xFF;
constexpr int MaxInverterNumber = 63;
constexpr int ModbusAloneAddress = 251;

uint8_t at(const QByteArray &b, int i)
{
    return uint8_t(b.at(i));
}

uint32_t bigEndian(const QByteArray &b, int from, int count)
{
    uint32_t value = 0;
    for (int i = 0; i < count; ++i)
        value = (value << 8) | at(b, from + i);
    return value;
}

QString hex(unsigned value, int digits)
{
    return QStringLiteral("%1").arg(value, digits, 16, QLatin1Char('0')).toUpper();
}

QString commandName(uint8_t command)
{
    switch (command) {
    case 'R': return QStringLiteral("read");
    case 'W': return QStringLiteral("write RAM and EEPROM");
    case 'P': return QStringLiteral("write RAM");
    default: return QStringLiteral("unknown command %1").arg(hex(command, 2));
    }
}

// Fills length, completeness and the closing words of a frame whose layout is known.
void finish(Decoded &d, QStringList &parts, const QByteArray &bytes, int length)
{
    d.frameLength = length;
    d.complete = bytes.size() >= length;
    if (!d.complete)
        parts << QStringLiteral("incomplete: %1 of %2 bytes").arg(bytes.size()).arg(length);
    else if (bytes.size() > length)
        parts << QStringLiteral("%1 extra bytes").arg(bytes.size() - length);
    d.text = parts.join(QStringLiteral(", "));
}

void dataWords(QStringList &parts, const QByteArray &b, int from, int count)
{
    if (count == 2 || count == 4)
        parts << QStringLiteral("value %1").arg(bigEndian(b, from, count));
    else if (count > 0)
        parts << QStringLiteral("data %1").arg(hexBytes(b.mid(from, count)));
}

Decoded decodeNative(const QByteArray &b, Role role)
{
    Decoded d;
    QStringList parts{QStringLiteral("native")};
    const int n = int(b.size());
    int i = 0;
    if (n > 0 && at(b, 0) == StartByte)
        i = 1;
    else
        parts << QStringLiteral("no start byte");
    if (i < n && at(b, i) <= MaxInverterNumber) {
        parts << QStringLiteral("inverter %1").arg(at(b, i));
        ++i;
    } else if (i < n && at(b, i) == BroadcastNumber) {
        parts << QStringLiteral("broadcast");
        ++i;
    }
    const bool wide = i < n && at(b, i) == LongMarker;
    if (wide) {
        parts << QStringLiteral("32-bit");
        ++i;
    }
    if (i + 3 > n) {
        finish(d, parts, b, i + 3 + (role == Role::Reply ? 3 : 1));
        return d;
    }
    const uint8_t command = at(b, i);
    d.write = command == 'W' || command == 'P';
    d.address = uint16_t(bigEndian(b, i + 1, 2));
    parts << commandName(command) << QStringLiteral("No. %1").arg(hex(d.address, 4));
    i += 3;
    // A reply carries data whatever its command; a request only when it writes.
    const int dataBytes = role == Role::Reply ? std::max(n - i - 1, wide ? 4 : 2)
                          : (command == 'W' || command == 'P') ? (wide ? 4 : 2) : 0;
    const int length = i + dataBytes + 1;
    if (n >= length) {
        dataWords(parts, b, i, dataBytes);
        const uint8_t check = at(b, length - 1);
        const uint8_t sum = NativeCheckValue(b, length - 1);
        d.checkGood = check == sum;
        parts << (d.checkGood ? QStringLiteral("check %1 good").arg(hex(check, 2))
                              : QStringLiteral("check %1 bad (sum %2)").arg(hex(check, 2), hex(sum, 2)));
    }
    finish(d, parts, b, length);
    return d;
}

int modbusLength(const QByteArray &b, uint8_t function, Role role)
{
    if (function & 0x80)
        return 5;
    if (function == 3 && role == Role::Reply)
        return b.size() > 2 ? 3 + at(b, 2) + 2 : 5;
    if (function == 3 || function == 6)
        return 8;
    return std::max(int(b.size()), 4);
}

void modbusWords(QStringList &parts, const QByteArray &b, uint8_t function, Role role, Decoded &d)
{
    if (function & 0x80) {
        d.exception = true;
        const int code = at(b, 2);
        parts << QStringLiteral("exception to function %1: %2 (%3)")
                     .arg(function & 0x7F).arg(modbusExceptionName(code)).arg(code);
        return;
    }
    if (function != 3 && function != 6) {
        parts << QStringLiteral("unknown function %1").arg(hex(function, 2));
        return;
    }
    if (function == 3 && role == Role::Reply) {
        parts << QStringLiteral("read holding registers") << QStringLiteral("%1 bytes").arg(at(b, 2));
        dataWords(parts, b, 3, at(b, 2));
        return;
    }
    d.address = uint16_t(bigEndian(b, 2, 2));
    d.write = function == 6;
    parts << (function == 3 ? QStringLiteral("read holding registers") : QStringLiteral("write single register"))
          << QStringLiteral("No. %1").arg(hex(d.address, 4))
          << (function == 3 ? QStringLiteral("count %1") : QStringLiteral("value %1")).arg(bigEndian(b, 4, 2));
}

Decoded decodeModbus(const QByteArray &b, Role role)
{
    Decoded d;
    QStringList parts{QStringLiteral("Modbus")};
    if (b.size() < 3) {
        finish(d, parts, b, 5);
        return d;
    }
    const int slave = at(b, 0);
    parts << (slave == 0 ? QStringLiteral("slave 0 (broadcast)")
              : slave == ModbusAloneAddress ? QStringLiteral("slave 251 (the drive alone)")
                                            : QStringLiteral("slave %1").arg(slave));
    const uint8_t function = at(b, 1);
    const int length = modbusLength(b, function, role);
    if (b.size() >= length) {
        modbusWords(parts, b, function, role, d);
        const uint16_t crc = uint16_t(at(b, length - 2) | (at(b, length - 1) << 8));
        const uint16_t computed = Crc16::modbus(reinterpret_cast<const uint8_t *>(b.constData()), size_t(length - 2));
        d.checkGood = crc == computed;
        parts << (d.checkGood ? QStringLiteral("CRC %1 good").arg(hex(crc, 4))
                              : QStringLiteral("CRC %1 bad (computed %2)").arg(hex(crc, 4), hex(computed, 4)));
    }
    finish(d, parts, b, length);
    return d;
}

}  // namespace

Decoded decode(const QByteArray &bytes, Protocol protocol, Role role)
{
    if (protocol == Protocol::Unknown)
        protocol = guess(bytes);
    return protocol == Protocol::Modbus ? decodeModbus(bytes, role) : decodeNative(bytes, role);
}

QString modbusExceptionName(int code)
{
    switch (code) {
    case 1: return QStringLiteral("Illegal Function");
    case 2: return QStringLiteral("Illegal Data Address");
    case 3: return QStringLiteral("Illegal Data Value");
    case 4: return QStringLiteral("Server Device Failure");
    case 5: return QStringLiteral("Acknowledge");
    case 6: return QStringLiteral("Server Device Busy");
    case 8: return QStringLiteral("Memory Parity Error");
    case 10: return QStringLiteral("Gateway Path Unavailable");
    case 11: return QStringLiteral("Gateway Target Device Failed to Respond");
    default: return QStringLiteral("unknown exception");
    }
}

QString hexBytes(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

Protocol guess(const QByteArray &frame)
{
    if (frame.size() < 4)
        return Protocol::Native;
    const int n = int(frame.size());
    const uint16_t crc = uint16_t(at(frame, n - 2) | (at(frame, n - 1) << 8));
    const uint8_t function = at(frame, 1) & 0x7F;
    const bool known = function == 3 || function == 6;
    return known && crc == Crc16::modbus(reinterpret_cast<const uint8_t *>(frame.constData()), size_t(n - 2))
        ? Protocol::Modbus : Protocol::Native;
}

}  // namespace FrameDecoder
