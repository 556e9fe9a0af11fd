#include "CommPort.h"

#include "LineIndicator.h"
#include "LineTrace.h"
#include "PosixSerialPort.h"
#include "app/MessageTable.h"
#include "base/Prompter.h"

#include <cerrno>

namespace {

constexpr int UsablePortNotFound = 2;  // language message "Usable serial port is not found."
constexpr int MaxCandidates = 15;

}  // namespace

CommPort::CommPort(SerialPort &port, LineIndicator *indicator, Prompter *prompter, const MessageTable *messages)
    : m_port(port), m_indicator(indicator), m_prompter(prompter), m_messages(messages)
{
}

QStringList CommPort::CandidatePorts(const QString &portNames)
{
    QStringList ports;
    for (const QString &name : portNames.split(u',', Qt::SkipEmptyParts)) {
        if (!name.trimmed().isEmpty())
            ports.append(name.trimmed());
    }
    if (ports.isEmpty())
        return PosixSerialPort::systemPorts(MaxCandidates);
    return ports;
}

int CommPort::EnumeratePorts(const QStringList &candidates)
{
    m_available.clear();
    m_candidates = candidates;
    ClosePort();
    for (const QString &name : candidates) {
        if (m_port.open(name)) {
            m_available.append(name);
            m_port.close();
        } else if (errno == EACCES || errno == EPERM) {
            traceOpenFailure(name);
        }
    }
    return int(m_available.size());
}

QString CommPort::availablePort(int index) const
{
    return index >= 0 && index < m_available.size() ? m_available.at(index) : QString();
}

bool CommPort::OpenCommPort(const CommSettings &settings)
{
    ClosePort();
    const QString device = availablePort(settings.portIndex);
    if (device.isEmpty()) {
        if (m_portChk) {
            report();
            m_portChk = false;
        }
        offline();
        return true;
    }
    m_portChk = true;
    if (!m_port.open(device)) {
        traceOpenFailure(device);
        if (!m_portNotFoundShown) {
            report();
            m_portNotFoundShown = true;
        }
        offline();
        return true;
    }
    // A refused line leaves the port open with its old settings; the next open closes it.
    if (!m_port.setLine(settings.line())) {
        report();
        offline();
        return true;
    }
    if (LineTrace *trace = m_port.trace())
        trace->portOpened(device, settings.line());
    return false;
}

bool CommPort::OpenForDetection(int portIndex, int baudIndex, int parityIndex)
{
    ClosePort();
    const QString device = availablePort(portIndex);
    if (device.isEmpty())
        return true;
    if (!m_port.open(device)) {
        traceOpenFailure(device);
        return true;
    }
    CommSettings line;
    line.baudIndex = baudIndex;
    line.parityIndex = parityIndex;
    line.stopBitsIndex = 0;
    line.byteSizeIndex = 1;
    if (!m_port.setLine(line.line()))
        return true;
    if (LineTrace *trace = m_port.trace())
        trace->portOpened(device, line.line());
    return false;
}

void CommPort::ClosePort()
{
    if (m_port.isOpen())
        m_port.close();
}

void CommPort::report()
{
    if (!m_prompter)
        return;
    const QString text = m_messages && !m_messages->isEmpty() ? m_messages->text(UsablePortNotFound)
                                    : QStringLiteral("Usable serial port is not found.");
    const QString caption = m_messages ? m_messages->caption() : QStringLiteral("Confirmation");
    m_prompter->message(text, caption, Prompter::Icon::None, Prompter::Buttons::Ok);
    m_prompter->pump();
}

void CommPort::traceOpenFailure(const QString &device)
{
    const int error = errno;
    if (LineTrace *trace = m_port.trace())
        trace->portOpenFailed(device, error);
    errno = error;
}

void CommPort::offline()
{
    if (m_indicator)
        m_indicator->setOffline();
}
