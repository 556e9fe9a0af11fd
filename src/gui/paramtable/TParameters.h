#pragma once

#include <QWidget>

class Prompter;
class QTableView;
class Session;
class TextTableModel;

// The hidden data window: owns the parameter tables and the language message table for the
// whole run. It becomes visible only as a diagnostic view of both tables, side by side, with
// the rows of the two linked.
class TParameters : public QWidget
{
    Q_OBJECT

public:
    TParameters(Session &session, Prompter &prompter, QWidget *mainWindow);

    /// Loads the language file and the selected drive's tables. False: the start-up fails.
    bool FormCreate();
    bool hasCurrentVoltageList() const;

    /// Shows both tables as they are now.
    void showBuffer();
    QTableView *ParaDatGrid() const { return m_paraDat; }
    QTableView *UParaGrid() const { return m_uPara; }
    /// Selects `row` in both tables and scrolls it to the top of each.
    void selectRow(int row);
    /// Every column of each table gets an equal share of its client width.
    void shareWidths();

signals:
    /// The view was closed: the option that shows it goes off.
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QTableView *createGrid(TextTableModel *model, const QString &name);

    Session &m_session;
    Prompter &m_prompter;
    TextTableModel *m_paraDatModel = nullptr;
    TextTableModel *m_uParaModel = nullptr;
    QTableView *m_paraDat = nullptr;
    QTableView *m_uPara = nullptr;
};
