#pragma once

#include "model/ParameterGridRows.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <QVector>

#include <array>

// The cells of the parameter grid below its title row: eight texts per row and the parameter
// index the row shows (-1 for a row left empty). Grid row r (counted with the title row as
// row 0) is model row r - 1.
class ParameterGridModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int Columns = ParameterGridRows::Columns;
    static constexpr int IndexRole = Qt::UserRole;

    using Row = ParameterGridRows::Row;

    using QAbstractTableModel::QAbstractTableModel;

    /// Replaces every row and the titles.
    void setRows(QVector<Row> rows, const QStringList &titles);
    /// Grid rows including the title row.
    int gridRowCount() const { return int(m_rows.size()) + 1; }
    /// Parameter index of grid row `gridRow`, -1 for the title row, empty rows and rows
    /// beyond the last.
    int parameterOf(int gridRow) const;
    QString cell(int gridRow, int column) const;
    /// `notify` false leaves the redraw to a later redraw() for many cells at once.
    void setCell(int gridRow, int column, const QString &text, bool notify = true);
    /// Asks the view to draw every cell again (marks changed outside the cells).
    void redraw();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    QVector<Row> m_rows;
    QStringList m_titles;
};
