#pragma once

#include "SerialPort.h"

#include <QByteArray>

// One request and its reply on the line, in the fixed order every exchange of the tool uses
// (ordinary, detection and keypad alike): clear the transmit queue, then the receive queue,
// raise RTS, write the whole frame, wait for the reply, read it; RTS stays high until the
// caller has checked the reply and calls EndExchange.
namespace LineExchange {

/// The exchange's receive buffer. More queued bytes than this are read and discarded.
constexpr int ReceiveBufferSize = 32;

struct Reply {
    bool arrived = false;  // at least the expected number of bytes came within the time-out
    QByteArray bytes;      // what was read, at most ReceiveBufferSize bytes
};

/// Sends `frame` and waits up to `timeoutMs` from the end of sending for `expected` bytes.
/// When they came, every queued byte is read.
Reply SendAndReceive(SerialPort &port, const QByteArray &frame, int expected, int timeoutMs);
/// Lowers RTS.
void EndExchange(SerialPort &port);
/// The Modbus pause after a reply: returns once more than `gapMs` whole milliseconds have
/// passed (gapMs + 1 ms), so two exchanges at 1200 bit/s are at least 25 ms apart.
void InterFrameDelay(int gapMs);

}  // namespace LineExchange
