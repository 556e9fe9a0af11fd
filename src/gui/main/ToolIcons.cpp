#include "ToolIcons.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>

namespace {

struct Glyph {
    const char *text;
    QRgb color;
};

// A coloured tile with a short glyph; the colour groups buttons by what they act on:
// files blue, table green, drive transfers orange, windows purple.
const QHash<QString, Glyph> &glyphs()
{
    static const QHash<QString, Glyph> table = {
        {QStringLiteral("ToolBnew"), {"+", 0x2f6db5}},      {QStringLiteral("ToolBopen"), {"\u25A4", 0x2f6db5}},
        {QStringLiteral("ToolBsav"), {"S", 0x2f6db5}},      {QStringLiteral("ToolBsavas"), {"S+", 0x2f6db5}},
        {QStringLiteral("ToolBprinter"), {"Pg", 0x5a6470}}, {QStringLiteral("ToolBprint"), {"Pr", 0x5a6470}},
        {QStringLiteral("ToolBrs"), {"RS", 0x5a6470}},      {QStringLiteral("ToolBTable"), {"T", 0x2e8b57}},
        {QStringLiteral("ToolBundo"), {"\u21B6", 0x2e8b57}}, {QStringLiteral("ToolBredo"), {"\u21B7", 0x2e8b57}},
        {QStringLiteral("ToolBpr"), {"\u2190", 0xd2691e}},  {QStringLiteral("ToolBpw"), {"\u2192", 0xd2691e}},
        {QStringLiteral("ToolBpsr"), {"\u21E0", 0xd2691e}}, {QStringLiteral("ToolBpsw"), {"\u21E2", 0xd2691e}},
        {QStringLiteral("ToolBpcp"), {"=", 0xd2691e}},      {QStringLiteral("ToolBfind"), {"?", 0x2e8b57}},
        {QStringLiteral("ToolBCV"), {"A/V", 0x2e8b57}},     {QStringLiteral("ToolBQuick"), {"Q", 0x2e8b57}},
        {QStringLiteral("ToolBpanel"), {"K", 0x7b4fa0}},    {QStringLiteral("ToolBInvInfo"), {"i", 0x7b4fa0}},
        {QStringLiteral("ToolBmon"), {"\u223F", 0x7b4fa0}}, {QStringLiteral("ToolBop"), {"\u2699", 0x5a6470}},
        {QStringLiteral("ToolBhelp"), {"?", 0x1e90ff}},
    };
    return table;
}

QPixmap tile(const QString &text, QColor color)
{
    QPixmap pixmap(18, 18);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(color.darker(130));
    p.setBrush(color);
    p.drawRoundedRect(QRectF(0.5, 0.5, 17, 17), 3, 3);
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(text.size() > 2 ? 6 : (text.size() > 1 ? 8 : 12));
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(pixmap.rect(), Qt::AlignCenter, text);
    return pixmap;
}

}  // namespace

namespace ToolIcons {

QIcon icon(const QString &component)
{
    const auto it = glyphs().constFind(component);
    if (it == glyphs().constEnd())
        return QIcon();
    return QIcon(tile(QString::fromUtf8(it->text), QColor::fromRgb(it->color)));
}

QIcon lineIcon(int image)
{
    static const QColor colors[] = {QColor(150, 150, 150), QColor(40, 170, 60), QColor(210, 50, 40)};
    QPixmap pixmap(18, 18);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(0.75, 0.75);
    const QColor c = colors[(image >= 0 && image <= 2) ? image : 0];
    p.setPen(QPen(c.darker(140), 2));
    p.drawLine(2, 12, 8, 12);
    p.drawLine(16, 12, 22, 12);
    p.setBrush(c);
    p.drawEllipse(QRectF(7, 6, 10, 12));
    if (image != 1) {
        p.setPen(QPen(Qt::white, 2));
        p.drawLine(10, 9, 14, 15);
    }
    return QIcon(pixmap);
}

}  // namespace ToolIcons
