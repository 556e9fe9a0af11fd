#pragma once

#include "LineGap.h"

#include "CommSettings.h"
#include "SerialPort.h"

#include <QString>
#include <cstdint>

// The exchange of drive detection: one request for a communication number given directly
// (not a parameter index), always in the 16-bit form, without the on-line indicator. After a
// failed request the caller sets ResyncFlag and sends the same request once more: the native
// retry leaves out the start byte so that a drive stuck in the middle of a frame takes the
// rest as the end of it.
//
// The start-up variant (the start-up window's search) never sends the number byte, always
// addresses Modbus slave 251, leaves out the Modbus address byte on the retry, and expects a
// native reply of 7 bytes.
class DetectExchange
{
public:
    enum class Variant { Settings, StartUp };

    DetectExchange(SerialPort &port, const CommSettings &settings, Variant variant = Variant::Settings);

    /// Reads ('R') or writes ('W', 'P') `comNo` with the decimal `data` in the protocol given
    /// (false native, true Modbus), with the settings' number rule and time-out. Clears
    /// `errorFlag` and sets it when nothing, too little or a reply with a wrong check value
    /// came, or the reply is not one to this request. Returns the 16-bit value, 0 on failure.
    uint16_t exchange(const QString &comNo, const QString &data, bool &errorFlag, bool modbus, char command);

    /// Set by the caller after a failure; the next request is the retry form, then it clears.
    bool ResyncFlag = false;

    /// The request of the last exchange, as sent.
    const QByteArray &lastRequest() const { return m_lastRequest; }

private:
    CommSettings frameSettings(bool modbus) const;
    uint16_t native(const QString &comNo, const QString &data, bool &errorFlag, char command);
    uint16_t modbus(const QString &comNo, const QString &data, bool &errorFlag, char command);

    SerialPort &m_port;
    const CommSettings &m_settings;
    Variant m_variant;
    QByteArray m_lastRequest;
    LineGap m_gap;  // the Modbus pause after a reply, waited out before the next request
};
