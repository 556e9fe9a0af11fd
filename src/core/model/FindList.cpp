#include "FindList.h"

void FindList::setLines(const QStringList &lines, bool keepPosition)
{
    m_lines = lines;
    if (!keepPosition)
        reset();
}

void FindList::reset()
{
    m_line = 0;
    m_column = 0;
}

bool FindList::isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

qsizetype FindList::matchIn(const QString &line, qsizetype from, const QString &text, bool matchCase,
                            bool wholeWord) const
{
    const Qt::CaseSensitivity cs = matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    for (qsizetype at = line.indexOf(text, from, cs); at >= 0; at = line.indexOf(text, at + 1, cs)) {
        if (!wholeWord)
            return at;
        const qsizetype end = at + text.size();
        const bool startsWord = at == 0 || !isWordChar(line.at(at - 1));
        const bool endsWord = end >= line.size() || !isWordChar(line.at(end));
        if (startsWord && endsWord)
            return at;
    }
    return -1;
}

int FindList::findNext(const QString &text, bool matchCase, bool wholeWord)
{
    if (text.isEmpty())
        return -1;
    for (int l = m_line; l < m_lines.size(); ++l) {
        const qsizetype at = matchIn(m_lines.at(l), l == m_line ? m_column : 0, text, matchCase, wholeWord);
        if (at >= 0) {
            m_line = l;
            m_column = at + text.size();
            return l;
        }
    }
    return -1;
}
