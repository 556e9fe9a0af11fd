#include "ParameterEditor.h"

#include "ParameterGridModel.h"
#include "TParameter.h"
#include "app/Session.h"
#include "model/ParameterValues.h"
#include "model/ValueConversion.h"

#include <QAction>
#include <QKeyEvent>
#include <QTableView>

namespace {
const QString SixBlanks = QStringLiteral("      ");
constexpr int ValueColumn = 3;
constexpr int MarkColumn = 7;
}  // namespace

ParameterEditor::ParameterEditor(TParameter &table, Session &session, Prompter &prompter)
    : QObject(&table)
    , m_table(table)
    , m_session(session)
    , m_prompter(prompter)
    , m_edit(session.data, session.messages, prompter)
{
    QTableView *grid = table.StringGrid1();
    m_grid = grid;
    m_viewport = grid->viewport();
    grid->installEventFilter(this);
    grid->viewport()->installEventFilter(this);
    // A refill rebuilds every cell: an edit in progress ends without writing into a row that
    // may now show another parameter.
    connect(&table.model(), &QAbstractItemModel::modelReset, this, [this] {
        m_edit.Cancel();
        m_editRow = -1;
    });
    // Keyboard moves make the current row as clicks do; a refill leaves it alone.
    connect(grid->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex &current) {
        if (current.isValid())
            m_table.onGridPressed();
    });
}

bool ParameterEditor::eventFilter(QObject *watched, QEvent *event)
{
    // Only the grid's pointer here: the filter also sees the events of the table's teardown.
    if (watched == m_grid && event->type() == QEvent::KeyPress)
        return keyPress(static_cast<QKeyEvent *>(event));
    if (watched == m_viewport && event->type() == QEvent::MouseButtonPress)
        cancel();
    return QObject::eventFilter(watched, event);
}

bool ParameterEditor::keyPress(QKeyEvent *event)
{
    m_session.data.limitClamped = false;
    switch (event->key()) {
    case Qt::Key_Backspace:
        if (m_edit.Backspace())
            showBuffer();
        return true;
    case Qt::Key_Escape:
        cancel();
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
        cancel();
        return false;  // the grid moves on
    case Qt::Key_Return:
    case Qt::Key_Enter:
        enter();
        return true;
    default:
        break;
    }
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = event->text();
    if (text.isEmpty() || !text.front().isPrint())
        return false;
    // Every printable key is the edit's: none of them starts the grid's search by first letter.
    typed(text.front());
    return true;
}

void ParameterEditor::typed(QChar c)
{
    const int row = m_table.CurrentRow;
    if (m_table.model().parameterOf(row) < 0)
        return;
    if (m_edit.editing() && m_editRow != row)
        cancel();
    if (m_edit.KeyPress(c, m_table.model().cell(row, ValueColumn))) {
        m_editRow = row;
        showBuffer();
    }
}

void ParameterEditor::showBuffer()
{
    if (m_edit.editing())
        m_table.model().setCell(m_editRow, ValueColumn, m_edit.buffer());
}

void ParameterEditor::cancel()
{
    if (m_edit.Cancel())
        m_table.model().setCell(m_editRow, ValueColumn, m_edit.savedText());
    m_editRow = -1;
}

void ParameterEditor::enter()
{
    const int row = m_edit.editing() ? m_editRow : m_table.CurrentRow;
    ParameterGridModel &model = m_table.model();
    const int index = m_session.data.IndexOfComNo(model.cell(row, 1));
    if (index < 0) {
        cancel();
        return;
    }
    const EditBuffer::Accepted accepted = m_edit.Enter(index, model.cell(row, ValueColumn));
    m_editRow = -1;
    model.setCell(row, ValueColumn, accepted.cellText);
    if (!accepted.stored)
        return;
    model.setCell(row, MarkColumn, accepted.changed == 1 ? m_session.messages.text(30) : SixBlanks);
    const bool move = m_session.options.on(Opt::ParaEnt);
    // A filtered display has fewer rows than parameters: the move stops at its last row.
    if (move && row < m_session.data.lastShownIndex + 1 && row + 1 < model.gridRowCount())
        selectValueCell(row + 1, false);
    m_table.RefreshLimitCells();
    updateUndoItems();
}

void ParameterEditor::selectValueCell(int row, bool toTop)
{
    QTableView *grid = m_table.StringGrid1();
    m_table.CurrentRow = row;
    const QModelIndex at = m_table.model().index(row - 1, ValueColumn);
    grid->setCurrentIndex(at);
    grid->selectionModel()->select(at, QItemSelectionModel::ClearAndSelect);
    grid->scrollTo(at, toTop ? QAbstractItemView::PositionAtTop : QAbstractItemView::EnsureVisible);
}

void ParameterEditor::readUndoDepth()
{
    m_session.data.undoRedo.setDepth(m_session.options.value(Opt::UndoMaxSet));
    updateUndoItems();
}

void ParameterEditor::updateUndoItems()
{
    const UndoRedo &lists = m_session.data.undoRedo;
    m_table.setCommandEnabled(QStringLiteral("PopUndo"), lists.undoEnabled());
    m_table.setCommandEnabled(QStringLiteral("PopRedo"), lists.redoEnabled());
}

int ParameterEditor::gridRowOf(int index)
{
    int row = index + 1;
    if (m_table.filterOn()) {
        m_table.resetSearchCursor();
        row = m_table.GridRowOfIndex(index) + 1;
    }
    return m_table.model().parameterOf(row) == index ? row : -1;
}

void ParameterEditor::showStep(int index, int changed)
{
    const int row = index >= 0 ? gridRowOf(index) : -1;
    if (row > 0) {
        QTableView *grid = m_table.StringGrid1();
        const QModelIndex at = m_table.model().index(row - 1, ValueColumn);
        const QRect shown = grid->visualRect(at);
        const bool outside = !shown.isValid() || !grid->viewport()->rect().contains(shown);
        selectValueCell(row, outside);
        const ValueConversion conv(m_session.data);
        m_table.model().setCell(row, ValueColumn, conv.ValueText(m_session.data.uPara.at(index, UPara::Value), index));
        m_table.model().setCell(row, MarkColumn, changed == 1 ? m_session.messages.text(30) : SixBlanks);
    }
    m_table.RefreshLimitCells();
    updateUndoItems();
}

void ParameterEditor::undo()
{
    if (!m_session.data.undoRedo.undoEnabled())
        return;
    cancel();
    ParameterValues values(m_session.data, m_session.messages, m_prompter);
    if (const std::optional<UndoRedo::Step> step = m_session.data.undoRedo.Undo(m_session.data, values))
        showStep(step->index, step->changed);
}

void ParameterEditor::redo()
{
    if (!m_session.data.undoRedo.redoEnabled())
        return;
    cancel();
    ParameterValues values(m_session.data, m_session.messages, m_prompter);
    if (const std::optional<UndoRedo::Step> step = m_session.data.undoRedo.Redo(m_session.data, values))
        showStep(step->index, step->changed);
}
