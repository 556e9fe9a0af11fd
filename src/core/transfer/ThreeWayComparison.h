#pragma once

#include "TransferReport.h"

#include <QList>
#include <QString>
#include <optional>

class DriveData;
class ParameterValues;
class TransferRun;
struct TransferTexts;

// The factory value, the table's value and the drive's value of every parameter a comparison
// run read, side by side, with the one that differs named: the table ("VKR410T") when the drive
// still holds the factory value, the drive ("Inverter") when the table does, the factory value
// when table and drive agree on another value, "all" when the three differ. Values are compared
// as whole raw numbers, as the comparison compares them; they are shown scaled, with the unit.
class ThreeWayComparison
{
public:
    enum class Odd { None, Table, Drive, Factory, All, NoReply };

    struct Row {
        int index = 0;
        QString comNo;
        QString title;
        QString name;
        QString unit;
        std::optional<qint64> factory;  // nothing when the factory value cannot be resolved
        std::optional<qint64> table;    // nothing when "Value" is no number
        std::optional<qint64> drive;    // nothing when the drive did not answer
        QString factoryText;            // scaled, without the padding of the display
        QString tableText;
        QString driveText;
        Odd odd = Odd::None;
    };

    /// The rows 0 .. run.lastIndex() of a finished comparison (or import) run. Rows whose number
    /// starts with "F" are named as failed rows are outside maintenance mode.
    static ThreeWayComparison build(DriveData &data, const ParameterValues &values, const TransferRun &run,
                                    bool maintenanceActive, const QString &hiddenName);
    static Odd oddOne(std::optional<qint64> factory, std::optional<qint64> table, std::optional<qint64> drive);

    const QList<Row> &rows() const { return m_rows; }
    /// Rows where any of the three differ (rows without a reply not included).
    int differing() const { return m_differing; }
    int unanswered() const { return m_unanswered; }

    /// The report: heading, column header, one line per row, then the count of differing rows.
    TransferReport report(const TransferTexts &texts) const;
    /// The same as comma-separated lines (RFC 4180, CR LF) with a title row, for spreadsheets.
    QString csv(const TransferTexts &texts) const;

private:
    QString oddText(Odd odd, const TransferTexts &texts) const;

    QList<Row> m_rows;
    int m_differing = 0;
    int m_unanswered = 0;
};
