#include "Version.h"

#include <QDateTime>
#include <QLocale>

namespace Version {

QString number()
{
    return QStringLiteral(VKR_PROJECT_VERSION);
}

QString buildDate()
{
    // __DATE__ is "Mmm dd yyyy" with the day padded by a blank.
    const QString date = QString::fromLatin1(__DATE__).simplified();
    const QDateTime when(QLocale::c().toDate(date, QStringLiteral("MMM d yyyy")),
                         QTime::fromString(QStringLiteral(__TIME__), QStringLiteral("hh:mm:ss")));
    return when.isValid() ? when.toString(QStringLiteral("yyyy-MM-dd hh:mm")) : date;
}

}  // namespace Version
