// Arbitrary bytes as a monitor recording file, in both code pages, opened as the monitoring
// window's "Open" does with both answers to the CPU question, applied to a set-up and a
// recording, and written back: nothing may crash or read out of range.
#include "FuzzFile.h"
#include "app/DriveSelection.h"
#include "app/MessageTable.h"
#include "base/ScriptedPrompter.h"
#include "monitor/MonitorFile.h"
#include "monitor/MonitorFileOpen.h"
#include "monitor/MonitorRecording.h"
#include "monitor/MonitorSetup.h"
#include "monitor/MonitorTableFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    const QString path =
        FuzzFile::write(QStringLiteral("input.mon"), QByteArray(reinterpret_cast<const char *>(bytes), qsizetype(size)));
    DriveSelection selection;
    selection.typeName = QStringLiteral("KDA1");
    selection.formName = QStringLiteral("-2007P");
    selection.cpuVersion = QStringLiteral("V100");
    const MessageTable messages;
    for (CodePage page : {CodePage::Windows1252, CodePage::ShiftJis}) {
        for (Prompter::Answer answer : {Prompter::Answer::Ok, Prompter::Answer::Cancel}) {
            ScriptedPrompter prompter;
            prompter.defaultAnswer = answer;
            MonitorFileOpen open(selection, messages, prompter);
            if (open.OpenRecording(path, page) != MonitorFileOpen::Result::Loaded)
                continue;
            MonitorSetup setup = MonitorSetup::defaults();
            MonitorRecording recording;
            MonitorFileOpen::apply(open.file(), 6, setup, recording);
            const MonitorFile again = MonitorFile::of(selection, setup, recording);
            again.build(page);
            MonitorTableFile::build(again, {QStringLiteral("a"), QStringLiteral("b")}, {}, answer == Prompter::Answer::Ok,
                                    page);
        }
    }
    return 0;
}
