#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

class CommExchange;
class DriveData;
class ParameterValues;

// What the transfer loops need to know about one parameter row: how a word from the drive
// becomes the row's value text, what a failed read leaves in the table, and how the row is
// named in error boxes and report lines.
namespace TransferRows {

bool isWide(const DriveData &data, int index);
/// "Flag" "1": the parameter is fixed and never written.
bool isFixed(const DriveData &data, int index);
/// Whether an export writes the row: never a fixed one, and with `changedOnly` only a row
/// changed from its factory value.
bool exportWrites(const DriveData &data, int index, bool changedOnly);
/// Sets "Flag" ("0" after a good exchange, "2" after a failed one) unless it is "1".
void setFlag(DriveData &data, int index, const char *flag);

/// One exchange of one row: the word the drive sent, or nothing when the exchange failed
/// (the shared CommErrorFlag is set then).
std::optional<quint32> read(CommExchange &exchange, int index);
/// Writes `raw` (decimal text) with 'W' or 'P'; the word the drive echoed, or nothing.
std::optional<quint32> write(CommExchange &exchange, int index, const QString &raw, char command);
bool hasNegativeLow(const DriveData &data, int index);

/// A word read by import or comparison as decimal text: 16-bit words unsigned, or signed when
/// the row's lower limit is negative; 32-bit words always signed.
QString readText(const DriveData &data, int index, quint32 word);

/// The word a failed import read leaves in the table: the row's factory value ("Default"
/// itself when "DIndex" is "0", else followed through its references), cut to the row's width.
quint32 defaultWord(DriveData &data, int index, const ParameterValues &values);

/// The row's "Value" as a whole number: the fraction dropped, or nothing when it is no number.
std::optional<qint64> tableWhole(const DriveData &data, int index);

struct Naming {
    QString title;
    QString name;
    bool listed = true;  // import and export list the line; hidden maintenance rows are only counted
};
/// Title and name of a failed row. A row whose number starts with "F", or that has no title,
/// is named `hiddenName` outside maintenance mode; an empty title becomes the number.
Naming failedNaming(const DriveData &data, int index, bool maintenanceActive, const QString &hiddenName);

}  // namespace TransferRows
