#pragma once

#include <QString>
#include <QStringList>
#include <deque>

// The last lines of the communication log, for a window that shows it live and for saving it:
// memory stays bounded however long the tool runs.
class CommLogBuffer
{
public:
    explicit CommLogBuffer(int maxLines = 20000);

    void append(const QString &line);
    void clear();
    int maxLines() const { return m_maxLines; }
    /// Lines appended since the start, including those no longer held.
    qint64 appended() const { return m_appended; }
    /// The held lines that came after the first `count` ever appended.
    QStringList linesAfter(qint64 count) const;
    /// Every held line, each ended by a line feed.
    QString text() const;
    /// Writes the held lines to `path` atomically; false with the reason in *error.
    bool save(const QString &path, QString *error = nullptr) const;

private:
    int m_maxLines;
    std::deque<QString> m_lines;
    qint64 m_appended = 0;
};
