#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class DriveData;
class ParameterValues;

// The undo and redo lists of values accepted in the parameter table. Each entry names one
// parameter by its communication number and holds a raw value text: an undo entry the value
// before the change, a redo entry the value before the undo. Oldest entry first; the count
// of each list is always the number of entries it holds.
class UndoRedo
{
public:
    static constexpr int MaxDepth = 100;

    /// The parameter an undo or redo changed and the changed mark it now has.
    struct Step {
        int index = -1;  // -1 when the number is no longer defined
        QString comNo;
        int changed = 0;
    };

    /// Depth from "Max. Times of Undo" (0 to 100). A lower depth trims both lists, oldest
    /// first, so that undoing and redoing never holds more than `depth` entries.
    void setDepth(int depth);
    int depth() const { return m_depth; }

    /// Both lists emptied.
    void clear();
    /// An accepted entry: `before` is the raw value the parameter had. Empties the redo list;
    /// beyond the depth the oldest entry is dropped (with depth 0, this one).
    void RecordEntry(const QString &comNo, const QString &before);

    bool undoEnabled() const { return !m_undoComNo.isEmpty(); }
    bool redoEnabled() const { return !m_redoComNo.isEmpty(); }
    int undoCount() const { return int(m_undoComNo.size()); }
    int redoCount() const { return int(m_redoComNo.size()); }
    const QStringList &UndoComNo() const { return m_undoComNo; }
    const QStringList &UndoVal() const { return m_undoVal; }
    const QStringList &RedoComNo() const { return m_redoComNo; }
    const QStringList &RedoVal() const { return m_redoVal; }

    /// Puts the newest undo entry's value back into "Value" and marks the change anew; the
    /// value it replaces goes to the redo list. Nothing when the list is empty.
    std::optional<Step> Undo(DriveData &data, ParameterValues &values);
    /// The mirror image of Undo.
    std::optional<Step> Redo(DriveData &data, ParameterValues &values);

private:
    static std::optional<Step> move(QStringList &fromComNo, QStringList &fromVal, QStringList &toComNo,
                                    QStringList &toVal, DriveData &data, ParameterValues &values);

    int m_depth = 10;
    QStringList m_undoComNo, m_undoVal, m_redoComNo, m_redoVal;
};
