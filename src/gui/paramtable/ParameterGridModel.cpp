#include "ParameterGridModel.h"

void ParameterGridModel::setRows(QVector<Row> rows, const QStringList &titles)
{
    beginResetModel();
    m_rows = std::move(rows);
    m_titles = titles;
    endResetModel();
}

int ParameterGridModel::parameterOf(int gridRow) const
{
    if (gridRow < 1 || gridRow > m_rows.size())
        return -1;
    return m_rows.at(gridRow - 1).index;
}

QString ParameterGridModel::cell(int gridRow, int column) const
{
    if (gridRow == 0)
        return m_titles.value(column);
    if (gridRow < 1 || gridRow > m_rows.size() || column < 0 || column >= Columns)
        return {};
    return m_rows.at(gridRow - 1).cells.at(size_t(column));
}

void ParameterGridModel::setCell(int gridRow, int column, const QString &text, bool notify)
{
    if (gridRow < 1 || gridRow > m_rows.size() || column < 0 || column >= Columns)
        return;
    m_rows[gridRow - 1].cells[size_t(column)] = text;
    if (!notify)
        return;
    const QModelIndex at = index(gridRow - 1, column);
    emit dataChanged(at, at, {Qt::DisplayRole});
}

void ParameterGridModel::redraw()
{
    if (!m_rows.isEmpty())
        emit dataChanged(index(0, 0), index(int(m_rows.size()) - 1, Columns - 1));
}

int ParameterGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ParameterGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : Columns;
}

QVariant ParameterGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const Row &row = m_rows.at(index.row());
    if (role == Qt::DisplayRole)
        return row.cells.at(size_t(index.column()));
    if (role == IndexRole)
        return row.index;
    return {};
}

QVariant ParameterGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && (role == Qt::DisplayRole || role == Qt::ToolTipRole))
        return m_titles.value(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags ParameterGridModel::flags(const QModelIndex &index) const
{
    // The title column is fixed: it takes no selection.
    if (index.column() == 0)
        return Qt::ItemIsEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}
