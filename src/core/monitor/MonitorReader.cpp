#include "MonitorReader.h"

#include "MonitorTiming.h"
#include "comm/CommExchange.h"
#include "model/DriveData.h"

#include <QElapsedTimer>

MonitorReader::MonitorReader(const DriveData &data, CommExchange &exchange)
    : m_data(data)
    , m_exchange(exchange)
{
}

void MonitorReader::refreshSlot(int k, const QString &itemCode)
{
    if (k >= 0 && k < MonitorReadSlot::Count)
        m_slots[size_t(k)] = MonitorReadSlot::forCode(m_data, itemCode);
}

const MonitorReadSlot &MonitorReader::slot(int k) const
{
    static const MonitorReadSlot none;
    return k >= 0 && k < MonitorReadSlot::Count ? m_slots[size_t(k)] : none;
}

QString MonitorReader::ReadMonitorItem(int k, bool &failed)
{
    const MonitorReadSlot &s = slot(k);
    failed = true;
    if (s.row < 0) {
        m_exchange.CommErrorFlag() = true;
        return QStringLiteral("0");
    }
    const int32_t value = m_exchange.exchange(s.row, QString(), failed, 'R');
    m_exchange.CommErrorFlag() = failed;
    return s.rawText(failed ? 0 : value);
}

double MonitorReader::ItemValue(int k, const QString &raw) const
{
    return ::ItemValue(slot(k), raw, m_display.terminalLevel);
}

int MonitorReader::MinExchangeTime(bool online, int k, int checkTimes, int marginMs, int *meanMs)
{
    if (meanMs)
        *meanMs = 0;
    if (!online)
        return MonitorTiming::OfflineMinExchangeTime;
    const int count = checkTimes > 0 ? checkTimes : 1;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < count; ++i) {
        bool failed = false;
        ReadMonitorItem(k, failed);
    }
    const int mean = int(clock.elapsed() / count);
    if (meanMs)
        *meanMs = mean;
    return MonitorTiming::MinExchangeTimeFromMean(mean, marginMs);
}
