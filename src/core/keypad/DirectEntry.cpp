#include "DirectEntry.h"

#include "PanelFont.h"
#include "model/DriveData.h"
#include "model/RawValueCheck.h"

#include <cmath>

void DirectEntry::begin()
{
    m_active = true;
    clear();
}

void DirectEntry::clear()
{
    m_text.clear();
    m_count = 0;
    m_point = false;
}

void DirectEntry::typeDigit(QChar digit)
{
    if (digit < u'0' || digit > u'9' || m_count >= MaxDigits)
        return;
    m_text += digit;
    ++m_count;
}

bool DirectEntry::typePoint()
{
    if (m_point)
        return true;
    if (m_count == 0 || !m_text.back().isDigit())
        return false;
    m_text.back() = PanelFont::PointCharOf(m_text.back());
    m_point = true;
    return true;
}

void DirectEntry::backspace()
{
    if (m_count == 0)
        return;
    const QChar plain = PanelFont::DigitOfPointChar(m_text.back());
    if (!plain.isNull()) {
        m_text.back() = plain;
        m_point = false;
        return;
    }
    m_text.chop(1);
    if (--m_count == 0)
        clear();
}

std::optional<double> DirectEntry::number() const
{
    if (m_count == 0)
        return std::nullopt;
    QString plain;
    for (QChar c : m_text) {
        const QChar digit = PanelFont::DigitOfPointChar(c);
        plain += digit.isNull() ? QString(c) : QString(digit) + u'.';
    }
    bool ok = false;
    const double value = plain.toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

DirectEntry::Outcome DirectEntry::enter(const DriveData &data, const QString &freqComNo, int wireBits) const
{
    Outcome out;
    out.index = freqComNo == QLatin1String("-") ? -1 : data.IndexOfComNo(freqComNo);
    if (out.index < 0) {
        out.verdict = Verdict::NoParameter;
        return out;
    }
    const std::optional<double> value = number();
    if (!value) {
        out.verdict = Verdict::NotANumber;
        return out;
    }
    bool mulOk = false;
    double mul = data.paraDat.at(out.index, ParaDat::Mul).toDouble(&mulOk);
    if (!mulOk || mul == 0)
        mul = 1;
    const qint64 raw = std::llround(*value * mul);
    out.raw = QString::number(raw);
    out.verdict = RawValueCheck(data, out.index, wireBits).check(raw) == RawValueCheck::Result::Fits
                      ? Verdict::Write
                      : Verdict::OutsideLimits;
    return out;
}
