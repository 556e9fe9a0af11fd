#include "ContinuousMonitoring.h"

#include "MonitorRun.h"
#include "MonitorSetup.h"
#include "app/DriveSelection.h"
#include "app/MessageTable.h"

#include <algorithm>
#include <cmath>

namespace ContinuousMonitoring {

namespace {
enum Message { RecordTime = 50, SamplingTime = 51, ToAFile = 52, FileSize = 53, FileSizeUnit = 54, TimeTitle = 55 };
}

QString ConfirmationText(const MessageTable &messages, int recordMinutes, int samplingSeconds, int estimatedFileSizeKb)
{
    return messages.text(RecordTime) + QString::number(recordMinutes) + QStringLiteral("(min)\n")
        + messages.text(SamplingTime) + QString::number(samplingSeconds) + QStringLiteral("(s/point)\n\n")
        + messages.text(ToAFile) + QLatin1Char('\n') + messages.text(FileSize) + QString::number(estimatedFileSizeKb)
        + messages.text(FileSizeUnit);
}

QString WithCsvExtension(const QString &path)
{
    return path.right(4).toUpper() == QLatin1String(".CSV") ? path : path + QStringLiteral(".csv");
}

MonitorTableFile::ContinuousHead Head(const DriveSelection &drive, const MonitorSetup &setup,
                                      const QStringList &itemNames, int recordMinutes, int samplingSeconds,
                                      const MessageTable &messages)
{
    MonitorTableFile::ContinuousHead head;
    head.typeName = drive.typeName;
    head.formName = drive.formName;
    head.recordMinutes = recordMinutes;
    head.samplingSeconds = samplingSeconds;
    head.time = messages.text(TimeTitle);
    for (int c = 0; c < MonitorSetup::Channels; ++c) {
        const MonitorChannel &ch = setup.channels[size_t(c)];
        head.items[size_t(c)] = ch.selected ? itemNames.value(ch.item, QStringLiteral("-")) : QStringLiteral("-");
    }
    return head;
}

void ApplyTimeBase(MonitorRunSettings &settings, const MonitorTiming::Continuous &base, int recordMinutes,
                   int samplingSeconds)
{
    settings.recordMinutes = recordMinutes;
    settings.samplingSeconds = samplingSeconds;
    settings.plotDivider = base.plotDivider;
}

int SilenceLimitMs(int limitMs, double samplingSeconds)
{
    if (limitMs <= 0)
        return 0;
    return int(std::min(2e9, std::max(double(limitMs), std::ceil(3 * samplingSeconds * 1000))));
}

}  // namespace ContinuousMonitoring
