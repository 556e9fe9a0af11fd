#pragma once

#include "base/CodePage.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

// The text of a result report, line by line, as the result window shows and saves it: the
// column header and the difference and error lines of a comparison, the error lines of an
// import or export. Saved as the lines in the language's code page, each ended by CR LF.
class TransferReport
{
public:
    void clear() { m_lines.clear(); }
    void append(const QString &line) { m_lines.append(line); }
    void append(const QStringList &lines) { m_lines.append(lines); }
    void insertFirst(const QString &line) { m_lines.prepend(line); }
    const QStringList &lines() const { return m_lines; }
    bool isEmpty() const { return m_lines.isEmpty(); }

    /// The lines joined by line feeds, for showing.
    QString text() const { return m_lines.join(u'\n'); }
    /// The bytes of the saved file.
    QByteArray bytes(CodePage page) const;

    /// Six blanks, then the three column titles, each right-aligned in ten characters, two
    /// blanks apart.
    static QString columnHeader(const QString &drive, const QString &table, const QString &title);
    /// "TITLE: DRIVE ,TABLE  (NAME)" with both values right-aligned in ten characters; a title
    /// of two or three characters is first padded on the left to four.
    static QString differenceLine(const QString &title, const QString &driveValue, const QString &tableValue,
                                  const QString &name);
    static QString errorLine(const QString &title, const QString &name);

    /// Writes the report atomically. False with *error set when it could not be written;
    /// an existing file is then left as it was.
    bool save(const QString &path, CodePage page, QString *error = nullptr) const;

    /// The time-stamped name of an automatic save: full date and time, "2026-12-08_13h05m09s.txt".
    static QString automaticName(const QDateTime &when);
    /// Saves under the automatic name in `folder` and never replaces a file: when the name is
    /// taken, "-1", "-2", ... are added before ".txt". The path written goes to *path.
    bool saveAutomatic(const QString &folder, const QDateTime &when, CodePage page, QString *path,
                       QString *error = nullptr) const;

private:
    QStringList m_lines;
};
