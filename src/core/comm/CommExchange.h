#pragma once

#include "CommSettings.h"
#include "FrameItem.h"
#include "LineExchange.h"
#include "LineGap.h"
#include "SerialPort.h"

#include <QByteArray>
#include <cstdint>

class FrameItemSource;
class LineIndicator;

// One request for one parameter and its reply, in the protocol of the settings. No retries:
// one failed exchange is one error, and the caller decides what to do. The wait for the reply
// blocks the calling (window) thread without letting events run.
//
// A reply is only taken for the request it answers: a failed exchange reads and drops what
// the line still brings until it has been quiet for a whole time-out, and a native reply must
// carry the command and communication number of its request. The Modbus pause after a reply
// is waited out just before the next request, so one exchange object per line.
class CommExchange
{
public:
    CommExchange(SerialPort &port, const CommSettings &settings, const FrameItemSource *items = nullptr,
                 LineIndicator *indicator = nullptr);

    void setItems(const FrameItemSource *items) { m_items = items; }
    const FrameItemSource *items() const { return m_items; }
    const CommSettings &settings() const { return m_settings; }
    /// What other exchanges on the same line share: the port, the Modbus pause after the
    /// last reply and the on-line indicator.
    SerialPort &port() { return m_port; }
    LineGap &gap() { return m_gap; }
    LineIndicator *indicator() const { return m_indicator; }

    /// Reads ('R') or writes ('W' RAM and EEPROM, 'P' RAM only) parameter `index` of the
    /// definition table; `data` is the decimal value of a write. Clears `errorFlag`, sets it on
    /// failure (no or short reply within the time-out, wrong check value, Modbus exception).
    /// Returns the reply's value: unsigned 16 bits, or all 32 bits of a 32-bit native
    /// parameter; 0 on failure. An index without a row fails without touching the line.
    int32_t exchange(int index, const QString &data, bool &errorFlag, char command);
    /// The same for an item given directly.
    int32_t exchangeItem(const FrameItem &item, const QString &data, bool &errorFlag, char command);

    /// The shared flag of the last exchange, passed by nearly every caller.
    bool &CommErrorFlag() { return m_commErrorFlag; }
    /// The bytes of the last reply that arrived (at most 32), e.g. the ten data bytes of a block.
    const QByteArray &lastReply() const { return m_lastReply; }

private:
    int32_t native(const FrameItem &item, const QString &data, bool &errorFlag, char command);
    int32_t modbus(const FrameItem &item, const QString &data, bool &errorFlag, char command);
    LineExchange::Reply sendAndReceive(const QByteArray &request, int expected);
    void finish(bool failed, int64_t replyEndedNs);

    SerialPort &m_port;
    const CommSettings &m_settings;
    const FrameItemSource *m_items;
    LineIndicator *m_indicator;
    LineGap m_gap;
    QByteArray m_lastReply;
    bool m_commErrorFlag = false;
};
