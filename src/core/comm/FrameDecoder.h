#pragma once

#include <QByteArray>
#include <QString>

// Words for the bytes of one frame of either protocol, for the communication log: who is
// addressed, the command, the communication number, the value and whether the check value
// holds. Pure: bytes in, text out, and any byte sequence gives some text.
namespace FrameDecoder {

enum class Protocol {
    Native,
    Modbus,
    Unknown,  // taken as Modbus when the last two bytes are the CRC of the others, else native
};
enum class Role { Request, Reply };

struct Decoded {
    QString text;
    int frameLength = 0;      // bytes the frame has by its own layout (0: not even a header)
    bool complete = false;    // at least frameLength bytes were given
    bool checkGood = false;   // complete, and the check value (sum or CRC) holds
    bool exception = false;   // a Modbus exception reply
    bool write = false;       // a write, whose reply has the layout (and bytes) of the request
    uint16_t address = 0;     // communication number (register address), when there is one
};

/// Describes the frame at the start of `bytes`; bytes beyond its own length are named as extra.
Decoded decode(const QByteArray &bytes, Protocol protocol, Role role);
/// The standard name of a Modbus exception code ("Illegal Data Address" for 2).
QString modbusExceptionName(int code);
/// "2F 52 FB 05 81".
QString hexBytes(const QByteArray &bytes);
/// Modbus when the frame ends in a good CRC over the rest and has a known function code.
Protocol guess(const QByteArray &frame);

}  // namespace FrameDecoder
