#include "ConnectionCheck.h"

#include "CommExchange.h"
#include "CommPort.h"
#include "FrameItemSource.h"

namespace {

const QString IdentityComNo = QStringLiteral("0000");

}  // namespace

ConnectionCheck::ConnectionCheck(CommPort &port, CommExchange &exchange, const CommSettings &settings,
                                 const FrameItemSource *items, QObject *parent)
    : QObject(parent), m_port(port), m_exchange(exchange), m_settings(settings), m_items(items)
{
}

bool ConnectionCheck::run()
{
    if (m_monitoringRunning && m_monitoringRunning())
        return false;
    if (m_port.OpenCommPort(m_settings)) {
        setGroups(false);
        return false;
    }
    // Definitions without "0000" cannot show that a drive answers: no connection.
    const int index = m_items ? m_items->indexOfComNo(IdentityComNo) : -1;
    bool &failed = m_exchange.CommErrorFlag();
    if (index < 0) {
        failed = true;
        setGroups(false);
        return false;
    }
    m_exchange.exchange(index, QString(), failed, 'R');
    setGroups(!failed);
    return !failed;
}

void ConnectionCheck::setGroups(bool answered)
{
    m_answered = answered;
    m_panel = answered;
    m_information = answered;
    m_transfer = answered && !m_specialSetup;
    emit commandGroupsChanged(m_transfer, m_panel, m_information);
}
