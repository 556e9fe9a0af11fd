#pragma once

#include "MonitorReportData.h"
#include "ReportDocument.h"
#include "ReportHeader.h"

#include <array>

struct PageSetup;

// The monitor report: page header and comment line, the chart picture with the settings block
// under it, then the channel table (channel, on/off, item, multiplier, offset, minimum,
// maximum, first and last value), every text of a row in the channel's line colour. Always
// A4 portrait; margins, row height and font come from the page set-up.
class MonitorReport
{
public:
    static constexpr int Columns = 9;
    using Row = std::array<QString, Columns>;
    struct SettingLine {
        QString caption;
        QString value;  // begins with ": "
    };

    /// Rows listed: 10 minus the armed alarm and trip checks, at most the channels given.
    static int rowCount(const MonitorReportData &data);
    /// The nine cells of channel `channel` (0 = CH1).
    static Row row(const MonitorReportData &data, int channel);
    static QVector<SettingLine> settings(const MonitorReportData &data);
    static ReportDocument layout(const PageSetup &setup, const ReportHeader &header, const MonitorReportData &data);

private:
    static QString valueText(const MonitorReportData &data, const MonitorReportChannel &channel, double y);
};
