#pragma once

#include "model/EditBuffer.h"

#include <QObject>

class Prompter;
class QKeyEvent;
class Session;
class TParameter;

// Typing over the parameter grid: keys go to the core's edit buffer, the value cell of the
// current row shows what was typed, Enter stores the value and moves down a row. Undo and
// redo of the stored values show their rows the same way.
class ParameterEditor : public QObject
{
    Q_OBJECT

public:
    ParameterEditor(TParameter &table, Session &session, Prompter &prompter);

    const EditBuffer &buffer() const { return m_edit; }
    EditBuffer &buffer() { return m_edit; }
    /// Grid row whose value cell shows the typed text, -1 when none does.
    int editRow() const { return m_edit.editing() ? m_editRow : -1; }
    /// The edit ended elsewhere (its value was written to the drive).
    void ended() { m_edit.finish(); m_editRow = -1; }
    /// Puts the text before the edit back into the cell; nothing when no edit runs.
    void cancel();
    /// Enter on the current row.
    void enter();
    void undo();
    void redo();
    /// The undo depth from "Max. Times of Undo"; trims the lists when it was lowered.
    void readUndoDepth();
    /// Undo and redo items follow the lists.
    void updateUndoItems();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool keyPress(QKeyEvent *event);
    void typed(QChar c);
    void showBuffer();
    /// Grid row of a parameter in the display now, or -1 when it is not shown.
    int gridRowOf(int index);
    /// Makes `row` the current row with its value cell selected; `toTop` scrolls it to the
    /// top when it lies outside the visible rows.
    void selectValueCell(int row, bool toTop);
    void showStep(int index, int changed);

    TParameter &m_table;
    Session &m_session;
    Prompter &m_prompter;
    EditBuffer m_edit;
    QObject *m_grid = nullptr;
    QObject *m_viewport = nullptr;
    int m_editRow = -1;  // grid row whose value cell shows the buffer
};
