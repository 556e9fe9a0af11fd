#include "ModbusFrames.h"

#include "Crc16.h"

namespace {

constexpr uint8_t DefaultSlave = 251;
constexpr uint8_t ReadHolding = 3;
constexpr uint8_t WriteSingle = 6;

void appendCrc(QByteArray &frame)
{
    const uint16_t crc = Crc16::modbus(frame);
    frame.append(char(crc & 0xFF));
    frame.append(char(crc >> 8));
}

uint16_t bigEndian16(const QByteArray &bytes, int at)
{
    return uint16_t((uint8_t(bytes.at(at)) << 8) | uint8_t(bytes.at(at + 1)));
}

}  // namespace

QByteArray BuildModbusRequest(const FrameItem &item, char command, const QString &data,
                              const CommSettings &settings)
{
    uint8_t slave = DefaultSlave;
    if (settings.setNumber)
        slave = uint8_t(settings.inverterNumber & 0xFF);
    else if (settings.broadcast)
        slave = 0;
    const bool read = command == 'R';
    // A block item always asks for its five registers, even in the write form.
    uint16_t word = 1;
    if (item.isBlock())
        word = 5;
    else if (!read)
        word = uint16_t(uint32_t(DataTextValue(data)) & 0xFFFF);

    QByteArray frame;
    frame.reserve(8);
    frame.append(char(slave));
    frame.append(char(read ? ReadHolding : WriteSingle));
    frame.append(char(item.addressHigh()));
    frame.append(char(item.addressLow()));
    frame.append(char(word >> 8));
    frame.append(char(word & 0xFF));
    appendCrc(frame);
    return frame;
}

QByteArray ModbusResyncRequest(const QByteArray &request)
{
    QByteArray frame = request.mid(1, 5);
    appendCrc(frame);
    return frame;
}

int ModbusReplyLength(const FrameItem &item, char command)
{
    if (command != 'R')
        return 8;
    return item.isBlock() ? 15 : 7;
}

bool ModbusReplyValid(const QByteArray &reply, int expected, const FrameItem &item)
{
    if (expected < 3 || reply.size() < expected)
        return false;
    if (item.isBlock())
        return true;
    const uint16_t crc = Crc16::modbus(reinterpret_cast<const uint8_t *>(reply.constData()), size_t(expected - 2));
    return uint8_t(reply.at(expected - 2)) == (crc & 0xFF) && uint8_t(reply.at(expected - 1)) == (crc >> 8);
}

bool ModbusReplyAnswers(const QByteArray &reply, const QByteArray &request, const FrameItem &item)
{
    if (item.isBlock())
        return true;
    if (reply.size() < 4 || request.size() < 6 || reply.at(1) != request.at(1))
        return false;
    if (uint8_t(request.at(1)) == ReadHolding)
        return uint8_t(reply.at(2)) == 2 * bigEndian16(request, 4);
    return reply.at(2) == request.at(2) && reply.at(3) == request.at(3);
}

uint16_t ModbusReplyValue(const QByteArray &reply, bool *failed)
{
    const int function = reply.size() > 1 ? uint8_t(reply.at(1)) : -1;
    uint16_t value = 0;
    bool ok = false;
    if (function == ReadHolding && reply.size() >= 5) {
        value = bigEndian16(reply, 3);
        ok = true;
    } else if (function == WriteSingle && reply.size() >= 6) {
        value = bigEndian16(reply, 4);
        ok = true;
    }
    if (failed && !ok)
        *failed = true;
    return value;
}
