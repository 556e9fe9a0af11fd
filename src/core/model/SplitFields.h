#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

/// Splits one line of a definition, capacity or parameter file at its commas.
/// A double quote switches quoting on and off and is not copied; two double quotes in a
/// row copy an apostrophe for the first and treat the second as a quote of its own.
/// Outside quotes, blanks (space, tab, CR, LF, VT, FF) are dropped and a comma ends the
/// field; inside quotes both are kept. The text after the last comma is the last field,
/// so a line always gives at least one field.
/// Double-byte characters are single characters of the decoded text, and no Shift-JIS
/// trail byte is a comma, a quote or a blank, so decoded text splits as the raw bytes would.
QStringList SplitFields(QStringView line);

