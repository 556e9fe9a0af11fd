#pragma once

#include <QByteArray>
#include <optional>

class CommExchange;

// The read of the panel block "FC10", once per polling cycle, on the line of an ordinary
// exchange (its port, settings, Modbus pause and on-line indicator). Native: the read
// frame without long marker; the reply is 15 bytes, 16 with a number byte, and is waited
// for up to twice the time-out. Modbus: five holding registers, a 15-byte reply. The check
// value of the block is not verified: the drive's panel block is taken as it comes.
class KeypadExchange
{
public:
    explicit KeypadExchange(CommExchange &line);

    /// Reads the block. Clears `errorFlag`, sets it when no whole reply came in time. The ten
    /// data bytes D0..D9, or nothing on failure.
    std::optional<QByteArray> read(bool &errorFlag);

    /// The request as sent, the expected reply length and where D0 starts in the reply.
    QByteArray request() const;
    int replyLength() const;
    int dataOffset() const;
    int waitMs() const;

private:
    CommExchange &m_line;
};
