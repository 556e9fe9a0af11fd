#pragma once

#include <QString>
#include <QStringList>

// Comma-separated output as RFC 4180 writes it: a field holding a comma, a double quote, CR
// or LF is put in double quotes with its quotes doubled; rows end with LF.
namespace Csv {

QString field(const QString &text);
/// The fields joined by commas, followed by "\n".
QString row(const QStringList &fields);

}  // namespace Csv
