#include "SimFrames.h"

#include "comm/Crc16.h"
#include "comm/FrameItem.h"

namespace {

uint8_t at(const QByteArray &bytes, int i)
{
    return uint8_t(bytes.at(i));
}

bool isCommand(uint8_t b)
{
    return b == 'R' || b == 'W' || b == 'P';
}

bool isNumberByte(uint8_t b)
{
    return b <= 63 || b == SimFrames::BroadcastNumber;
}

// One reading of the bytes: with or without the start byte. The number byte and the long
// marker are recognised by value (numbers are 0..63 or 0xFF, never "L", "R", "W", "P").
SimFrames::Parse parseNativeFrom(const QByteArray &bytes, bool hasStart, SimRequest *request)
{
    using SimFrames::Parse;
    const int size = int(bytes.size());
    int pos = hasStart ? 1 : 0;
    SimRequest r;
    r.hasStart = hasStart;
    if (size <= pos)
        return Parse::Incomplete;
    if (isNumberByte(at(bytes, pos)))
        r.number = at(bytes, pos++);
    if (size <= pos)
        return Parse::Incomplete;
    if (at(bytes, pos) == SimFrames::LongMarker) {
        r.wide = true;
        ++pos;
    }
    if (size <= pos)
        return Parse::Incomplete;
    const uint8_t command = at(bytes, pos++);
    if (!isCommand(command))
        return Parse::Invalid;
    r.commandByte = char(command);
    r.command = command == 'R' ? SimRequest::Command::Read
              : command == 'W' ? SimRequest::Command::WriteEeprom
                               : SimRequest::Command::WriteRam;
    const int dataBytes = r.isWrite() ? (r.wide ? 4 : 2) : 0;
    const int length = pos + 2 + dataBytes + 1;
    if (size < length)
        return Parse::Incomplete;
    if (size > length || SimFrames::checkSum(bytes, length - 1) != at(bytes, length - 1))
        return Parse::Invalid;
    r.address = quint16(at(bytes, pos) << 8 | at(bytes, pos + 1));
    for (int i = 0; i < dataBytes; ++i)
        r.value = (r.value << 8) | at(bytes, pos + 2 + i);
    *request = r;
    return Parse::Complete;
}

}  // namespace

namespace SimFrames {

quint16 addressOf(const QString &comNo)
{
    if (comNo.size() < 4)
        return 0;
    const FrameItem item{comNo, false};
    return quint16(item.addressHigh() << 8 | item.addressLow());
}

uint8_t checkSum(const QByteArray &bytes, int length)
{
    unsigned sum = 0;
    for (int i = 0; i < length && i < bytes.size(); ++i)
        sum += at(bytes, i);
    return uint8_t(sum & 0xFF);
}

Parse parseNative(const QByteArray &bytes, SimRequest *request)
{
    if (bytes.isEmpty())
        return Parse::Incomplete;
    // A frame that begins with 0x2F is read with a start byte first; the same byte is also
    // a valid number byte (47) of a frame sent without start byte, as the detection's
    // second try does.
    Parse best = Parse::Invalid;
    for (bool hasStart : {true, false}) {
        if (hasStart && at(bytes, 0) != StartByte)
            continue;
        const Parse p = parseNativeFrom(bytes, hasStart, request);
        if (p == Parse::Complete)
            return p;
        if (p == Parse::Incomplete)
            best = Parse::Incomplete;
    }
    return best;
}

Parse parseModbus(const QByteArray &bytes, SimRequest *request)
{
    if (bytes.size() < 8)
        // Functions 1 to 6 all have eight-byte requests; any other function is not ours.
        return bytes.size() < 2 || (at(bytes, 1) >= 1 && at(bytes, 1) <= 6) ? Parse::Incomplete : Parse::Invalid;
    const quint16 crc = Crc16::modbus(reinterpret_cast<const uint8_t *>(bytes.constData()), 6);
    if (bytes.size() > 8 || at(bytes, 6) != (crc & 0xFF) || at(bytes, 7) != (crc >> 8))
        return Parse::Invalid;
    SimRequest r;
    r.modbus = true;
    r.slave = at(bytes, 0);
    r.function = at(bytes, 1);
    r.address = quint16(at(bytes, 2) << 8 | at(bytes, 3));
    const quint16 word = quint16(at(bytes, 4) << 8 | at(bytes, 5));
    if (r.function == 6) {
        r.command = SimRequest::Command::WriteEeprom;
        r.value = word;
    } else {
        r.count = word;
    }
    *request = r;
    return Parse::Complete;
}

QByteArray bigEndian(quint32 value, int width)
{
    QByteArray out(width, '\0');
    for (int i = width - 1; i >= 0; --i, value >>= 8)
        out[i] = char(value & 0xFF);
    return out;
}

QByteArray nativeReply(const SimRequest &request, const QByteArray &data)
{
    QByteArray out;
    out.append(char(StartByte));
    if (request.number >= 0)
        out.append(char(request.number));
    if (request.wide)
        out.append(char(LongMarker));
    out.append(request.commandByte);
    out.append(bigEndian(request.address, 2));
    out.append(data);
    out.append(char(checkSum(out, int(out.size()))));
    return out;
}

QByteArray withModbusCrc(QByteArray frame)
{
    const quint16 crc = Crc16::modbus(frame);
    frame.append(char(crc & 0xFF));
    frame.append(char(crc >> 8));
    return frame;
}

QByteArray modbusReadReply(const SimRequest &request, const QByteArray &data)
{
    QByteArray out;
    out.append(char(request.slave));
    out.append(char(3));
    out.append(char(data.size()));
    out.append(data);
    return withModbusCrc(out);
}

QByteArray modbusWriteReply(const SimRequest &request, quint16 value)
{
    QByteArray out;
    out.append(char(request.slave));
    out.append(char(6));
    out.append(bigEndian(request.address, 2));
    out.append(bigEndian(value, 2));
    return withModbusCrc(out);
}

QByteArray modbusException(const SimRequest &request, uint8_t code)
{
    QByteArray out;
    out.append(char(request.slave));
    out.append(char(request.function | 0x80));
    out.append(char(code));
    return withModbusCrc(out);
}

}  // namespace SimFrames
