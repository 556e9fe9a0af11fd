#include "ReportHeader.h"

#include "app/DriveSelection.h"
#include "base/IniFile.h"

namespace {
// Left edges of the header texts as fractions of the printable width.
constexpr double TypeFormAt = 0.0111;
constexpr double DateAt = 0.86;
constexpr double TimeAt = 0.96;
constexpr double PageNoAt = 0.454;
}  // namespace

double ReportHeader::place(ReportPage &page, const PageSetup &setup, const QRectF &area, double row,
                           bool commentInline) const
{
    const double w = area.width();
    const double x = area.left();
    const double y = area.top();
    QString left = setup.printTypeForm ? typeForm : QString();
    const QString comment = setup.printComment ? setup.comment.left(PageSetup::CommentMax) : QString();
    if (commentInline && !comment.isEmpty())
        left = left.isEmpty() ? comment : left + QStringLiteral("   ") + comment;
    if (!left.isEmpty())
        page.texts.append({QRectF(x + TypeFormAt * w, y, (DateAt - TypeFormAt) * w, row), left});
    if (setup.printDate)
        page.texts.append({QRectF(x + DateAt * w, y, (TimeAt - DateAt) * w, row),
                           printedAt.toString(QStringLiteral("yyyy/MM/dd"))});
    if (setup.printTime)
        page.texts.append({QRectF(x + TimeAt * w, y, (1 - TimeAt) * w, row),
                           printedAt.toString(QStringLiteral("HH:mm"))});
    if (commentInline)
        return row;
    if (!comment.isEmpty())
        page.texts.append({QRectF(x + TypeFormAt * w, y + row, (1 - TypeFormAt) * w, row), comment});
    return 2 * row;
}

void ReportHeader::placePageNumber(ReportPage &page, const PageSetup &setup, const QRectF &area, double y,
                                   double row, int number)
{
    if (!setup.printPageNo)
        return;
    const double w = area.width();
    page.texts.append({QRectF(area.left() + PageNoAt * w, y, 0.1 * w, row), QString::number(number)});
}

ReportDocument ReportHeader::document(const PageSetup &setup) const
{
    ReportDocument doc;
    doc.title = title;
    doc.pageSize = setup.pageSize();
    doc.portrait = setup.portrait;
    doc.paperCode = PageSetup::paperCode(setup.paper);
    doc.fontName = setup.fontName;
    doc.fontSize = setup.fontSize();
    return doc;
}

ReportHeader ReportHeader::forDrive(const IniFile &languageFile, const DriveSelection &selection)
{
    ReportHeader h;
    h.title = languageFile.readString(QStringLiteral("Print"), QStringLiteral("Title"), h.title);
    h.typeForm = selection.typeName + selection.formName;
    h.printedAt = QDateTime::currentDateTime();
    return h;
}
