#include "TransferStart.h"

#include "TransferTexts.h"
#include "base/Prompter.h"
#include "comm/CommExchange.h"
#include "model/DriveData.h"

TransferStart::TransferStart(DriveData &data, CommExchange &exchange, Prompter &prompter, const TransferTexts &texts)
    : m_data(data), m_exchange(exchange), m_prompter(prompter), m_texts(texts)
{
}

int TransferStart::lastIndexFor(TransferMode mode, const DriveData &data, const TransferOptions &options)
{
    if (mode == TransferMode::Import || options.useMaintenance)
        return data.lastIndex;
    return data.lastUserIndex;
}

QString TransferStart::fb91ValueFor(TransferMode mode, const TransferOptions &options)
{
    return (mode == TransferMode::Import || options.useMaintenance) ? QStringLiteral("251") : QStringLiteral("0");
}

void TransferStart::writeFb91(const QString &value)
{
    const int index = m_data.IndexOfComNo(u"FB91");
    if (index < 0)
        return;
    bool failed = false;
    m_exchange.exchange(index, value, failed, 'P');
}

TransferStart::Result TransferStart::begin(TransferMode mode, const TransferOptions &options, const Steps &steps)
{
    const bool connected = steps.connectionCheck ? steps.connectionCheck() : false;
    if (connected && steps.specialSetup && steps.specialSetup())
        return Result::SpecialSetup;
    if (!connected) {
        m_prompter.message(m_texts.message(3), m_texts.caption(), Prompter::Icon::Warning, Prompter::Buttons::Ok);
        m_prompter.pump();
        return Result::NotConnected;
    }
    writeFb91(fb91ValueFor(mode, options));
    m_identification = {};
    const bool identify = mode != TransferMode::Comparison || options.checkTypeForm;
    if (identify && steps.identify)
        m_identification = steps.identify(mode);
    if (mode == TransferMode::Comparison)
        return Result::Ready;
    bool checkTypeForm = options.checkTypeForm;
    if (m_identification.openOptions && steps.openOptions)
        checkTypeForm = steps.openOptions();
    const bool matched = m_identification.typeCheck && m_identification.formCheck;
    if (!matched && (checkTypeForm || m_identification.comCancel))
        return Result::TypeFormRefused;
    return Result::Ready;
}
