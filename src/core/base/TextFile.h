#pragma once

#include "CodePage.h"

#include <QString>
#include <QStringList>

// Line-oriented text files: read whole and decoded once; CR LF, LF and CR all end a line
// when read, CR LF is written.
namespace TextFile {

/// Splits decoded text into lines. A final line end does not add an empty line.
QStringList splitLines(const QString &text);

/// Reads the whole file. False with *error set to the reason when the file cannot be read,
/// is not a regular file or is larger than FileRead::TextLimit.
bool readLines(const QString &path, CodePage page, QStringList *lines, QString *error = nullptr);

/// Joins the lines with CR LF after each and writes the file atomically.
bool writeLines(const QString &path, const QStringList &lines, CodePage page, QString *error = nullptr);

}  // namespace TextFile
