// Sequential reads over a pseudo-terminal against vkr-drive-sim: the tool's Modbus exchange
// and libmodbus's own client in the same run, on a fast line (processor time per exchange)
// and on lines the simulator times like real ones at 9600, 19200 and 38400 bit/s (elapsed
// time against the line's floor). Prints figures; asserts nothing.
#include "comm/CommExchange.h"
#include "comm/FrameItemSource.h"
#include "comm/LineTraceFile.h"
#include "comm/PosixSerialPort.h"
#include "drivesim/SimLine.h"
#include "SimProcess.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <modbus/modbus.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <vector>

namespace {

constexpr int SlaveId = 1;
constexpr int Register = 0x0011;
constexpr int Rounds = 3;
// Modbus read of one register: 8-byte request, 7-byte reply; native: 6 and 8 with the number byte.
constexpr int ModbusRequest = 8, ModbusReply = 7, NativeRequest = 6, NativeReply = 8;

class OneItem : public FrameItemSource
{
public:
    std::optional<FrameItem> frameItem(int index) const override
    {
        return index == 0 ? std::optional<FrameItem>(FrameItem{QStringLiteral("0011"), false}) : std::nullopt;
    }
    int indexOfComNo(const QString &comNo) const override { return comNo == QLatin1String("0011") ? 0 : -1; }
};

double cpuSeconds()
{
    rusage u {};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

struct Figures {
    int count = 0;
    double seconds = 0;
    double cpu = 0;
    int failures = 0;
    double rate() const { return seconds > 0 ? count / seconds : 0; }
    double cpuUs() const { return count > 0 ? cpu * 1e6 / count : 0; }
    double msEach() const { return count > 0 ? seconds * 1e3 / count : 0; }
};

// The simulated drive on a pseudo-terminal, optionally timed like a real line.
class Simulator : public SimProcess
{
public:
    Simulator(const QString &protocol, int baud, bool lineTiming)
        : SimProcess(QStringList{"--protocol", protocol, "--baud", QString::number(baud), "--parity", "none", "--drive",
                                 QStringLiteral("KDA1:-2007P:V100:%1").arg(SlaveId)}
                     + (lineTiming ? QStringList{"--line-timing", "--turnaround", "0"} : QStringList{}))
    {
    }
};

// With `traced`, every frame also goes to a communication log file, as with vkr --trace.
Figures toolReads(const QString &device, int protocol, int baud, int count, bool traced = false)
{
    Figures f;
    f.count = count;
    LineTraceFile log;
    PosixSerialPort port;
    if (traced && log.open(QStringLiteral("/tmp/bench-exchange-trace.log"), nullptr))
        port.setTrace(log.trace());
    const CommSettings settings = CommSettings::fromValues(protocol, 0, CommSettings::baudIndexOf(baud), 0, 0, 1,
                                                           SlaveId, true, false, 200);
    if (!port.open(device) || !port.setLine(settings.line())) {
        f.failures = count;
        return f;
    }
    OneItem items;
    CommExchange exchange(port, settings, &items);
    bool failed = false;
    const double cpu0 = cpuSeconds();
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < count; ++i) {
        exchange.exchange(0, QString(), failed, 'R');
        f.failures += failed ? 1 : 0;
    }
    f.seconds = double(clock.nsecsElapsed()) / 1e9;
    f.cpu = cpuSeconds() - cpu0;
    return f;
}

// pauseUs > 0: libmodbus leaving the tool's mandatory gap after each reply, so both sides pay
// for the same sleep and wake-up and the processor figures compare the exchange code alone.
Figures libmodbusReads(const QString &device, int baud, int count, int pauseUs = 0)
{
    Figures f;
    f.count = count;
    const QByteArray path = device.toLocal8Bit();
    modbus_t *ctx = modbus_new_rtu(path.constData(), baud, 'N', 8, 1);
    if (!ctx || modbus_set_slave(ctx, SlaveId) != 0 || modbus_connect(ctx) != 0) {
        std::printf("libmodbus: %s\n", modbus_strerror(errno));
        if (ctx)
            modbus_free(ctx);
        f.failures = count;
        return f;
    }
    uint16_t value = 0;
    const double cpu0 = cpuSeconds();
    QElapsedTimer clock;
    clock.start();
    const timespec pause{0, long(pauseUs) * 1000L};
    for (int i = 0; i < count; ++i) {
        f.failures += modbus_read_registers(ctx, Register, 1, &value) == 1 ? 0 : 1;
        if (pauseUs > 0)
            clock_nanosleep(CLOCK_MONOTONIC, 0, &pause, nullptr);
    }
    f.seconds = double(clock.nsecsElapsed()) / 1e9;
    f.cpu = cpuSeconds() - cpu0;
    modbus_close(ctx);
    modbus_free(ctx);
    return f;
}

// The machine's own floor for the mandatory pause: what one wait until an absolute deadline
// `gapMs` ahead costs in processor time and how late it ends, with the same timer slack the
// tool asks for. No client can keep the line silent for the pause without paying one.
struct WaitCost {
    double cpuUs = 0;
    double lateUs = 0;
};

WaitCost timedWaitCost(int gapMs)
{
    constexpr int Count = 1000;
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    const double cpu0 = cpuSeconds();
    double late = 0;
    for (int i = 0; i < Count; ++i) {
        timespec until{};
        clock_gettime(CLOCK_MONOTONIC, &until);
        until.tv_nsec += long(gapMs) * 1000000L + 1000L;
        if (until.tv_nsec >= 1000000000L) {
            until.tv_sec += 1;
            until.tv_nsec -= 1000000000L;
        }
        clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr);
        timespec woke{};
        clock_gettime(CLOCK_MONOTONIC, &woke);
        late += double(woke.tv_sec - until.tv_sec) * 1e9 + double(woke.tv_nsec - until.tv_nsec);
    }
    return {(cpuSeconds() - cpu0) * 1e6 / Count, late / 1e3 / Count};
}

// The median round by rate: other programs on the machine make single rounds noisy.
Figures median(std::vector<Figures> rounds)
{
    std::sort(rounds.begin(), rounds.end(), [](const Figures &a, const Figures &b) { return a.rate() < b.rate(); });
    return rounds[rounds.size() / 2];
}

void print(const char *name, const Figures &f)
{
    std::printf("  %-34s %7.0f reads/s  %7.3f ms each  CPU %5.1f us each  failed %d\n", name, f.rate(), f.msEach(),
                f.cpuUs(), f.failures);
}

void fastLine()
{
    constexpr int Count = 2000;
    std::printf("== %d reads of 0011, simulator without line timing; median of %d alternating rounds\n", Count,
                Rounds);
    const int gapMs = CommSettings::gapForBaudIndex(CommSettings::baudIndexOf(38400));
    std::vector<Figures> tool, lib, libPaused, native, tracedModbus, tracedNative;
    {
        Simulator sim(QStringLiteral("modbus"), 38400, false);
        for (int round = 0; round < Rounds; ++round) {
            tool.push_back(toolReads(sim.device(), CommSettings::Modbus, 38400, Count));
            lib.push_back(libmodbusReads(sim.device(), 38400, Count));
            libPaused.push_back(libmodbusReads(sim.device(), 38400, Count, gapMs * 1000 + 1));
            tracedModbus.push_back(toolReads(sim.device(), CommSettings::Modbus, 38400, Count, true));
        }
    }
    {
        Simulator sim(QStringLiteral("native"), 38400, false);
        for (int round = 0; round < Rounds; ++round) {
            native.push_back(toolReads(sim.device(), CommSettings::Native, 38400, Count));
            tracedNative.push_back(toolReads(sim.device(), CommSettings::Native, 38400, Count, true));
        }
    }
    const Figures t = median(tool), l = median(lib), lp = median(libPaused);
    print("tool, Modbus (with its 1 ms gap)", t);
    print("tool, Modbus, traced to a file", median(tracedModbus));
    print("libmodbus modbus_read_registers", l);
    print("libmodbus, same 1 ms pause", lp);
    print("tool, native", median(native));
    print("tool, native, traced to a file", median(tracedNative));
    if (l.cpuUs() > 0 && lp.cpuUs() > 0)
        std::printf("  processor time per exchange, tool/libmodbus: %.2f, against libmodbus with the same pause: %.2f "
                    "(goal at most 1.5)\n",
                    t.cpuUs() / l.cpuUs(), t.cpuUs() / lp.cpuUs());
    const WaitCost wait = timedWaitCost(gapMs);
    std::printf("  one wait for the %d ms pause on this machine: CPU %.1f us, ends %.0f us late; tool less that wait "
                "against libmodbus: %.2f\n",
                gapMs, wait.cpuUs, wait.lateUs, l.cpuUs() > 0 ? (t.cpuUs() - wait.cpuUs) / l.cpuUs() : 0.0);
}

// About four seconds of reads at each rate.
int countFor(double floorMs)
{
    return std::max(100, int(4000.0 / floorMs));
}

void emulatedModbus(int baud)
{
    const int gapMs = CommSettings::gapForBaudIndex(CommSettings::baudIndexOf(baud));
    // The tool must leave more than gapMs between a reply and its next request; libmodbus
    // leaves nothing, so its own floor has no gap.
    const double floorMs = SimLine::exchangeFloorMs(ModbusRequest, ModbusReply, baud, true, 0, gapMs);
    const double libFloorMs = SimLine::exchangeFloorMs(ModbusRequest, ModbusReply, baud, true);
    const int count = countFor(floorMs);
    std::vector<Figures> tool, lib, libPaused;
    {
        Simulator sim(QStringLiteral("modbus"), baud, true);
        for (int round = 0; round < Rounds; ++round) {
            tool.push_back(toolReads(sim.device(), CommSettings::Modbus, baud, count));
            lib.push_back(libmodbusReads(sim.device(), baud, count));
            libPaused.push_back(libmodbusReads(sim.device(), baud, count, gapMs * 1000 + 1));
        }
    }
    const Figures t = median(tool), l = median(lib), lp = median(libPaused);
    std::printf("-- Modbus at %d bit/s, %d reads; floor %.3f ms (%.3f ms without the %d ms gap)\n", baud, count,
                floorMs, libFloorMs, gapMs);
    print("tool", t);
    print("libmodbus", l);
    print("libmodbus, same pause", lp);
    std::printf("  tool/floor %.4f (goal at most 1.01); libmodbus/its floor %.4f; CPU tool/libmodbus %.2f, "
                "with the same pause %.2f\n",
                t.msEach() / floorMs, l.msEach() / libFloorMs, l.cpuUs() > 0 ? t.cpuUs() / l.cpuUs() : 0.0,
                lp.cpuUs() > 0 ? t.cpuUs() / lp.cpuUs() : 0.0);
    // What the emulated line adds to every exchange (scheduling of two processes) is the same
    // for both clients: the time each spends above its own floor shows whose exchange is slower.
    const WaitCost wait = timedWaitCost(gapMs);
    std::printf("  time above the floor per exchange: tool %.0f us, libmodbus %.0f us; one wait for the pause here "
                "ends %.0f us late\n",
                (t.msEach() - floorMs) * 1e3, (l.msEach() - libFloorMs) * 1e3, wait.lateUs);
}

void emulatedNative(int baud)
{
    const double floorMs = SimLine::exchangeFloorMs(NativeRequest, NativeReply, baud, false);
    const int count = countFor(floorMs);
    std::vector<Figures> tool, traced;
    {
        Simulator sim(QStringLiteral("native"), baud, true);
        for (int round = 0; round < Rounds; ++round) {
            tool.push_back(toolReads(sim.device(), CommSettings::Native, baud, count));
            traced.push_back(toolReads(sim.device(), CommSettings::Native, baud, count, true));
        }
    }
    const Figures t = median(tool), tt = median(traced);
    std::printf("-- native at %d bit/s, %d reads; floor %.3f ms\n", baud, count, floorMs);
    print("tool", t);
    print("tool, traced to a file", tt);
    std::printf("  tool/floor %.4f, traced/floor %.4f\n", t.msEach() / floorMs, tt.msEach() / floorMs);
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    fastLine();
    std::printf("\n== simulator with line timing, turnaround 0; median of %d alternating rounds\n", Rounds);
    for (int baud : {9600, 19200, 38400})
        emulatedModbus(baud);
    emulatedNative(38400);
    return 0;
}
