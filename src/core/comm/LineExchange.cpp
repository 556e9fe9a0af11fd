#include "LineExchange.h"

#include <algorithm>
#include <cerrno>
#include <ctime>

namespace LineExchange {

Reply SendAndReceive(SerialPort &port, const QByteArray &frame, int expected, int timeoutMs)
{
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
    // Every queued byte is taken; those beyond the receive buffer are dropped.
    reply.bytes = port.read(std::min(queued, ReceiveBufferSize));
    if (queued > ReceiveBufferSize)
        port.read(queued - ReceiveBufferSize);
    return reply;
}

void EndExchange(SerialPort &port)
{
    port.setRts(false);
}

void InterFrameDelay(int gapMs)
{
    if (gapMs < 0)
        return;
    const timespec pause{time_t((gapMs + 1) / 1000), long((gapMs + 1) % 1000) * 1000000L};
    timespec left{};
    timespec next = pause;
    while (clock_nanosleep(CLOCK_MONOTONIC, 0, &next, &left) == EINTR)
        next = left;
}

}  // namespace LineExchange
