#include "ZipArchive.h"

#include "AtomicFile.h"

#include <archive.h>
#include <archive_entry.h>
#include <memory>

namespace {

struct ArchiveDeleter {
    void operator()(archive *a) const { archive_write_free(a); }
};
struct EntryDeleter {
    void operator()(archive_entry *e) const { archive_entry_free(e); }
};

la_ssize_t appendTo(archive *, void *client, const void *buffer, size_t length)
{
    static_cast<QByteArray *>(client)->append(static_cast<const char *>(buffer), qsizetype(length));
    return la_ssize_t(length);
}

bool failed(archive *a, const QString &what, QString *error)
{
    if (error) {
        const char *reason = archive_error_string(a);
        *error = what + QStringLiteral(": ") + (reason ? QString::fromLocal8Bit(reason) : QStringLiteral("unknown error"));
    }
    return false;
}

bool addEntry(archive *a, const ZipArchive::Entry &entry, time_t when, QString *error)
{
    std::unique_ptr<archive_entry, EntryDeleter> e(archive_entry_new());
    archive_entry_set_pathname_utf8(e.get(), entry.name.toUtf8().constData());
    archive_entry_set_filetype(e.get(), AE_IFREG);
    archive_entry_set_perm(e.get(), 0644);
    archive_entry_set_size(e.get(), la_int64_t(entry.bytes.size()));
    archive_entry_set_mtime(e.get(), when, 0);
    if (archive_write_header(a, e.get()) != ARCHIVE_OK)
        return failed(a, entry.name, error);
    if (!entry.bytes.isEmpty()
        && archive_write_data(a, entry.bytes.constData(), size_t(entry.bytes.size())) != la_ssize_t(entry.bytes.size()))
        return failed(a, entry.name, error);
    if (archive_write_finish_entry(a) != ARCHIVE_OK)
        return failed(a, entry.name, error);
    return true;
}

}  // namespace

namespace ZipArchive {

std::optional<QByteArray> build(const QList<Entry> &entries, const QDateTime &when, QString *error)
{
    QByteArray bytes;
    std::unique_ptr<archive, ArchiveDeleter> a(archive_write_new());
    if (!a) {
        if (error)
            *error = QStringLiteral("the archive writer could not be created");
        return std::nullopt;
    }
    // One byte per block: libarchive would otherwise pad the last block with zeros.
    if (archive_write_set_format_zip(a.get()) != ARCHIVE_OK || archive_write_zip_set_compression_deflate(a.get()) != ARCHIVE_OK
        || archive_write_set_bytes_in_last_block(a.get(), 1) != ARCHIVE_OK
        || archive_write_open(a.get(), &bytes, nullptr, appendTo, nullptr) != ARCHIVE_OK) {
        failed(a.get(), QStringLiteral("zip"), error);
        return std::nullopt;
    }
    const time_t stamp = time_t(when.toSecsSinceEpoch());
    for (const Entry &entry : entries) {
        if (!addEntry(a.get(), entry, stamp, error))
            return std::nullopt;
    }
    if (archive_write_close(a.get()) != ARCHIVE_OK) {
        failed(a.get(), QStringLiteral("zip"), error);
        return std::nullopt;
    }
    return bytes;
}

bool write(const QString &path, const QList<Entry> &entries, const QDateTime &when, QString *error)
{
    const std::optional<QByteArray> bytes = build(entries, when, error);
    return bytes && AtomicFile::write(path, *bytes, error);
}

}  // namespace ZipArchive
