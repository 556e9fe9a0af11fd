#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class AlarmTripLists;
class CommExchange;
class DetectExchange;
class DriveData;
class IniFile;
class InverterCatalog;
class MessageTable;
class Prompter;
class TransferReport;

// The inverter information report and the trip data report. The language file's section
// [InverterInfo] lists the report: the first value is its title, the second the title of the
// trip data, every further key is a line label whose value names the communication number to
// read ("cr..." keys are empty lines). The values are read from the drive and named from the
// catalogue and the trip list where the number calls for it.
class InverterInfo
{
public:
    /// A monitor item: its code ("FD00", or "FD06-3" for bit 3 of FD06) and its name.
    struct MonitorItem {
        QString code;
        QString name;
    };

    InverterInfo(DriveData &data, CommExchange &exchange, DetectExchange &detect, const InverterCatalog &catalog,
                 const AlarmTripLists &trips, const MessageTable &messages, Prompter &prompter);

    /// Appends the report to `report`. False (and language message 8 shown) when the language
    /// file has no [InverterInfo] keys; nothing is read then.
    bool CollectInverterInfo(const IniFile &language, const QString &typeName, TransferReport &report);
    /// Puts the trip data title first in `report`, then appends an empty line and one
    /// "name : value" line per monitor item, in list order.
    void CollectTripValues(const IniFile &language, const QList<MonitorItem> &items, TransferReport &report);

    /// Reads of the last collection that the drive did not answer.
    int failedReads() const { return m_failedReads; }

    /// The text of a value that could not be read or is not in the parameter table.
    static inline const QString NoValue = QStringLiteral("-");

private:
    struct Value {
        qint64 number = 0;  // as the drive sent it, by the parameter's width and sign
        double scaled = 0;  // number / "Mul"
    };
    std::optional<Value> read(int index);
    QString valueText(const QString &comNo, const QString &typeName);
    QString typeText(const Value &v);
    QString formText(const Value &v);
    QString tripText(const Value &v) const;

    DriveData &m_data;
    CommExchange &m_exchange;
    DetectExchange &m_detect;
    const InverterCatalog &m_catalog;
    const AlarmTripLists &m_trips;
    const MessageTable &m_messages;
    Prompter &m_prompter;
    QString m_foundType;  // the type named by FB07 in this report
    int m_failedReads = 0;
};
