#include "StartFile.h"

#include "base/CodePage.h"
#include "base/TextFile.h"

#include <QFile>

namespace {

int leadingInt(const QString &text)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok ? v : 0;
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
    QFile file(path);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    f.lines = TextFile::splitLines(CodePages::decode(bytes, CodePage::Windows1252));
    if (f.lines.isEmpty() || f.lines.first() != QLatin1String("###")) {
        f.error = Error::Data;
        return f;
    }
    f.languageName = f.lines.value(4);
    f.languageIndex = int(languages.indexOf(f.languageName));
    if (f.languageIndex < 0) {
        f.error = Error::Language;
        return f;
    }
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
