#pragma once

#include "base/CodePage.h"

#include <QString>

struct MonitorFile;

// The choices of the monitoring window's "Save As": which filter entry its dialog offers
// first, the extension a name gets, and which kind of file the name asks for. The save
// dialog lists .mon, .csv, .bmp, .jpg, .wmf; in continuous mode the picture dialog lists
// .bmp, .jpg, .wmf.
namespace MonitorFileSave {

enum class Format { Mon, Csv, Bmp, Jpg, Wmf };
enum class Dialog { Save, Picture };

/// The filter entry (0-based) offered first, from the last monitor file name's extension.
int preselectedFilter(Dialog dialog, const QString &lastFileName);
/// The name as written: unless it already ends in one of the dialog's extensions (any case),
/// the extension of the chosen filter entry (0-based) is appended in lower case.
QString withExtension(Dialog dialog, const QString &name, int filterIndex);
/// What a name's extension asks for; any other extension is a ".mon" file.
Format formatOf(const QString &name);
bool isPicture(Format format);

/// The ".mon" file written atomically: false with *error set, the previous file then stays.
bool SaveRecording(const QString &path, const MonitorFile &file, CodePage page, QString *error = nullptr);

}  // namespace MonitorFileSave
