#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// JPEG pictures through libjpeg-turbo: 24 bits per pixel, quality 100, the accurate integer
// DCT. The input is a plain RGB pixel buffer, so the core needs no image classes.
namespace JpegWriter {

/// Three bytes per pixel (red, green, blue), rows top to bottom, `bytesPerLine` apart.
struct Image {
    int width = 0;
    int height = 0;
    int bytesPerLine = 0;
    const unsigned char *rgb = nullptr;
};

/// The JPEG file's bytes, or nothing (with *error) when the image is empty or the library
/// refused it.
std::optional<QByteArray> encode(const Image &image, QString *error = nullptr);
/// Encodes and writes atomically; false with *error when either failed, and the previous
/// file is then left as it was.
bool write(const QString &path, const Image &image, QString *error = nullptr);

}  // namespace JpegWriter
