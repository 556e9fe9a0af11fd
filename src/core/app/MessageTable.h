#pragma once

#include <QString>
#include <QStringList>

class IniFile;

// The language messages: the values of the [General] keys of the language file, addressed by
// position. Language message k is entry k counted from 0, whatever the keys are named, so a
// key left out moves every later message up by one.
class MessageTable
{
public:
    /// Fills the table from [General]; false when the section has no keys.
    bool load(const IniFile &languageFile);
    void clear();

    bool isEmpty() const { return m_messages.isEmpty(); }
    int count() const { return int(m_messages.size()); }
    /// Message k, or "-" when the file has no such entry.
    QString text(int k) const;
    /// Caption of every message box: message 0, "Confirmation" before a file is loaded.
    QString caption() const;

    QStringList msgSec() const { return m_keys; }
    QStringList messages() const { return m_messages; }

private:
    QStringList m_keys;
    QStringList m_messages;
};
