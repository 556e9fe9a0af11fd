// A plain monitoring run at the fastest interval the window allows, against vkr-drive-sim with
// line timing at 9600 bit/s: the processor time the tool spends (the line's own time is the
// reference: what the bytes of every read take on the wire at 11 bits a byte), and how far each
// sample starts from its deadline.
//
// Usage: bench-monitor-run [SECONDS] [--sleep]   (default 60 s; --sleep waits as vkr monitor
// does, without an event loop)
#include "../../../tests/core/files/SampleDrive.h"
#include "SimProcess.h"

#include "comm/CommExchange.h"
#include "comm/DriveFrameItems.h"
#include "comm/NativeFrames.h"
#include "comm/PosixSerialPort.h"
#include "drivesim/SimLine.h"
#include "monitor/MonitorItems.h"
#include "monitor/MonitorReader.h"
#include "monitor/MonitorRecording.h"
#include "monitor/MonitorRun.h"
#include "monitor/MonitorTiming.h"
#include "monitor/MonitorWaits.h"

#include <QCoreApplication>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

double cpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

struct Figures {
    std::vector<double> late;  // ms after the deadline, per sample
    int samples = 0;
    int failed = 0;
};

void printJitter(Figures &f)
{
    std::sort(f.late.begin(), f.late.end());
    const auto at = [&f](double q) { return f.late[size_t(q * double(f.late.size() - 1))]; };
    const long over2 = std::count_if(f.late.begin(), f.late.end(), [](double ms) { return ms > 2.0; });
    double sum = 0;
    for (double ms : f.late)
        sum += ms;
    std::printf("sample start after its deadline: mean %.3f ms, median %.3f ms, p99 %.3f ms, max %.3f ms; "
                "%ld of %d samples more than 2 ms late\n",
                sum / double(f.late.size()), at(0.5), at(0.99), f.late.back(), over2, f.samples);
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const bool sleepWait = args.contains(QStringLiteral("--sleep"));
    double seconds = 60;
    for (const QString &a : args) {
        bool ok = false;
        const double v = a.toDouble(&ok);
        if (ok && v > 0)
            seconds = v;
    }
    SampleDrive drive;
    MonitorItemList items;
    if (!drive.load() || !LoadMonitorItems(IniFile(drive.folders.infoFile), drive.selection.typeName,
                                           drive.selection.languagePrefix, drive.data, items)) {
        std::printf("the sample drive KDA1 cannot be loaded\n");
        return 1;
    }
    SimProcess sim({"--drive", "KDA1:-2004P:V100", "--line-timing"});
    CommSettings settings;
    PosixSerialPort port;
    if (sim.device().isEmpty() || !port.open(sim.device()) || !port.setLine(settings.line())) {
        std::printf("simulator not available\n");
        return 1;
    }
    DriveFrameItems frameItems(drive.data);
    CommExchange exchange(port, settings, &frameItems);
    MonitorReader reader(drive.data, exchange);
    const MonitorSetup setup = MonitorSetup::defaults();  // CH1..CH5, the first five items
    for (int c = 0; c < MonitorSetup::Channels; ++c)
        reader.refreshSlot(c, items.items[size_t(c)].code);
    const int reads = setup.selectedCount();
    int mean = 0;
    const int minExchange = reader.MinExchangeTime(true, 1, 5, 50, &mean);
    const int intervalMs = minExchange * reads;  // lowest time per division / 5
    MonitorRunSettings run = MonitorRunSettings::fromSetup(setup, int(seconds * 1000 / intervalMs));
    run.sampleIntervalMs = intervalMs;

    // The line's own time of one sample: request and reply of every read at 11 bits a byte.
    const FrameItem item = *frameItems.frameItem(reader.slot(0).row);
    const int bytes = int(BuildNativeRequest(item, 'R', QString(), settings).size()) + NativeReplyLength(item, 'R', settings);
    const double lineMsPerSample = reads * SimLine::frameMs(bytes, settings.baudRate());

    Figures f;
    MonitorRunCallbacks cb;
    cb.wait = sleepWait ? &SleepUntil : &WaitInEventLoop;
    cb.sampleTaken = [&f](const MonitorSample &s) {
        ++f.samples;
        f.late.push_back(s.lateMs);
        for (const MonitorChannelSample &ch : s.channels)
            f.failed += ch.read && ch.failed ? 1 : 0;
    };
    MonitorRecording recording;
    MonitorRunFlags flags;
    std::printf("== plain monitoring run, KDA1 at 9600 bit/s with line timing, %d items, %s\n"
                "   mean read %d ms: MinExchangeTime %d ms, sample interval %d ms, %d samples (%.0f s)\n"
                "   goals: under 5 %% of one core beyond the line's own time; every sample within 2 ms of its "
                "deadline on an idle machine\n",
                reads, sleepWait ? "sleeping between samples" : "waiting in the event loop", mean, minExchange,
                intervalMs, run.pointsPerChannel + 1, seconds);
    const double cpu0 = cpuSeconds();
    QElapsedTimer clock;
    clock.start();
    MonitorRun(reader, recording, flags, cb).run(MonitorRun::Kind::Plain, run);
    const double elapsed = double(clock.nsecsElapsed()) / 1e9;
    const double cpu = cpuSeconds() - cpu0;
    const double line = lineMsPerSample * f.samples / 1000.0;
    std::printf("elapsed %.3f s, %d samples, %d failed reads\n", elapsed, f.samples, f.failed);
    std::printf("processor time %.3f s = %.2f %% of one core (%.3f ms per sample, %.1f us per read); "
                "the line is busy %.3f s = %.1f %% of the run (%.2f ms per sample)\n",
                cpu, 100.0 * cpu / elapsed, 1000.0 * cpu / f.samples, 1e6 * cpu / (f.samples * reads), line,
                100.0 * line / elapsed, lineMsPerSample);
    printJitter(f);
    return 0;
}
