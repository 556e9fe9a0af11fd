#include "SimPanel.h"

#include <algorithm>
#include <vector>

namespace SimPanel {

uint8_t segmentCode(QChar c)
{
    static constexpr uint8_t Digit[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};
    const ushort u = c.unicode();
    if (u >= '0' && u <= '9')
        return Digit[u - '0'];
    switch (u) {
    case '-': return 0x40;
    case 'E': return 0x79;
    case 'r': return 0x50;
    default: return 0x00;
    }
}

Digits digits(const QString &text)
{
    std::vector<uint8_t> codes;
    for (QChar c : text) {
        if (c == '.' && !codes.empty())
            codes.back() |= 0x80;
        else
            codes.push_back(segmentCode(c));
    }
    Digits out{};
    const size_t n = std::min<size_t>(4, codes.size());
    std::copy(codes.end() - long(n), codes.end(), out.end() - long(n));
    return out;
}

QString valueText(double value)
{
    value = std::clamp(value, 0.0, 9999.0);
    const int decimals = value < 99.995 ? 2 : value < 999.95 ? 1 : 0;
    return QString::number(value, 'f', decimals);
}

QByteArray block(const Digits &imageA, uint8_t lampsA, const Digits &imageB, uint8_t lampsB)
{
    QByteArray out(10, '\0');
    auto place = [&out](const Digits &d, int base) {
        out[base + 1] = char(d[0]);
        out[base + 0] = char(d[1]);
        out[base + 3] = char(d[2]);
        out[base + 2] = char(d[3]);
    };
    place(imageA, 0);
    place(imageB, 4);
    out[8] = char(lampsB);
    out[9] = char(lampsA);
    return out;
}

}  // namespace SimPanel
