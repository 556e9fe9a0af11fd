#include "CommLink.h"

#include "app/Settings.h"

CommLink::CommLink(const DriveData &data, Prompter &prompter, const MessageTable &messages)
    : m_items(data)
    , m_port(m_serial, &m_indicator, &prompter, &messages)
    , m_exchange(m_serial, m_settings, &m_items, &m_indicator)
    , m_check(m_port, m_exchange, m_settings, &m_items)
{
}

CommSettings CommLink::fromSettings(const Settings &s)
{
    return CommSettings::fromValues(s.get(Keys::Prtocol), s.get(Keys::Commport), s.get(Keys::Baudrate),
                                    s.get(Keys::Parity), s.get(Keys::Stopbits), s.get(Keys::Bytesize), s.get(Keys::ID),
                                    s.get(Keys::AppendNo), s.get(Keys::Douhou), s.get(Keys::Delay));
}

void CommLink::readSettings(const Settings &settings)
{
    m_settings = fromSettings(settings);
    m_port.EnumeratePorts(CommPort::CandidatePorts(settings.get(Keys::PortNames)));
}

std::optional<qint64> CommLink::read(const QString &comNo)
{
    const int index = m_items.indexOfComNo(comNo);
    if (index < 0)
        return std::nullopt;
    bool &failed = m_exchange.CommErrorFlag();
    const int32_t value = m_exchange.exchange(index, QString(), failed, 'R');
    if (failed)
        return std::nullopt;
    return qint64(uint32_t(value));
}

void CommLink::close()
{
    m_port.ClosePort();
}

DriveReader CommLink::ratingReader(bool onLineOption)
{
    if (!onLineOption || !m_check.driveAnswered())
        return {};
    return [this](const QString &comNo) { return read(comNo); };
}
