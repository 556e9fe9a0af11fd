#pragma once

#include <QString>
#include <QStringList>

// The report font as the settings file keeps it: an index into the system's font list, with
// 10000 for "none chosen", which gives "Arial", or for Japanese the system's gothic font.
namespace ReportFonts {

QStringList families();
/// The family of a stored index for the language in use.
QString familyOf(int index, const QString &languageName);
/// The index to store for a family (10000 when it is not in the list).
int indexOf(const QString &family);
/// The default report font of a language.
QString defaultFamily(const QString &languageName);

}  // namespace ReportFonts
