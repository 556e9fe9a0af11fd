#pragma once

#include "FrameDecoder.h"
#include "SerialPort.h"

#include <QByteArray>
#include <cstdint>

class LineGap;

// One request and its reply on the line, in the fixed order every exchange of the tool uses
// (ordinary, detection and keypad alike): wait out the pause after the last reply, clear the
// transmit queue, then the receive queue, raise RTS, write the whole frame, wait for the
// reply, read it; RTS stays high until the caller has checked the reply and calls EndExchange.
namespace LineExchange {

/// The exchange's receive buffer. More queued bytes than this are read and discarded.
constexpr int ReceiveBufferSize = 32;

struct Reply {
    bool arrived = false;  // at least the expected number of bytes came within the time-out
    QByteArray bytes;      // what was read, at most ReceiveBufferSize bytes
    int64_t endedNs = 0;   // monotonic clock when the reply was complete (LineGap::nowNs)
};

/// Sends `frame` and waits up to `timeoutMs` from the end of sending for `expected` bytes.
/// When they came, every queued byte is read. With a `gap`, its pause is waited out before
/// the frame is written. `protocol` only tells the port's communication log how to read the
/// frames.
Reply SendAndReceive(SerialPort &port, const QByteArray &frame, int expected, int timeoutMs,
                     LineGap *gap = nullptr, FrameDecoder::Protocol protocol = FrameDecoder::Protocol::Unknown);
/// After a failed exchange: reads and drops every byte until the line has been quiet for
/// `quietMs`, so that a reply arriving late (up to twice the time-out) goes with the exchange
/// that gave up on it and is never taken for the answer to the next request. A line that
/// keeps talking is given up on after three quiet periods.
void DiscardUntilQuiet(SerialPort &port, int quietMs);
/// Lowers RTS.
void EndExchange(SerialPort &port);

}  // namespace LineExchange
