#pragma once

#include "CodePage.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

// An INI file with the semantics of the Windows private-profile services: section and key
// names compared without case, the first match wins, keys listed in file order, values
// trimmed, ";" starts a comment line. Writing one key keeps every other line byte for byte
// and replaces the file atomically. The file is parsed once per change of the file on disk,
// so reading many keys in a row stays cheap.
class IniFile
{
public:
    explicit IniFile(const QString &path = QString(), CodePage page = CodePage::Windows1252);

    QString path() const { return m_path; }
    void setPath(const QString &path);
    void setCodePage(CodePage page);
    bool exists() const;

    QString readString(const QString &section, const QString &key, const QString &def = QString()) const;
    /// A missing key or a value that is not a whole number gives `def`.
    int readInt(const QString &section, const QString &key, int def) const;
    /// An integer value: non-zero is true. Missing or not a number gives `def`.
    bool readBool(const QString &section, const QString &key, bool def) const;
    bool hasKey(const QString &section, const QString &key) const;
    bool hasSection(const QString &section) const;
    QStringList keys(const QString &section) const;
    QStringList sections() const;

    /// Creates the section and the file as needed. False when the file cannot be written.
    bool writeString(const QString &section, const QString &key, const QString &value);
    bool writeInt(const QString &section, const QString &key, int value);
    bool writeBool(const QString &section, const QString &key, bool value);
    bool eraseSection(const QString &section);

    /// Collects the writes that follow in memory (reads see them) until commitBatch() writes
    /// them all as one atomic replace of the file. Batches do not nest.
    void beginBatch();
    /// False when the file could not be written; the file then keeps its old contents and the
    /// collected writes are dropped, so reads give what the file holds.
    bool commitBatch();
    bool inBatch() const { return m_batch; }
    /// Why the last failed write failed, in the system's words.
    QString lastError() const { return m_lastError; }

private:
    struct Line {
        QByteArray text;
        QByteArray end;
    };
    struct Entry {
        QString key;
        QString value;
        int line;
    };
    struct Section {
        QString name;
        int header;    // line index of "[name]", -1 for keys before any section
        int lastLine;  // last line that belongs to the section
        std::vector<Entry> entries;
        QHash<QString, int> byKey;  // lower-case key -> first entry
    };

    void load() const;
    void parse(const QByteArray &bytes) const;
    void reindex() const;
    const Section *findSection(const QString &name) const;
    const Entry *findEntry(const QString &section, const QString &key) const;
    bool save();

    QString m_path;
    QString m_lastError;
    CodePage m_page;
    bool m_batch = false;
    bool m_batchWritten = false;
    mutable bool m_loaded = false;
    mutable bool m_existed = false;
    mutable qint64 m_size = -1;
    mutable QDateTime m_modified;
    mutable std::vector<Line> m_lines;
    mutable std::vector<Section> m_sections;
    mutable QHash<QString, int> m_bySection;  // lower-case name -> first section
};
