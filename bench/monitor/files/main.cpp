// Saving and opening a large monitor recording: 10 channels x 10,000 samples as a ".mon" file
// (and as the exported ".csv" table). The reference is the physical floor of the same work:
// writing the same number of bytes with plain write() and fsync() into a new file, and
// reading them back with read(). Prints the medians of several rounds.
//
// Usage: bench-monitor-files [ROUNDS] [FOLDER]   (default 9 rounds in a temporary folder)
#include "app/DriveSelection.h"
#include "app/MessageTable.h"
#include "base/ScriptedPrompter.h"
#include "monitor/MonitorFile.h"
#include "monitor/MonitorFileOpen.h"
#include "monitor/MonitorFileSave.h"
#include "monitor/MonitorRecording.h"
#include "monitor/MonitorSetup.h"
#include "monitor/MonitorTableFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <unistd.h>
#include <vector>

namespace {

constexpr int Samples = 10000;

double medianMs(int rounds, const std::function<void()> &work)
{
    std::vector<double> ms;
    for (int r = 0; r < rounds; ++r) {
        QElapsedTimer t;
        t.start();
        work();
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

DriveSelection drive()
{
    DriveSelection d;
    d.typeName = QStringLiteral("KDA1");
    d.formName = QStringLiteral("-2004P");
    d.cpuVersion = QStringLiteral("V100");
    return d;
}

// A recording as a run of the drive leaves it: values with the decimals of their items.
void record(MonitorSetup &setup, MonitorRecording &rec)
{
    std::array<bool, 10> all{};
    all.fill(true);
    for (MonitorChannel &ch : setup.channels)
        ch.selected = true;
    rec.start(Samples - 1, all);
    for (int i = 0; i < Samples; ++i) {
        rec.beginSample(i, qint64(i) * 100);
        for (int c = 0; c < 10; ++c) {
            const double value = std::round((50 + 40 * std::sin(i * 0.01 + c)) * 100) / 100;
            rec.setValue(c, value, setup.channels[size_t(c)].drawn(value), false);
        }
    }
}

void plainWrite(const QString &path, const QByteArray &bytes)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    if (::write(fd, bytes.constData(), size_t(bytes.size())) != bytes.size() || ::fsync(fd) != 0)
        std::fprintf(stderr, "plain write failed\n");
    ::close(fd);
}

void plainRead(const QString &path, QByteArray &into)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return;
    into.resize(1 << 24);
    qsizetype done = 0;
    for (ssize_t n; (n = ::read(fd, into.data() + done, size_t(into.size() - done))) > 0;)
        done += n;
    into.resize(done);
    ::close(fd);
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    QTemporaryDir temporary;
    const QString folder = argc > 2 ? QString::fromLocal8Bit(argv[2]) : temporary.path();
    MonitorSetup setup = MonitorSetup::defaults();
    MonitorRecording rec;
    record(setup, rec);
    const DriveSelection sel = drive();
    const QString mon = folder + QStringLiteral("/bench.mon");
    const QString csv = folder + QStringLiteral("/bench.csv");
    const QString floor = folder + QStringLiteral("/floor.bin");

    QByteArray bytes;
    const double buildMs = medianMs(rounds, [&] { bytes = MonitorFile::of(sel, setup, rec).build(CodePage::Windows1252); });
    const double saveMs = medianMs(rounds, [&] {
        MonitorFileSave::SaveRecording(mon, MonitorFile::of(sel, setup, rec), CodePage::Windows1252);
    });
    const double floorWriteMs = medianMs(rounds, [&] { plainWrite(floor, bytes); });
    MessageTable messages;
    const double openMs = medianMs(rounds, [&] {
        ScriptedPrompter prompter;
        MonitorFileOpen open(sel, messages, prompter);
        MonitorSetup back = MonitorSetup::defaults();
        MonitorRecording backRec;
        if (open.OpenRecording(mon, CodePage::Windows1252) == MonitorFileOpen::Result::Loaded)
            MonitorFileOpen::apply(open.file(), 10, back, backRec);
        else
            std::fprintf(stderr, "open failed\n");
    });
    QByteArray readBack;
    const double floorReadMs = medianMs(rounds, [&] { plainRead(floor, readBack); });
    MonitorTableFile::Captions captions;
    const double csvMs = medianMs(rounds, [&] {
        const QByteArray table = MonitorTableFile::build(MonitorFile::of(sel, setup, rec), {}, captions, false,
                                                         CodePage::Windows1252);
        MonitorTableFile::WriteTable(csv, table);
    });

    std::printf("monitor files: 10 channels x %d samples, %lld bytes, median of %d rounds\n", Samples,
                static_cast<long long>(bytes.size()), rounds);
    std::printf("  save .mon  %7.1f ms  (formatting alone %.1f ms; goal < 50 ms)\n", saveMs, buildMs);
    std::printf("  floor      %7.1f ms  write() + fsync() of the same bytes\n", floorWriteMs);
    std::printf("  open .mon  %7.1f ms  (read, checks, parse, recording filled; goal < 50 ms)\n", openMs);
    std::printf("  floor      %7.1f ms  read() of the same bytes\n", floorReadMs);
    std::printf("  save .csv  %7.1f ms\n", csvMs);
    return readBack.size() == bytes.size() ? 0 : 1;
}
