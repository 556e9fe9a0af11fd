#include "JpegWriter.h"

#include "base/AtomicFile.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

namespace {

constexpr int Quality = 100;

// libjpeg ends the process on an error unless error_exit jumps out.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void errorExit(j_common_ptr info)
{
    auto *manager = reinterpret_cast<ErrorManager *>(info->err);
    (*info->err->format_message)(info, manager->message);
    std::longjmp(manager->jump, 1);
}

// Plain C state only between setjmp and longjmp: no destructor is skipped by the jump.
bool compress(const JpegWriter::Image &image, unsigned char **buffer, unsigned long *size, char *message)
{
    jpeg_compress_struct info;
    ErrorManager manager;
    info.err = jpeg_std_error(&manager.pub);
    manager.pub.error_exit = errorExit;
    manager.message[0] = '\0';
    if (setjmp(manager.jump)) {
        std::snprintf(message, JMSG_LENGTH_MAX, "%s", manager.message);
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, buffer, size);
    info.image_width = JDIMENSION(image.width);
    info.image_height = JDIMENSION(image.height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, Quality, TRUE);
    info.dct_method = JDCT_ISLOW;
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(image.rgb + std::size_t(info.next_scanline) * std::size_t(image.bytesPerLine));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

}  // namespace

namespace JpegWriter {

std::optional<QByteArray> encode(const Image &image, QString *error)
{
    if (image.width <= 0 || image.height <= 0 || !image.rgb || image.bytesPerLine < image.width * 3
        || image.width > JPEG_MAX_DIMENSION || image.height > JPEG_MAX_DIMENSION) {
        if (error)
            *error = QStringLiteral("no picture to write (%1 x %2)").arg(image.width).arg(image.height);
        return std::nullopt;
    }
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    char message[JMSG_LENGTH_MAX] = {};
    const bool ok = compress(image, &buffer, &size, message);
    std::optional<QByteArray> bytes;
    if (ok)
        bytes = QByteArray(reinterpret_cast<const char *>(buffer), qsizetype(size));
    else if (error)
        *error = QString::fromLocal8Bit(message);
    std::free(buffer);
    return bytes;
}

bool write(const QString &path, const Image &image, QString *error)
{
    const std::optional<QByteArray> bytes = encode(image, error);
    return bytes && AtomicFile::write(path, *bytes, error);
}

}  // namespace JpegWriter
