#pragma once

#include "MonitorTableFile.h"
#include "MonitorTiming.h"

#include <QString>
#include <QStringList>

class MessageTable;
struct DriveSelection;
struct MonitorRunSettings;
struct MonitorSetup;

// What starting a continuous run needs besides the loop: the note the user confirms, the name
// of the table file, its head and the run's time base. "Record Time (min)" and "Sampling Time
// (s/point)" are whole minutes and seconds.
namespace ContinuousMonitoring {

/// The note before the run: record time, sampling time, that the data go to a file, and the
/// estimated size of that file in KB (language messages 50..54).
QString ConfirmationText(const MessageTable &messages, int recordMinutes, int samplingSeconds, int estimatedFileSizeKb);
/// The table's name as written: ".csv" appended unless it ends in ".csv" in any case.
QString WithCsvExtension(const QString &path);
/// The head of the table: the drive, the two times, the time column's title (language message
/// 55) and the item of each selected channel, "-" for the others. `itemNames` by item index.
MonitorTableFile::ContinuousHead Head(const DriveSelection &drive, const MonitorSetup &setup,
                                      const QStringList &itemNames, int recordMinutes, int samplingSeconds,
                                      const MessageTable &messages);
/// The run's settings: the two times and the plot divider of `base`.
void ApplyTimeBase(MonitorRunSettings &settings, const MonitorTiming::Continuous &base, int recordMinutes,
                   int samplingSeconds);
/// How long a line may stay silent before a continuous run ends: `limitMs`, but at least three
/// sampling periods, so that one missed sample does not end a run of hours.
int SilenceLimitMs(int limitMs, double samplingSeconds);

}  // namespace ContinuousMonitoring
