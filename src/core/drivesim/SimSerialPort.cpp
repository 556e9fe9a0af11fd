#include "SimSerialPort.h"

#include "SimEngine.h"

#include <algorithm>
#include <cmath>
#include <ctime>

namespace {

void sleepUntil(double atMs)
{
    const double ms = atMs - SimLineServer::nowMs();
    if (ms <= 0)
        return;
    timespec ts{time_t(ms / 1000.0), long(std::fmod(ms, 1000.0) * 1.0e6)};
    nanosleep(&ts, nullptr);
}

}  // namespace

SimSerialPort::SimSerialPort(SimEngine &engine, const SimTiming &timing)
    : m_engine(engine)
    , m_timing(timing)
{
}

SimLineSettings SimSerialPort::simLine(const LineSettings &line)
{
    SimLineSettings s;
    s.baud = line.baud;
    s.dataBits = line.dataBits;
    s.parity = line.parity == LineSettings::Parity::Odd    ? SimParity::Odd
             : line.parity == LineSettings::Parity::Even ? SimParity::Even
                                                          : SimParity::None;
    return s;
}

bool SimSerialPort::open(const QString &)
{
    m_open = true;
    m_disconnected = false;
    m_queue.clear();
    m_arrivals.clear();
    return true;
}

bool SimSerialPort::setLine(const LineSettings &line)
{
    m_line = line;
    return m_open;
}

void SimSerialPort::close()
{
    m_open = false;
    m_queue.clear();
    m_arrivals.clear();
}

void SimSerialPort::purge()
{
    // Like a driver's flush: what has arrived is dropped, a reply still on the line is not.
    deliver(SimLineServer::nowMs());
    m_queue.clear();
}

bool SimSerialPort::write(const QByteArray &frame)
{
    if (!m_open || m_disconnected)
        return false;
    double now = SimLineServer::nowMs();
    const int baud = m_line.baud;
    if (m_timing.lineTiming) {
        now += SimLine::frameMs(int(frame.size()), baud);
        sleepUntil(now);  // the frame leaves the output queue
    }
    const SimReply reply = m_engine.handle(frame, simLine(m_line), qint64(now));
    if (reply.bytes.isEmpty() && !reply.disconnect)
        return true;
    double at = now + reply.lateMs;
    if (m_timing.lineTiming) {
        if (m_engine.protocol() == SimEngine::Protocol::Modbus)
            at += SimLine::modbusGapMs(baud);
        at += m_timing.turnaroundMs + SimLine::frameMs(int(reply.bytes.size()), baud);
    }
    m_arrivals.push_back({reply.bytes, at, reply.disconnect});
    return true;
}

void SimSerialPort::deliver(double now)
{
    while (!m_arrivals.empty() && m_arrivals.front().atMs <= now) {
        m_queue.append(m_arrivals.front().bytes);
        if (m_arrivals.front().disconnect)
            m_disconnected = true;
        m_arrivals.pop_front();
    }
}

int SimSerialPort::queuedInput()
{
    deliver(SimLineServer::nowMs());
    return int(m_queue.size());
}

QByteArray SimSerialPort::read(int count)
{
    deliver(SimLineServer::nowMs());
    const QByteArray out = m_queue.left(std::max(0, count));
    m_queue.remove(0, out.size());
    return out;
}

int SimSerialPort::waitForInput(int count, QDeadlineTimer deadline)
{
    for (;;) {
        const double now = SimLineServer::nowMs();
        deliver(now);
        if (m_queue.size() >= count || deadline.hasExpired())
            return int(m_queue.size());
        double until = now + double(deadline.remainingTimeNSecs()) / 1.0e6;
        if (deadline.isForever())
            until = m_arrivals.empty() ? now + 1000.0 : m_arrivals.front().atMs;
        if (!m_arrivals.empty())
            until = std::min(until, m_arrivals.front().atMs);
        sleepUntil(until);
        if (deadline.isForever() && m_arrivals.empty())
            return int(m_queue.size());
    }
}
