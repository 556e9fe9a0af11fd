#include "ParameterReport.h"

#include "PageSetup.h"
#include "app/MessageTable.h"
#include "base/ScriptedPrompter.h"
#include "model/DriveData.h"
#include "model/NumberText.h"
#include "model/ParameterValues.h"
#include "model/ValueConversion.h"

#include <cmath>

namespace {

// Column borders as fractions of the printable width.
constexpr double Borders[ParameterReport::ColumnCount + 1] = {0,      0.078,  0.156,  0.4958, 0.585,
                                                              0.6741, 0.7632, 0.8524, 0.9304, 1};
constexpr double TextInset = 5;    // points between a left-aligned text and its border
constexpr double NumberInset = 3;  // points between a right-aligned number and its border
constexpr double TitleRule = 4;    // the rule under the titles stands this far above the band's bottom
const QString SixBlanks = QStringLiteral("      ");

// Raw value / "Mul" with the decimals of "TMul", no padding; a text that is no number stays.
QString scaled(const ValueConversion &conv, int index, const QString &raw)
{
    const std::optional<double> v = NumberText::parse(raw);
    if (!v)
        return raw.trimmed();
    return conv.FormatScaled(index, *v / conv.mulOf(index)).trimmed();
}

Qt::Alignment alignmentOf(int column)
{
    switch (column) {
    case ParameterReport::Name:
        return Qt::AlignLeft | Qt::AlignVCenter;
    case ParameterReport::Title:
    case ParameterReport::ComNo:
    case ParameterReport::Notes:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    default:
        return Qt::AlignRight | Qt::AlignVCenter;
    }
}

}  // namespace

QStringList ParameterReport::titles(const MessageTable &messages)
{
    QStringList t;
    for (int k = 21; k <= 29; ++k)
        t << messages.text(k);
    return t;
}

ParameterReport::Row ParameterReport::row(DriveData &data, const MessageTable &messages, int index)
{
    const ParaDat &p = data.paraDat;
    const UPara &u = data.uPara;
    const ValueConversion conv(data);
    Row r;
    r[Title] = p.at(index, ParaDat::FTitle).toLower();
    r[ComNo] = p.at(index, ParaDat::ComNo);
    r[Name] = p.at(index, ParaDat::FName);
    // A reference that cannot be followed prints "-": the table told the user when it loaded.
    ScriptedPrompter silent;
    const QString factory = p.at(index, ParaDat::DIndex) == QLatin1String("0")
                                ? p.at(index, ParaDat::Default)
                                : ParameterValues(data, messages, silent).FactoryValueOf(p.at(index, ParaDat::Default));
    r[Factory] = silent.shown.isEmpty() ? scaled(conv, index, factory) : QStringLiteral("-");
    r[Value] = scaled(conv, index, u.at(index, UPara::Value));
    r[Low] = scaled(conv, index, u.at(index, UPara::LValue));
    r[High] = scaled(conv, index, u.at(index, UPara::HValue));
    r[Unit] = p.at(index, ParaDat::Unit);
    r[Notes] = u.flag(index, UPara::ChangeIndex) ? messages.text(30) : SixBlanks;
    return r;
}

QVector<ParameterReport::Row> ParameterReport::rows(DriveData &data, const MessageTable &messages,
                                                    const ParameterGridRows::Switches &switches)
{
    QVector<Row> out;
    const int last = qMin(data.lastShownIndex, data.lastIndex);
    out.reserve(last + 1);
    for (int i = 0; i <= last; ++i) {
        if (ParameterGridRows::kept(data, i, switches))
            out.append(row(data, messages, i));
    }
    return out;
}

int ParameterReport::rowsPerPage(const PageSetup &setup)
{
    // Bands from the top: page header (one row), column titles (one row + 3), the rows;
    // the page footer (one row) at the bottom.
    const double row = setup.rowPoints();
    const double body = setup.printable().height() - 3 * row - 3;
    return qMax(1, int(std::floor(body / row + 1e-9)));
}

void ParameterReport::placeTitles(ReportPage &page, const PageSetup &setup, const QStringList &titles,
                                  const QVector<double> &borders, const QVector<int> &columns, double y)
{
    const double h = setup.rowPoints() + 3;
    const QRectF area = setup.printable();
    for (int c = 0; c < columns.size(); ++c) {
        const QRectF box(borders[c], y, borders[c + 1] - borders[c], h - TitleRule);
        page.texts.append({box, titles.value(columns[c]), Qt::AlignCenter});
    }
    page.shades.append(QRectF(area.left(), y, area.width(), h - TitleRule));
    page.lines.append(QLineF(area.left(), y, area.right(), y));
    page.lines.append(QLineF(area.left(), y + h - TitleRule, area.right(), y + h - TitleRule));
    for (double x : borders)
        page.lines.append(QLineF(x, y, x, y + h));
}

void ParameterReport::placeRow(ReportPage &page, const PageSetup &setup, const Row &row,
                               const QVector<double> &borders, const QVector<int> &columns, double y)
{
    const double h = setup.rowPoints();
    for (int c = 0; c < columns.size(); ++c) {
        const int column = columns[c];
        const Qt::Alignment align = alignmentOf(column);
        QRectF box(borders[c], y, borders[c + 1] - borders[c], h);
        if (align & Qt::AlignLeft)
            box.adjust(TextInset, 0, 0, 0);
        else if (align & Qt::AlignRight)
            box.adjust(0, 0, -NumberInset, 0);
        page.texts.append({box, row[column], align, column == Value ? setup.valueColor : 0});
    }
    for (double x : borders)
        page.lines.append(QLineF(x, y, x, y + h));
}

ReportDocument ParameterReport::layout(const PageSetup &setup, const ReportHeader &header, const QStringList &titles,
                                       const QVector<Row> &rows)
{
    ReportDocument doc = header.document(setup);
    const QRectF area = setup.printable();
    const double row = setup.rowPoints();
    // Without the factory value its column goes and the name column reaches to its right border.
    QVector<int> columns;
    QVector<double> borders{area.left()};
    for (int c = 0; c < ColumnCount; ++c) {
        if (c == Factory && !setup.printFactory)
            continue;
        const int right = c == Name && !setup.printFactory ? Factory + 1 : c + 1;
        columns.append(c);
        borders.append(area.left() + Borders[right] * area.width());
    }
    const int perPage = rowsPerPage(setup);
    const int pageCount = qMax(1, int((rows.size() + perPage - 1) / perPage));
    doc.pages.resize(pageCount);
    for (int n = 0; n < pageCount; ++n) {
        ReportPage &page = doc.pages[n];
        double y = area.top() + header.place(page, setup, area, row, true);
        placeTitles(page, setup, titles, borders, columns, y);
        y += row + 3;
        const int end = qMin(int(rows.size()), (n + 1) * perPage);
        for (int i = n * perPage; i < end; ++i, y += row)
            placeRow(page, setup, rows[i], borders, columns, y);
        page.lines.append(QLineF(area.left(), y, area.right(), y));
        ReportHeader::placePageNumber(page, setup, area, area.bottom() - row, row, n + 1);
    }
    return doc;
}
