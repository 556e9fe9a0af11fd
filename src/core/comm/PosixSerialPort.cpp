#include "PosixSerialPort.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <unistd.h>

namespace {

speed_t speedFor(int baud)
{
    switch (baud) {
    case 1200: return B1200;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    default: return B0;
    }
}

// Unix98 pseudo-terminal slaves (136..143), the multiplexer /dev/ptmx (5,2) and the old BSD
// pairs (2, 3): lines without parity or RTS.
bool isPtyDevice(int fd)
{
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISCHR(st.st_mode))
        return false;
    const unsigned maj = major(st.st_rdev);
    return (maj >= 136 && maj <= 143) || maj == 2 || maj == 3 || (maj == 5 && minor(st.st_rdev) == 2);
}

// Binary line: no echo, no line editing, no character translation, no software or hardware
// flow control (frames contain 0x11 and 0x13), reads never block.
bool makeRaw(int fd)
{
    termios t {};
    if (tcgetattr(fd, &t) != 0)
        return false;
    cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    t.c_cflag &= ~tcflag_t(CRTSCTS);
    t.c_iflag &= ~tcflag_t(IXON | IXOFF | IXANY);
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    return tcsetattr(fd, TCSANOW, &t) == 0;
}

timespec toTimespec(qint64 nsecs)
{
    return timespec{time_t(nsecs / 1000000000), long(nsecs % 1000000000)};
}

// "ttyS10" after "ttyS9": digit runs compare by value.
bool naturalLess(const QString &a, const QString &b)
{
    static const QRegularExpression split(QStringLiteral("^(.*?)(\\d+)$"));
    const auto ma = split.match(a);
    const auto mb = split.match(b);
    if (ma.hasMatch() && mb.hasMatch() && ma.captured(1) == mb.captured(1))
        return ma.captured(2).toLongLong() < mb.captured(2).toLongLong();
    return a < b;
}

// Linux lists 4 to 32 ttyS devices whether or not a UART answers behind them; the serial
// core reports type 0 (unknown) for the empty ones.
bool hasUart(const QString &name)
{
    QFile type(QStringLiteral("/sys/class/tty/%1/type").arg(name));
    if (!type.open(QIODevice::ReadOnly))
        return QFileInfo::exists(QStringLiteral("/sys/class/tty/%1/device").arg(name));
    return type.readAll().trimmed() != "0";
}

}  // namespace

PosixSerialPort::~PosixSerialPort()
{
    close();
}

bool PosixSerialPort::open(const QString &deviceName)
{
    close();
    const QByteArray path = QFile::encodeName(deviceName);
    const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool pty = isPtyDevice(fd);
    // Another program holding the line keeps it: an advisory lock for cooperating programs,
    // TIOCEXCL against later opens by anyone else.
    if (!isatty(fd) || flock(fd, LOCK_EX | LOCK_NB) != 0 || (!makeRaw(fd) && !pty)) {
        const int reason = errno;  // for the caller's message; EWOULDBLOCK: the line is held
        ::close(fd);
        errno = reason;
        return false;
    }
    if (!pty)
        ioctl(fd, TIOCEXCL);
    m_fd = fd;
    m_pty = pty;
    m_hangup = false;
    m_device = deviceName;
    m_queue.clear();
    return true;
}

bool PosixSerialPort::setLine(const LineSettings &line)
{
    if (m_fd < 0)
        return false;
    const speed_t speed = speedFor(line.baud);
    termios t {};
    if (speed == B0 || tcgetattr(m_fd, &t) != 0)
        return false;
    cfsetispeed(&t, speed);
    cfsetospeed(&t, speed);
    t.c_cflag &= ~tcflag_t(CSIZE | PARENB | PARODD | CSTOPB);
    t.c_cflag |= line.dataBits == 7 ? CS7 : CS8;
    if (line.parity != LineSettings::Parity::None)
        t.c_cflag |= PARENB;
    if (line.parity == LineSettings::Parity::Odd)
        t.c_cflag |= PARODD;
    // Linux has no 1.5 stop bits for 7 or 8 data bits; the UART sends two.
    if (line.stopBits != LineSettings::StopBits::One)
        t.c_cflag |= CSTOPB;
    if (tcsetattr(m_fd, TCSANOW, &t) == 0)
        return true;
    // A pseudo-terminal drops the parity flag and may then report the change as invalid.
    return m_pty;
}

void PosixSerialPort::close()
{
    if (m_fd >= 0) {
        if (!m_pty)
            ioctl(m_fd, TIOCNXCL);
        ::close(m_fd);
    }
    m_fd = -1;
    m_pty = false;
    m_hangup = false;
    m_queue.clear();
}

void PosixSerialPort::purge()
{
    if (m_fd < 0)
        return;
    tcflush(m_fd, TCIOFLUSH);
    m_queue.clear();
    m_hangup = false;
}

void PosixSerialPort::setRts(bool high)
{
    // A pseudo-terminal has no modem lines (the ioctl fails with ENOTTY): nothing to do there.
    if (m_fd < 0 || m_pty)
        return;
    int bits = TIOCM_RTS;
    ioctl(m_fd, high ? TIOCMBIS : TIOCMBIC, &bits);
}

bool PosixSerialPort::write(const QByteArray &frame)
{
    if (m_fd < 0)
        return false;
    const QDeadlineTimer deadline(1000);
    const char *p = frame.constData();
    qsizetype left = frame.size();
    while (left > 0) {
        const ssize_t n = ::write(m_fd, p, size_t(left));
        if (n > 0) {
            p += n;
            left -= n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN)
            return false;
        pollfd pfd{m_fd, POLLOUT, 0};
        const qint64 ns = deadline.remainingTimeNSecs();
        const timespec ts = toTimespec(ns);
        if (ns <= 0 || (ppoll(&pfd, 1, &ts, nullptr) < 0 && errno != EINTR))
            return false;
    }
    // A pseudo-terminal hands written bytes straight to the other side: nothing to drain.
    while (!m_pty && tcdrain(m_fd) != 0 && errno == EINTR) {
    }
    return true;
}

void PosixSerialPort::pull()
{
    if (m_fd < 0)
        return;
    char buffer[512];
    while (m_queue.size() < QueueLimit) {
        const size_t room = std::min(sizeof buffer, size_t(QueueLimit - m_queue.size()));
        const ssize_t n = ::read(m_fd, buffer, room);
        if (n > 0) {
            m_queue.append(buffer, n);
            // A short read emptied the driver's queue; asking again would only say EAGAIN.
            if (size_t(n) < room)
                break;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        // EIO: the other end of a pseudo-terminal has gone, or the device was unplugged.
        if (n < 0 && errno != EAGAIN)
            m_hangup = true;
        break;
    }
}

int PosixSerialPort::queuedInput()
{
    pull();
    return int(m_queue.size());
}

QByteArray PosixSerialPort::read(int count)
{
    if (m_queue.size() < count)
        pull();
    const qsizetype n = std::clamp<qsizetype>(count, 0, m_queue.size());
    QByteArray bytes = m_queue.left(n);
    m_queue.remove(0, n);
    return bytes;
}

int PosixSerialPort::waitForInput(int count, QDeadlineTimer deadline)
{
    // poll() first: it answers at once when bytes are waiting, and saves a read that would
    // only say EAGAIN while the reply is still on its way.
    for (;;) {
        if (m_queue.size() >= count || m_fd < 0)
            return int(m_queue.size());
        const qint64 ns = deadline.remainingTimeNSecs();
        if (ns == 0) {
            pull();
            return int(m_queue.size());
        }
        const timespec ts = toTimespec(ns);
        if (m_hangup) {
            // Nothing more can arrive: sleep out the time instead of spinning on POLLHUP.
            if (ns < 0)
                return int(m_queue.size());
            clock_nanosleep(CLOCK_MONOTONIC, 0, &ts, nullptr);
            continue;
        }
        pollfd pfd{m_fd, POLLIN, 0};
        const int r = ppoll(&pfd, 1, ns < 0 ? nullptr : &ts, nullptr);
        const qsizetype before = m_queue.size();
        pull();
        // A hang-up with nothing left to read: a raw terminal's read() then says 0, not EIO,
        // and poll() keeps answering at once, so waiting on would spin.
        if (r > 0 && (pfd.revents & (POLLHUP | POLLERR | POLLNVAL)) && m_queue.size() == before)
            m_hangup = true;
    }
}

QStringList PosixSerialPort::systemPorts(int limit)
{
    static const QRegularExpression pattern(QStringLiteral("^tty(S|USB|ACM)\\d+$"));
    QStringList names;
    const QStringList entries = QDir(QStringLiteral("/dev")).entryList(QDir::System | QDir::Files);
    for (const QString &name : entries) {
        if (pattern.match(name).hasMatch() && (!name.startsWith(QLatin1String("ttyS")) || hasUart(name)))
            names.append(name);
    }
    std::sort(names.begin(), names.end(), naturalLess);
    QStringList ports;
    for (const QString &name : names.mid(0, std::max(0, limit)))
        ports.append(QStringLiteral("/dev/") + name);
    return ports;
}
