#pragma once

// The far end of a real pseudo-terminal pair for tests: a thread that reads each request the
// tool writes to the slave side and answers it through a scripted responder, optionally with
// the line time of the baud rate the tool set.

#include <QByteArray>
#include <QList>
#include <QString>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

class PtyPeer
{
public:
    struct Answer {
        QByteArray bytes;  // empty: no answer
        int delayMs = 0;   // before the first byte
    };
    using Responder = std::function<Answer(const QByteArray &request)>;

    explicit PtyPeer(Responder responder) : m_responder(std::move(responder))
    {
        if (openpty(&m_master, &m_slave, nullptr, nullptr, nullptr) != 0)
            return;
        termios t {};
        tcgetattr(m_master, &t);
        cfmakeraw(&t);
        tcsetattr(m_master, TCSANOW, &t);
        m_path = QString::fromLocal8Bit(ttyname(m_slave));
        m_thread = std::thread([this] { run(); });
    }

    ~PtyPeer()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
        if (m_master >= 0)
            ::close(m_master);
        if (m_slave >= 0)
            ::close(m_slave);
    }

    QString path() const { return m_path; }
    /// Character times of the line the tool set are added to every answer.
    void emulateLine(bool on) { m_emulate = on; }

    QList<QByteArray> requests() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_requests;
    }

    /// Bits per character on the line the tool set: start, data, parity, stop.
    int bitsPerChar() const
    {
        termios t {};
        tcgetattr(m_slave, &t);
        const int data = (t.c_cflag & CSIZE) == CS7 ? 7 : 8;
        return 1 + data + ((t.c_cflag & PARENB) ? 1 : 0) + ((t.c_cflag & CSTOPB) ? 2 : 1);
    }

    int baud() const
    {
        termios t {};
        tcgetattr(m_slave, &t);
        switch (cfgetospeed(&t)) {
        case B1200: return 1200;
        case B2400: return 2400;
        case B4800: return 4800;
        case B9600: return 9600;
        case B19200: return 19200;
        default: return 38400;
        }
    }

private:
    void run()
    {
        while (!m_stop) {
            pollfd p{m_master, POLLIN, 0};
            if (poll(&p, 1, 20) <= 0 || !(p.revents & POLLIN))
                continue;
            char buffer[256];
            const ssize_t n = ::read(m_master, buffer, sizeof buffer);
            if (n <= 0)
                continue;
            const QByteArray request(buffer, int(n));
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                m_requests.append(request);
            }
            const Answer answer = m_responder(request);
            if (answer.bytes.isEmpty())
                continue;
            long micros = long(answer.delayMs) * 1000;
            if (m_emulate)
                micros += long(request.size() + answer.bytes.size()) * bitsPerChar() * 1000000L / baud();
            std::this_thread::sleep_for(std::chrono::microseconds(micros));
            ssize_t written = 0;
            while (written < answer.bytes.size()) {
                const ssize_t w = ::write(m_master, answer.bytes.constData() + written, size_t(answer.bytes.size() - written));
                if (w <= 0)
                    break;
                written += w;
            }
        }
    }

    Responder m_responder;
    int m_master = -1;
    int m_slave = -1;
    QString m_path;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_emulate{false};
    mutable std::mutex m_mutex;
    QList<QByteArray> m_requests;
    std::thread m_thread;
};
