#include "SplitFields.h"

namespace {

bool isBlank(QChar c)
{
    switch (c.unicode()) {
    case ' ':
    case '\t':
    case '\r':
    case '\n':
    case '\v':
    case '\f':
        return true;
    default:
        return false;
    }
}

}  // namespace

QStringList SplitFields(QStringView line)
{
    QStringList fields;
    QString current;
    bool quoted = false;
    const qsizetype n = line.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = line[i];
        if (c == QLatin1Char('"')) {
            if (i + 1 < n && line[i + 1] == QLatin1Char('"'))
                current += QLatin1Char('\'');
            else
                quoted = !quoted;
        } else if (!quoted && c == QLatin1Char(',')) {
            fields.append(current);
            current.clear();
        } else if (quoted || !isBlank(c)) {
            current += c;
        }
    }
    fields.append(current);
    return fields;
}
