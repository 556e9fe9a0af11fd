// Line timing of the drive simulator: 100 reads at an emulated 9600 bit/s through a real
// pseudo-terminal, measured by the tool's own exchange, against the time the frames need on
// a real line. Prints the figures; asserts nothing.

#include "comm/CommExchange.h"
#include "comm/PosixSerialPort.h"
#include "drivesim/PtyLine.h"
#include "drivesim/SimDataLoader.h"
#include "drivesim/SimEngine.h"
#include "drivesim/SimLine.h"
#include "drivesim/SimLineServer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <thread>
#include <unistd.h>

namespace {

struct Figure {
    double measuredMs = 0;
    double computedMs = 0;
    int failures = 0;
};

Figure run(const SimDriveData &data, bool modbus, int baud, int reads)
{
    SimLineSettings own;
    own.baud = baud;
    SimEngine engine(modbus ? SimEngine::Protocol::Modbus : SimEngine::Protocol::Native, own);
    engine.addDrive(std::make_unique<SimDrive>(data, 0));
    SimTiming timing;
    timing.lineTiming = true;
    PtyLine pty;
    QString error;
    int stop[2];
    if (!pty.open(own, &error) || pipe(stop) != 0) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return {};
    }
    std::thread server([&] { SimLineServer(engine, pty, timing).serve(stop[0]); });

    PosixSerialPort port;
    port.open(pty.devicePath());
    LineSettings line;
    line.baud = baud;
    port.setLine(line);
    CommSettings settings;
    settings.protocol = modbus ? CommSettings::Modbus : CommSettings::Native;
    settings.baudIndex = CommSettings::baudIndexOf(baud);
    settings.updateGap();
    CommExchange exchange(port, settings);
    Figure f;
    bool failed = false;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < reads; ++i) {
        exchange.exchangeItem(FrameItem{QStringLiteral("0011"), false}, QString(), failed, 'R');
        f.failures += failed ? 1 : 0;
    }
    f.measuredMs = double(clock.nsecsElapsed()) / 1e6;
    // Request (5 or 8 bytes) and reply (7 bytes) at 11 bits a byte, the drive's turnaround,
    // and for Modbus the 3.5-character silence ending the request and the gap the master
    // must leave before its next request. The tool's own overrun of that gap is measured,
    // not assumed.
    const double perRead = SimLine::exchangeFloorMs(modbus ? 8 : 5, 7, baud, modbus, timing.turnaroundMs,
                                                    modbus ? settings.gapMs : 0);
    f.computedMs = perRead * reads;

    const char c = 'x';
    (void)::write(stop[1], &c, 1);
    server.join();
    ::close(stop[0]);
    ::close(stop[1]);
    return f;
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
    const int reads = 100;
    std::printf("drive simulator line timing, %d reads of one 16-bit parameter through a pty\n", reads);
    for (bool modbus : {false, true}) {
        for (int baud : {9600, 19200, 38400}) {
            const Figure f = run(data, modbus, baud, reads);
            std::printf("%-6s %5d bit/s: measured %8.1f ms, line time %8.1f ms, deviation %+5.2f %%, failures %d\n",
                        modbus ? "modbus" : "native", baud, f.measuredMs, f.computedMs,
                        100.0 * (f.measuredMs - f.computedMs) / f.computedMs, f.failures);
        }
    }
    return 0;
}
