#pragma once

// Runs vkr-drive-sim for an end-to-end test: starts it, takes the device path from the first
// line of its output, and stops it with a signal.

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <csignal>

class SimProcess
{
public:
    explicit SimProcess(const QStringList &arguments)
    {
        m_process.setProgram(QStringLiteral(VKR_BIN_DIR "/vkr-drive-sim"));
        m_process.setArguments(QStringList{QStringLiteral("--data"), QStringLiteral(VKR_SAMPLE_DATA "/dat")} + arguments);
        m_process.start();
        if (m_process.waitForStarted(5000) && m_process.waitForReadyRead(10000)) {
            while (!m_process.canReadLine() && m_process.waitForReadyRead(2000)) {
            }
            m_device = QString::fromLocal8Bit(m_process.readLine()).trimmed();
        }
    }
    ~SimProcess()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

    QString device() const { return m_device; }
    QByteArray errors() { return m_process.readAllStandardError(); }

    /// Sends the signal and returns the exit code, or -1 when it did not end normally.
    int stop(int signal = SIGTERM)
    {
        ::kill(pid_t(m_process.processId()), signal);
        if (!m_process.waitForFinished(10000) || m_process.exitStatus() != QProcess::NormalExit)
            return -1;
        return m_process.exitCode();
    }

private:
    QProcess m_process;
    QString m_device;
};

struct ToolRun
{
    int exitCode = -1;
    QString output;
};

inline ToolRun runTool(const QString &program, const QStringList &arguments, int timeoutMs = 20000)
{
    QProcess p;
    p.start(program, arguments);
    ToolRun r;
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.output = QString::fromLocal8Bit(p.readAllStandardOutput());
    return r;
}

/// mbpoll's register lines "[ref]: \tvalue", in order.
inline QList<qint64> mbpollValues(const QString &output)
{
    QList<qint64> values;
    static const QRegularExpression line(QStringLiteral("^\\[\\d+\\]:\\s+(-?\\d+)"), QRegularExpression::MultilineOption);
    for (auto it = line.globalMatch(output); it.hasNext();)
        values << it.next().captured(1).toLongLong();
    return values;
}

/// mbpoll as a Modbus RTU master at 9600 bit/s, even parity, PDU addressing; values after
/// the device are written (then without a count).
inline QStringList mbpollArgs(const QString &device, int slave, int reference, int count = 0)
{
    const QStringList countArgs = count > 0 ? QStringList{QStringLiteral("-c"), QString::number(count)} : QStringList{};
    return QStringList{QStringLiteral("-m"), QStringLiteral("rtu"), QStringLiteral("-b"), QStringLiteral("9600"),
            QStringLiteral("-P"), QStringLiteral("even"), QStringLiteral("-a"), QString::number(slave),
            QStringLiteral("-0"), QStringLiteral("-1"), QStringLiteral("-o"), QStringLiteral("0.3"),
            QStringLiteral("-r"), QString::number(reference)} + countArgs + QStringList{device};
}
