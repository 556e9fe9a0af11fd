#include "MonitorFileSave.h"

#include "MonitorFile.h"
#include "base/AtomicFile.h"

namespace MonitorFileSave {

namespace {

// The entries of each dialog, in the order of their filters.
const char *const SaveExtensions[] = {".MON", ".CSV", ".BMP", ".JPG", ".WMF"};
const char *const PictureExtensions[] = {".BMP", ".JPG", ".WMF"};

QString lastFour(const QString &name)
{
    return name.right(4).toUpper();
}

template <size_t N>
int indexIn(const char *const (&list)[N], const QString &extension)
{
    for (size_t i = 0; i < N; ++i) {
        if (extension == QLatin1String(list[i]))
            return int(i);
    }
    return -1;
}

}  // namespace

int preselectedFilter(Dialog dialog, const QString &lastFileName)
{
    const QString ext = lastFour(lastFileName);
    const int index = dialog == Dialog::Save ? indexIn(SaveExtensions, ext) : indexIn(PictureExtensions, ext);
    return std::max(0, index);
}

QString withExtension(Dialog dialog, const QString &name, int filterIndex)
{
    const QString ext = lastFour(name);
    if (dialog == Dialog::Save) {
        if (indexIn(SaveExtensions, ext) >= 0)
            return name;
        return name + QLatin1String(SaveExtensions[qBound(0, filterIndex, 4)]).toString().toLower();
    }
    if (indexIn(PictureExtensions, ext) >= 0)
        return name;
    return name + QLatin1String(PictureExtensions[qBound(0, filterIndex, 2)]).toString().toLower();
}

Format formatOf(const QString &name)
{
    const int index = indexIn(SaveExtensions, lastFour(name));
    return index < 0 ? Format::Mon : Format(index);
}

bool isPicture(Format format)
{
    return format == Format::Bmp || format == Format::Jpg || format == Format::Wmf;
}

bool SaveRecording(const QString &path, const MonitorFile &file, CodePage page, QString *error)
{
    return AtomicFile::write(path, file.build(page), error);
}

}  // namespace MonitorFileSave
