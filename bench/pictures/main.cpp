// The chart pictures of a full recording: ten channels of 10,000 points drawn into an
// 800 × 480 image and written as BMP, JPEG (libjpeg-turbo, quality 100, accurate DCT) and
// a Windows metafile. Qt's own JPEG writer at quality 100, run on the same image, is the
// peer the JPEG writer is measured against. Prints the median of the rounds.
#include "monitor/JpegWriter.h"
#include "monitor/WmfWriter.h"
#include "pictures/PictureFiles.h"

#include <QGuiApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <cmath>
#include <functional>

namespace {

constexpr int Channels = 10;
constexpr int Points = 10000;
constexpr int Width = 800;
constexpr int Height = 480;
constexpr int Rounds = 9;

WmfPicture picture()
{
    WmfPicture p;
    p.width = Width;
    p.height = Height;
    for (int c = 0; c < Channels; ++c) {
        p.pens << WmfPicture::Pen{quint32(0x1F3F7F * (c + 1)) & 0xFFFFFF, 1};
        WmfPicture::Polyline line{c, {}};
        line.points.reserve(Points);
        for (int i = 0; i < Points; ++i)
            line.points << QPoint(120 + i * (Width - 140) / Points,
                                  Height / 2 + int(std::lround(150 * std::sin(i * 0.01 + c))));
        p.polylines << line;
        p.texts << WmfPicture::Text{{10, 20 + 16 * c}, QStringLiteral("Channel item %1").arg(c + 1), 0};
    }
    return p;
}

QImage raster(const WmfPicture &p)
{
    QImage image(p.width, p.height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    for (const WmfPicture::Polyline &line : p.polylines) {
        painter.setPen(QColor(QRgb(p.pens.at(line.pen).colour)));
        painter.drawPolyline(line.points.constData(), int(line.points.size()));
    }
    for (const WmfPicture::Text &t : p.texts)
        painter.drawText(t.at + QPoint(0, 12), t.text);
    return image;
}

double medianMs(const std::function<void()> &work)
{
    QList<double> times;
    for (int r = 0; r < Rounds; ++r) {
        QElapsedTimer t;
        t.start();
        work();
        times << double(t.nsecsElapsed()) / 1e6;
    }
    std::sort(times.begin(), times.end());
    return times.at(times.size() / 2);
}

}  // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    QTextStream out(stdout);
    const WmfPicture p = picture();
    const QImage image = raster(p);
    auto size = [&dir](const char *name) { return QFileInfo(dir.filePath(QLatin1String(name))).size(); };

    const double bmp = medianMs([&] { PictureFiles::saveBmp(image, dir.filePath(QStringLiteral("c.bmp"))); });
    const double jpg = medianMs([&] { PictureFiles::saveJpeg(image, dir.filePath(QStringLiteral("c.jpg"))); });
    const double qtJpg = medianMs([&] {
        QSaveFile f(dir.filePath(QStringLiteral("q.jpg")));
        if (f.open(QIODevice::WriteOnly) && image.save(&f, "JPG", 100))
            f.commit();
    });
    const double wmf = medianMs([&] { WmfWriter::write(dir.filePath(QStringLiteral("c.wmf")), p); });
    out << "pictures of " << Channels << " channels x " << Points << " points, " << Width << " x " << Height
        << ", median of " << Rounds << " rounds\n";
    out << QStringLiteral("  bmp (QImage)             %1 ms  %2 bytes\n").arg(bmp, 7, 'f', 2).arg(size("c.bmp"));
    out << QStringLiteral("  jpg (libjpeg-turbo, q100) %1 ms  %2 bytes\n").arg(jpg, 7, 'f', 2).arg(size("c.jpg"));
    out << QStringLiteral("  jpg (Qt's writer, q100)   %1 ms  %2 bytes  (peer)\n").arg(qtJpg, 7, 'f', 2).arg(size("q.jpg"));
    out << QStringLiteral("  wmf (metafile writer)    %1 ms  %2 bytes\n").arg(wmf, 7, 'f', 2).arg(size("c.wmf"));
    return 0;
}
