#pragma once

#include "ParameterGridModel.h"
#include "model/ParameterGridRows.h"

class DriveData;
class MessageTable;
class Prompter;

// Puts the rows of the parameter grid into the grid's model, and renews the limit cells
// after a limit may have moved. The texts come from ParameterGridRows.
class ParameterGridFiller
{
public:
    using Switches = ParameterGridRows::Switches;

    ParameterGridFiller(DriveData &data, const MessageTable &messages, Prompter &prompter);

    /// Grid rows (title row included) the switches give, the first switch on deciding.
    int gridRowCount(const Switches &s) const { return m_rows.gridRowCount(s); }
    /// The rows below the title row; see ParameterGridRows::rows().
    QVector<ParameterGridModel::Row> rows(const Switches &s) { return m_rows.rows(s); }
    /// New limit cells for every row, after the linked limits were recomputed.
    void refreshLimits(ParameterGridModel &model);

    static QStringList titles(const MessageTable &messages) { return ParameterGridRows::titles(messages); }

private:
    DriveData &m_data;
    ParameterGridRows m_rows;
};
