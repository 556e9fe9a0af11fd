#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// A grid of text cells with a fixed number of columns, stored row after row. Cells outside
// the table read as empty text and ignore writes, as a grid's unused cells would.
class TextTable
{
public:
    explicit TextTable(int columns);

    int rowCount() const { return m_rows; }
    int columnCount() const { return m_columns; }
    /// New rows start empty; rows beyond the new count are dropped.
    void setRowCount(int rows);
    /// Reserves room for `rows` rows without changing the row count.
    void reserve(int rows);

    const QString &cell(int row, int column) const
    {
        if (row < 0 || row >= m_rows || column < 0 || column >= m_columns)
            return emptyCell();
        return m_cells[size_t(row) * size_t(m_columns) + size_t(column)];
    }
    void setCell(int row, int column, const QString &text);
    /// Empties every cell of the row.
    void clearRow(int row);
    /// All cells of one row, left to right (empty for a row outside the table).
    QStringList row(int row) const;

private:
    static const QString &emptyCell();

    int m_columns;
    int m_rows = 0;
    std::vector<QString> m_cells;
};
