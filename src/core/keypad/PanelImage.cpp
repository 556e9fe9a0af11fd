#include "PanelImage.h"

#include "PanelFont.h"

#include <QStringList>

namespace {

constexpr uint8_t PointBit = 0x80;

// Display order of the four code bytes of an image that starts at `base`.
PanelImage decodeImage(const QByteArray &data, int base, uint8_t lamps)
{
    const int order[4] = {base + 1, base + 0, base + 3, base + 2};
    PanelImage image;
    for (int position = 0; position < 4; ++position) {
        uint8_t code = uint8_t(data.at(order[position]));
        if (position == 3)
            code &= uint8_t(~PointBit);
        image.text[position] = PanelFont::DispListRKP(code);
    }
    image.lamps = uint8_t(lamps & PanelImage::LampMask);
    return image;
}

}  // namespace

uint8_t PanelImage::segments(int position) const
{
    return position >= 0 && position < text.size() ? PanelFont::SegmentsOf(text.at(position)) : 0;
}

QString PanelImage::lampWords() const
{
    static const std::pair<Lamp, const char *> Words[] = {
        {FRUN, "RUN"}, {FVEC, "VEC"}, {FECN, "ECN"}, {FMON, "MON"}, {FPRG, "PRG"}, {FPC, "PC"}, {FPF, "PF"},
    };
    QStringList lit;
    for (const auto &[lamp, word] : Words)
        if (this->lit(lamp))
            lit << QLatin1String(word);
    return lit.join(u' ');
}

QString PanelImage::readable() const
{
    const QString lamps = lampWords();
    const QString display = PanelFont::ReadableText(text);
    return lamps.isEmpty() ? display : display + u' ' + lamps;
}

std::optional<PanelBlock> PanelBlock::decode(const QByteArray &data)
{
    if (data.size() < 10)
        return std::nullopt;
    PanelBlock block;
    block.a = decodeImage(data, 0, uint8_t(data.at(9)));
    block.b = decodeImage(data, 4, uint8_t(data.at(8)));
    return block;
}

PanelImage PanelBlock::lineLost(bool phaseA)
{
    PanelImage image;
    if (phaseA)
        image.text = QStringLiteral("coMe");
    return image;
}
