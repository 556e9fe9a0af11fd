#include "TextTableModel.h"

#include "model/TextTable.h"

TextTableModel::TextTableModel(const TextTable &table, QObject *parent)
    : QAbstractTableModel(parent)
    , m_table(table)
{
}

void TextTableModel::refresh()
{
    beginResetModel();
    endResetModel();
}

int TextTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_table.rowCount();
}

int TextTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_table.columnCount();
}

QVariant TextTableModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    return m_table.cell(index.row(), index.column());
}
