// Arbitrary bytes from the line into the reply checks and value extraction of both protocols,
// under every shape of request the tool sends.
#include "comm/ModbusFrames.h"
#include "comm/NativeFrames.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const uint8_t shape = data[0];
    const QByteArray reply(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    static const char *const numbers[] = {"FB05", "FC10", "r300", "0000", "zz", ""};
    const FrameItem item{QString::fromLatin1(numbers[shape % 6]), (shape & 0x08) != 0};
    const char command = "RWP"[(shape >> 4) % 3];
    CommSettings settings;
    settings.setNumber = (shape & 0x40) != 0;
    settings.broadcast = (shape & 0x80) != 0 && !settings.setNumber;
    settings.inverterNumber = shape & 0x3F;

    const int nativeLength = NativeReplyLength(item, command, settings);
    if (NativeReplyValid(reply, nativeLength, item))
        (void)NativeReplyValue(reply, item, settings);
    (void)NativeReplyValue(reply, item, settings);
    (void)NativeReplyValid(reply, int(reply.size()), item);
    (void)NativeReplyAnswers(reply, item, command, settings);

    const int modbusLength = ModbusReplyLength(item, command);
    bool failed = false;
    if (ModbusReplyValid(reply, modbusLength, item))
        (void)ModbusReplyValue(reply, &failed);
    (void)ModbusReplyValue(reply);
    (void)ModbusReplyValid(reply, int(reply.size()), item);
    (void)ModbusReplyAnswers(reply, reply.left(8), item);
    (void)ModbusReplyAnswers(reply, BuildModbusRequest(item, command, QString(), settings), item);
    (void)ModbusResyncRequest(reply);
    (void)BuildNativeRequest(item, command, QString::fromLatin1(reply), settings);
    (void)BuildModbusRequest(item, command, QString::fromLatin1(reply), settings);
    return 0;
}
