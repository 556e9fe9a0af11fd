#pragma once

#include "ReportDocument.h"
#include "ReportHeader.h"
#include "model/ParameterGridRows.h"

#include <QStringList>
#include <QVector>

#include <array>

class DriveData;
class MessageTable;
struct PageSetup;

// The printed parameter list: one line per parameter the table shows, in ParaDat order, with
// title, communication number, name, optionally the factory value, the set value, both
// limits, the unit and the changed mark; numbers always decimal. Column borders are fixed
// fractions of the printable width.
class ParameterReport
{
public:
    enum Column { Title, ComNo, Name, Factory, Value, Low, High, Unit, Notes, ColumnCount };
    using Row = std::array<QString, ColumnCount>;

    /// The nine column titles: language messages 21 to 29.
    static QStringList titles(const MessageTable &messages);
    /// The rows of the parameters the switches keep, from parameter 0 to LastShownIndex.
    static QVector<Row> rows(DriveData &data, const MessageTable &messages,
                             const ParameterGridRows::Switches &switches);
    /// The rows of one parameter.
    static Row row(DriveData &data, const MessageTable &messages, int index);

    /// Parameter rows that fit on one page under the set-up.
    static int rowsPerPage(const PageSetup &setup);
    static ReportDocument layout(const PageSetup &setup, const ReportHeader &header, const QStringList &titles,
                                 const QVector<Row> &rows);

private:
    static void placeTitles(ReportPage &page, const PageSetup &setup, const QStringList &titles,
                            const QVector<double> &borders, const QVector<int> &columns, double y);
    static void placeRow(ReportPage &page, const PageSetup &setup, const Row &row, const QVector<double> &borders,
                         const QVector<int> &columns, double y);
};
