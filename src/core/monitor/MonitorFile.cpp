#include "MonitorFile.h"

#include "MonitorRecording.h"
#include "MonitorSetup.h"
#include "app/DriveSelection.h"
#include "model/NumberText.h"
#include "model/SplitFields.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace {

const QByteArray LineEnd = QByteArrayLiteral("\r\n");

// printf's "%f": six decimals, "." whatever the process locale (the C library's printf
// would take the locale's decimal point).
void appendFixed(QByteArray &out, double value)
{
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    out.append(buffer, result.ec == std::errc() ? int(result.ptr - buffer) : 0);
}

void appendWhole(QByteArray &out, qint64 value)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, int(result.ptr - buffer));
}

template <typename Field>
void appendDataLine(QByteArray &out, const char *name, const std::array<MonitorFile::Channel, MonitorFile::Channels> &channels,
                    Field field)
{
    out.append(name);
    for (const MonitorFile::Channel &ch : channels) {
        out.append(',');
        appendWhole(out, field(ch));
    }
    out.append(LineEnd);
}

int wholeOr(const QString &text, int fallback)
{
    const auto value = NumberText::parseTruncated(text);
    return value ? int(std::clamp<qint64>(*value, INT_MIN, INT_MAX)) : fallback;
}

}  // namespace

double MonitorFile::sampleValue(const MonitorSetup &setup, const MonitorRecording &recording, int channel, int i)
{
    const MonitorRecording::Channel &ch = recording.channel(channel);
    if (i < 0 || i >= ch.points.size())
        return 0;
    if (!ch.failed.value(i) && i < ch.values.size())
        return ch.values[i];
    const MonitorChannel &set = setup.channels[size_t(channel)];
    return (ch.points[i] - set.offset) / set.multiplier();
}

MonitorFile MonitorFile::of(const DriveSelection &drive, const MonitorSetup &setup, const MonitorRecording &recording)
{
    MonitorFile file;
    file.typeName = drive.typeName;
    file.formName = drive.formName;
    file.cpuVersion = drive.cpuVersion;
    file.maxText = QString::number(setup.valueMax);
    file.timePerDivision = TimePerDivisionText(setup.timePerDivisionS);
    file.triggerSource = setup.triggerChannel;
    file.triggerSlope = int(setup.triggerSlope);
    file.levelText = QString::number(setup.triggerLevel);
    file.delayText = QString::number(setup.triggerDelayPercent);
    file.useTrigger = setup.useTrigger;
    file.errorCounter = QString::number(recording.errorCount());
    const int samples = recording.keeps() ? recording.sampleCount() : 0;
    file.times = recording.SampleTimes().mid(0, samples);
    for (int c = 0; c < Channels; ++c) {
        const MonitorChannel &set = setup.channels[size_t(c)];
        Channel &ch = file.channels[size_t(c)];
        ch.item = set.item;
        ch.multiplierTenths = set.multiplierTenths;
        ch.offset = set.offset;
        ch.selected = set.selected;
        ch.values.resize(samples);
        if (!set.selected)
            continue;
        for (int i = 0; i < samples; ++i)
            ch.values[i] = sampleValue(setup, recording, c, i);
    }
    return file;
}

QByteArray MonitorFile::build(CodePage page) const
{
    QByteArray out;
    out.reserve(400 + qsizetype(times.size()) * 140);
    auto text = [&](const QString &line) { out.append(CodePages::encode(line, page)).append(LineEnd); };
    auto flag = [&](bool on) { out.append(on ? "1" : "0").append(LineEnd); };
    text(Mark);
    text(typeName);
    text(formName);
    text(cpuVersion);
    flag(alarmCheck);
    flag(tripCheck);
    flag(tripDatas);
    text(maxText);
    text(timePerDivision);
    text(QString::number(triggerSource));
    text(QString::number(triggerSlope));
    text(levelText);
    text(delayText);
    flag(useTrigger);
    text(errorCounter);
    appendDataLine(out, "Data1", channels, [](const Channel &ch) { return ch.item; });
    // The multipliers go out as 16-bit numbers ("%hd").
    appendDataLine(out, "Data2", channels, [](const Channel &ch) { return qint16(ch.multiplierTenths); });
    appendDataLine(out, "Data3", channels, [](const Channel &ch) { return ch.offset; });
    appendDataLine(out, "Data4", channels, [](const Channel &ch) { return ch.selected ? 1 : 0; });
    for (int i = 0; i < times.size(); ++i) {
        appendWhole(out, times[i]);
        for (const Channel &ch : channels) {
            out.append(',');
            // The file holds 32-bit floats.
            appendFixed(out, ch.selected ? double(float(ch.values.value(i))) : 0.0);
        }
        out.append(LineEnd);
    }
    return out;
}

bool MonitorFile::parseHead(const QStringList &lines)
{
    if (lines.isEmpty())
        return false;
    if (lines.first() == Mark) {
        layout = Layout::Current;
        parseCurrentHead(lines);
        return true;
    }
    layout = Layout::Legacy;
    typeName = lines.value(0);
    formName = lines.value(1);
    cpuVersion.clear();
    return true;
}

void MonitorFile::parseCurrentHead(const QStringList &lines)
{
    typeName = lines.value(1);
    formName = lines.value(2);
    cpuVersion = lines.value(3);
    // Non-zero means on.
    alarmCheck = wholeOr(lines.value(4), 0) != 0;
    tripCheck = wholeOr(lines.value(5), 0) != 0;
    tripDatas = wholeOr(lines.value(6), 0) != 0;
    maxText = lines.value(7);
    timePerDivision = lines.value(8);
    triggerSource = wholeOr(lines.value(9), -1);
    triggerSlope = wholeOr(lines.value(10), -1);
    levelText = lines.value(11);
    delayText = lines.value(12);
    useTrigger = wholeOr(lines.value(13), 0) != 0;
    errorCounter = lines.value(14);
}

void MonitorFile::splitLists(const QStringList &lines, int first, int last, QStringList *timeList,
                             std::array<QStringList, Channels> *channelLists) const
{
    const int end = std::min<qsizetype>(lines.size(), last);
    for (int n = first; n < end && !lines[n].isEmpty(); ++n) {
        const QStringList fields = SplitFields(lines[n]);
        timeList->append(fields.value(0));
        for (int c = 0; c < channelCount(); ++c)
            (*channelLists)[size_t(c)].append(fields.value(c + 1));
    }
}

void MonitorFile::parseChannelSetup(const std::array<QStringList, Channels> &lists)
{
    for (int c = 0; c < channelCount(); ++c) {
        const QStringList &list = lists[size_t(c)];
        Channel &ch = channels[size_t(c)];
        ch.item = std::max(0, wholeOr(list.value(0), 0));
        const QString tenths = list.value(1);
        ch.multiplierTenths = tenths.isEmpty() ? 10 : std::clamp(wholeOr(tenths, 10), 1, 100);
        const auto offset = NumberText::parse(list.value(2).isEmpty() ? QStringLiteral("0") : list.value(2));
        ch.offset = offset ? int(std::clamp<qint64>(NumberText::truncate(*offset), 0, 500)) : 0;
        ch.selected = list.value(3) != QLatin1String("0");
    }
    if (layout == Layout::Legacy) {
        // CH1's second entry is "Max." there; its multiplier is always 1.0.
        maxText = lists[0].value(1);
        channels[0].multiplierTenths = 10;
    }
}

bool MonitorFile::parseSamples(const QStringList &lines, int first, int last, QString *problem)
{
    times.clear();
    for (Channel &ch : channels)
        ch.values.clear();
    QVarLengthArray<QStringView, Channels + 2> fields;
    QStringList split;  // keeps the fields of a line that needs the full splitter
    for (int n = first; n < std::min<qsizetype>(lines.size(), last) && !lines[n].isEmpty(); ++n) {
        splitSample(lines[n], &split, &fields);
        const int a = n - first;
        if (fields[0].isEmpty())
            break;
        if (times.size() >= MonitorRecording::MaxSamples) {
            *problem = QStringLiteral("more than %1 samples").arg(MonitorRecording::MaxSamples);
            return false;
        }
        const auto ms = NumberText::parseWhole(fields[0]);
        if (!ms) {
            *problem = QStringLiteral("line %1: the time \"%2\" is not a whole number").arg(a + 1).arg(fields[0].left(40));
            return false;
        }
        times.append(qint32(*ms));
        for (int c = 0; c < channelCount(); ++c) {
            Channel &ch = channels[size_t(c)];
            if (!ch.selected)
                continue;
            const auto value = c + 1 < fields.size() ? NumberText::parse(fields[c + 1]) : std::nullopt;
            // Values are kept as 32-bit floats; a larger one would come back as "inf".
            if (!value || std::fabs(*value) > double(std::numeric_limits<float>::max())) {
                *problem = QStringLiteral("sample %1: the value of CH%2 is not a number").arg(a).arg(c + 1);
                return false;
            }
            ch.values.append(*value);
        }
    }
    return true;
}

void MonitorFile::splitSample(const QString &line, QStringList *split, QVarLengthArray<QStringView, Channels + 2> *fields)
{
    fields->clear();
    // A line without quotes and blanks splits at its commas as SplitFields splits it, without
    // copying its fields.
    const bool plain = std::none_of(line.cbegin(), line.cend(), [](QChar ch) {
        return ch == QLatin1Char('"') || ch == QLatin1Char(' ') || (ch.unicode() >= 9 && ch.unicode() <= 13);
    });
    if (!plain) {
        *split = SplitFields(line);
        for (const QString &f : std::as_const(*split))
            fields->append(f);
        return;
    }
    const QStringView view(line);
    qsizetype from = 0;
    for (qsizetype comma; (comma = view.indexOf(QLatin1Char(','), from)) >= 0; from = comma + 1)
        fields->append(view.mid(from, comma - from));
    fields->append(view.mid(from));
}

bool MonitorFile::parseData(const QStringList &lines, QString *problem)
{
    QStringList timeList;
    std::array<QStringList, Channels> lists;
    const int first = layout == Layout::Current ? 15 : 2;
    splitLists(lines, first, first + SetupLines, &timeList, &lists);
    parseChannelSetup(lists);
    if (layout == Layout::Legacy)
        legacyTimeMs = timeList.value(3);
    // The samples follow set-up lines without an empty one. One line more than a recording
    // can hold is enough to tell that the file holds too many.
    if (timeList.size() < SetupLines)
        return parseSamples(lines, 0, 0, problem);
    const int last = layout == Layout::Current ? first + SetupLines + MonitorRecording::MaxSamples + 1
                                               : first + LegacyLines;
    return parseSamples(lines, first + SetupLines, last, problem);
}
