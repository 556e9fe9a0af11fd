// Time of the drive search against the time-outs it must sit out. A search that finds
// nothing on two pseudo-terminals waits 2 ports x 18 combinations x 2 requests x time-out;
// one that finds the drive at the last combination waits 17 x 2 time-outs plus one answered
// exchange (and, on the in-process line, the time the requests take on the line). The floor is
// that sum; the ratio shows what the search adds (opening the ports, setting the lines).
// Prints the figures; asserts nothing.

#include "comm/CommPort.h"
#include "comm/CommScan.h"
#include "comm/PosixSerialPort.h"
#include "drivesim/PtyLine.h"
#include "drivesim/SimDataLoader.h"
#include "drivesim/SimEngine.h"
#include "drivesim/SimLineServer.h"
#include "drivesim/SimSerialPort.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <memory>
#include <thread>
#include <unistd.h>

namespace {

// A pseudo-terminal with the simulator's server on it; `engine` may hold no drive.
struct ServedPty {
    SimEngine engine;
    PtyLine pty;
    int stop[2] = {-1, -1};
    std::thread server;

    bool start(SimTiming timing)
    {
        QString error;
        if (!pty.open({}, &error) || pipe(stop) != 0) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return false;
        }
        server = std::thread([this, timing] { SimLineServer(engine, pty, timing).serve(stop[0]); });
        return true;
    }
    ~ServedPty()
    {
        if (server.joinable()) {
            const char c = 'x';
            (void)::write(stop[1], &c, 1);
            server.join();
        }
        for (int fd : stop)
            if (fd >= 0)
                ::close(fd);
    }
};

void print(const char *what, double measuredMs, double floorMs, bool found)
{
    std::printf("%-44s measured %8.1f ms, time-outs %8.1f ms, ratio %.3f, %s\n", what, measuredMs, floorMs,
                measuredMs / floorMs, found ? "found" : "nothing found");
}

void nothingOnTwoPtys(int timeoutMs)
{
    SimTiming timing;
    timing.lineTiming = true;
    ServedPty a, b;
    if (!a.start(timing) || !b.start(timing))
        return;
    PosixSerialPort serial;
    CommPort ports(serial);
    ports.EnumeratePorts({a.pty.devicePath(), b.pty.devicePath()});
    CommSettings settings;
    settings.timeoutMs = timeoutMs;
    CommScan scan(ports, settings);
    QElapsedTimer clock;
    clock.start();
    const CommScan::Result r = scan.ScanCommSettings(0);
    print("two silent pseudo-terminals", double(clock.nsecsElapsed()) / 1e6, 2.0 * 18 * 2 * timeoutMs, r.found());
}

void driveAtLastCombination(int timeoutMs, const SimDriveData &data)
{
    // The in-process line with line timing: unlike a pty it tells even parity from none, so
    // the drive at 38400 bit/s, no parity, Modbus answers only the 18th combination.
    SimLineSettings own;
    own.baud = 38400;
    own.parity = SimParity::None;
    SimEngine engine(SimEngine::Protocol::Modbus, own);
    engine.addDrive(std::make_unique<SimDrive>(data, 0));
    SimTiming timing;
    timing.lineTiming = true;
    SimSerialPort serial(engine, timing);
    CommPort ports(serial);
    ports.EnumeratePorts({QStringLiteral("sim")});
    CommSettings settings;
    settings.timeoutMs = timeoutMs;
    CommScan scan(ports, settings);
    QElapsedTimer clock;
    clock.start();
    const CommScan::Result r = scan.ScanCommSettings(0);
    // 17 silent combinations, each request and its retry taking their own time on the line
    // (native 5 + 4 bytes, Modbus 8 + 8), then one Modbus read at 38400 bit/s: 15 bytes on the
    // line, the request's 1.75 ms silence, the drive's turnaround and the tool's pause (gapMs + 1).
    double floorMs = SimLine::frameMs(15, 38400) + SimLine::modbusGapMs(38400) + timing.turnaroundMs
        + CommSettings::gapForBaudIndex(5) + 1;
    for (int i = 0; i < 17; ++i) {
        const CommScan::Combination &c = CommScan::Combinations[i];
        floorMs += 2.0 * timeoutMs + SimLine::frameMs(c.protocol ? 16 : 9, CommSettings::BaudRates[c.baudIndex]);
    }
    print("drive at combination 18 (in-process line)", double(clock.nsecsElapsed()) / 1e6, floorMs,
          r.found() && r.protocol == 1 && r.parityIndex == 0);
}

}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    SimDriveData data;
    QString error;
    if (!SimDataLoader::load(QStringLiteral(VKR_SAMPLE_DATA "/dat"), QStringLiteral("KDA1"), QStringLiteral("-2007P"),
                             QStringLiteral("V100"), &data, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    for (int timeoutMs : {200, 50}) {
        std::printf("drive search, time-out %d ms\n", timeoutMs);
        nothingOnTwoPtys(timeoutMs);
        driveAtLastCombination(timeoutMs, data);
    }
    return 0;
}
