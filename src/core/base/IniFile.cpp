#include "IniFile.h"

#include "AtomicFile.h"
#include "FileRead.h"

#include <QFileInfo>

IniFile::IniFile(const QString &path, CodePage page)
    : m_path(path)
    , m_page(page)
{
}

void IniFile::setPath(const QString &path)
{
    m_path = path;
    m_loaded = false;
}

void IniFile::setCodePage(CodePage page)
{
    m_page = page;
    m_loaded = false;
}

bool IniFile::exists() const
{
    return !m_path.isEmpty() && QFileInfo(m_path).isFile();
}

void IniFile::load() const
{
    // The collected writes of a batch are the truth until it is committed.
    if (m_batch && m_loaded)
        return;
    const QFileInfo info(m_path);
    const bool exists = !m_path.isEmpty() && info.isFile();
    const qint64 size = exists ? info.size() : -1;
    const QDateTime modified = exists ? info.lastModified() : QDateTime();
    if (m_loaded && exists == m_existed && size == m_size && modified == m_modified)
        return;
    // A file that cannot be read, or is too large to be one, reads as empty.
    QByteArray bytes;
    if (exists && !FileRead::readAll(m_path, FileRead::IniLimit, &bytes))
        bytes.clear();
    parse(bytes);
    m_loaded = true;
    m_existed = exists;
    m_size = size;
    m_modified = modified;
}

void IniFile::parse(const QByteArray &bytes) const
{
    m_lines.clear();
    qsizetype start = 0;
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = bytes.at(i);
        if (c != '\r' && c != '\n')
            continue;
        qsizetype endLen = (c == '\r' && i + 1 < n && bytes.at(i + 1) == '\n') ? 2 : 1;
        m_lines.push_back({bytes.mid(start, i - start), bytes.mid(i, endLen)});
        i += endLen - 1;
        start = i + 1;
    }
    if (start < n)
        m_lines.push_back({bytes.mid(start), QByteArray()});
    reindex();
}

// One pair of surrounding double or single quotes is taken off, as the Windows profile
// services do.
static QString unquote(const QString &value)
{
    if (value.size() < 2)
        return value;
    const QChar first = value.front();
    if ((first == QLatin1Char('"') || first == QLatin1Char('\'')) && value.back() == first)
        return value.mid(1, value.size() - 2);
    return value;
}

void IniFile::reindex() const
{
    m_sections.clear();
    m_bySection.clear();
    m_sections.push_back({QString(), -1, -1, {}, {}});
    for (int i = 0; i < int(m_lines.size()); ++i) {
        const QString line = CodePages::decode(m_lines[i].text, m_page).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';'))) {
            continue;
        }
        if (line.startsWith(QLatin1Char('['))) {
            qsizetype close = line.indexOf(QLatin1Char(']'));
            const QString name = line.mid(1, close < 0 ? -1 : close - 1).trimmed();
            m_sections.push_back({name, i, i, {}, {}});
            m_bySection.insert(name.toLower(), int(m_sections.size()) - 1);  // later ones overwritten below
            continue;
        }
        Section &s = m_sections.back();
        s.lastLine = i;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        const QString key = line.left(eq).trimmed();
        s.entries.push_back({key, unquote(line.mid(eq + 1).trimmed()), i});
        const QString lower = key.toLower();
        if (!s.byKey.contains(lower))
            s.byKey.insert(lower, int(s.entries.size()) - 1);
    }
    // The first section of a name wins.
    m_bySection.clear();
    for (int k = int(m_sections.size()) - 1; k >= 1; --k)
        m_bySection.insert(m_sections[k].name.toLower(), k);
}

const IniFile::Section *IniFile::findSection(const QString &name) const
{
    load();
    const auto it = m_bySection.constFind(name.toLower());
    return it == m_bySection.constEnd() ? nullptr : &m_sections[*it];
}

const IniFile::Entry *IniFile::findEntry(const QString &section, const QString &key) const
{
    const Section *s = findSection(section);
    if (!s)
        return nullptr;
    const auto it = s->byKey.constFind(key.toLower());
    return it == s->byKey.constEnd() ? nullptr : &s->entries[*it];
}

QString IniFile::readString(const QString &section, const QString &key, const QString &def) const
{
    const Entry *e = findEntry(section, key);
    return e ? e->value : def;
}

int IniFile::readInt(const QString &section, const QString &key, int def) const
{
    const Entry *e = findEntry(section, key);
    if (!e)
        return def;
    bool ok = false;
    const int v = e->value.toInt(&ok);
    return ok ? v : def;
}

bool IniFile::readBool(const QString &section, const QString &key, bool def) const
{
    return readInt(section, key, def ? 1 : 0) != 0;
}

bool IniFile::hasKey(const QString &section, const QString &key) const
{
    return findEntry(section, key) != nullptr;
}

bool IniFile::hasSection(const QString &section) const
{
    return findSection(section) != nullptr;
}

QStringList IniFile::keys(const QString &section) const
{
    QStringList result;
    const Section *s = findSection(section);
    if (!s)
        return result;
    for (const Entry &e : s->entries) {
        if (s->byKey.value(e.key.toLower()) == int(&e - s->entries.data()))
            result.append(e.key);
    }
    return result;
}

QStringList IniFile::sections() const
{
    load();
    QStringList result;
    for (size_t k = 1; k < m_sections.size(); ++k) {
        if (m_bySection.value(m_sections[k].name.toLower()) == int(k))
            result.append(m_sections[k].name);
    }
    return result;
}

bool IniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    load();
    const QByteArray newLine = CodePages::encode(key + QLatin1Char('=') + value, m_page);
    if (const Entry *e = findEntry(section, key)) {
        m_lines[e->line].text = CodePages::encode(e->key + QLatin1Char('=') + value, m_page);
    } else if (const Section *s = findSection(section)) {
        const int at = s->lastLine + 1;
        if (m_lines[at - 1].end.isEmpty())
            m_lines[at - 1].end = "\r\n";
        m_lines.insert(m_lines.begin() + at, Line{newLine, "\r\n"});
    } else {
        if (!m_lines.empty() && m_lines.back().end.isEmpty())
            m_lines.back().end = "\r\n";
        m_lines.push_back({CodePages::encode(QLatin1Char('[') + section + QLatin1Char(']'), m_page), "\r\n"});
        m_lines.push_back({newLine, "\r\n"});
    }
    reindex();
    return save();
}

bool IniFile::writeInt(const QString &section, const QString &key, int value)
{
    return writeString(section, key, QString::number(value));
}

bool IniFile::writeBool(const QString &section, const QString &key, bool value)
{
    return writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool IniFile::eraseSection(const QString &section)
{
    const Section *s = findSection(section);
    if (!s)
        return true;
    m_lines.erase(m_lines.begin() + s->header, m_lines.begin() + s->lastLine + 1);
    reindex();
    return save();
}

void IniFile::beginBatch()
{
    load();
    m_batch = true;
}

bool IniFile::commitBatch()
{
    if (!m_batch)
        return true;
    m_batch = false;
    if (!m_batchWritten)
        return true;
    m_batchWritten = false;
    return save();
}

bool IniFile::save()
{
    if (m_batch) {
        m_batchWritten = true;
        return true;
    }
    QByteArray bytes;
    for (const Line &line : m_lines) {
        bytes += line.text;
        bytes += line.end;
    }
    const bool ok = AtomicFile::write(m_path, bytes, &m_lastError);
    // Parse again from disk on the next read if the write failed, so the cache never
    // claims what the file does not hold.
    if (!ok) {
        m_loaded = false;
        return false;
    }
    const QFileInfo info(m_path);
    m_existed = true;
    m_size = info.size();
    m_modified = info.lastModified();
    return true;
}
