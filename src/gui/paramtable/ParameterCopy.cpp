#include "ParameterCopy.h"

#include "ParameterGridModel.h"

namespace ParameterCopy {

QString text(const ParameterGridModel &model, const QItemSelection &selection)
{
    if (selection.isEmpty())
        return {};
    int top = selection.first().top(), bottom = selection.first().bottom();
    int left = selection.first().left(), right = selection.first().right();
    for (const QItemSelectionRange &range : selection) {
        top = qMin(top, range.top());
        bottom = qMax(bottom, range.bottom());
        left = qMin(left, range.left());
        right = qMax(right, range.right());
    }
    const QString tab = QStringLiteral("\t");
    const QString lineEnd = QStringLiteral("\r\n");
    QString out = model.cell(0, 0);
    for (int c = left; c <= right; ++c)
        out += tab + model.cell(0, c);
    out += lineEnd;
    // Model row r is grid row r + 1: the title row is grid row 0.
    for (int r = top + 1; r <= bottom + 1; ++r) {
        out += model.cell(r, 0);
        for (int c = left; c <= right; ++c)
            out += tab + model.cell(r, c);
        out += lineEnd;
    }
    return out;
}

}  // namespace ParameterCopy
