#include "ThreeWayComparison.h"

#include "TransferRows.h"
#include "TransferRun.h"
#include "TransferTexts.h"
#include "base/Csv.h"
#include "model/DriveData.h"
#include "model/NumberText.h"
#include "model/ParameterValues.h"
#include "model/ValueConversion.h"

#include <algorithm>

namespace {

constexpr int ColumnWidth = 10;
constexpr int UnitWidth = 6;
constexpr int OddWidth = 8;

QString padded(const QString &text, int width)
{
    return text.size() < width ? QString(width - text.size(), u' ') + text : text;
}

QString scaled(const ValueConversion &conversion, int index, std::optional<qint64> raw, const QString &missing)
{
    if (!raw)
        return missing;
    return conversion.FormatScaled(index, double(*raw) / conversion.mulOf(index)).trimmed();
}

}  // namespace

ThreeWayComparison::Odd ThreeWayComparison::oddOne(std::optional<qint64> factory, std::optional<qint64> table,
                                                   std::optional<qint64> drive)
{
    if (!drive)
        return Odd::NoReply;
    // A value that is no number differs from every number.
    const bool ft = factory && table && *factory == *table;
    const bool fd = factory && *factory == *drive;
    const bool td = table && *table == *drive;
    if (ft && td)
        return Odd::None;
    if (ft)
        return Odd::Drive;
    if (fd)
        return Odd::Table;
    if (td)
        return Odd::Factory;
    return Odd::All;
}

ThreeWayComparison ThreeWayComparison::build(DriveData &data, const ParameterValues &values, const TransferRun &run,
                                             bool maintenanceActive, const QString &hiddenName)
{
    ThreeWayComparison c;
    const ValueConversion conversion(data);
    const int last = std::min(run.lastIndex(), data.lastIndex);
    for (int i = 0; i <= last; ++i) {
        Row r;
        r.index = i;
        r.comNo = data.paraDat.at(i, ParaDat::ComNo);
        const TransferRows::Naming naming = TransferRows::failedNaming(data, i, maintenanceActive, hiddenName);
        r.title = naming.title;
        r.name = naming.name;
        r.unit = data.paraDat.at(i, ParaDat::Unit);
        const QString factory = values.FactoryValueOf(r.comNo);
        r.factory = NumberText::parseTruncated(factory);
        r.table = TransferRows::tableWhole(data, i);
        if (const std::optional<quint32> word = run.driveWord(i))
            r.drive = TransferRows::readText(data, i, *word).toLongLong();
        r.factoryText = scaled(conversion, i, r.factory, factory);
        r.tableText = scaled(conversion, i, r.table, data.uPara.at(i, UPara::Value));
        r.driveText = scaled(conversion, i, r.drive, QStringLiteral("-"));
        r.odd = oddOne(r.factory, r.table, r.drive);
        c.m_differing += r.odd != Odd::None && r.odd != Odd::NoReply ? 1 : 0;
        c.m_unanswered += r.odd == Odd::NoReply ? 1 : 0;
        c.m_rows.append(r);
    }
    return c;
}

QString ThreeWayComparison::oddText(Odd odd, const TransferTexts &texts) const
{
    switch (odd) {
    case Odd::None:
        return {};
    case Odd::Table:
        return texts.result2;
    case Odd::Drive:
        return texts.result1;
    case Odd::Factory:
        return texts.result4;
    case Odd::All:
        return texts.allDiffer;
    case Odd::NoReply:
        break;
    }
    return texts.noReply;
}

TransferReport ThreeWayComparison::report(const TransferTexts &texts) const
{
    // Titles are right-aligned to the longest one, so that the value columns line up.
    int titleWidth = 4;
    for (const Row &r : m_rows)
        titleWidth = std::max(titleWidth, int(r.title.size()));
    TransferReport report;
    report.append(texts.info4);
    report.append(QString(titleWidth + 2, u' ') + padded(texts.result4, ColumnWidth) + QStringLiteral("  ")
                  + padded(texts.result2, ColumnWidth) + QStringLiteral("  ") + padded(texts.result1, ColumnWidth)
                  + QStringLiteral("  ") + texts.result5.leftJustified(UnitWidth) + QStringLiteral("  ")
                  + texts.result6.leftJustified(OddWidth) + QStringLiteral("  ") + texts.result3);
    for (const Row &r : m_rows) {
        const QString line = padded(r.title, titleWidth) + QStringLiteral(": ") + padded(r.factoryText, ColumnWidth)
            + QStringLiteral(" ,") + padded(r.tableText, ColumnWidth) + QStringLiteral(" ,")
            + padded(r.driveText, ColumnWidth) + QStringLiteral("  ") + r.unit.leftJustified(UnitWidth)
            + QStringLiteral("  ") + oddText(r.odd, texts).leftJustified(OddWidth) + QStringLiteral("  (") + r.name
            + u')';
        report.append(line);
    }
    report.append(QString());
    QString summary = texts.result6 + QStringLiteral(": ") + QString::number(m_differing);
    if (m_unanswered > 0)
        summary += QStringLiteral(", ") + texts.noReply + QStringLiteral(": ") + QString::number(m_unanswered);
    report.append(summary);
    return report;
}

QString ThreeWayComparison::csv(const TransferTexts &texts) const
{
    constexpr QStringView crlf = u"\r\n";
    QString out = Csv::row({QStringLiteral("ComNo"), texts.result3, texts.result4, texts.result2, texts.result1,
                            texts.result5, texts.result6, QStringLiteral("Name")},
                           crlf);
    for (const Row &r : m_rows) {
        out += Csv::row({r.comNo, r.title, r.factoryText, r.tableText, r.driveText, r.unit, oddText(r.odd, texts),
                         r.name},
                        crlf);
    }
    return out;
}
