#include "PageSetupCheck.h"

#include "model/NumberText.h"

namespace {

constexpr int NotANumber = 67;
constexpr int OutOfRange = 41;
constexpr int NotInList = 17;
constexpr int UnknownFont = 18;

PageSetupCheck::Verdict refused(int message, const QString &replacement = QString())
{
    return {false, message, replacement};
}

// `whole`: the text must be a whole number. A number below `min` or above `max` is
// replaced by that limit.
PageSetupCheck::Verdict range(const QString &text, bool whole, int min, int max)
{
    const QString t = text.trimmed();
    std::optional<double> v;
    if (whole) {
        if (const std::optional<qint64> w = NumberText::parseWhole(t))
            v = double(*w);
    } else {
        v = NumberText::parse(t);
    }
    if (t.isEmpty() || !v)
        return refused(NotANumber);
    if (*v < min)
        return refused(OutOfRange, QString::number(min));
    if (*v > max)
        return refused(OutOfRange, QString::number(max));
    return {};
}

}  // namespace

namespace PageSetupCheck {

Verdict margin(const QString &text)
{
    return range(text, false, 0, 30);
}

Verdict rowHeight(const QString &text)
{
    return range(text, true, 10, 30);
}

Verdict fontSize(const QString &text)
{
    return range(text, true, 5, 22);
}

Verdict paper(const QString &text, const QStringList &list)
{
    if (text.isEmpty())
        return refused(NotANumber);
    return list.contains(text) ? Verdict{} : refused(NotInList);
}

Verdict font(const QString &text, const QStringList &families)
{
    if (text.isEmpty())
        return refused(NotANumber);
    return families.contains(text, Qt::CaseInsensitive) ? Verdict{} : refused(UnknownFont);
}

Verdict zoom(const QString &text)
{
    return range(text, true, 2, 999);
}

}  // namespace PageSetupCheck
