// Sequential exchanges over a pseudo-terminal against vkr-drive-sim: the tool's Modbus and
// native reads, libmodbus's own client on the same simulator, and the elapsed time at an
// emulated 38400 bit/s against the line's theoretical time.
#include "comm/CommExchange.h"
#include "comm/FrameItemSource.h"
#include "comm/PosixSerialPort.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <algorithm>
#include <vector>
#include <cstdio>
#include <modbus/modbus.h>
#include <sys/resource.h>

namespace {

constexpr int Count = 2000;
constexpr int SlaveId = 1;
constexpr int Register = 0x0011;

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
    double seconds = 0;
    double cpu = 0;
    int failures = 0;
    double rate() const { return seconds > 0 ? Count / seconds : 0; }
};

class Simulator
{
public:
    Simulator(const QString &protocol, bool lineTiming)
    {
        QStringList args{"--data", VKR_SAMPLE_DATA "/dat", "--protocol", protocol, "--baud", "38400", "--parity",
                         "none", "--drive", QStringLiteral("KDA1:-2007P:V100:%1").arg(SlaveId)};
        if (lineTiming)
            args << "--line-timing" << "--turnaround" << "0";
        m_process.start(QStringLiteral(VKR_BIN_DIR "/vkr-drive-sim"), args);
        if (m_process.waitForStarted(5000) && m_process.waitForReadyRead(10000))
            m_device = QString::fromLocal8Bit(m_process.readLine()).trimmed();
    }
    ~Simulator()
    {
        m_process.terminate();
        if (!m_process.waitForFinished(5000))
            m_process.kill();
        m_process.waitForFinished(5000);
    }
    QString device() const { return m_device; }

private:
    QProcess m_process;
    QString m_device;
};

Figures toolReads(const QString &device, int protocol, bool pause)
{
    Figures f;
    PosixSerialPort port;
    CommSettings settings = CommSettings::fromValues(protocol, 0, 5, 0, 0, 1, SlaveId, true, false, 200);
    if (!pause)
        settings.gapMs = -1;
    if (!port.open(device) || !port.setLine(settings.line())) {
        f.failures = Count;
        return f;
    }
    OneItem items;
    CommExchange exchange(port, settings, &items);
    bool failed = false;
    const double cpu0 = cpuSeconds();
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < Count; ++i) {
        exchange.exchange(0, QString(), failed, 'R');
        f.failures += failed ? 1 : 0;
    }
    f.seconds = double(clock.nsecsElapsed()) / 1e9;
    f.cpu = cpuSeconds() - cpu0;
    return f;
}

Figures libmodbusReads(const QString &device)
{
    Figures f;
    const QByteArray path = device.toLocal8Bit();
    modbus_t *ctx = modbus_new_rtu(path.constData(), 38400, 'N', 8, 1);
    if (!ctx || modbus_set_slave(ctx, SlaveId) != 0 || modbus_connect(ctx) != 0) {
        std::printf("libmodbus: %s\n", modbus_strerror(errno));
        if (ctx)
            modbus_free(ctx);
        f.failures = Count;
        return f;
    }
    uint16_t value = 0;
    const double cpu0 = cpuSeconds();
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < Count; ++i)
        f.failures += modbus_read_registers(ctx, Register, 1, &value) == 1 ? 0 : 1;
    f.seconds = double(clock.nsecsElapsed()) / 1e9;
    f.cpu = cpuSeconds() - cpu0;
    modbus_close(ctx);
    modbus_free(ctx);
    return f;
}

void print(const char *name, const Figures &f)
{
    std::printf("%-44s %8.0f exchanges/s  %6.3f s  CPU %6.3f s (%.4f s per 1000)  failed %d\n", name, f.rate(),
                f.seconds, f.cpu, f.cpu * 1000.0 / Count, f.failures);
}

// 11 bits a character (start, 8 data, parity or second stop bit, stop).
double charactersMs(int characters)
{
    return characters * 11.0 * 1000.0 / 38400.0;
}

// The median round by rate: other programs on the machine make single rounds noisy.
Figures median(std::vector<Figures> rounds)
{
    std::sort(rounds.begin(), rounds.end(), [](const Figures &a, const Figures &b) { return a.rate() < b.rate(); });
    return rounds[rounds.size() / 2];
}

void fastLine()
{
    constexpr int Rounds = 5;
    std::printf("== %d sequential reads of 0011, simulator without line emulation, 38400 bit/s set;\n"
                "   median of %d alternating rounds\n", Count, Rounds);
    Figures modbusTool;
    std::vector<Figures> bare, lib, native;
    {
        Simulator sim(QStringLiteral("modbus"), false);
        modbusTool = toolReads(sim.device(), CommSettings::Modbus, true);
        for (int round = 0; round < Rounds; ++round) {
            bare.push_back(toolReads(sim.device(), CommSettings::Modbus, false));
            lib.push_back(libmodbusReads(sim.device()));
        }
    }
    {
        Simulator sim(QStringLiteral("native"), false);
        for (int round = 0; round < Rounds; ++round)
            native.push_back(toolReads(sim.device(), CommSettings::Native, true));
    }
    const Figures modbusBare = median(bare);
    const Figures libFigures = median(lib);
    print("tool, Modbus (with the 2 ms inter-frame pause)", modbusTool);
    print("tool, Modbus, pause left out", modbusBare);
    print("libmodbus modbus_read_registers", libFigures);
    print("tool, native", median(native));
    if (libFigures.rate() > 0)
        std::printf("ratio tool/libmodbus: %.2f with the pause, %.2f without it\n",
                    modbusTool.rate() / libFigures.rate(), modbusBare.rate() / libFigures.rate());
}

void emulatedLine()
{
    std::printf("\n== %d sequential reads at an emulated 38400 bit/s (turnaround 0)\n", Count);
    Figures native, modbus;
    {
        Simulator sim(QStringLiteral("native"), true);
        native = toolReads(sim.device(), CommSettings::Native, true);
    }
    {
        Simulator sim(QStringLiteral("modbus"), true);
        modbus = toolReads(sim.device(), CommSettings::Modbus, true);
    }
    print("tool, native", native);
    print("tool, Modbus", modbus);
    // Native: 6-byte request with number byte, 8-byte reply. Modbus: 8 + 7 bytes, the drive's
    // 1.75 ms end-of-frame silence and the tool's pause of more than 1 whole ms (2 ms).
    const double nativeLine = Count * charactersMs(6 + 8) / 1000.0;
    const double modbusChars = Count * charactersMs(8 + 7) / 1000.0;
    const double modbusLine = modbusChars + Count * (1.75 + 2.0) / 1000.0;
    std::printf("native: elapsed %.3f s, theoretical line time %.3f s, %+.1f %% (%.0f us an exchange over)\n",
                native.seconds, nativeLine, 100.0 * (native.seconds / nativeLine - 1),
                (native.seconds - nativeLine) * 1e6 / Count);
    std::printf("Modbus: elapsed %.3f s, theoretical %.3f s with silence and pause (%+.1f %%), "
                "%.3f s characters only\n",
                modbus.seconds, modbusLine, 100.0 * (modbus.seconds / modbusLine - 1), modbusChars);
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    fastLine();
    emulatedLine();
    return 0;
}
