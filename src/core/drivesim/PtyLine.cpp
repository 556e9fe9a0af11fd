#include "PtyLine.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

struct Speed {
    int baud;
    speed_t constant;
};

constexpr Speed Speeds[] = {
    {300, B300}, {600, B600}, {1200, B1200}, {2400, B2400}, {4800, B4800}, {9600, B9600},
    {19200, B19200}, {38400, B38400}, {57600, B57600}, {115200, B115200},
};

}  // namespace

PtyLine::~PtyLine()
{
    close();
}

int PtyLine::baudOf(unsigned speedConstant)
{
    for (const Speed &s : Speeds)
        if (s.constant == speedConstant)
            return s.baud;
    return 0;
}

unsigned PtyLine::speedConstantOf(int baud)
{
    for (const Speed &s : Speeds)
        if (s.baud == baud)
            return s.constant;
    return B9600;
}

bool PtyLine::open(const SimLineSettings &line, QString *error)
{
    close();
    m_master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_master < 0 || grantpt(m_master) != 0 || unlockpt(m_master) != 0) {
        if (error)
            *error = QStringLiteral("cannot create a pseudo-terminal: %1").arg(QString::fromLocal8Bit(strerror(errno)));
        close();
        return false;
    }
    char name[128] = {};
    if (ptsname_r(m_master, name, sizeof name) != 0
        || (m_slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC)) < 0) {
        if (error)
            *error = QStringLiteral("cannot open the pseudo-terminal slave: %1").arg(QString::fromLocal8Bit(strerror(errno)));
        close();
        return false;
    }
    m_path = QString::fromLocal8Bit(name);
    termios t{};
    if (tcgetattr(m_slave, &t) == 0) {
        cfmakeraw(&t);
        t.c_cflag |= CLOCAL | CREAD;
        if (line.parity == SimParity::Odd)
            t.c_cflag |= PARENB | PARODD;
        cfsetispeed(&t, speedConstantOf(line.baud));
        cfsetospeed(&t, speedConstantOf(line.baud));
        tcsetattr(m_slave, TCSANOW, &t);
    }
    fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
    return true;
}

void PtyLine::close()
{
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
    m_slave = m_master = -1;
}

SimLineSettings PtyLine::masterSettings() const
{
    SimLineSettings s;
    termios t{};
    if (m_slave < 0 || tcgetattr(m_slave, &t) != 0)
        return s;
    s.baud = baudOf(cfgetospeed(&t));
    s.parity = (t.c_cflag & PARODD) ? SimParity::Odd : SimParity::EvenOrNone;
    s.dataBits = (t.c_cflag & CSIZE) == CS7 ? 7 : (t.c_cflag & CSIZE) == CS8 ? 8 : 5;
    return s;
}

QByteArray PtyLine::readAvailable()
{
    QByteArray out;
    char buffer[512];
    while (m_master >= 0) {
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n <= 0)
            break;
        out.append(buffer, qsizetype(n));
    }
    return out;
}

bool PtyLine::write(const QByteArray &bytes)
{
    qsizetype done = 0;
    int waits = 0;
    while (m_master >= 0 && done < bytes.size()) {
        const ssize_t n = ::write(m_master, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0) {
            done += n;
        } else if (n < 0 && (errno == EAGAIN || errno == EINTR) && ++waits <= 10) {
            // The tool is not reading; a real line would lose the bytes after a while too.
            pollfd p{m_master, POLLOUT, 0};
            poll(&p, 1, 100);
        } else {
            return false;
        }
    }
    return done == bytes.size();
}
