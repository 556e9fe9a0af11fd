#include "TransferChecks.h"

#include "comm/CommExchange.h"
#include "comm/ConnectionCheck.h"

TransferChecks::TransferChecks(ConnectionCheck &check, CommExchange &exchange, SerialPort &port,
                               const FrameItemSource &items, const MessageTable &messages, Prompter &prompter)
    : m_check(check)
    , m_exchange(exchange)
    , m_items(items)
    , m_messages(messages)
    , m_prompter(prompter)
    , m_detect(port, exchange.settings())
{
}

void TransferChecks::setDrive(const DriveIdentification::Selected &selected, const QString &dataFolder,
                              const QString &catalogFile, bool spChk)
{
    m_selected = selected;
    m_catalog.scan(dataFolder, catalogFile);
    if (m_selected.cpuVersions.isEmpty()) {
        m_selected.cpuVersions = m_catalog.cpuVersions(selected.typeName);
        m_selected.cpuNumbers = m_catalog.cpuNumbers(selected.typeName);
    }
    m_spChk = spChk;
}

TransferStart::Steps TransferChecks::steps(const TransferOptions &options)
{
    TransferStart::Steps s;
    s.connectionCheck = [this] { return m_check.run(); };
    s.specialSetup = [this] {
        SpecialSetupCheck special(m_check, m_detect, m_exchange.settings(), m_messages, m_prompter);
        return special.run(m_spChk, notice);
    };
    const bool check = options.checkTypeForm;
    s.identify = [this, check](TransferMode mode) {
        DriveIdentification identification(m_exchange, m_items, m_detect, m_catalog, m_messages, m_prompter);
        const auto purpose = mode == TransferMode::Comparison ? DriveIdentification::Purpose::Comparison
                                                              : DriveIdentification::Purpose::Transfer;
        m_identified = identification.run(m_selected, purpose, check);
        return TransferStart::Identification{m_identified.TypeCheck, m_identified.FormCheck, m_identified.ComCancel,
                                             m_identified.openOptions};
    };
    s.openOptions = openOptions;
    return s;
}
