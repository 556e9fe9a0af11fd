#include "RawValueCheck.h"

#include "DriveData.h"
#include "NumberText.h"

#include <algorithm>

RawValueCheck::RawValueCheck(const DriveData &data, int index, int wireBits)
    : m_data(data), m_index(index)
{
    const bool wide = data.isIndex(index) && data.paraDat.at(index, ParaDat::Byte) == QLatin1String("4");
    m_bits = wide ? std::min(wireBits, 32) : 16;
    const std::optional<double> low = data.isIndex(index) ? NumberText::parse(data.uPara.at(index, UPara::LValue))
                                                          : std::nullopt;
    const qint64 words = qint64(1) << m_bits;
    if (low && *low < 0) {
        m_dataLow = -words / 2;
        m_dataHigh = words / 2 - 1;
    } else {
        m_dataLow = 0;
        m_dataHigh = words - 1;
    }
}

RawValueCheck::Result RawValueCheck::check(qint64 raw) const
{
    if (!m_data.isIndex(m_index) || raw < m_dataLow || raw > m_dataHigh)
        return Result::OutsideDataSize;
    const std::optional<double> low = NumberText::parse(lowText());
    const std::optional<double> high = NumberText::parse(highText());
    if ((low && double(raw) < *low) || (high && double(raw) > *high))
        return Result::OutsideLimits;
    return Result::Fits;
}

QString RawValueCheck::lowText() const
{
    return m_data.isIndex(m_index) ? m_data.uPara.at(m_index, UPara::LValue).trimmed() : QString();
}

QString RawValueCheck::highText() const
{
    return m_data.isIndex(m_index) ? m_data.uPara.at(m_index, UPara::HValue).trimmed() : QString();
}

bool RawValueCheck::sameWord(qint64 a, qint64 b) const
{
    const quint64 mask = (quint64(1) << m_bits) - 1;
    return (quint64(a) & mask) == (quint64(b) & mask);
}
