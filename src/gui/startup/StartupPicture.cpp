#include "StartupPicture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace StartupPicture {

QPixmap make()
{
    QPixmap pixmap(358, 239);
    QPainter p(&pixmap);
    QLinearGradient sky(0, 0, 0, 239);
    sky.setColorAt(0.0, QColor(18, 52, 96));
    sky.setColorAt(0.55, QColor(40, 96, 150));
    sky.setColorAt(1.0, QColor(220, 230, 240));
    p.fillRect(pixmap.rect(), sky);
    // A stylised sine wave: what a drive makes of the mains.
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(255, 200, 60, 160), 2));
    QPainterPath wave;
    wave.moveTo(0, 70);
    for (int x = 0; x <= 358; x += 2)
        wave.lineTo(x, 70 - 18 * std::sin(x / 22.0));
    p.drawPath(wave);
    QFont title(QStringLiteral("Sans Serif"), 26, QFont::Bold);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRect(16, 12, 330, 44), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("VKR410T"));
    QFont sub(QStringLiteral("Sans Serif"), 9);
    p.setFont(sub);
    p.drawText(QRect(18, 52, 330, 18), Qt::AlignLeft, QStringLiteral("Drive parameter maintenance"));
    p.setPen(QColor(255, 255, 255, 90));
    p.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    return pixmap;
}

}  // namespace StartupPicture
