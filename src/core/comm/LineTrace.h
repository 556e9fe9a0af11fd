#pragma once

#include "FrameDecoder.h"
#include "LineHints.h"
#include "SerialPort.h"

#include <QByteArray>
#include <QString>
#include <functional>

// The communication log: every frame on the line as one text line with the time (ms),
// the direction, the bytes in hex and what they mean, plus one line of hint the first time a
// typical fault shows (no reply, garbled replies, an echoing adapter, a port refused for lack
// of permission). Attached to a SerialPort, it sees every exchange; a port without one costs
// nothing but a null test.
class LineTrace
{
public:
    using Sink = std::function<void(const QString &line)>;
    enum class Direction { Sent, Received };

    explicit LineTrace(Sink sink);

    // The tool's side of the line.
    void portOpened(const QString &device, const LineSettings &line);
    /// `error` is the errno of the failed open; a permission error adds its hint.
    void portOpenFailed(const QString &device, int error);
    void requestSent(const QByteArray &frame, FrameDecoder::Protocol protocol);
    /// What came for the last request: `complete` when the expected count arrived within
    /// `timeoutMs`, else the bytes that had come by then (maybe none).
    void replyReceived(const QByteArray &bytes, int expected, bool complete, int timeoutMs);
    /// Bytes read and dropped outside an exchange (a late reply, noise).
    void discarded(const QByteArray &bytes);

    // Any side, e.g. the simulated drives.
    void frame(Direction direction, const QByteArray &bytes, FrameDecoder::Protocol protocol,
               FrameDecoder::Role role, const QString &note = QString());
    void note(const QString &text);

    bool hintGiven(LineHints::Cause cause) const { return m_hinted[int(cause)]; }

private:
    void write(const QString &text);
    void hint(LineHints::Cause cause, const QString &text);
    bool isEcho(const QByteArray &reply) const;

    Sink m_sink;
    QByteArray m_request;
    FrameDecoder::Protocol m_protocol = FrameDecoder::Protocol::Native;
    bool m_requestIsWrite = false;
    bool m_blockRead = false;
    bool m_hinted[LineHints::CauseCount] = {};
};
