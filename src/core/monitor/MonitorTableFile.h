#pragma once

#include "base/CodePage.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>

struct MonitorFile;

// The monitor tables ".csv": the exported table of a recording ("Save As") and the table a
// continuous run writes while it goes on. Fields are separated by "," with "." as decimal
// point, or by ";" with decimal commas when the language uses them; CR LF after every line.
namespace MonitorTableFile {

constexpr int Channels = 10;

// The captions of the exported table's first column.
struct Captions {
    QString monitoring = QStringLiteral("Monitoring");  // [PrintMon] Label3
    QString multiplier = QStringLiteral("Multi.");      // [PrintMon] Label4
    QString offset = QStringLiteral("Offset");          // [PrintMon] Label5
    QString time;    // language message 55, over the elapsed milliseconds
    QString errors;  // language message 84, before the error counter
};

/// The exported table of a recording: the drive, the channels' items ("-" when not
/// selected; `itemNames` by item index), multipliers and offsets, the column titles, the
/// error counter, then per sample the elapsed milliseconds and the ten values.
QByteArray build(const MonitorFile &file, const QStringList &itemNames, const Captions &captions, bool decimalComma,
                 CodePage page);
/// build() written atomically; false with *error set, the previous file then stays.
bool WriteTable(const QString &path, const QByteArray &bytes, QString *error = nullptr);

// The continuous monitoring table.
struct ContinuousHead {
    QString typeName, formName;
    int recordMinutes = 120;   // "Record Time (min)"
    int samplingSeconds = 10;  // "Sampling Time (s/point)"
    QString time;              // language message 55
    std::array<QString, Channels> items;  // item names, "-" for an unselected channel
};
/// Creates the file with its five head lines; false with *error set.
bool WriteContinuousHead(const QString &path, const ContinuousHead &head, bool decimalComma, CodePage page,
                         QString *error = nullptr);
/// One sample line, appended and the file closed again, so that a run cut short leaves a
/// table readable up to its last line. False with *error set when the line was not written.
bool AppendContinuousLine(const QString &path, qint64 elapsedMs, const std::array<double, Channels> &values,
                          bool decimalComma, QString *error = nullptr);
/// Writes `bytes` at the end of the open file `fd`; a part written before a failure is cut
/// off again. False with *error set to the system's reason.
bool AppendWhole(int fd, const QByteArray &bytes, QString *error = nullptr);
/// The bytes of one such line.
QByteArray continuousLine(qint64 elapsedMs, const std::array<double, Channels> &values, bool decimalComma);

}  // namespace MonitorTableFile
