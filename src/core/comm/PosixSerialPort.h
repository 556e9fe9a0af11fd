#pragma once

#include "SerialPort.h"

#include <QStringList>

// A serial device or pseudo-terminal driven through termios. Received bytes are moved from the
// driver into a small queue of our own, so that waiting for the rest of a reply can block in
// poll() instead of spinning on a byte count that does not change.
class PosixSerialPort : public SerialPort
{
public:
    PosixSerialPort() = default;
    ~PosixSerialPort() override;
    PosixSerialPort(const PosixSerialPort &) = delete;
    PosixSerialPort &operator=(const PosixSerialPort &) = delete;

    /// On failure errno tells why: EWOULDBLOCK when another program holds the line's lock,
    /// EBUSY when it is open for exclusive use.
    bool open(const QString &deviceName) override;
    bool setLine(const LineSettings &line) override;
    void close() override;
    bool isOpen() const override { return m_fd >= 0; }

    void purge() override;
    void setRts(bool high) override;
    bool write(const QByteArray &frame) override;
    int queuedInput() override;
    QByteArray read(int count) override;
    int waitForInput(int count, QDeadlineTimer deadline) override;

    QString deviceName() const { return m_device; }
    bool isPseudoTerminal() const { return m_pty; }

    /// The system's serial ports (/dev/ttyS* with a UART behind it, /dev/ttyUSB*, /dev/ttyACM*),
    /// in natural name order, at most `limit`.
    static QStringList systemPorts(int limit = 15);

private:
    // Bytes beyond this wait in the driver, like a full driver queue.
    static constexpr int QueueLimit = 4096;

    void pull();

    int m_fd = -1;
    bool m_pty = false;
    bool m_hangup = false;
    QString m_device;
    QByteArray m_queue;
};
