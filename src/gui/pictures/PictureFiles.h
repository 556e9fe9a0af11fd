#pragma once

#include <QString>

class QImage;

// The raster pictures of the monitor chart: a Windows bitmap through QImage and a JPEG
// through libjpeg-turbo, both from the chart drawn into an image on a white background.
// Every file is written whole and atomically; a failed write leaves the previous file.
namespace PictureFiles {

/// A 24-bit Windows bitmap.
bool saveBmp(const QImage &image, const QString &path, QString *error = nullptr);
/// A 24-bit JPEG of quality 100 with the accurate DCT.
bool saveJpeg(const QImage &image, const QString &path, QString *error = nullptr);

}  // namespace PictureFiles
