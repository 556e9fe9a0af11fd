#include "TableFile.h"

#include "app/DriveSelection.h"
#include "base/CodePage.h"
#include "base/TextFile.h"
#include "model/DriveData.h"
#include "model/ParameterGridRows.h"

namespace {

// Texts go out as shown; only one that holds the separator, a quote or a line break is
// quoted, or it would spill into the next column of a spreadsheet.
QString field(const QString &text, QChar separator)
{
    if (!text.contains(separator) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n'))
        && !text.contains(QLatin1Char('\r')))
        return text;
    return QLatin1Char('"') + QString(text).replace(QLatin1String("\""), QLatin1String("\"\"")) + QLatin1Char('"');
}

}  // namespace

namespace TableFile {

QStringList build(const QList<QStringList> &rows, bool decimalComma)
{
    const QChar separator = QLatin1Char(decimalComma ? ';' : ',');
    QStringList lines;
    lines.reserve(rows.size());
    for (const QStringList &row : rows) {
        QStringList fields;
        for (const QString &text : row)
            fields << field(text, separator);
        lines << fields.join(separator);
    }
    return lines;
}

QList<QStringList> gridRows(DriveData &data, const MessageTable &messages, Prompter &prompter, Display display,
                            int quickCount)
{
    ParameterGridRows grid(data, messages, prompter);
    ParameterGridRows::Switches s;
    const int last = qMin(data.lastShownIndex, data.lastIndex);
    for (int i = 0; i <= last; ++i) {
        s.changedCount += data.uPara.flag(i, UPara::ChangeIndex) ? 1 : 0;
        s.blindCount += data.uPara.flag(i, UPara::BlindIndex) ? 1 : 0;
    }
    s.changedOnly = display == Display::Changed;
    s.blind = display == Display::Blind;
    s.quick = display == Display::Quick;
    s.quickCount = quickCount;
    QList<QStringList> rows{ParameterGridRows::titles(messages)};
    for (const ParameterGridRows::Row &row : grid.filledRows(s))
        rows << QStringList(row.cells.begin(), row.cells.end());
    return rows;
}

bool WriteTableFile(const QString &path, const QList<QStringList> &rows, const DriveSelection &selection,
                    QString *error)
{
    return TextFile::writeLines(path, build(rows, selection.decimalComma),
                                CodePages::forPrefix(selection.languagePrefix), error);
}

}  // namespace TableFile
