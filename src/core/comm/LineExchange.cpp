#include "LineExchange.h"

#include "LineGap.h"

#include <algorithm>

namespace LineExchange {

Reply SendAndReceive(SerialPort &port, const QByteArray &frame, int expected, int timeoutMs, LineGap *gap)
{
    if (gap)
        gap->waitBeforeSending();
    port.purge();
    port.setRts(true);
    // A frame that could not be written gets no reply; the wait below keeps the time-out.
    port.write(frame);
    const QDeadlineTimer deadline(timeoutMs, Qt::PreciseTimer);
    Reply reply;
    const int queued = port.waitForInput(expected, deadline);
    if (queued < expected)
        return reply;
    reply.arrived = true;
    reply.endedNs = LineGap::nowNs();
    // Every queued byte is taken; those beyond the receive buffer are dropped.
    reply.bytes = port.read(std::min(queued, ReceiveBufferSize));
    if (queued > ReceiveBufferSize)
        port.read(queued - ReceiveBufferSize);
    return reply;
}

void DiscardUntilQuiet(SerialPort &port, int quietMs)
{
    const QDeadlineTimer limit(3LL * std::max(quietMs, 0), Qt::PreciseTimer);
    for (;;) {
        const int queued = port.queuedInput();
        if (queued > 0)
            port.read(queued);
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
