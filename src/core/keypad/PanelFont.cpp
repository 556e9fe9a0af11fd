#include "PanelFont.h"

#include <array>

namespace PanelFont {

namespace {

struct Glyph {
    uint8_t code;
    char16_t ch;
};

// Every code the LED font has a character for.
constexpr Glyph Glyphs[] = {
    {0x01, u'^'}, {0x04, u'}'}, {0x06, u'1'}, {0x07, u'7'}, {0x08, u'_'}, {0x0F, u']'}, {0x10, u'z'},
    {0x14, u'<'}, {0x16, u'>'}, {0x1C, u'v'}, {0x1E, u'j'}, {0x34, u'@'}, {0x36, u'?'}, {0x37, u'm'},
    {0x38, u'l'}, {0x39, u'c'}, {0x3D, u'g'}, {0x3E, u'u'}, {0x3F, u'0'}, {0x40, u'-'}, {0x4F, u'3'},
    {0x50, u'r'}, {0x54, u'n'}, {0x58, u'w'}, {0x5B, u'2'}, {0x5C, u'x'}, {0x5E, u'd'}, {0x66, u'4'},
    {0x67, u'q'}, {0x6D, u'5'}, {0x6E, u'y'}, {0x6F, u'9'}, {0x71, u'f'}, {0x73, u'p'}, {0x74, u'k'},
    {0x76, u'h'}, {0x77, u'a'}, {0x78, u't'}, {0x79, u'e'}, {0x7C, u'b'}, {0x7D, u'6'}, {0x7F, u'8'},
    {0x86, u'!'}, {0x87, u'*'}, {0x9C, u'V'}, {0x9E, u'J'}, {0xB7, u'M'}, {0xB8, u'L'}, {0xB9, u'C'},
    {0xBD, u'G'}, {0xBE, u'U'}, {0xBF, u'='}, {0xCF, u'#'}, {0xD0, u'R'}, {0xD4, u'N'}, {0xD8, u'W'},
    {0xDB, u'+'}, {0xDC, u'X'}, {0xDE, u'D'}, {0xE6, u'$'}, {0xE7, u'Q'}, {0xEC, u'S'}, {0xED, u'%'},
    {0xEE, u'Y'}, {0xEF, u')'}, {0xF1, u'F'}, {0xF3, u'P'}, {0xF4, u'K'}, {0xF6, u'H'}, {0xF7, u'A'},
    {0xF8, u'T'}, {0xF9, u'E'}, {0xFC, u'B'}, {0xFD, u'['}, {0xFF, u'('},
};

constexpr uint8_t PointBit = 0x80;
constexpr uint8_t LowerO = 0x5C;
// "=" is 0., "!" 1. .. ")" 9.
constexpr char16_t PointDigits[10] = {u'=', u'!', u'+', u'#', u'$', u'%', u'[', u'*', u'(', u')'};

std::array<char16_t, 256> buildTable()
{
    std::array<char16_t, 256> table{};
    table.fill(u' ');
    for (const Glyph &g : Glyphs)
        table[g.code] = g.ch;
    return table;
}

}  // namespace

QChar DispListRKP(uint8_t code)
{
    static const std::array<char16_t, 256> table = buildTable();
    return QChar(table[code]);
}

uint8_t SegmentsOf(QChar c)
{
    if (c == u'o')
        return LowerO;
    for (const Glyph &g : Glyphs)
        if (g.ch == c.unicode())
            return g.code;
    return 0;
}

QChar PointCharOf(QChar digit)
{
    if (digit < u'0' || digit > u'9')
        return QChar();
    return QChar(PointDigits[digit.unicode() - u'0']);
}

QChar DigitOfPointChar(QChar c)
{
    for (int d = 0; d < 10; ++d)
        if (PointDigits[d] == c.unicode())
            return QChar(u'0' + d);
    return QChar();
}

QString ReadableText(const QString &fontText)
{
    QString out;
    for (QChar c : fontText) {
        const uint8_t code = SegmentsOf(c);
        const QChar plain = DispListRKP(uint8_t(code & ~PointBit));
        // A few patterns have a character only together with their point ("S" is 0xEC).
        if ((code & PointBit) && (plain != u' ' || code == PointBit)) {
            out += plain;
            out += u'.';
        } else {
            out += c == u'o' ? c : DispListRKP(code);
        }
    }
    return out;
}

}  // namespace PanelFont
