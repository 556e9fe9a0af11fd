#include "TextFile.h"

#include "AtomicFile.h"
#include "FileRead.h"

namespace TextFile {

QStringList splitLines(const QString &text)
{
    QStringList lines;
    const qsizetype n = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines.append(text.mid(start, i - start));
        if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

bool readLines(const QString &path, CodePage page, QStringList *lines, QString *error)
{
    QByteArray bytes;
    if (!FileRead::readAll(path, FileRead::TextLimit, &bytes, error))
        return false;
    *lines = splitLines(CodePages::decode(bytes, page));
    return true;
}

bool writeLines(const QString &path, const QStringList &lines, CodePage page, QString *error)
{
    QString text;
    qsizetype size = 0;
    for (const QString &line : lines)
        size += line.size() + 2;
    text.reserve(size);
    for (const QString &line : lines) {
        text += line;
        text += QLatin1String("\r\n");
    }
    return AtomicFile::write(path, CodePages::encode(text, page), error);
}

}  // namespace TextFile
