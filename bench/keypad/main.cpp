// Keypad panel polling against vkr-drive-sim on a pseudo-terminal: polls per second on lines
// the simulator times like real ones at 9600 and 38400 bit/s, against the line's own limit
// (request and reply bytes at 11 bits each, the Modbus frame silence and the Modbus pause
// before the next request), and the processor time each poll costs. Prints figures; asserts
// nothing.
#include "comm/CommExchange.h"
#include "comm/FrameItemSource.h"
#include "comm/PosixSerialPort.h"
#include "drivesim/SimLine.h"
#include "keypad/KeypadExchange.h"
#include "keypad/KeypadLoop.h"
#include "SimProcess.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

namespace {

constexpr int Rounds = 3;
constexpr double RoundSeconds = 3.0;

class KeyItems : public FrameItemSource
{
public:
    std::optional<FrameItem> frameItem(int index) const override
    {
        static const FrameItem items[] = {{QStringLiteral("FA10"), false}, {QStringLiteral("FA11"), false}};
        return index >= 0 && index < 2 ? std::optional<FrameItem>(items[index]) : std::nullopt;
    }
    int indexOfComNo(const QString &comNo) const override
    {
        return comNo == QLatin1String("FA10") ? 0 : comNo == QLatin1String("FA11") ? 1 : -1;
    }
};

double cpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

struct Figures {
    int polls = 0;
    int failures = 0;
    double seconds = 0;
    double cpu = 0;
    double rate() const { return seconds > 0 ? polls / seconds : 0; }
    double cpuUs() const { return polls > 0 ? cpu * 1e6 / polls : 0; }
    double corePercent() const { return seconds > 0 ? 100.0 * cpu / seconds : 0; }
};

Figures poll(const QString &device, const CommSettings &settings)
{
    Figures f;
    PosixSerialPort port;
    if (!port.open(device) || !port.setLine(settings.line()))
        return f;
    KeyItems items;
    CommExchange exchange(port, settings, &items);
    KeypadLoop loop(exchange, items);
    loop.start();
    const double cpu0 = cpuSeconds();
    QElapsedTimer clock;
    clock.start();
    while (clock.nsecsElapsed() < qint64(RoundSeconds * 1e9))
        loop.cycle();
    f.seconds = double(clock.nsecsElapsed()) / 1e9;
    f.cpu = cpuSeconds() - cpu0;
    f.polls = loop.cycles();
    f.failures = loop.readFailures();
    return f;
}

// The peer in the same run: ordinary reads of one 16-bit parameter (FA11) on the same line.
Figures plainReads(const QString &device, const CommSettings &settings)
{
    Figures f;
    PosixSerialPort port;
    if (!port.open(device) || !port.setLine(settings.line()))
        return f;
    KeyItems items;
    CommExchange exchange(port, settings, &items);
    bool failed = false;
    const double cpu0 = cpuSeconds();
    QElapsedTimer clock;
    clock.start();
    while (clock.nsecsElapsed() < qint64(RoundSeconds * 1e9)) {
        exchange.exchange(1, QString(), failed, 'R');
        f.failures += failed ? 1 : 0;
        ++f.polls;
    }
    f.seconds = double(clock.nsecsElapsed()) / 1e9;
    f.cpu = cpuSeconds() - cpu0;
    return f;
}

Figures median(std::vector<Figures> rounds)
{
    std::sort(rounds.begin(), rounds.end(), [](const Figures &a, const Figures &b) { return a.rate() < b.rate(); });
    return rounds[rounds.size() / 2];
}

void measure(bool modbus, int baud, bool lineTiming)
{
    CommSettings settings = CommSettings::fromValues(modbus ? CommSettings::Modbus : CommSettings::Native, 0,
                                                     CommSettings::baudIndexOf(baud), 0, 0, 1, 0, false, false, 200);
    QStringList args{"--protocol", modbus ? "modbus" : "native", "--baud", QString::number(baud), "--parity", "none",
                     "--drive", "KDA1:-2007P:V100"};
    if (lineTiming)
        args << "--line-timing" << "--turnaround" << "0";
    SimProcess sim(args);
    std::vector<Figures> rounds, peers;
    for (int r = 0; r < Rounds; ++r) {
        rounds.push_back(poll(sim.device(), settings));
        if (lineTiming)
            peers.push_back(plainReads(sim.device(), settings));
    }
    const Figures f = median(rounds);
    const char *name = modbus ? "Modbus" : "native";
    if (!lineTiming) {
        std::printf("  %-7s no line timing: %7.0f polls/s  CPU %6.1f us/poll  failed %d\n", name, f.rate(), f.cpuUs(),
                    f.failures);
        return;
    }
    // Native read of FC10: 5-byte request, 15-byte reply; Modbus: 8 and 15 and the pause.
    const int request = modbus ? 8 : 5;
    const double floorMs =
        SimLine::exchangeFloorMs(request, 15, baud, modbus, 0, modbus ? settings.gapMs : 0);
    const double limit = 1000.0 / floorMs;
    std::printf("  %-7s %5d bit/s: %7.1f polls/s  limit %7.1f (%.3f ms a poll)  ratio %.3f (goal >= 0.95)\n"
                "                        CPU %6.1f us/poll, %5.2f %% of one core  failed %d\n",
                name, baud, f.rate(), limit, floorMs, f.rate() / limit, f.cpuUs(), f.corePercent(), f.failures);
    // Ordinary read: request 5 or 8 bytes, reply 7.
    const Figures p = median(peers);
    const double peerFloor = SimLine::exchangeFloorMs(request, 7, baud, modbus, 0, modbus ? settings.gapMs : 0);
    std::printf("                        peer, ordinary one-register reads: %7.1f /s, limit %7.1f, ratio %.3f\n",
                p.rate(), 1000.0 / peerFloor, p.rate() * peerFloor / 1000.0);
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    std::printf("== keypad panel polls (FC10 block read), median of %d rounds of %.0f s\n", Rounds, RoundSeconds);
    std::printf("-- simulator with line timing, turnaround 0\n");
    for (int baud : {9600, 38400})
        for (bool modbus : {false, true})
            measure(modbus, baud, true);
    std::printf("-- simulator without line timing (processor time per poll)\n");
    for (bool modbus : {false, true})
        measure(modbus, 38400, false);
    return 0;
}
