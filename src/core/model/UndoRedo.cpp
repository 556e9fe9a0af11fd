#include "UndoRedo.h"

#include "DriveData.h"
#include "NumberText.h"
#include "ParameterValues.h"

#include <limits>

namespace {

void dropOldest(QStringList &comNos, QStringList &values, qsizetype keep)
{
    const qsizetype extra = comNos.size() - qMax<qsizetype>(0, keep);
    if (extra <= 0)
        return;
    comNos.remove(0, extra);
    values.remove(0, extra);
}

}  // namespace

void UndoRedo::setDepth(int depth)
{
    m_depth = qBound(0, depth, MaxDepth);
    dropOldest(m_undoComNo, m_undoVal, m_depth);
    dropOldest(m_redoComNo, m_redoVal, m_depth - undoCount());
}

void UndoRedo::clear()
{
    m_undoComNo.clear();
    m_undoVal.clear();
    m_redoComNo.clear();
    m_redoVal.clear();
}

void UndoRedo::RecordEntry(const QString &comNo, const QString &before)
{
    m_undoComNo.append(comNo);
    m_undoVal.append(before);
    m_redoComNo.clear();
    m_redoVal.clear();
    dropOldest(m_undoComNo, m_undoVal, m_depth);
}

std::optional<UndoRedo::Step> UndoRedo::move(QStringList &fromComNo, QStringList &fromVal, QStringList &toComNo,
                                             QStringList &toVal, DriveData &data, ParameterValues &values)
{
    if (fromComNo.isEmpty())
        return std::nullopt;
    Step step;
    step.comNo = fromComNo.takeLast();
    const QString value = fromVal.takeLast();
    step.index = data.IndexOfComNo(step.comNo);
    toComNo.append(step.comNo);
    toVal.append(data.isIndex(step.index) ? data.uPara.at(step.index, UPara::Value) : value);
    if (data.isIndex(step.index)) {
        data.uPara.setAt(step.index, UPara::Value, value);
        const double number = NumberText::parse(value).value_or(std::numeric_limits<double>::quiet_NaN());
        step.changed = values.MarkChanged(step.comNo, number);
    } else {
        step.index = -1;
    }
    return step;
}

std::optional<UndoRedo::Step> UndoRedo::Undo(DriveData &data, ParameterValues &values)
{
    return move(m_undoComNo, m_undoVal, m_redoComNo, m_redoVal, data, values);
}

std::optional<UndoRedo::Step> UndoRedo::Redo(DriveData &data, ParameterValues &values)
{
    return move(m_redoComNo, m_redoVal, m_undoComNo, m_undoVal, data, values);
}
