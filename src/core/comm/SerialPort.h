#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QString>

class LineTrace;

// Line settings put into the port when it is opened. On a pseudo-terminal the parity enable
// flag and RTS do not exist; implementations ignore those failures there.
struct LineSettings {
    enum class Parity { None, Even, Odd };
    enum class StopBits { One, OneAndHalf, Two };

    int baud = 9600;  // bit/s: 1200, 2400, 4800, 9600, 19200 or 38400
    Parity parity = Parity::Even;
    StopBits stopBits = StopBits::One;
    int dataBits = 8;  // 7 or 8

    bool operator==(const LineSettings &) const = default;
};

// The one serial line to the drive, as every exchange uses it: clear the queues, raise RTS,
// send a whole frame, wait for the reply bytes against a deadline, read them, lower RTS.
// Implementations: PosixSerialPort (termios device or pseudo-terminal) and the in-process line
// to the drive simulator. Every call is made from one thread, one exchange at a time.
class SerialPort
{
public:
    virtual ~SerialPort() = default;

    /// Opens the device for reading and writing, exclusively. Closes an open port first.
    /// False when the device does not exist, is held by another program or is no serial line.
    virtual bool open(const QString &deviceName) = 0;
    /// Puts baud rate, parity, stop bits and data bits into the open line and leaves every
    /// other line setting as the driver had it. False when the driver refuses them.
    virtual bool setLine(const LineSettings &line) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    /// Discards the transmit queue, then the receive queue (late bytes of an earlier exchange).
    virtual void purge() = 0;
    /// Raises (true) or lowers (false) RTS, the direction signal of an RS-485 converter.
    virtual void setRts(bool high) = 0;
    /// Writes the whole frame and returns once it has left the output queue. False when the
    /// frame could not be written within about a second.
    virtual bool write(const QByteArray &frame) = 0;
    /// Number of received bytes waiting to be read.
    virtual int queuedInput() = 0;
    /// Takes up to `count` queued bytes, oldest first, without waiting.
    virtual QByteArray read(int count) = 0;
    /// Waits without burning CPU until at least `count` bytes are queued or the deadline has
    /// passed, whichever comes first. Returns the number of queued bytes.
    virtual int waitForInput(int count, QDeadlineTimer deadline) = 0;

    /// The communication log the exchanges on this port write to, or none (the default).
    LineTrace *trace() const { return m_trace; }
    void setTrace(LineTrace *trace) { m_trace = trace; }

private:
    LineTrace *m_trace = nullptr;
};
