#include "MonitorFileOpen.h"

#include "MonitorRecording.h"
#include "MonitorSetup.h"
#include "app/DriveSelection.h"
#include "app/MessageTable.h"
#include "base/Prompter.h"
#include "base/TextFile.h"
#include "model/NumberText.h"

#include <cmath>

namespace {

enum Message { OtherType = 9, OtherCpu = 14, Incorrect = 67, NotSelectedType = 86, FileDrive = 87 };
const QChar Newline(QLatin1Char('\n'));

// A whole-number entry of the window restored from a file: out of range it takes the
// nearest limit, a text that is no number leaves `current`.
int entry(const QString &text, int low, int high, int current)
{
    const MonitorEntry e = MonitorEntry::check(text, low, high);
    return e.status == MonitorEntry::Status::NotNumber ? current : int(NumberText::truncate(e.value));
}

}  // namespace

MonitorFileOpen::MonitorFileOpen(const DriveSelection &selection, const MessageTable &messages, Prompter &prompter)
    : m_selection(selection), m_messages(messages), m_prompter(prompter)
{
}

void MonitorFileOpen::refuse(const QString &why)
{
    m_prompter.message(m_messages.text(Incorrect) + Newline + why, m_messages.caption(), Prompter::Icon::Warning,
                       Prompter::Buttons::Ok);
    m_prompter.pump();
}

MonitorFileOpen::Result MonitorFileOpen::OpenRecording(const QString &path, CodePage page)
{
    QStringList lines;
    QString reason;
    if (!TextFile::readLines(path, page, &lines, &reason)) {
        refuse(path + QStringLiteral(": ") + reason);
        return Result::Unreadable;
    }
    return open(lines);
}

MonitorFileOpen::Result MonitorFileOpen::open(const QStringList &lines)
{
    m_file = MonitorFile();
    if (!m_file.parseHead(lines)) {
        refuse(QStringLiteral("the file is empty"));
        return Result::Unreadable;
    }
    if (!checkType())
        return Result::Refused;
    if (!askCpu())
        return Result::Cancelled;
    QString problem;
    if (!m_file.parseData(lines, &problem)) {
        refuse(problem);
        return Result::Incorrect;
    }
    return Result::Loaded;
}

bool MonitorFileOpen::checkType()
{
    if (m_file.typeName == m_selection.typeName)
        return true;
    // A legacy file names no CPU version.
    const QString drive = m_file.layout == MonitorFile::Layout::Current
        ? fileDrive() + QStringLiteral(" (") + m_file.cpuVersion + QStringLiteral(") ")
        : fileDrive() + QLatin1Char(' ');
    m_prompter.message(m_messages.text(OtherType) + Newline + drive + m_messages.text(NotSelectedType),
                       m_messages.caption(), Prompter::Icon::Warning, Prompter::Buttons::Ok);
    m_prompter.pump();
    return false;
}

bool MonitorFileOpen::askCpu()
{
    if (m_file.layout != MonitorFile::Layout::Current || m_file.cpuVersion == m_selection.cpuVersion)
        return true;
    const QString text = m_messages.text(OtherCpu) + Newline + QStringLiteral("* ") + fileDrive() + QStringLiteral(" (")
        + m_file.cpuVersion + QStringLiteral(") ") + m_messages.text(FileDrive);
    const Prompter::Answer answer =
        m_prompter.message(text, m_messages.caption(), Prompter::Icon::Warning, Prompter::Buttons::OkCancel);
    m_prompter.pump();
    return answer == Prompter::Answer::Ok;
}

void MonitorFileOpen::apply(const MonitorFile &file, int itemCount, MonitorSetup &setup, MonitorRecording &recording)
{
    if (file.layout == MonitorFile::Layout::Current) {
        setup.triggerChannel = file.triggerSource >= 0 && file.triggerSource < MonitorSetup::Channels
            ? file.triggerSource
            : setup.triggerChannel;
        if (file.triggerSlope >= 0 && file.triggerSlope <= 2)
            setup.triggerSlope = TriggerSlope(file.triggerSlope);
        setup.triggerLevel = entry(file.levelText, 0, 500, setup.triggerLevel);
        setup.triggerDelayPercent = entry(file.delayText, 0, 100, setup.triggerDelayPercent);
        setup.useTrigger = file.useTrigger;
    }
    setup.valueMax = entry(file.maxText, 100, 500, setup.valueMax);
    std::array<bool, MonitorSetup::Channels> withData{};
    for (int c = 0; c < file.channelCount(); ++c) {
        const MonitorFile::Channel &from = file.channels[size_t(c)];
        MonitorChannel &ch = setup.channels[size_t(c)];
        ch.item = from.item < itemCount ? from.item : 0;
        ch.multiplierTenths = from.multiplierTenths;
        ch.offset = from.offset;
        ch.selected = from.selected;
        withData[size_t(c)] = from.selected && from.values.size() == file.times.size();
    }
    const int samples = file.sampleCount();
    recording.start(samples - 1, withData);
    for (int a = 0; a < samples; ++a) {
        recording.beginSample(a, file.times[a]);
        for (int c = 0; c < MonitorSetup::Channels; ++c) {
            if (!withData[size_t(c)])
                continue;
            const double value = file.channels[size_t(c)].values[a];
            recording.setValue(c, value, setup.channels[size_t(c)].drawn(value), false);
        }
    }
}
