#include "CodePage.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

const char *codecName(CodePage page)
{
    switch (page) {
    case CodePage::ShiftJis:
        return "Shift_JIS";
    case CodePage::Utf8:
        return "UTF-8";
    case CodePage::Windows1252:
        break;
    }
    return "windows-1252";
}

bool hasUtf8Bom(const QByteArray &bytes)
{
    return bytes.startsWith("\xEF\xBB\xBF");
}

}  // namespace

namespace CodePages {

CodePage forLanguage(const QString &languageName)
{
    return forPrefix(languageName.left(3));
}

CodePage forPrefix(const QString &languagePrefix)
{
    return languagePrefix.compare(QLatin1String("Jap"), Qt::CaseInsensitive) == 0 ? CodePage::ShiftJis
                                                                                   : CodePage::Windows1252;
}

QString decode(const QByteArray &bytes, CodePage page)
{
    if (hasUtf8Bom(bytes))
        return QString::fromUtf8(bytes.constData() + 3, bytes.size() - 3);
    if (page == CodePage::Utf8)
        return QString::fromUtf8(bytes);
    QStringDecoder decoder(codecName(page));
    if (!decoder.isValid())
        return QString::fromLatin1(bytes);
    return decoder.decode(bytes);
}

QByteArray encode(const QString &text, CodePage page)
{
    if (page == CodePage::Utf8)
        return text.toUtf8();
    QStringEncoder encoder(codecName(page));
    if (!encoder.isValid())
        return text.toLatin1();
    return encoder.encode(text);
}

}  // namespace CodePages
