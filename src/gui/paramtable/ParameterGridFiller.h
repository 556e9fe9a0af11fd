#pragma once

#include "ParameterGridModel.h"

class DriveData;
class MessageTable;
class Prompter;

// Builds the rows of the parameter grid from ParaDat and UPara under the display switches,
// and renews the limit cells after a limit may have moved.
class ParameterGridFiller
{
public:
    struct Switches {
        bool changedOnly = false;
        bool blind = false;
        bool quick = false;
        int changedCount = 0;  // counted when 'Changed' Only was switched on
        int blindCount = 0;    // rows Blind hides
        int quickCount = 0;    // Info.ini [Setup] Quick
    };

    ParameterGridFiller(DriveData &data, const MessageTable &messages, Prompter &prompter);

    /// Grid rows (title row included) the switches give, the first switch on deciding.
    int gridRowCount(const Switches &s) const;
    /// The rows below the title row; rows beyond the kept parameters stay empty. Marks every
    /// kept parameter's "ChangeIndex" anew from its value.
    QVector<ParameterGridModel::Row> rows(const Switches &s);
    /// New limit cells for every row, after the linked limits were recomputed.
    void refreshLimits(ParameterGridModel &model);

    static QStringList titles(const MessageTable &messages);

private:
    bool kept(int index, const Switches &s) const;
    void fillRow(int index, ParameterGridModel::Row &row);

    DriveData &m_data;
    const MessageTable &m_messages;
    Prompter &m_prompter;
};
