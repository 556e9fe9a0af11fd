#pragma once

#include <QString>

struct AppFolders;

// The per-model parameter help: "<type>(<language prefix>).chm" in the model folder, or
// ".hlp" when "Use WinHelp as Parameter Help" is on, with one topic per parameter title.
namespace ParameterHelp {

/// The help file's name as formed from the model folder (it may not exist).
QString fileName(const AppFolders &folders, const QString &typeName, const QString &languagePrefix, bool winHelp);
/// The existing help file, its name compared without case; empty when there is none.
QString existingFile(const AppFolders &folders, const QString &typeName, const QString &languagePrefix,
                     bool winHelp);
/// The topic of a parameter inside a compiled-HTML help file: "html\" + title in lower case
/// + ".htm".
QString topic(const QString &title);

}  // namespace ParameterHelp
