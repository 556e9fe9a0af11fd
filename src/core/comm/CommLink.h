#pragma once

#include "CommExchange.h"
#include "CommPort.h"
#include "CommSettings.h"
#include "ConnectionCheck.h"
#include "DriveFrameItems.h"
#include "LineIndicator.h"
#include "PosixSerialPort.h"
#include "model/RatingBases.h"

#include <functional>
#include <optional>

class DriveData;
class MessageTable;
class Prompter;
class Settings;

// The one line to the drive for the whole run: the port, its settings from [Comms], the
// exchange, the on-line indicator and the connection check, wired together.
class CommLink
{
public:
    CommLink(const DriveData &data, Prompter &prompter, const MessageTable &messages);

    /// Takes the communication settings and the candidate ports from the settings file and
    /// lists the ports that open.
    void readSettings(const Settings &settings);

    CommSettings &settings() { return m_settings; }
    CommPort &port() { return m_port; }
    CommExchange &exchange() { return m_exchange; }
    LineIndicator &indicator() { return m_indicator; }
    ConnectionCheck &connectionCheck() { return m_check; }

    /// Reads one communication number from the drive, or nothing when the exchange failed.
    std::optional<qint64> read(const QString &comNo);
    void close();
    /// The reader RatingBases uses for the rated voltage and current: the drive itself when
    /// `onLineOption` ("Get Current/Voltage Base using On-Line") is on and the last connection
    /// check found the drive; otherwise none, and the table values stand.
    DriveReader ratingReader(bool onLineOption);

    static CommSettings fromSettings(const Settings &settings);

private:
    PosixSerialPort m_serial;
    CommSettings m_settings;
    DriveFrameItems m_items;
    LineIndicator m_indicator;
    CommPort m_port;
    CommExchange m_exchange;
    ConnectionCheck m_check;
};
