#include "ValueConversion.h"

#include "DriveData.h"
#include "NumberText.h"
#include "RawValueCheck.h"

namespace {

// Decimals shown for each display pattern; any other pattern shows none.
int decimalsOf(const QString &pattern)
{
    static const struct {
        const char *pattern;
        int decimals;
    } table[] = {{"#.#", 1},  {"#.##", 2},  {"#.###", 3}, {"#.x", 1},   {"#.xx", 2},
                 {"#.xxx", 3}, {"#.#x", 2}, {"#.#xx", 3}, {"#.##x", 3}};
    for (const auto &row : table) {
        if (pattern == QLatin1String(row.pattern))
            return row.decimals;
    }
    return 0;
}

constexpr int ScaledWidth = 8;

// Amperes or volts of one raw unit.
double stepOf(double base, qint64 mul)
{
    return base * 0.01 / double(mul);
}

}  // namespace

ValueConversion::ValueConversion(DriveData &data)
    : m_data(data)
{
}

double ValueConversion::mulOf(int index) const
{
    const std::optional<double> m = NumberText::parse(m_data.paraDat.at(index, ParaDat::Mul));
    return (m && *m != 0) ? *m : 1.0;
}

qint64 ValueConversion::wholeMulOf(int index) const
{
    const qint64 m = NumberText::truncate(mulOf(index));
    return m != 0 ? m : 1;
}

bool ValueConversion::hasNegativeLow(int index) const
{
    const std::optional<qint64> low = NumberText::parseWhole(m_data.uPara.at(index, UPara::LValue));
    return low && *low < 0;
}

bool ValueConversion::rating(int index, double *base, QChar *unit) const
{
    const QString &kind = m_data.paraDat.at(index, ParaDat::CurrentVoltIndex);
    if (kind == QLatin1String("C")) {
        *base = m_data.currentBase;
        *unit = QLatin1Char('A');
        return true;
    }
    if (kind == QLatin1String("V")) {
        *base = m_data.voltageBase;
        *unit = QLatin1Char('V');
        return true;
    }
    return false;
}

QString ValueConversion::FormatScaled(int index, double scaled) const
{
    QString text = NumberText::fixed(scaled, decimalsOf(m_data.paraDat.at(index, ParaDat::TMul)));
    if (text.size() < ScaledWidth)
        text.prepend(QString(ScaledWidth - text.size(), QLatin1Char(' ')));
    if (m_data.decimalComma) {
        const qsizetype dot = text.indexOf(QLatin1Char('.'));
        if (dot >= 0)
            text[dot] = QLatin1Char(',');
    }
    return text;
}

QString ValueConversion::HexText(qint64 value)
{
    return QString::number(quint32(quint64(value)), 16).toUpper();
}

std::optional<qint64> ValueConversion::HexToValue(QStringView digits, int index) const
{
    if (digits.isEmpty() || digits.size() > 8)
        return std::nullopt;
    quint32 word = 0;
    for (const QChar c : digits) {
        const int d = NumberText::hexDigit(c);
        if (d < 0)
            return std::nullopt;
        word = word << 4 | quint32(d);
    }
    return hasNegativeLow(index) ? qint64(qint32(word)) : qint64(word);
}

QString ValueConversion::CVText(QStringView raw, int index) const
{
    const std::optional<double> value = NumberText::parse(raw.isEmpty() ? QStringView(u"0") : raw);
    if (!value)
        return raw.toString();
    const qint64 m = wholeMulOf(index);
    double base = 0;
    QChar unit;
    if (!rating(index, &base, &unit)) {
        if (m_data.uPara.flag(index, UPara::HexIndex))
            return QLatin1Char('h') + HexText(NumberText::truncate(*value));
        return FormatScaled(index, *value / double(m));
    }
    const int decimals = stepOf(base, m) >= 0.1 ? 2 : 1;
    return NumberText::fixed(*value / double(m) * 0.01 * base, decimals) + unit;
}

QString ValueConversion::CVUnitText(int index) const
{
    double base = 0;
    QChar unit;
    if (!rating(index, &base, &unit))
        return QString();
    const double step = stepOf(base, wholeMulOf(index));
    return (step >= 0.1 ? NumberText::fixed(step, 2) : QStringLiteral("0.1")) + unit;
}

std::optional<QString> ValueConversion::CVToPercent(QStringView text, int index) const
{
    const qint64 m = wholeMulOf(index);
    const int decimals = m == 1 ? 0 : m == 10 ? 1 : m == 100 ? 2 : 3;
    QString entry = text.toString();
    double base = 0;
    QChar unit;
    if (!rating(index, &base, &unit))
        return entry;
    // "5A" and "5" both mean five amperes for a current parameter.
    const qsizetype unitAt = entry.indexOf(unit);
    if (unitAt >= 0)
        entry.remove(unitAt, 1);
    const std::optional<double> number = NumberText::parse(entry);
    if (!number || base == 0)
        return std::nullopt;
    return NumberText::fixed(*number / base * 100, decimals);
}

QString ValueConversion::ValueText(QStringView raw, int index) const
{
    if (m_data.cvDisplay)
        return CVText(raw, index);
    const std::optional<double> value = NumberText::parse(raw.isEmpty() ? QStringView(u"0") : raw);
    if (!value)
        return raw.toString();
    if (m_data.uPara.flag(index, UPara::HexIndex))
        return QLatin1Char('h') + HexText(NumberText::truncate(*value));
    return FormatScaled(index, *value / mulOf(index));
}

QString ValueConversion::LimitText(QStringView raw, int index) const
{
    const std::optional<double> value = NumberText::parse(raw.isEmpty() ? QStringView(u"0") : raw);
    if (!value)
        return raw.toString();
    if (!m_data.cvDisplay)
        return FormatScaled(index, *value / mulOf(index));
    double base = 0;
    QChar unit;
    if (!rating(index, &base, &unit))
        return FormatScaled(index, *value / double(wholeMulOf(index)));
    return CVText(raw, index);
}

std::optional<double> ValueConversion::EntryToRaw(QStringView text, int index, EntryError *error)
{
    auto fail = [error](EntryError e) -> std::optional<double> {
        if (error)
            *error = e;
        return std::nullopt;
    };
    if (error)
        *error = EntryError::None;
    const double mul = mulOf(index);
    if (text.startsWith(QLatin1Char('h')) || text.startsWith(QLatin1Char('H'))) {
        if (text.size() == 1)
            return fail(EntryError::EmptyHex);
        const std::optional<qint64> value = HexToValue(text.sliced(1), index);
        if (!value)
            return fail(EntryError::NotANumber);
        m_data.uPara.setFlag(index, UPara::HexIndex, true);
        return double(*value) / mul * mul;
    }
    std::optional<QString> entry = text.toString();
    if (m_data.cvDisplay)
        entry = CVToPercent(text, index);
    const std::optional<double> number = entry ? NumberText::parse(*entry) : std::nullopt;
    if (!number)
        return fail(EntryError::NotANumber);
    if (!m_data.cvDisplay)
        m_data.uPara.setFlag(index, UPara::HexIndex, false);
    return *number * mul;
}

bool ValueConversion::fitsDataSize(qint64 raw, int index) const
{
    return RawValueCheck(m_data, index).check(raw) != RawValueCheck::Result::OutsideDataSize;
}

QString ValueConversion::RawToValueText(quint32 word, int index) const
{
    const bool isSigned = hasNegativeLow(index);
    if (m_data.paraDat.at(index, ParaDat::Byte) == QLatin1String("4"))
        return isSigned ? QString::number(qint32(word)) : QString::number(word);
    const quint16 low = quint16(word & 0xFFFF);
    return isSigned ? QString::number(qint16(low)) : QString::number(low);
}
