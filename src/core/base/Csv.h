#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// Comma-separated output as RFC 4180 writes it: a field holding a comma, a double quote, CR
// or LF is put in double quotes with its quotes doubled. Rows end with LF for the terminal,
// or with CR LF as the RFC has it for files meant for spreadsheets.
namespace Csv {

QString field(const QString &text);
/// The fields joined by commas, followed by `lineEnd`.
QString row(const QStringList &fields, QStringView lineEnd = u"\n");

}  // namespace Csv
