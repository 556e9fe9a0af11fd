#include "SplitFields.h"

#include <QVarLengthArray>

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
    fields.reserve(20);
    // Characters of the field being read; each finished field costs one exact allocation.
    QVarLengthArray<QChar, 256> current;
    const auto finish = [&] {
        fields.append(QString(current.constData(), current.size()));
        current.clear();
    };
    bool quoted = false;
    const qsizetype n = line.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = line[i];
        if (c == QLatin1Char('"')) {
            if (i + 1 < n && line[i + 1] == QLatin1Char('"'))
                current.append(QLatin1Char('\''));
            else
                quoted = !quoted;
        } else if (!quoted && c == QLatin1Char(',')) {
            finish();
        } else if (quoted || !isBlank(c)) {
            current.append(c);
        }
    }
    finish();
    return fields;
}
