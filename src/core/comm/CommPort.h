#pragma once

#include "CommSettings.h"
#include "SerialPort.h"

#include <QStringList>

class LineIndicator;
class MessageTable;
class Prompter;

// The program's one serial port handle with its candidate and available ports and the two
// flags that keep "Usable serial port is not found." (language message 2) from repeating.
// Opening failures are reported through the prompter (plain box, caption language message 0)
// and put the on-line indicator to off-line.
class CommPort
{
public:
    CommPort(SerialPort &port, LineIndicator *indicator = nullptr, Prompter *prompter = nullptr,
             const MessageTable *messages = nullptr);

    SerialPort &port() { return m_port; }

    /// The device paths to try: the comma-separated `portNames` (the settings' PortNames) when
    /// given, else the system's serial ports, at most 15.
    static QStringList CandidatePorts(const QString &portNames = QString());

    /// Closes the port, tries every candidate in order and keeps those that open as the
    /// available ports (ComboAllPort_COM -> PC_ComboPort_COM). Returns their count.
    int EnumeratePorts(const QStringList &candidates);
    /// Opens the available port at settings.portIndex with the settings' line. True on failure.
    [[nodiscard]] bool OpenCommPort(const CommSettings &settings);
    /// Opens an available port with 8 data bits, one stop bit and the given baud and parity
    /// indices, silently. True on failure.
    [[nodiscard]] bool OpenForDetection(int portIndex, int baudIndex, int parityIndex);
    void ClosePort();

    const QStringList &candidatePorts() const { return m_candidates; }
    const QStringList &availablePorts() const { return m_available; }
    /// The device of an available port, or an empty text.
    QString availablePort(int index) const;

    /// Armed state of the "no usable port" warning; set again as soon as a port is usable.
    bool PortChk() const { return m_portChk; }
    /// Once set, a device that does not open is no longer reported; the setup window clears
    /// it when it closes, as does a new parameter set.
    bool PortNotFoundShown() const { return m_portNotFoundShown; }
    void setPortNotFoundShown(bool shown) { m_portNotFoundShown = shown; }

private:
    void report();
    /// Logs why `device` did not open, from errno (left as it was).
    void traceOpenFailure(const QString &device);
    void offline();

    SerialPort &m_port;
    LineIndicator *m_indicator;
    Prompter *m_prompter;
    const MessageTable *m_messages;
    QStringList m_candidates;
    QStringList m_available;
    bool m_portChk = true;
    bool m_portNotFoundShown = false;
};
