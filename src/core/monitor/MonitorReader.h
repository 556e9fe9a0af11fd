#pragma once

#include "MonitorReadSlot.h"
#include "MonitorValues.h"

#include <QString>
#include <array>
#include <cstdint>

class CommExchange;
class DriveData;

// The thirteen read slots and the reads of monitor items over the one exchange of the line.
// A slot whose item the drive does not have fails without touching the line.
class MonitorReader
{
public:
    MonitorReader(const DriveData &data, CommExchange &exchange);

    const DriveData &data() const { return m_data; }
    CommExchange &exchange() { return m_exchange; }

    /// Rebuilds slot k (0..12) from an item code such as "FD00" or "FD06-3".
    void refreshSlot(int k, const QString &itemCode);
    const MonitorReadSlot &slot(int k) const;

    /// One read of slot k: the raw number as decimal text by the slot's data size and sign.
    /// `failed` tells whether the exchange failed; the text is then "0".
    QString ReadMonitorItem(int k, bool &failed);
    /// ItemValue of slot k with the display options' terminal signal level.
    double ItemValue(int k, const QString &raw) const;

    MonitorDisplayOptions &display() { return m_display; }
    const MonitorDisplayOptions &display() const { return m_display; }

    /// While off-line 500 ms. On-line: reads slot `k` (CH2's) `checkTimes` times in a row and
    /// gives ((mean + margin) / 50) x 50 + 50 ms, mean being the whole milliseconds of one
    /// read. *meanMs receives the mean (0 off-line).
    int MinExchangeTime(bool online, int k, int checkTimes, int marginMs, int *meanMs = nullptr);

private:
    const DriveData &m_data;
    CommExchange &m_exchange;
    std::array<MonitorReadSlot, MonitorReadSlot::Count> m_slots;
    MonitorDisplayOptions m_display;
};
