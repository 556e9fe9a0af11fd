#include "CommLogBuffer.h"

#include "base/AtomicFile.h"

#include <algorithm>

CommLogBuffer::CommLogBuffer(int maxLines) : m_maxLines(std::max(maxLines, 1))
{
}

void CommLogBuffer::append(const QString &line)
{
    if (int(m_lines.size()) == m_maxLines)
        m_lines.pop_front();
    m_lines.push_back(line);
    ++m_appended;
}

void CommLogBuffer::clear()
{
    m_lines.clear();
}

QStringList CommLogBuffer::linesAfter(qint64 count) const
{
    const qint64 firstHeld = m_appended - qint64(m_lines.size());
    QStringList out;
    for (qint64 i = std::max(count, firstHeld); i < m_appended; ++i)
        out.append(m_lines[size_t(i - firstHeld)]);
    return out;
}

QString CommLogBuffer::text() const
{
    QString out;
    for (const QString &line : m_lines)
        out += line + QLatin1Char('\n');
    return out;
}

bool CommLogBuffer::save(const QString &path, QString *error) const
{
    return AtomicFile::write(path, text().toUtf8(), error);
}
