#include "HelpViewer.h"

#include "base/FileLookup.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace HelpViewer {

bool open(const QString &path)
{
    const QString file = FileLookup::resolve(path);
    if (!QFileInfo(file).isFile())
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(file));
}

}  // namespace HelpViewer
