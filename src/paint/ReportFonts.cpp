#include "ReportFonts.h"

#include "report/PageSetup.h"

#include <QFontDatabase>
#include <QFontInfo>

namespace ReportFonts {

QStringList families()
{
    return QFontDatabase::families();
}

QString defaultFamily(const QString &languageName)
{
    // "Arial", or the face the system puts in its place where it is not installed.
    const QString arial = QFontInfo(QFont(QStringLiteral("Arial"))).family();
    if (languageName.compare(QLatin1String("Japanese"), Qt::CaseInsensitive) != 0)
        return arial;
    // The gothic (sans-serif) face among the fonts that write Japanese, else any of them.
    const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
    for (const QString &family : japanese) {
        if (family.contains(QLatin1String("Gothic"), Qt::CaseInsensitive) && !family.contains(QLatin1String(" P")))
            return family;
    }
    return japanese.isEmpty() ? arial : japanese.first();
}

QString familyOf(int index, const QString &languageName)
{
    const QStringList all = families();
    if (index >= 0 && index < all.size() && index != PageSetup::NoFontStored)
        return all.at(index);
    return defaultFamily(languageName);
}

int indexOf(const QString &family)
{
    const qsizetype at = families().indexOf(family);
    return at < 0 ? PageSetup::NoFontStored : int(at);
}

}  // namespace ReportFonts
