#include "LanguageFile.h"

#include "AppFolders.h"
#include "MessageTable.h"
#include "base/FileLookup.h"
#include "base/Prompter.h"

#include <QFileInfo>

namespace {

const char *const Caption = "Confirmation";
const char *const NotFound = "Not found Language data file.";
const char *const NotValid = "Selected Language data file is not valid.";
const char *const Closed = "VKR410T is closed.";
const char *const Filter = "Language Data (*.ini)|*.ini|All Files (*.*)|*.*";

}  // namespace

void LanguageFile::open(const QString &path, const QString &languageName)
{
    m_ini.setCodePage(CodePages::forLanguage(languageName));
    m_ini.setPath(path);
}

QString LanguageFile::text(const QString &section, const QString &key, const QString &def) const
{
    return m_ini.readString(section, key, def);
}

bool LanguageFile::load(AppFolders &folders, const QString &languageName, Prompter &prompter,
                        MessageTable &messages)
{
    const QString caption = QString::fromLatin1(Caption);
    QString path = folders.languageFile(languageName);
    if (!QFileInfo(path).isFile()) {
        prompter.warn(QString::fromLatin1(NotFound), caption);
        prompter.pump();
        const QString chosen =
            prompter.chooseFile(QString(), folders.languageFolder, QString::fromLatin1(Filter), 0);
        if (chosen.isEmpty()) {
            prompter.warn(QString::fromLatin1(Closed), caption);
            return false;
        }
        const QFileInfo info(FileLookup::normalize(chosen));
        folders.languageFolder = info.absolutePath();
        path = folders.languageFolder + QLatin1Char('/') + info.fileName();
    }
    open(path, languageName);
    if (!messages.load(m_ini)) {
        prompter.warn(QString::fromLatin1(NotValid) + QLatin1Char('\n') + QString::fromLatin1(Closed), caption);
        return false;
    }
    return true;
}
