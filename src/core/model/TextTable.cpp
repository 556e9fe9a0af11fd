#include "TextTable.h"

TextTable::TextTable(int columns)
    : m_columns(columns > 0 ? columns : 1)
{
}

const QString &TextTable::emptyCell()
{
    static const QString empty;
    return empty;
}

void TextTable::setRowCount(int rows)
{
    m_rows = rows > 0 ? rows : 0;
    m_cells.resize(size_t(m_rows) * size_t(m_columns));
}

void TextTable::reserve(int rows)
{
    if (rows > 0)
        m_cells.reserve(size_t(rows) * size_t(m_columns));
}

void TextTable::setCell(int row, int column, const QString &text)
{
    if (row < 0 || row >= m_rows || column < 0 || column >= m_columns)
        return;
    m_cells[size_t(row) * size_t(m_columns) + size_t(column)] = text;
}

void TextTable::clearRow(int row)
{
    if (row < 0 || row >= m_rows)
        return;
    for (int c = 0; c < m_columns; ++c)
        m_cells[size_t(row) * size_t(m_columns) + size_t(c)].clear();
}

QStringList TextTable::row(int row) const
{
    QStringList cells;
    if (row < 0 || row >= m_rows)
        return cells;
    cells.reserve(m_columns);
    for (int c = 0; c < m_columns; ++c)
        cells.append(cell(row, c));
    return cells;
}
