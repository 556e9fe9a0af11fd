#include "ParameterFile.h"

#include "app/DriveSelection.h"
#include "base/CodePage.h"
#include "base/TextFile.h"
#include "model/DriveData.h"
#include "model/SplitFields.h"


namespace {

const QString One = QStringLiteral("1");

int wholeNumber(const QString &text)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok ? v : 0;
}

QString commentOf(const QString &line)
{
    return line == ParameterFile::noComments() ? QString() : line;
}

}  // namespace

QString ParameterFile::noComments()
{
    return QStringLiteral("No Comments.");
}

ParameterFile::Layout ParameterFile::layoutOf(const QStringList &lines)
{
    if (lines.isEmpty())
        return Layout::Unknown;
    const QString &mark = lines.first();
    if (mark == QLatin1String("###"))
        return Layout::Current;
    if (mark == QLatin1String("##"))
        return Layout::Older;
    if (mark == QLatin1String("#"))
        return Layout::Oldest;
    return Layout::Unknown;
}

ParameterFile ParameterFile::parseHeader(const QStringList &lines)
{
    ParameterFile f;
    f.layout = layoutOf(lines);
    f.typeName = lines.value(1);
    f.formName = lines.value(2);
    switch (f.layout) {
    case Layout::Current:
        f.cpuVersion = lines.value(3);
        f.languageName = lines.value(4);
        f.comment = commentOf(lines.value(5));
        f.blindMode = wholeNumber(lines.value(6)) != 0;
        f.blindCount = wholeNumber(lines.value(7));
        f.firstParameterLine = 8;
        break;
    case Layout::Older:
        f.comment = commentOf(lines.value(3));
        f.blindMode = wholeNumber(lines.value(4)) != 0;
        f.blindCount = wholeNumber(lines.value(5));
        f.firstParameterLine = 6;
        break;
    case Layout::Oldest:
        f.comment = commentOf(lines.value(3));
        f.firstParameterLine = 4;
        break;
    case Layout::Unknown:
        break;
    }
    return f;
}

int ParameterFile::specialSetupMessage(const QStringList &lines)
{
    const qsizetype end = qMin<qsizetype>(lines.size(), MaxLines);
    for (qsizetype i = 0; i < end; ++i) {
        const QStringList fields = SplitFields(lines.at(i));
        const QString &comNo = fields.first();
        if (comNo == QLatin1String("0998") && fields.value(1) != One)
            return 103;
        if (comNo == QLatin1String("0999") && fields.value(1) != QLatin1String("2"))
            return 104;
    }
    return 0;
}

bool ParameterFile::looksLikeConfigFile(const QStringList &lines)
{
    return lines.value(3).contains(QLatin1String("Created By"));
}

QStringList ParameterFile::headerLines(const DriveSelection &selection, const QString &comment, bool blindMode,
                                       int blindCount)
{
    return {QStringLiteral("###"), selection.typeName, selection.formName, selection.cpuVersion,
            selection.languageName, comment.isEmpty() ? noComments() : comment,
            blindMode ? One : QStringLiteral("0"), QString::number(blindCount)};
}

QStringList ParameterFile::build(const DriveData &data, const DriveSelection &selection, const QString &comment,
                                 bool blindMode, int blindCount, bool changedOnly)
{
    QStringList lines = headerLines(selection, comment, blindMode, blindCount);
    lines.reserve(8 + data.parameterCount());
    const QChar comma(QLatin1Char(','));
    for (int i = 0; i <= data.lastIndex; ++i) {
        const UPara &u = data.uPara;
        if (changedOnly && !u.flag(i, UPara::ChangeIndex) && !u.flag(i, UPara::BlindIndex))
            continue;
        lines << data.paraDat.at(i, ParaDat::ComNo) + comma + u.at(i, UPara::Value) + comma
                + u.at(i, UPara::SelectIndex) + comma + u.at(i, UPara::BlindIndex);
    }
    return lines;
}

bool ParameterFile::readLines(const QString &path, const QString &languagePrefix, QStringList *lines,
                              QString *error)
{
    return TextFile::readLines(path, CodePages::forPrefix(languagePrefix), lines, error);
}

bool ParameterFile::writeLines(const QString &path, const QString &languagePrefix, const QStringList &lines,
                               QString *error)
{
    return TextFile::writeLines(path, lines, CodePages::forPrefix(languagePrefix), error);
}
