#include "LineExchange.h"

#include "LineGap.h"
#include "LineTrace.h"

#include <algorithm>

namespace LineExchange {

namespace {

// With a log attached, the bytes the purge would drop unseen are read and logged first.
void traceLeftovers(SerialPort &port, LineTrace &trace)
{
    const int queued = port.queuedInput();
    if (queued > 0)
        trace.discarded(port.read(queued));
}

}  // namespace

Reply SendAndReceive(SerialPort &port, const QByteArray &frame, int expected, int timeoutMs, LineGap *gap,
                     FrameDecoder::Protocol protocol)
{
    if (gap)
        gap->waitBeforeSending();
    LineTrace *const trace = port.trace();
    if (trace)
        traceLeftovers(port, *trace);
    port.purge();
    port.setRts(true);
    // A frame that could not be written gets no reply; the wait below keeps the time-out.
    port.write(frame);
    if (trace)
        trace->requestSent(frame, protocol);
    const QDeadlineTimer deadline(timeoutMs, Qt::PreciseTimer);
    Reply reply;
    const int queued = port.waitForInput(expected, deadline);
    if (queued < expected) {
        // Every caller drops what came short of a reply; the log shows it first.
        if (trace)
            trace->replyReceived(port.read(queued), expected, false, timeoutMs);
        return reply;
    }
    reply.arrived = true;
    reply.endedNs = LineGap::nowNs();
    // Every queued byte is taken; those beyond the receive buffer are dropped.
    reply.bytes = port.read(std::min(queued, ReceiveBufferSize));
    QByteArray dropped;
    if (queued > ReceiveBufferSize)
        dropped = port.read(queued - ReceiveBufferSize);
    if (trace)
        trace->replyReceived(reply.bytes + dropped, expected, true, timeoutMs);
    return reply;
}

void DiscardUntilQuiet(SerialPort &port, int quietMs)
{
    const QDeadlineTimer limit(3LL * std::max(quietMs, 0), Qt::PreciseTimer);
    for (;;) {
        const int queued = port.queuedInput();
        if (queued > 0) {
            const QByteArray dropped = port.read(queued);
            if (LineTrace *trace = port.trace())
                trace->discarded(dropped);
        }
        if (limit.hasExpired())
            return;
        const qint64 waitMs = std::min<qint64>(quietMs, limit.remainingTime());
        if (port.waitForInput(1, QDeadlineTimer(waitMs, Qt::PreciseTimer)) == 0)
            return;
    }
}

void EndExchange(SerialPort &port)
{
    port.setRts(false);
}

}  // namespace LineExchange
