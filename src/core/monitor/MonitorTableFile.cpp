#include "MonitorTableFile.h"

#include "MonitorFile.h"
#include "base/AtomicFile.h"
#include "base/FileRead.h"
#include "model/NumberText.h"

#include <QFile>

#include <cerrno>
#include <charconv>
#include <fcntl.h>
#include <unistd.h>

namespace MonitorTableFile {

namespace {

const QByteArray LineEnd = QByteArrayLiteral("\r\n");

char separator(bool decimalComma)
{
    return decimalComma ? ';' : ',';
}

// printf's "%f", locale-independent.
void appendFixed(QByteArray &out, double value)
{
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    out.append(buffer, result.ec == std::errc() ? int(result.ptr - buffer) : 0);
}

// The general conversion: up to `digits` significant digits, with the decimal comma.
QString general(double value, bool decimalComma, int digits = 15)
{
    QString text = NumberText::format(digits < 15 ? QString::number(value, 'g', digits).toDouble() : value);
    if (decimalComma)
        text.replace(QLatin1Char('.'), QLatin1Char(','));
    return text;
}

// A sample value: general text with ";", "%f" with ",".
void appendValue(QByteArray &out, double value, bool decimalComma)
{
    if (decimalComma)
        out.append(general(value, true).toLatin1());
    else
        appendFixed(out, value);
}

void appendRow(QByteArray &out, const QString &first, const QStringList &rest, bool decimalComma, CodePage page)
{
    QString line = first;
    for (const QString &field : rest)
        line += QLatin1Char(separator(decimalComma)) + field;
    out.append(CodePages::encode(line, page)).append(LineEnd);
}

QStringList channelTitles()
{
    QStringList titles;
    for (int c = 1; c <= Channels; ++c)
        titles << QStringLiteral("(CH%1)").arg(c);
    return titles;
}

}  // namespace

QByteArray build(const MonitorFile &file, const QStringList &itemNames, const Captions &captions, bool decimalComma,
                 CodePage page)
{
    QByteArray out;
    out.reserve(600 + qsizetype(file.times.size()) * 140);
    out.append(CodePages::encode(file.typeName + file.formName, page)).append(LineEnd);
    QStringList items, multipliers, offsets;
    for (const MonitorFile::Channel &ch : file.channels) {
        items << (ch.selected ? itemNames.value(ch.item, QStringLiteral("-")) : QStringLiteral("-"));
        multipliers << general(ch.multiplierTenths / 10.0, decimalComma, 7);
        offsets << QString::number(ch.offset);
    }
    appendRow(out, captions.monitoring, items, decimalComma, page);
    appendRow(out, captions.multiplier, multipliers, decimalComma, page);
    appendRow(out, captions.offset, offsets, decimalComma, page);
    appendRow(out, captions.time, channelTitles(), decimalComma, page);
    out.append(CodePages::encode(captions.errors + file.errorCounter, page)).append(LineEnd);
    for (int i = 0; i < file.times.size(); ++i) {
        out.append(QByteArray::number(file.times[i]));
        for (const MonitorFile::Channel &ch : file.channels) {
            out.append(separator(decimalComma));
            if (ch.selected)
                appendValue(out, ch.values.value(i), decimalComma);
            else
                out.append(decimalComma ? "0" : "0.000000");
        }
        out.append(LineEnd);
    }
    return out;
}

bool WriteTable(const QString &path, const QByteArray &bytes, QString *error)
{
    return AtomicFile::write(path, bytes, error);
}

bool WriteContinuousHead(const QString &path, const ContinuousHead &head, bool decimalComma, CodePage page,
                         QString *error)
{
    QByteArray out;
    out.append(CodePages::encode(head.typeName + head.formName, page)).append(LineEnd);
    out.append(QByteArray::number(head.recordMinutes)).append("(min)").append(LineEnd);
    out.append(QByteArray::number(head.samplingSeconds)).append("(s/point)").append(LineEnd);
    appendRow(out, head.time, QStringList(head.items.cbegin(), head.items.cend()), decimalComma, page);
    appendRow(out, QStringLiteral(" "), channelTitles(), decimalComma, page);
    return AtomicFile::write(path, out, error);
}

QByteArray continuousLine(qint64 elapsedMs, const std::array<double, Channels> &values, bool decimalComma)
{
    QByteArray out = QByteArray::number(elapsedMs);
    for (double v : values) {
        out.append(separator(decimalComma));
        appendValue(out, v, decimalComma);
    }
    return out.append(LineEnd);
}

bool AppendWhole(int fd, const QByteArray &bytes, QString *error)
{
    const off_t before = ::lseek(fd, 0, SEEK_END);
    qsizetype done = 0;
    int failure = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            failure = n < 0 ? errno : ENOSPC;
            break;
        }
        done += n;
    }
    // A line cut short by a full disk is taken back, so the table ends with a whole line.
    if (failure != 0 && before >= 0) {
        const int truncated = ::ftruncate(fd, before);
        (void)truncated;
    }
    if (failure != 0 && error)
        *error = FileRead::systemReason(failure);
    return failure == 0;
}

bool AppendContinuousLine(const QString &path, qint64 elapsedMs, const std::array<double, Channels> &values,
                          bool decimalComma, QString *error)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        if (error)
            *error = FileRead::systemReason(errno);
        return false;
    }
    bool ok = AppendWhole(fd, continuousLine(elapsedMs, values, decimalComma), error);
    if (::close(fd) != 0 && ok) {
        if (error)
            *error = FileRead::systemReason(errno);
        ok = false;
    }
    return ok;
}

}  // namespace MonitorTableFile
