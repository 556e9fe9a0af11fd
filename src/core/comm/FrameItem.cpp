#include "FrameItem.h"

#include "model/NumberText.h"

namespace {

uint8_t pairByte(const QString &comNo, int first)
{
    const int hi = first < comNo.size() ? NumberText::hexDigit(comNo.at(first)) : -1;
    const int lo = first + 1 < comNo.size() ? NumberText::hexDigit(comNo.at(first + 1)) : -1;
    return uint8_t((hi * 16 + lo) & 0xFF);
}

}  // namespace

bool FrameItem::isBlock() const
{
    return comNo == QLatin1String("FC10") || comNo == QLatin1String("r300");
}

uint8_t FrameItem::addressHigh() const
{
    return pairByte(comNo, 0);
}

uint8_t FrameItem::addressLow() const
{
    return pairByte(comNo, 2);
}

int32_t DataTextValue(const QString &data)
{
    qsizetype i = 0;
    while (i < data.size() && (data.at(i) == u' ' || data.at(i) == u'\t'))
        ++i;
    bool negative = false;
    if (i < data.size() && (data.at(i) == u'-' || data.at(i) == u'+'))
        negative = data.at(i++) == u'-';
    uint32_t value = 0;
    for (; i < data.size() && data.at(i) >= u'0' && data.at(i) <= u'9'; ++i)
        value = value * 10u + uint32_t(data.at(i).unicode() - u'0');
    return int32_t(negative ? 0u - value : value);
}
