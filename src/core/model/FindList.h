#pragma once

#include <QString>
#include <QStringList>

// The forward-only search of the parameter table's find list (one line "ComNo,FName" per
// grid row). The search position moves behind each match; a search that finds nothing
// leaves it where it was, so later searches fail too until the position is reset.
class FindList
{
public:
    /// New lines; the search position goes back to the start unless `keepPosition`.
    void setLines(const QStringList &lines, bool keepPosition = false);
    const QStringList &lines() const { return m_lines; }
    /// Back to the start of the first line.
    void reset();

    /// Line of the next match of `text` from the search position, or -1. `wholeWord`: the
    /// characters around the match are no letters, digits or "_".
    int findNext(const QString &text, bool matchCase, bool wholeWord);

    int line() const { return m_line; }
    int column() const { return m_column; }

private:
    static bool isWordChar(QChar c);
    qsizetype matchIn(const QString &line, qsizetype from, const QString &text, bool matchCase,
                      bool wholeWord) const;

    QStringList m_lines;
    int m_line = 0;
    qsizetype m_column = 0;
};
