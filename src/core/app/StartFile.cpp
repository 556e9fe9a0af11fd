#include "StartFile.h"

#include "base/CodePage.h"
#include "base/FileRead.h"
#include "base/TextFile.h"

namespace {

int leadingInt(const QString &text)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok ? v : 0;
}

// Language names are compared without case, as the settings file's key names are.
int languageIndexOf(const QString &name, const QStringList &languages)
{
    for (qsizetype i = 0; i < languages.size(); ++i) {
        if (languages.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

}  // namespace

QString StartFile::errorText()
{
    return QStringLiteral("Data is incorrect.");
}

QString StartFile::errorCaption(Error error)
{
    switch (error) {
    case Error::FileType:
        return QStringLiteral("Confirmation (File-type error)");
    case Error::Data:
        return QStringLiteral("Confirmation (Data error)");
    case Error::Language:
        return QStringLiteral("Confirmation (Language error)");
    case Error::None:
        break;
    }
    return QStringLiteral("Confirmation");
}

StartFile StartFile::read(const QString &path, const QStringList &languages)
{
    StartFile f;
    if (path.right(4).toUpper() != QLatin1String(".VKR")) {
        f.error = Error::FileType;
        return f;
    }
    QByteArray bytes;
    if (!FileRead::readAll(path, FileRead::TextLimit, &bytes, &f.reason)) {
        f.error = Error::Data;
        return f;
    }
    f.lines = TextFile::splitLines(CodePages::decode(bytes, CodePage::Windows1252));
    if (f.lines.isEmpty() || f.lines.first() != QLatin1String("###")) {
        f.error = Error::Data;
        return f;
    }
    f.languageIndex = languageIndexOf(f.lines.value(4), languages);
    if (f.languageIndex < 0) {
        f.error = Error::Language;
        return f;
    }
    // The name as the settings file spells it, which is also the language file's name.
    f.languageName = languages.at(f.languageIndex);
    // The comment is in the language's code page.
    f.lines = TextFile::splitLines(CodePages::decode(bytes, CodePages::forLanguage(f.languageName)));
    f.typeName = f.lines.value(1);
    f.formName = f.lines.value(2);
    f.cpuVersion = f.lines.value(3);
    const QString comment = f.lines.value(5);
    f.commentsChk = comment != QLatin1String("No Comments.");
    f.commentsText = f.commentsChk ? comment : QString();
    f.blindMode = leadingInt(f.lines.value(6)) != 0;
    f.blindCount = leadingInt(f.lines.value(7));
    return f;
}
