#include "CliCommand.h"
#include "CliDrive.h"
#include "CliLine.h"
#include "CliMonitorContinuous.h"
#include "CliMonitorOut.h"
#include "CliMonitorWatch.h"
#include "CliParser.h"
#include "base/Csv.h"
#include "ExitCodes.h"
#include "app/SettingsKeys.h"
#include "base/CodePage.h"
#include "base/IniFile.h"
#include "comm/CommExchange.h"
#include "comm/DriveFrameItems.h"
#include "monitor/MonitorItems.h"
#include "monitor/MonitorReader.h"
#include "monitor/MonitorRecording.h"
#include "monitor/MonitorRun.h"
#include "monitor/MonitorTiming.h"

#include <QTextStream>
#include <climits>
#include <csignal>
#include <ctime>

namespace {

// What the command line asks for, checked.
struct MonitorRequest {
    std::vector<MonitorItem> items;
    int intervalMs = 0;         // 0: the fastest the line allows
    int samples = 0;            // 0: until a signal
    double durationS = 0;       // 0: not given
    CliMonitorOut out;          // --out: the run also kept and written as a file
    CliMonitorContinuous continuous;  // --continuous: --out is the continuous table
};

QList<QCommandLineOption> monitorOptions()
{
    return QList<QCommandLineOption>{
        QCommandLineOption(QStringLiteral("items"),
                           QStringLiteral("Up to ten monitor items, comma-separated: codes of the drive's monitor list "
                                          "(FD00, FD06-3) or any parameter, with \"-\" and a bit number 0..15 for one "
                                          "bit (FE10-3). Default: the first five items of the monitor list."),
                           QStringLiteral("CODE,...")),
        QCommandLineOption(QStringLiteral("interval-ms"),
                           QStringLiteral("Time from one sample to the next, in milliseconds, 1..3600000. Default: the "
                                          "shortest the line allows, measured before the run as the monitoring window "
                                          "measures it (five reads, 50 ms margin, rounded up to 50 ms per item)."),
                           QStringLiteral("N")),
        QCommandLineOption(QStringLiteral("samples"), QStringLiteral("Take N samples, then end (1..100000000)."),
                           QStringLiteral("N")),
        QCommandLineOption(QStringLiteral("duration"),
                           QStringLiteral("Sample for S seconds, then end. Without --samples or --duration the run "
                                          "goes on until Ctrl+C or SIGTERM."),
                           QStringLiteral("S")),
        CliMonitorOut::option(),
    } + CliMonitorContinuous::options();
}

int parseRequest(const CliParser &cli, const MonitorItemList &list, const DriveData &data, MonitorRequest *request)
{
    QStringList codes;
    if (cli.isSet(QStringLiteral("items"))) {
        codes = cli.value(QStringLiteral("items")).split(QLatin1Char(','), Qt::SkipEmptyParts);
        if (codes.isEmpty() || codes.size() > MonitorSetup::Channels)
            return cli.usageError(QStringLiteral("--items takes one to ten codes"));
    } else {
        for (int i = 0; i < std::min(5, list.size()); ++i)
            codes << list.items[size_t(i)].code;
        if (codes.isEmpty())
            return cli.usageError(QStringLiteral("the drive type has no monitor items; name them with --items"));
    }
    for (const QString &code : std::as_const(codes)) {
        const auto item = ResolveMonitorItem(list, data, code.trimmed());
        if (!item)
            return cli.usageError(QStringLiteral("%1 is neither a monitor item nor a parameter of this drive").arg(code));
        request->items.push_back(*item);
    }
    bool ok = true;
    if (cli.isSet(QStringLiteral("interval-ms"))) {
        request->intervalMs = cli.value(QStringLiteral("interval-ms")).toInt(&ok);
        if (!ok || request->intervalMs < 1 || request->intervalMs > 3600000)
            return cli.usageError(QStringLiteral("--interval-ms takes a whole number of milliseconds, 1..3600000"));
    }
    if (cli.isSet(QStringLiteral("samples")) && cli.isSet(QStringLiteral("duration")))
        return cli.usageError(QStringLiteral("give --samples or --duration, not both"));
    if (cli.isSet(QStringLiteral("samples"))) {
        request->samples = cli.value(QStringLiteral("samples")).toInt(&ok);
        if (!ok || request->samples < 1 || request->samples > 100000000)
            return cli.usageError(QStringLiteral("--samples takes a whole number, 1..100000000"));
    }
    if (cli.isSet(QStringLiteral("duration"))) {
        request->durationS = cli.value(QStringLiteral("duration")).toDouble(&ok);
        if (!ok || !(request->durationS > 0) || request->durationS > 1e7)
            return cli.usageError(QStringLiteral("--duration takes a number of seconds above 0"));
    }
    if (const int parsed = request->continuous.readOptions(cli); parsed != CliParser::Continue)
        return parsed;
    QString error;
    if (cli.isSet(QStringLiteral("out")) && !request->continuous.isSet()
        && !request->out.check(cli.value(QStringLiteral("out")), list, request->items, request->samples, &error))
        return cli.usageError(error);
    return CliParser::Continue;
}

// SIGINT and SIGTERM are blocked for the whole run and taken between samples, so the sample
// being read is always finished and written before the run ends.
class SignalWait
{
public:
    SignalWait()
    {
        sigemptyset(&m_set);
        sigaddset(&m_set, SIGINT);
        sigaddset(&m_set, SIGTERM);
        pthread_sigmask(SIG_BLOCK, &m_set, &m_old);
    }
    ~SignalWait() { pthread_sigmask(SIG_SETMASK, &m_old, nullptr); }

    /// Sleeps until the deadline or a signal; true when a signal came.
    bool wait(const QDeadlineTimer &deadline)
    {
        const qint64 ns = std::max<qint64>(0, deadline.remainingTimeNSecs());
        timespec t{};
        t.tv_sec = time_t(ns / 1000000000);
        t.tv_nsec = long(ns % 1000000000);
        return sigtimedwait(&m_set, nullptr, &t) > 0;
    }

private:
    sigset_t m_set;
    sigset_t m_old;
};

// Writes the CSV.
class MonitorLog
{
public:
    MonitorLog(const DriveData &data, const std::vector<MonitorItem> &items, const CliMonitorWatch &watch)
        : m_data(data), m_items(items), m_watch(watch), m_out(stdout)
    {
    }

    void header()
    {
        QStringList fields{QStringLiteral("time_s")};
        for (const MonitorItem &item : m_items)
            fields << item.titleWithUnit();
        fields << m_watch.headerFields();
        m_out << Csv::row(fields);
        m_out.flush();
    }

    /// One line per sample.
    void sample(const MonitorSample &s, MonitorReader &reader, int intervalMs)
    {
        ++m_samples;
        m_late += s.lateMs >= intervalMs ? 1 : 0;
        QStringList fields{QString::number(s.elapsedMs / 1000.0, 'f', 3)};
        for (int c = 0; c < int(m_items.size()); ++c) {
            const MonitorChannelSample &ch = s.channels[size_t(c)];
            // Only what the drive sent: a failed read is ERR even where a window shows 0.
            fields << (ch.failed ? QStringLiteral("ERR") : FormatItemValue(m_data, reader.slot(c).row, ch.value));
        }
        fields << m_watch.sampleFields();
        m_out << Csv::row(fields);
        m_out.flush();
    }

    int samples() const { return m_samples; }
    int late() const { return m_late; }

private:
    const DriveData &m_data;
    const std::vector<MonitorItem> &m_items;
    const CliMonitorWatch &m_watch;
    int m_samples = 0;
    int m_late = 0;  // samples that began a whole interval or more after their deadline
    QTextStream m_out;
};

MonitorSetup setupFor(const std::vector<MonitorItem> &items, MonitorReader &reader)
{
    MonitorSetup setup = MonitorSetup::defaults();
    for (int c = 0; c < MonitorSetup::Channels; ++c) {
        const bool used = c < int(items.size());
        setup.channels[size_t(c)].selected = used;
        reader.refreshSlot(c, used ? items[size_t(c)].code : QString());
    }
    return setup;
}

int pointsPerChannel(const MonitorRequest &request, int intervalMs)
{
    if (request.samples > 0)
        return request.samples - 1;
    // A recording kept for --out holds at most MaxSamples samples.
    const int most = request.out.isSet() ? MonitorRecording::MaxSamples - 1 : INT_MAX - 1;
    if (request.durationS > 0)
        return int(std::min<double>(most, std::ceil(request.durationS * 1000.0 / intervalMs) - 1));
    return most;
}

// The items' names by channel, for a table that names items given by hand as well.
QStringList channelNames(const std::vector<MonitorItem> &items, MonitorSetup &setup)
{
    QStringList names;
    for (int c = 0; c < int(items.size()) && c < MonitorSetup::Channels; ++c) {
        setup.channels[size_t(c)].item = c;
        names << items[size_t(c)].name;
    }
    return names;
}

int monitor(CliDrive &drive, CliLine &line, MonitorRequest &request, const MonitorItemList &list,
            CliMonitorWatch &watch)
{
    // From here on a signal waits for the next pause between samples: even one that comes
    // while the interval is measured ends the run after its first sample, output complete.
    SignalWait signalWait;
    DriveFrameItems frameItems(drive.data);
    CommExchange exchange(line.port, line.settings, &frameItems);
    MonitorReader reader(drive.data, exchange);
    const MonitorSetup setup = setupFor(request.items, reader);
    const int reads = int(request.items.size()) + watch.extraReads();
    const bool continuous = request.continuous.isSet();
    int interval = continuous ? request.continuous.intervalMs() : request.intervalMs;
    if (interval == 0) {
        // The lowest time per division the window would allow, as a sample interval.
        interval = reader.MinExchangeTime(true, 0, Keys::MMCT.def, Keys::MMG.def) * reads;
    }
    MonitorRunSettings settings = MonitorRunSettings::fromSetup(setup, pointsPerChannel(request, interval));
    settings.sampleIntervalMs = interval;
    settings.keepSamples = request.out.isSet();
    settings.silenceLimitMs = 1000;
    MonitorLog log(drive.data, request.items, watch);
    log.header();
    MonitorRecording recording;
    MonitorRunFlags flags;
    MonitorRunCallbacks cb;
    cb.wait = [&](const QDeadlineTimer &deadline) {
        if (signalWait.wait(deadline))
            flags.StopRequested = true;
    };
    cb.sampleTaken = [&](const MonitorSample &s) { log.sample(s, reader, interval); };
    watch.attach(reader, flags, settings, cb);
    if (continuous) {
        MonitorSetup named = setup;
        if (const int begun = request.continuous.begin(drive, named, channelNames(request.items, named));
            begun != ExitCode::Ok)
            return begun;
        request.continuous.attach(settings, cb);
    }
    MonitorRun run(reader, recording, flags, cb);
    run.run(continuous ? MonitorRun::Kind::Continuous : MonitorRun::Kind::Plain, settings);
    const bool silent = run.ending() == MonitorRun::Ending::LineSilent;
    if (silent)
        printError(QStringLiteral("monitor: no answer from the drive on %1 for %2 s")
                       .arg(line.portPath)
                       .arg(settings.silenceLimitMs / 1000.0));
    else if (log.late() > 0)
        printError(QStringLiteral("monitor: %1 of %2 samples began a whole interval late: the reads of one sample take "
                                  "longer than %3 ms")
                       .arg(log.late())
                       .arg(log.samples())
                       .arg(interval));
    // What was recorded is written even when the line fell silent.
    const int written = continuous        ? request.continuous.finish(run.ending())
        : request.out.isSet() ? request.out.write(drive, setup, recording, interval)
                              : ExitCode::Ok;
    if (silent)
        return ExitCode::ExchangeFailed;
    const int finished = watch.finish(drive, list, exchange, line.port, line.settings);
    return finished != ExitCode::Ok ? finished : written;
}

// Reads monitor items once per sample at fixed deadlines and prints them as CSV.
int runMonitor(const QStringList &arguments)
{
    CliParser cli(QStringLiteral("monitor"));
    cli.addOptions(CliDrive::options() + CliLine::options() + monitorOptions() + CliMonitorWatch::options());
    if (const int parsed = cli.parse(arguments); parsed != CliParser::Continue)
        return parsed;
    CliDrive drive;
    CliLine line;
    QString error;
    if (!drive.readOptions(cli.parser(), &error) || !line.readOptions(cli.parser(), &error))
        return cli.usageError(error);
    if (!cli.arguments().isEmpty())
        return cli.usageError(QStringLiteral("unexpected argument \"%1\"").arg(cli.arguments().first()));
    if (const int loaded = drive.load(); loaded != ExitCode::Ok)
        return loaded;
    MonitorItemList list;
    LoadMonitorItems(IniFile(drive.folders.infoFile, CodePages::forPrefix(drive.selection.languagePrefix)),
                     drive.selection.typeName, drive.selection.languagePrefix, drive.data, list);
    MonitorRequest request;
    if (const int parsed = parseRequest(cli, list, drive.data, &request); parsed != CliParser::Continue)
        return parsed;
    CliMonitorWatch watch;
    if (const int parsed = watch.readOptions(cli, list, drive.data); parsed != CliParser::Continue)
        return parsed;
    if (const int opened = line.open(); opened != ExitCode::Ok)
        return opened;
    return monitor(drive, line, request, list, watch);
}

const CliCommand::Registrar registrar(
    "monitor",
    "Read monitor items once per sample at fixed times and print CSV: a header line "
    "time_s,<item name> (<unit>),... and a line per sample, ERR for a failed read. Ctrl+C or SIGTERM ends "
    "the run after the current sample; exit code 1 when no read succeeded for a whole second (continuous: "
    "three sampling times), 6 when --out could not be written, 8 when --stop-on-trip ended it at a trip.",
    runMonitor);

}  // namespace
