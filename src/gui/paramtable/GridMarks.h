#pragma once

#include <QList>
#include <functional>

class DriveData;
class MessageTable;
class ParameterGridModel;
class Prompter;
class QTableView;

// The row marks of the parameter grid and the commands that walk the marked rows: every
// grid row whose parameter is selected ("SelectIndex") or marked for this one command
// ("OneSelectIndex": the grid selection and the current row).
class GridMarks
{
public:
    GridMarks(DriveData &data, const MessageTable &messages, Prompter &prompter, ParameterGridModel &model,
              QTableView &grid);

    /// "OneSelectIndex" = "1" for the rows of the grid selection (in a filtered display
    /// only those not hidden) and for the current row's parameter.
    void MarkSelection(int currentRow, bool filtered);
    /// Toggles "SelectIndex" of the selected rows when the selection touches the value column.
    void toggleSelect();
    /// Hexadecimal value cells for the marked rows; false after message 42 stopped it.
    bool hex(int currentRow, bool filtered);
    void dec(int currentRow, bool filtered);
    /// Factory values for the marked rows.
    void shipment(int currentRow, bool filtered);

    /// Runs `step` for each marked grid row top to bottom until it returns false; the
    /// one-command marks are cleared afterwards, also for rows a stopped walk did not reach.
    void walk(int currentRow, bool filtered, const std::function<bool(int gridRow, int index)> &step);

private:
    QList<int> selectedGridRows() const;

    DriveData &m_data;
    const MessageTable &m_messages;
    Prompter &m_prompter;
    ParameterGridModel &m_model;
    QTableView &m_grid;
};
