#pragma once

#include "TextTable.h"

// The parameter value table, row for row beside ParaDat: the current raw value, the
// effective limits and the per-parameter flags, all as text ("1"/"0" for the flags).
class UPara : public TextTable
{
public:
    enum Column {
        Value,
        HValue,
        LValue,
        ChangeIndex,
        WriteIndex,
        HexIndex,
        BlindIndex,
        SelectIndex,
        OneSelectIndex,
        CommErrIndex,
        No,
        ColumnCount
    };

    UPara();

    static const QStringList &titles();
    void writeTitles();

    const QString &at(int index, Column column) const { return cell(index + 1, column); }
    void setAt(int index, Column column, const QString &text) { setCell(index + 1, column, text); }
    /// True when the flag column holds "1".
    bool flag(int index, Column column) const { return at(index, column) == QLatin1String("1"); }
    void setFlag(int index, Column column, bool on);
};
