#include "DialogFilter.h"

#include <QStringList>

namespace {

QStringList entries(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts.at(i).trimmed();
        const QString pattern = parts.at(i + 1).trimmed();
        QString patterns = pattern;
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        if (!description.contains(QLatin1Char('(')))
            description += QStringLiteral(" (") + patterns + QLatin1Char(')');
        result.append(description);
    }
    return result;
}

}  // namespace

namespace DialogFilter {

QString toQt(const QString &filter)
{
    return entries(filter).join(QStringLiteral(";;"));
}

QString entry(const QString &filter, int index)
{
    return entries(filter).value(index);
}

}  // namespace DialogFilter
