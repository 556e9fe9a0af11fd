#include "SimLineServer.h"

#include "PtyLine.h"
#include "SimEngine.h"
#include "comm/LineTrace.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <ctime>
#include <poll.h>
#include <sys/prctl.h>

SimLineServer::SimLineServer(SimEngine &engine, PtyLine &line, const SimTiming &timing)
    : m_engine(engine)
    , m_line(line)
    , m_timing(timing)
{
}

double SimLineServer::nowMs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) * 1000.0 + double(ts.tv_nsec) / 1.0e6;
}

namespace {

QString faultNote(int fault)
{
    switch (SimFaults::Kind(fault)) {
    case SimFaults::Kind::Corrupted: return QStringLiteral("fault: corrupted");
    case SimFaults::Kind::Garbage: return QStringLiteral("fault: garbage");
    case SimFaults::Kind::Truncated: return QStringLiteral("fault: truncated");
    case SimFaults::Kind::Dropped:
    case SimFaults::Kind::None: break;
    }
    return QString();
}

}  // namespace

void SimLineServer::trace(bool sent, const QByteArray &bytes, const QString &note)
{
    if (!m_trace)
        return;
    const bool modbus = m_engine.protocol() == SimEngine::Protocol::Modbus;
    m_trace->frame(sent ? LineTrace::Direction::Sent : LineTrace::Direction::Received, bytes,
                   modbus ? FrameDecoder::Protocol::Modbus : FrameDecoder::Protocol::Native,
                   sent ? FrameDecoder::Role::Reply : FrameDecoder::Role::Request, note);
}

double SimLineServer::silenceMs() const
{
    // Bytes of one frame written at once arrive together on a pty; a pause this long ends
    // an incomplete frame.
    return std::max(10.0, SimLine::frameMs(4, m_engine.line().baud));
}

double SimLineServer::nextWakeMs() const
{
    double wake = HUGE_VAL;
    if (m_pending.active)
        wake = m_pending.dueMs;
    if (!m_buffer.isEmpty())
        wake = std::min(wake, m_lastByteMs + silenceMs());
    return std::min(wake, m_closeAtMs);
}

void SimLineServer::serve(int stopFd)
{
    // Wake-ups are timed to the reply's due time; the default 50 us of slack would add up.
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    for (;;) {
        const double now = nowMs();
        const double wake = nextWakeMs();
        pollfd fds[2] = {{stopFd, POLLIN, 0}, {m_line.fd(), POLLIN, 0}};
        const int count = m_line.isOpen() ? 2 : 1;
        timespec timeout{};
        timespec *timeoutPtr = nullptr;
        if (wake != HUGE_VAL) {
            const double ms = std::max(0.0, wake - now);
            timeout.tv_sec = time_t(ms / 1000.0);
            timeout.tv_nsec = long(std::fmod(ms, 1000.0) * 1.0e6);
            timeoutPtr = &timeout;
        }
        const int ready = ppoll(fds, nfds_t(count), timeoutPtr, nullptr);
        if (ready < 0 && errno != EINTR)
            return;
        if (fds[0].revents & POLLIN)
            return;
        const double t = nowMs();
        if (count == 2 && (fds[1].revents & POLLIN))
            takeInput(t);
        if (!m_buffer.isEmpty() && t - m_lastByteMs >= silenceMs()) {
            trace(false, m_buffer, QStringLiteral("incomplete, dropped after a silence"));
            m_buffer.clear();
        }
        sendDue(nowMs());
        if (nowMs() >= m_closeAtMs) {
            m_line.close();
            m_closeAtMs = HUGE_VAL;
        }
    }
}

void SimLineServer::takeInput(double now)
{
    const QByteArray bytes = m_line.readAvailable();
    if (bytes.isEmpty() || m_closeAtMs != HUGE_VAL)
        return;  // nothing, or the line is about to go dead
    if (m_buffer.isEmpty())
        m_firstByteMs = now;
    m_lastByteMs = now;
    m_buffer.append(bytes);
    switch (m_engine.frameState(m_buffer)) {
    case SimFrames::Parse::Complete:
        processFrame(now);
        break;
    case SimFrames::Parse::Invalid:
        // A frame with a wrong check value or an unknown command: a drive stays silent.
        trace(false, m_buffer, QStringLiteral("not a valid frame, ignored"));
        m_buffer.clear();
        break;
    case SimFrames::Parse::Incomplete:
        break;
    }
}

void SimLineServer::processFrame(double now)
{
    const QByteArray request = m_buffer;
    m_buffer.clear();
    if (m_pending.active)
        sendDue(HUGE_VAL);  // the master did not wait for the last reply
    const SimLineSettings master = m_line.masterSettings();
    const SimReply reply = m_engine.handle(request, master, qint64(now));
    if (m_trace) {
        const bool heard = SimLine::hears(m_engine.line(), master);
        trace(false, request, !heard ? QStringLiteral("not heard: the master's line is at %1 bit/s").arg(master.baud)
                              : reply.bytes.isEmpty() ? QStringLiteral("no drive answers") : QString());
    }
    if (reply.bytes.isEmpty() && !reply.disconnect)
        return;
    double due = now;
    if (m_timing.lineTiming) {
        const int baud = m_engine.line().baud;
        due = m_firstByteMs + SimLine::frameMs(int(request.size()), baud);
        if (m_engine.protocol() == SimEngine::Protocol::Modbus)
            due += SimLine::modbusGapMs(baud);
        due += m_timing.turnaroundMs + SimLine::frameMs(int(reply.bytes.size()), baud);
    }
    m_pending = {reply.bytes, due + reply.lateMs, reply.disconnect, true, int(reply.fault)};
}

void SimLineServer::sendDue(double now)
{
    if (!m_pending.active || m_pending.dueMs > now)
        return;
    m_pending.active = false;
    if (!m_pending.bytes.isEmpty()) {
        m_line.write(m_pending.bytes);
        trace(true, m_pending.bytes, faultNote(m_pending.fault));
    }
    // Closing the master at once would flush the reply from the slave's queue unread.
    if (m_pending.disconnect)
        m_closeAtMs = SimLineServer::nowMs() + CloseLingerMs;
}
