#include "LineTrace.h"

#include <QDateTime>
#include <QTime>
#include <cerrno>
#include <cstring>

namespace {

using FrameDecoder::Protocol;
using FrameDecoder::Role;

constexpr uint16_t PanelBlock = 0xFC10;  // "FC10"
constexpr uint16_t BlockR300 = 0xF300;   // "r300"

QString parityName(LineSettings::Parity parity)
{
    switch (parity) {
    case LineSettings::Parity::None: return QStringLiteral("no parity");
    case LineSettings::Parity::Even: return QStringLiteral("even parity");
    case LineSettings::Parity::Odd: return QStringLiteral("odd parity");
    }
    return QString();
}

QString stopBitsName(LineSettings::StopBits bits)
{
    switch (bits) {
    case LineSettings::StopBits::One: return QStringLiteral("1 stop bit");
    case LineSettings::StopBits::OneAndHalf: return QStringLiteral("1.5 stop bits");
    case LineSettings::StopBits::Two: return QStringLiteral("2 stop bits");
    }
    return QString();
}

}  // namespace

LineTrace::LineTrace(Sink sink) : m_sink(std::move(sink))
{
    write(QStringLiteral("communication log started %1")
              .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"))));
}

void LineTrace::write(const QString &text)
{
    if (m_sink)
        m_sink(QTime::currentTime().toString(QStringLiteral("hh:mm:ss.zzz ")) + text);
}

void LineTrace::hint(LineHints::Cause cause, const QString &text)
{
    // Once per cause and run: a line that fails keeps failing the same way.
    if (m_hinted[int(cause)])
        return;
    m_hinted[int(cause)] = true;
    write(text);
}

void LineTrace::note(const QString &text)
{
    write(text);
}

void LineTrace::portOpened(const QString &device, const LineSettings &line)
{
    write(QStringLiteral("port %1 open: %2 bit/s, %3 data bits, %4, %5")
              .arg(device).arg(line.baud).arg(line.dataBits).arg(parityName(line.parity), stopBitsName(line.stopBits)));
}

void LineTrace::portOpenFailed(const QString &device, int error)
{
    write(QStringLiteral("port %1 cannot be opened: %2").arg(device, QString::fromLocal8Bit(std::strerror(error))));
    if (error == EACCES || error == EPERM)
        hint(LineHints::Cause::Permission, LineHints::permissionHint(device, LineHints::deviceAccess(device)));
}

void LineTrace::frame(Direction direction, const QByteArray &bytes, Protocol protocol, Role role, const QString &note)
{
    const FrameDecoder::Decoded d = FrameDecoder::decode(bytes, protocol, role);
    write(QStringLiteral("%1 %2  | %3%4")
              .arg(direction == Direction::Sent ? QStringLiteral("TX") : QStringLiteral("RX"),
                   FrameDecoder::hexBytes(bytes), d.text, note.isEmpty() ? QString() : QStringLiteral(", ") + note));
}

void LineTrace::requestSent(const QByteArray &frame, Protocol protocol)
{
    m_request = frame;
    m_protocol = protocol == Protocol::Unknown ? FrameDecoder::guess(frame) : protocol;
    const FrameDecoder::Decoded d = FrameDecoder::decode(frame, m_protocol, Role::Request);
    m_requestIsWrite = d.write;
    // The panel block and "r300" are taken without checking their check value.
    m_blockRead = !d.write && (d.address == PanelBlock || d.address == BlockR300);
    write(QStringLiteral("TX %1  | %2").arg(FrameDecoder::hexBytes(frame), d.text));
}

bool LineTrace::isEcho(const QByteArray &reply) const
{
    if (m_request.isEmpty() || !reply.startsWith(m_request))
        return false;
    // A write is answered with the bytes of its request: only a second copy gives the adapter
    // away.
    return !m_requestIsWrite || reply.mid(m_request.size()).startsWith(m_request);
}

void LineTrace::replyReceived(const QByteArray &bytes, int expected, bool complete, int timeoutMs)
{
    if (bytes.isEmpty()) {
        write(QStringLiteral("RX nothing within %1 ms (%2 bytes expected)").arg(timeoutMs).arg(expected));
        hint(LineHints::Cause::NoReply, LineHints::text(LineHints::Cause::NoReply));
        return;
    }
    const QByteArray reply = complete ? bytes.left(expected) : bytes;
    const FrameDecoder::Decoded d = FrameDecoder::decode(reply, m_protocol, Role::Reply);
    QString note;
    if (!complete)
        note = QStringLiteral("time-out after %1 of %2 bytes").arg(bytes.size()).arg(expected);
    else if (bytes.size() > expected)
        note = QStringLiteral("%1 more bytes: %2").arg(bytes.size() - expected).arg(FrameDecoder::hexBytes(bytes.mid(expected)));
    const bool echo = isEcho(bytes);
    if (echo)
        note += QStringLiteral("%1our own request came back").arg(note.isEmpty() ? QString() : QStringLiteral(", "));
    write(QStringLiteral("RX %1  | %2%3")
              .arg(FrameDecoder::hexBytes(reply), d.text, note.isEmpty() ? QString() : QStringLiteral(", ") + note));
    if (echo)
        hint(LineHints::Cause::Echo, LineHints::text(LineHints::Cause::Echo));
    else if (!d.checkGood && !(d.complete && m_blockRead))
        hint(LineHints::Cause::BadCheck, LineHints::text(LineHints::Cause::BadCheck));
}

void LineTrace::discarded(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return;
    frame(Direction::Received, bytes, m_protocol, Role::Reply, QStringLiteral("discarded (outside an exchange)"));
}
