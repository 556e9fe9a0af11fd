// Whole import of every parameter of the largest sample drive (KDC3, CPU V200) from
// vkr-drive-sim with line emulation, at 9600 and 38400 bit/s in both protocols: elapsed time
// against the line's theoretical time (every byte of request and reply at 11 bits, plus the
// Modbus end-of-frame silences), and the processor time the tool spent. For Modbus, libmodbus
// reads the same registers on the same emulated line in the same run: what the emulation adds
// to every exchange shows in its ratio too.
#include "app/AppFolders.h"
#include "app/DriveSelection.h"
#include "app/MessageTable.h"
#include "base/IniFile.h"
#include "base/ScriptedPrompter.h"
#include "comm/CommExchange.h"
#include "comm/DriveFrameItems.h"
#include "comm/ModbusFrames.h"
#include "comm/NativeFrames.h"
#include "comm/PosixSerialPort.h"
#include "drivesim/SimLine.h"
#include "SimProcess.h"
#include "model/DriveData.h"
#include "model/DriveLoader.h"
#include "transfer/TransferRun.h"
#include "transfer/TransferTexts.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <cstdio>
#include <modbus/modbus.h>
#include <sys/resource.h>

namespace {

double cpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

struct Drive {
    AppFolders folders;
    DriveSelection selection;
    MessageTable messages;
    ScriptedPrompter prompter;
    DriveData data;

    bool load()
    {
        folders.setAppFolder(QStringLiteral(VKR_SAMPLE_DATA));
        selection.typeName = QStringLiteral("KDC3");
        selection.cpuVersion = QStringLiteral("V200");
        selection.formName = QStringLiteral("-4110P");
        selection.languageName = QStringLiteral("English");
        selection.languagePrefix = QStringLiteral("Eng");
        folders.setModel(selection.typeName, selection.cpuVersion);
        return messages.load(IniFile(QStringLiteral(VKR_SAMPLE_DATA "/lng/English.ini"), CodePage::Windows1252))
            && DriveLoader::load(folders, selection, messages, prompter, data) == DriveLoader::Result::Loaded;
    }
};

// The largest sample drive on a pseudo-terminal, timed like a real line.
class Simulator : public SimProcess
{
public:
    Simulator(const QString &protocol, int baud, const QString &drive = QStringLiteral("KDC3:-4110P:V200"))
        : SimProcess({"--drive", drive, "--protocol", protocol, "--baud", QString::number(baud), "--parity", "even",
                      "--line-timing", "--turnaround", "0"})
    {
    }
};

// Line time of the whole import in seconds: characters of every request and reply, and for
// Modbus the 3.5-character silence that ends each of the two frames.
double theoreticalSeconds(const DriveData &data, const CommSettings &settings)
{
    DriveFrameItems items(data);
    double ms = 0;
    for (int i = 0; i <= data.lastIndex; ++i) {
        const FrameItem item = *items.frameItem(i);
        const int bytes = settings.isModbus()
            ? int(BuildModbusRequest(item, 'R', QString(), settings).size()) + ModbusReplyLength(item, 'R')
            : int(BuildNativeRequest(item, 'R', QString(), settings).size()) + NativeReplyLength(item, 'R', settings);
        ms += SimLine::frameMs(bytes, settings.baudRate());
        if (settings.isModbus())
            ms += 2 * SimLine::modbusGapMs(settings.baudRate());
    }
    return ms / 1000.0;
}

// libmodbus reading, one request each, the registers of the import's own Modbus requests. It
// cannot use the tool's address 251, so its drive answers to slave 1.
void measurePeer(const Drive &drive, const CommSettings &settings, double floor)
{
    constexpr int slave = 1;
    Simulator sim(QStringLiteral("modbus"), settings.baudRate(), QStringLiteral("KDC3:-4110P:V200:%1").arg(slave));
    DriveFrameItems items(drive.data);
    QList<QPair<int, int>> reads;
    for (int i = 0; i <= drive.data.lastIndex; ++i) {
        const QByteArray request = BuildModbusRequest(*items.frameItem(i), 'R', QString(), settings);
        const auto byteAt = [&request](int at) { return int(quint8(request.at(at))); };
        reads.append({byteAt(2) << 8 | byteAt(3), byteAt(4) << 8 | byteAt(5)});
    }
    const QByteArray path = sim.device().toLocal8Bit();
    modbus_t *ctx = modbus_new_rtu(path.constData(), settings.baudRate(), 'E', 8, 1);
    if (!ctx || modbus_set_slave(ctx, slave) != 0 || modbus_connect(ctx) != 0) {
        std::printf("       libmodbus (slave %d, %s): %s\n", slave, path.constData(), modbus_strerror(errno));
        if (ctx)
            modbus_free(ctx);
        return;
    }
    uint16_t values[4] = {};
    int failed = 0;
    const double cpu0 = cpuSeconds();
    QElapsedTimer clock;
    clock.start();
    for (const auto &[address, count] : reads)
        failed += modbus_read_registers(ctx, address, std::min(count, 4), values) > 0 ? 0 : 1;
    const double elapsed = double(clock.nsecsElapsed()) / 1e9;
    const double cpu = cpuSeconds() - cpu0;
    modbus_close(ctx);
    modbus_free(ctx);
    std::printf("       libmodbus, same registers: %2d failed, elapsed %7.3f s, ratio to its line time %.4f (%.0f us an exchange over), "
                "CPU %.3f s per 1000 exchanges\n",
                failed, elapsed, elapsed / floor, (elapsed - floor) * 1e6 / reads.size(), cpu * 1000.0 / reads.size());
}

void measure(Drive &drive, int protocol, int baud)
{
    const QString name = protocol == CommSettings::Modbus ? QStringLiteral("modbus") : QStringLiteral("native");
    Simulator sim(name, baud);
    CommSettings settings = CommSettings::fromValues(protocol, 0, CommSettings::baudIndexOf(baud), 1, 0, 1, 0, false,
                                                     false, 200);
    PosixSerialPort port;
    if (sim.device().isEmpty() || !port.open(sim.device()) || !port.setLine(settings.line())) {
        std::printf("%-6s %5d: simulator not available\n", qPrintable(name), baud);
        return;
    }
    DriveFrameItems items(drive.data);
    CommExchange exchange(port, settings, &items);
    TransferTexts texts;
    texts.messages = drive.messages;
    TransferOptions options;
    TransferRun run(TransferMode::Import, drive.data, exchange, drive.prompter, texts, options, drive.data.lastIndex);
    const double cpu0 = cpuSeconds();
    QElapsedTimer clock;
    clock.start();
    run.run();
    const double elapsed = double(clock.nsecsElapsed()) / 1e9;
    const double cpu = cpuSeconds() - cpu0;
    const int exchanges = drive.data.lastIndex + 1;
    const double floor = theoreticalSeconds(drive.data, settings);
    std::printf("%-6s %5d bit/s: %4d exchanges, %2d failed, elapsed %7.3f s, line %7.3f s, ratio %.4f "
                "(%.0f us an exchange over), CPU %.3f s (%.3f s per 1000 exchanges)\n",
                qPrintable(name), baud, exchanges, run.errors(), elapsed, floor, elapsed / floor,
                (elapsed - floor) * 1e6 / exchanges, cpu, cpu * 1000.0 / exchanges);
    if (protocol == CommSettings::Modbus) {
        const double pause = exchanges * settings.gapMs / 1000.0;
        const double silence = exchanges * SimLine::modbusGapMs(baud) / 1000.0;
        std::printf("       (the tool's pause after a reply is just over %d ms, the silence it stands for %.2f ms: "
                    "line with the tool's pause %.3f s, ratio %.4f)\n",
                    settings.gapMs, SimLine::modbusGapMs(baud), floor - silence + pause,
                    elapsed / (floor - silence + pause));
        // libmodbus sends its next request at once: its floor has no silence after a reply.
        measurePeer(drive, settings, floor - silence);
    }
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    Drive drive;
    if (!drive.load()) {
        std::printf("the sample drive KDC3 cannot be loaded\n");
        return 1;
    }
    std::printf("== import of every parameter of KDC3 (V200, -4110P), line emulated, turnaround 0\n"
                "   goal: elapsed within 1.02 x the line time, under 0.1 CPU-s per 1000 exchanges\n");
    for (int baud : {9600, 38400}) {
        for (int protocol : {CommSettings::Native, CommSettings::Modbus})
            measure(drive, protocol, baud);
    }
    return 0;
}
