#pragma once

#include "base/IniFile.h"

#include <QString>

struct AppFolders;
class MessageTable;
class Prompter;

// The selected language file: screen texts by section and key, each with its built-in
// English default, and the message table of [General].
class LanguageFile
{
public:
    void open(const QString &path, const QString &languageName);
    QString path() const { return m_ini.path(); }
    const IniFile &ini() const { return m_ini; }

    /// The text of [section] key, or `def` when the key is missing.
    QString text(const QString &section, const QString &key, const QString &def) const;

    /// Finds and checks the language file and fills `messages`. When the file is missing the
    /// user may pick one (its folder becomes the language folder). False: the start-up fails.
    bool load(AppFolders &folders, const QString &languageName, Prompter &prompter, MessageTable &messages);

private:
    IniFile m_ini;
};
