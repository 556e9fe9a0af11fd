#pragma once

#include <QAbstractTableModel>

class TextTable;

// A read-only view model over one of the parameter tables, row 0 (the titles) included, so
// the diagnostic view shows the cells exactly as stored.
class TextTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    TextTableModel(const TextTable &table, QObject *parent = nullptr);

    /// The table's size or cells changed.
    void refresh();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

private:
    const TextTable &m_table;
};
