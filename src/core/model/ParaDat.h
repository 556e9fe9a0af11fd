#pragma once

#include "TextTable.h"

// The parameter definition table: row 0 holds the column titles, the parameter with
// parameter index i is row i+1. Every cell is text as the definition and capacity files
// give it.
class ParaDat : public TextTable
{
public:
    enum Column {
        ComNo,
        DIndex,
        Default,
        FName,
        FTitle,
        Unit,
        Byte,
        Sign,
        HIndex,
        High,
        LIndex,
        Low,
        TMul,
        Mul,
        Memory,
        Flag,
        Quick,
        CurrentVoltIndex,
        No,
        ColumnCount
    };

    /// Room for this many rows is reserved up front; at most MaxParameters are loaded.
    static constexpr int ReservedRows = 3000;
    static constexpr int MaxParameters = 2000;

    ParaDat();

    static const QStringList &titles();
    void writeTitles();

    /// Cell of the parameter with parameter index `index`.
    const QString &at(int index, Column column) const { return cell(index + 1, column); }
    void setAt(int index, Column column, const QString &text) { setCell(index + 1, column, text); }
};
