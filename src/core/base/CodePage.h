#pragma once

#include <QByteArray>
#include <QString>

// Text files of the drive data, the language files and the parameter files are in the
// code page of their language: Shift-JIS (CP932) for Japanese, windows-1252 otherwise.
// A UTF-8 byte-order mark, when present, wins over the code page.
enum class CodePage { Windows1252, ShiftJis, Utf8 };

namespace CodePages {

CodePage forLanguage(const QString &languageName);
CodePage forPrefix(const QString &languagePrefix);
QString decode(const QByteArray &bytes, CodePage page);
QByteArray encode(const QString &text, CodePage page);

}  // namespace CodePages
