#pragma once

#include <QItemSelection>
#include <QString>

class ParameterGridModel;

// The grid selection as text a spreadsheet pastes: a title line, then one line per selected
// row, each starting with the row's title column (fixed, never selected) followed by a tab
// and the cell for every selected column; lines end with CR LF.
namespace ParameterCopy {

/// The text of the rectangle spanning `selection` (model rows and columns); empty for an
/// empty selection.
QString text(const ParameterGridModel &model, const QItemSelection &selection);

}  // namespace ParameterCopy
