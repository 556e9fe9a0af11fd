#pragma once

#include "SimLine.h"

#include <QByteArray>
#include <QString>

// The simulator's end of a pseudo-terminal pair. The tool opens the slave device; the
// simulator reads and writes the master side and keeps the slave open itself, so the line
// survives the tool closing and reopening its port. The line settings the tool put on the
// slave are read back with tcgetattr: the baud rate and the byte size are visible, odd
// parity shows as PARODD, but Linux drops the parity-enable flag on a pty, so even parity
// and no parity look the same.
class PtyLine
{
public:
    PtyLine() = default;
    ~PtyLine();
    PtyLine(const PtyLine &) = delete;
    PtyLine &operator=(const PtyLine &) = delete;

    /// Opens a new pair and puts the slave in raw mode at `line`'s speed.
    bool open(const SimLineSettings &line, QString *error);
    void close();
    bool isOpen() const { return m_master >= 0; }

    QString devicePath() const { return m_path; }
    int fd() const { return m_master; }

    /// The settings the tool last put on the line.
    SimLineSettings masterSettings() const;
    /// Reads whatever the tool has sent (empty when nothing is waiting).
    QByteArray readAvailable();
    bool write(const QByteArray &bytes);

    static int baudOf(unsigned speedConstant);
    static unsigned speedConstantOf(int baud);

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_path;
};
