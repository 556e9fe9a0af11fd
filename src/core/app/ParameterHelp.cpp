#include "ParameterHelp.h"

#include "AppFolders.h"
#include "base/FileLookup.h"

#include <QFileInfo>

namespace ParameterHelp {

QString fileName(const AppFolders &folders, const QString &typeName, const QString &languagePrefix, bool winHelp)
{
    return folders.modelFolder + QLatin1Char('/') + typeName + QLatin1Char('(') + languagePrefix
        + (winHelp ? QStringLiteral(").hlp") : QStringLiteral(").chm"));
}

QString existingFile(const AppFolders &folders, const QString &typeName, const QString &languagePrefix,
                     bool winHelp)
{
    if (folders.modelFolder.isEmpty() || typeName.isEmpty())
        return {};
    const QString path = FileLookup::resolve(fileName(folders, typeName, languagePrefix, winHelp));
    return QFileInfo(path).isFile() ? path : QString();
}

QString topic(const QString &title)
{
    return QStringLiteral("html\\") + title.trimmed().toLower() + QStringLiteral(".htm");
}

}  // namespace ParameterHelp
