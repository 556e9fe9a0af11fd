#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class DriveData;
class MessageTable;
class Prompter;
struct DriveSelection;

// The table file ".csv": one line per grid row as shown, the title row first, the eight
// column texts joined by "," (";" with the decimal comma, so that decimal commas stay in
// their column), CR LF after every line, in the language's code page. A text that holds the
// separator, a quote or a line break is quoted, so that it stays in its column.
namespace TableFile {

enum class Display { All, Changed, Quick, Blind };

/// The lines of the given rows (each the texts of one grid row).
QStringList build(const QList<QStringList> &rows, bool decimalComma);

/// The grid rows, title row included, that the table window shows for the loaded set
/// under one display switch, with the value and limit texts of its current display.
QList<QStringList> gridRows(DriveData &data, const MessageTable &messages, Prompter &prompter, Display display,
                            int quickCount);

/// Writes the rows atomically; false with *error set, the previous file then stays.
bool WriteTableFile(const QString &path, const QList<QStringList> &rows, const DriveSelection &selection,
                    QString *error = nullptr);

}  // namespace TableFile
