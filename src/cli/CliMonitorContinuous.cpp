#include "CliMonitorContinuous.h"

#include "CliDrive.h"
#include "CliParser.h"
#include "ExitCodes.h"
#include "base/CodePage.h"
#include "monitor/ContinuousMonitoring.h"

namespace {

// As a plain run of vkr monitor: a line silent for a second ends the run, here at least three
// sampling periods.
constexpr int SilenceLimitMs = 1000;

bool wholeNumber(const QString &text, int low, int high, int *value)
{
    bool ok = false;
    *value = text.toInt(&ok);
    return ok && *value >= low && *value <= high;
}

}  // namespace

QList<QCommandLineOption> CliMonitorContinuous::options()
{
    return {
        QCommandLineOption(
            QStringLiteral("continuous"),
            QStringLiteral("Continuous monitoring: sample every --sampling-time seconds for --record-time minutes "
                           "(Ctrl+C or SIGTERM end it sooner) and append every sample to the continuous table "
                           "--out FILE.csv as it is taken, as the monitoring window does in continuous mode. Not "
                           "with --samples, --duration or --interval-ms.")),
        QCommandLineOption(QStringLiteral("record-time"),
                           QStringLiteral("With --continuous: the record time in whole minutes, 1..1440 (the window "
                                          "offers 30..1440). Default 120."),
                           QStringLiteral("MIN")),
        QCommandLineOption(QStringLiteral("sampling-time"),
                           QStringLiteral("With --continuous: the sampling time in whole seconds, 1..300 (the window "
                                          "offers 10..300). Default 10."),
                           QStringLiteral("S")),
    };
}

int CliMonitorContinuous::readOptions(const CliParser &cli)
{
    const bool timed = cli.isSet(QStringLiteral("record-time")) || cli.isSet(QStringLiteral("sampling-time"));
    if (!cli.isSet(QStringLiteral("continuous"))) {
        if (timed)
            return cli.usageError(QStringLiteral("--record-time and --sampling-time go with --continuous"));
        return CliParser::Continue;
    }
    for (const char *other : {"samples", "duration", "interval-ms"}) {
        if (cli.isSet(QString::fromLatin1(other)))
            return cli.usageError(QStringLiteral("--continuous does not go with --%1").arg(QString::fromLatin1(other)));
    }
    const QString path = cli.value(QStringLiteral("out"));
    if (path.right(4).toUpper() != QLatin1String(".CSV"))
        return cli.usageError(QStringLiteral("--continuous writes its table to --out FILE.csv"));
    if (cli.isSet(QStringLiteral("record-time"))
        && !wholeNumber(cli.value(QStringLiteral("record-time")), 1, 1440, &m_minutes))
        return cli.usageError(QStringLiteral("--record-time takes whole minutes, 1..1440"));
    if (cli.isSet(QStringLiteral("sampling-time"))
        && !wholeNumber(cli.value(QStringLiteral("sampling-time")), 1, 300, &m_seconds))
        return cli.usageError(QStringLiteral("--sampling-time takes whole seconds, 1..300"));
    m_path = path;
    return CliParser::Continue;
}

int CliMonitorContinuous::begin(const CliDrive &drive, const MonitorSetup &setup, const QStringList &itemNames)
{
    const MonitorTableFile::ContinuousHead head =
        ContinuousMonitoring::Head(drive.selection, setup, itemNames, m_minutes, m_seconds, drive.messages);
    if (!m_table.create(m_path, head, drive.selection.decimalComma,
                        CodePages::forPrefix(drive.selection.languagePrefix)))
        return fail();
    return ExitCode::Ok;
}

void CliMonitorContinuous::attach(MonitorRunSettings &settings, MonitorRunCallbacks &callbacks)
{
    settings.recordMinutes = m_minutes;
    settings.samplingSeconds = m_seconds;
    // Nothing is drawn: every sample is a point.
    settings.plotDivider = 1;
    settings.keepSamples = false;
    settings.silenceLimitMs = ContinuousMonitoring::SilenceLimitMs(SilenceLimitMs, m_seconds);
    callbacks.continuousLine = [this](qint64 elapsedMs, const std::array<double, MonitorSetup::Channels> &values) {
        return m_table.append(elapsedMs, values);
    };
}

int CliMonitorContinuous::finish(MonitorRun::Ending ending)
{
    const bool closed = m_table.close();
    if (ending == MonitorRun::Ending::LineNotWritten || !closed)
        return fail();
    return ExitCode::Ok;
}

int CliMonitorContinuous::fail()
{
    printError(QStringLiteral("cannot write %1: %2").arg(m_path, m_table.error()));
    return ExitCode::FileFailed;
}
