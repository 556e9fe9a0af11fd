#pragma once

#include "MonitorReportData.h"

class DriveData;
class LanguageFile;
class MonitorRecording;
struct MonitorItemList;
struct MonitorSetup;

// The monitor report's data from what the monitoring window shows: its set-up (channels,
// trigger), the recording drawn on its chart and the drive's monitor items, with the
// captions of the language file. The window adds what only it knows: the time per division
// shown, the scope and the armed alarm and trip checks.
namespace MonitorReportSource {

MonitorReportData collect(const MonitorSetup &setup, const MonitorRecording &recording, const MonitorItemList &items,
                          const DriveData &data, const LanguageFile &language);

}  // namespace MonitorReportSource
