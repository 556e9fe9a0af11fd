#pragma once

#include "TransferStart.h"
#include "app/InverterCatalog.h"
#include "comm/DetectExchange.h"
#include "comm/DriveIdentification.h"
#include "comm/SpecialSetupCheck.h"

#include <functional>

class ConnectionCheck;
class FrameItemSource;

// The communication layer's checks wired as the steps of a transfer start: the connection
// check, the special-setup check of types whose Info.ini asks for it, and the identification
// of the connected drive against the selected one.
class TransferChecks
{
public:
    TransferChecks(ConnectionCheck &check, CommExchange &exchange, SerialPort &port, const FrameItemSource &items,
                   const MessageTable &messages, Prompter &prompter);

    /// The selected drive, the catalogue it was chosen from and its [Setup] SpChk. Without CPU
    /// lists in `selected` the catalogue's lists of the type are taken.
    void setDrive(const DriveIdentification::Selected &selected, const QString &dataFolder,
                  const QString &catalogFile, bool spChk);

    /// The parameter table window's notice flags of the special-setup check.
    SpecialSetupCheck::Notice notice;
    /// Opens the options window after OK in the type-form mismatch box (see TransferStart).
    std::function<bool()> openOptions;
    /// The last identification (valid after an identify step ran).
    const DriveIdentification::Result &identified() const { return m_identified; }

    TransferStart::Steps steps(const TransferOptions &options);

private:
    ConnectionCheck &m_check;
    CommExchange &m_exchange;
    const FrameItemSource &m_items;
    const MessageTable &m_messages;
    Prompter &m_prompter;
    DetectExchange m_detect;
    InverterCatalog m_catalog;
    DriveIdentification::Selected m_selected;
    DriveIdentification::Result m_identified;
    bool m_spChk = false;
};
