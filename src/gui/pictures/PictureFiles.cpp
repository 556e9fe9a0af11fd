#include "PictureFiles.h"

#include "base/AtomicFile.h"
#include "monitor/JpegWriter.h"

#include <QBuffer>
#include <QImage>

namespace {

// Three bytes per pixel, alpha flattened onto white.
QImage rgb888(const QImage &image)
{
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB888);
    QImage flat(image.size(), QImage::Format_RGB888);
    flat.fill(Qt::white);
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < flat.height(); ++y) {
        const QRgb *in = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        uchar *out = flat.scanLine(y);
        for (int x = 0; x < flat.width(); ++x) {
            const int a = qAlpha(in[x]);
            out[3 * x] = uchar(qRed(in[x]) + 255 - a);
            out[3 * x + 1] = uchar(qGreen(in[x]) + 255 - a);
            out[3 * x + 2] = uchar(qBlue(in[x]) + 255 - a);
        }
    }
    return flat;
}

bool noPicture(const QImage &image, QString *error)
{
    if (!image.isNull())
        return false;
    if (error)
        *error = QStringLiteral("no picture to write");
    return true;
}

}  // namespace

namespace PictureFiles {

bool saveBmp(const QImage &image, const QString &path, QString *error)
{
    if (noPicture(image, error))
        return false;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!rgb888(image).save(&buffer, "BMP")) {
        if (error)
            *error = QStringLiteral("the bitmap could not be encoded");
        return false;
    }
    return AtomicFile::write(path, bytes, error);
}

bool saveJpeg(const QImage &image, const QString &path, QString *error)
{
    if (noPicture(image, error))
        return false;
    const QImage rgb = rgb888(image);
    const JpegWriter::Image view{rgb.width(), rgb.height(), int(rgb.bytesPerLine()), rgb.constBits()};
    return JpegWriter::write(path, view, error);
}

}  // namespace PictureFiles
