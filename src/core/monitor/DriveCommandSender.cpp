#include "DriveCommandSender.h"

#include "comm/CommExchange.h"
#include "model/DriveData.h"

#include <QElapsedTimer>

namespace {

// Read as the number 0 by the frame builders, as the drive expects it.
const QString Cleared = QStringLiteral("0x0000");

}  // namespace

bool DriveCommandSender::optionEnabled(bool tableHasFA10, bool tableHasFA11, bool continuous, bool option2, bool maintenance)
{
    return tableHasFA10 && tableHasFA11 && !continuous && (!option2 || maintenance);
}

QString DriveCommandSender::DriveCommandWord(Kind kind, int t)
{
    return QString::number(qint64(t) * 256 + int(kind));
}

int DriveCommandSender::timeDuringRun(double sampleIntervalMs)
{
    return int(sampleIntervalMs * 0.25);
}

int DriveCommandSender::timeOutsideRun(int meanExchangeMs)
{
    return meanExchangeMs / 4;
}

int DriveCommandSender::meanExchangeTime(CommExchange &exchange, int index, int times)
{
    if (times < 1)
        return -1;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < times; ++i) {
        exchange.exchange(index, QString(), exchange.CommErrorFlag(), 'R');
        if (exchange.CommErrorFlag())
            return -1;
    }
    return int(clock.elapsed() / times);
}

DriveCommandSender::DriveCommandSender(const DriveData &data, CommExchange &exchange)
    : m_exchange(exchange), m_fa10(data.IndexOfComNo(u"FA10")), m_fa11(data.IndexOfComNo(u"FA11"))
{
}

bool DriveCommandSender::write(int index, const QString &data)
{
    bool &failed = m_exchange.CommErrorFlag();
    m_exchange.exchange(index, data, failed, 'P');
    return !failed;
}

bool DriveCommandSender::enabledCommand(Kind kind, int t)
{
    // The enable goes back to "0" even when the command word was not answered.
    bool ok = write(m_fa10, QStringLiteral("1"));
    ok = write(m_fa11, DriveCommandWord(kind, t)) && ok;
    return write(m_fa10, QStringLiteral("0")) && ok;
}

bool DriveCommandSender::SendDriveCommand(Kind kind, int meanExchangeMs)
{
    if (!available())
        return false;
    const bool cleared = write(m_fa11, Cleared);
    return enabledCommand(kind, timeOutsideRun(meanExchangeMs)) && cleared;
}

bool DriveCommandSender::clearCommand()
{
    return available() && write(m_fa11, Cleared);
}

bool DriveCommandSender::sendDuringRun(Kind kind, double sampleIntervalMs)
{
    return available() && enabledCommand(kind, timeDuringRun(sampleIntervalMs));
}
