#include "NativeFrames.h"

namespace {

constexpr char StartByte = 0x2F;  // "/"
constexpr char LongMarker = 0x4C; // "L"
constexpr uint8_t BroadcastNumber = 0xFF;

bool isWrite(char command)
{
    return command == 'W' || command == 'P';
}

void appendBigEndian(QByteArray &frame, uint32_t value, int bytes)
{
    for (int shift = (bytes - 1) * 8; shift >= 0; shift -= 8)
        frame.append(char((value >> shift) & 0xFF));
}

}  // namespace

uint8_t NativeCheckValue(const QByteArray &bytes, int count)
{
    unsigned sum = 0;
    for (int i = 0; i < count && i < bytes.size(); ++i)
        sum += uint8_t(bytes.at(i));
    return uint8_t(sum & 0xFF);
}

QByteArray BuildNativeRequest(const FrameItem &item, char command, const QString &data,
                              const CommSettings &settings, NativeFrameForm form)
{
    const bool wide = item.wide && form.longMarker;
    QByteArray frame;
    frame.reserve(11);
    if (form.startByte)
        frame.append(StartByte);
    if (settings.setNumber)
        frame.append(char(settings.inverterNumber & 0xFF));
    else if (settings.broadcast)
        frame.append(char(BroadcastNumber));
    if (wide)
        frame.append(LongMarker);
    frame.append(command);
    frame.append(char(item.addressHigh()));
    frame.append(char(item.addressLow()));
    if (isWrite(command))
        appendBigEndian(frame, uint32_t(DataTextValue(data)), wide ? 4 : 2);
    frame.append(char(NativeCheckValue(frame, int(frame.size()))));
    return frame;
}

int NativeReplyLength(const FrameItem &item, char command, const CommSettings &settings)
{
    if (command == 'R' && item.isBlock())
        return 15;
    const int number = settings.hasNumberByte() ? 1 : 0;
    return (item.wide ? 10 : 7) + number;
}

bool NativeReplyValid(const QByteArray &reply, int expected, const FrameItem &item)
{
    if (expected < 1 || reply.size() < expected)
        return false;
    if (item.isBlock())
        return true;
    return NativeCheckValue(reply, expected - 1) == uint8_t(reply.at(expected - 1));
}

namespace {

// Position of the command byte: after the start byte, the number byte and the long marker.
int commandOffset(const FrameItem &item, const CommSettings &settings)
{
    return 1 + (settings.hasNumberByte() ? 1 : 0) + (item.wide ? 1 : 0);
}

}  // namespace

bool NativeReplyAnswers(const QByteArray &reply, const FrameItem &item, char command, const CommSettings &settings)
{
    if (item.isBlock())
        return true;
    const int at = commandOffset(item, settings);
    return reply.size() > at + 2 && reply.at(at) == command && uint8_t(reply.at(at + 1)) == item.addressHigh()
        && uint8_t(reply.at(at + 2)) == item.addressLow();
}

uint32_t NativeReplyValue(const QByteArray &reply, const FrameItem &item, const CommSettings &settings)
{
    const int offset = commandOffset(item, settings) + 3;
    const int width = item.wide ? 4 : 2;
    if (reply.size() < offset + width)
        return 0;
    uint32_t value = 0;
    for (int i = 0; i < width; ++i)
        value = (value << 8) | uint8_t(reply.at(offset + i));
    return value;
}
