#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include <array>

class DriveData;
class MessageTable;
class Prompter;

// The texts of the parameter grid as the table window shows them: the title row and one row
// of eight cells per kept parameter under the display switches. The window and the table
// file both take their rows from here.
class ParameterGridRows
{
public:
    static constexpr int Columns = 8;

    struct Row {
        std::array<QString, Columns> cells;
        int index = -1;  // parameter index, -1 for a row left empty
    };

    struct Switches {
        bool changedOnly = false;
        bool blind = false;
        bool quick = false;
        int changedCount = 0;  // counted when 'Changed' Only was switched on
        int blindCount = 0;    // rows Blind hides
        int quickCount = 0;    // Info.ini [Setup] Quick
    };

    ParameterGridRows(DriveData &data, const MessageTable &messages, Prompter &prompter);

    static QStringList titles(const MessageTable &messages);
    /// Grid rows (title row included) the switches give, the first switch on deciding.
    int gridRowCount(const Switches &s) const;
    /// The rows below the title row; rows beyond the kept parameters stay empty. Marks every
    /// kept parameter's "ChangeIndex" anew from its value. Limit cells are as filled, before
    /// the linked limits are recomputed.
    QVector<Row> rows(const Switches &s);
    /// Recomputes the linked limits of a parameter and gives its lower and upper limit cells.
    std::array<QString, 2> refreshedLimits(int index);
    /// rows() followed by the limit refresh of every row: the grid as FillGrid leaves it.
    QVector<Row> filledRows(const Switches &s);
    /// Whether the display switches keep a parameter (all checked filters apply).
    static bool kept(const DriveData &data, int index, const Switches &s);

private:
    void fillRow(int index, Row &row);

    DriveData &m_data;
    const MessageTable &m_messages;
    Prompter &m_prompter;
};
