#include "PageSetup.h"

#include "app/Settings.h"
#include "model/NumberText.h"

#include <cmath>

int PageSetup::wholeText(const QString &text, int def, int min, int max)
{
    // Margins and the row height are kept as text; the report takes whole millimetres and
    // points, so a value with decimals is taken to the nearest whole unit.
    const std::optional<double> v = NumberText::parse(text);
    if (!v)
        return def;
    return int(qBound<double>(min, std::round(*v), max));
}

int PageSetup::nearestFontSizeIndex(int points)
{
    int best = 0;
    for (int i = 1; i < FontSizeCount; ++i) {
        if (std::abs(FontSizes[i] - points) < std::abs(FontSizes[best] - points))
            best = i;
    }
    return best;
}

PageSetup PageSetup::read(const Settings &s)
{
    PageSetup p;
    p.printDate = s.get(Keys::PageItem1);
    p.printTime = s.get(Keys::PageItem2);
    p.printTypeForm = s.get(Keys::PageItem3);
    p.printPageNo = s.get(Keys::PageItem4);
    p.printComment = s.get(Keys::PageItem5);
    p.printFactory = s.get(Keys::PageItem6);
    p.portrait = s.get(Keys::PSet1);
    p.valueColor = s.get(Keys::ValCol) & 0xFFFFFF;
    p.fontIndex = s.get(Keys::PSet2);
    const int paper = s.get(Keys::PSet3);
    p.paper = paper >= 0 && paper < PaperCount ? Paper(paper) : A4;
    p.top = wholeText(s.get(Keys::PSetT), 10, MarginMin, MarginMax);
    p.bottom = wholeText(s.get(Keys::PSetB), 10, MarginMin, MarginMax);
    p.left = wholeText(s.get(Keys::PSetL), 10, MarginMin, MarginMax);
    p.right = wholeText(s.get(Keys::PSetR), 10, MarginMin, MarginMax);
    p.rowHeight = wholeText(s.get(Keys::PSet4), 15, RowHeightMin, RowHeightMax);
    p.fontSizeIndex = qBound(0, s.get(Keys::PSet5), FontSizeCount - 1);
    return p;
}

void PageSetup::write(Settings &s) const
{
    s.set(Keys::PageItem1, printDate);
    s.set(Keys::PageItem2, printTime);
    s.set(Keys::PageItem3, printTypeForm);
    s.set(Keys::PageItem4, printPageNo);
    s.set(Keys::PageItem5, printComment);
    s.set(Keys::PageItem6, printFactory);
    s.set(Keys::PSet1, portrait);
    s.set(Keys::ValCol, valueColor);
    s.set(Keys::PSet2, fontIndex);
    s.set(Keys::PSet3, int(paper));
    s.set(Keys::PSetT, QString::number(top));
    s.set(Keys::PSetB, QString::number(bottom));
    s.set(Keys::PSetL, QString::number(left));
    s.set(Keys::PSetR, QString::number(right));
    s.set(Keys::PSet4, QString::number(rowHeight));
    s.set(Keys::PSet5, fontSizeIndex);
}

QString PageSetup::paperName(Paper paper)
{
    static const char *const names[] = {"A3", "A4", "A5", "B4", "B5"};
    return QString::fromLatin1(names[qBound(0, int(paper), PaperCount - 1)]);
}

int PageSetup::paperCode(int paperIndex)
{
    static const int codes[] = {8, 9, 11, 12, 13};
    return paperIndex >= 0 && paperIndex < PaperCount ? codes[paperIndex] : 9;
}

QSizeF PageSetup::paperMillimetres(Paper paper)
{
    static const QSizeF sizes[] = {{297, 420}, {210, 297}, {148, 210}, {257, 364}, {182, 257}};
    return sizes[qBound(0, int(paper), PaperCount - 1)];
}

QSizeF PageSetup::pageSize() const
{
    const QSizeF mm = paperMillimetres(paper);
    const QSizeF pt(points(mm.width()), points(mm.height()));
    return portrait ? pt : pt.transposed();
}

QRectF PageSetup::printable() const
{
    const QSizeF page = pageSize();
    return QRectF(points(left), points(top), page.width() - points(left) - points(right),
                  page.height() - points(top) - points(bottom));
}

double PageSetup::rowPoints() const
{
    // A text needs about 1.2 times its size; a row lower than that would cut it.
    return qMax<double>(rowHeight, std::ceil(fontSize() * 1.2));
}
