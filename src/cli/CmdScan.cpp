#include "CliCommand.h"
#include "CliDrive.h"
#include "CliLine.h"
#include "ExitCodes.h"
#include "comm/CommPort.h"
#include "comm/CommScan.h"

#include <QTextStream>

namespace {

constexpr const char *Usage = "[drive options] [--port PATH] [--id N | --broadcast] [--timeout MS] "
                              "[--ports P1,P2,...] [--startup]";
constexpr const char *Summary = "search the serial ports for a drive; prints PORT,BAUD,PARITY,PROTOCOL or none";
// The start-up window looks at the first seven candidate ports only.
constexpr int StartUpPorts = 7;

// Removes "--name VALUE" or "--name=VALUE"; false when the value is missing.
bool takeValue(QStringList &args, const QString &name, QString *value)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args.at(i).startsWith(name + QLatin1Char('='))) {
            *value = args.takeAt(i).mid(name.size() + 1);
            return true;
        }
        if (args.at(i) == name) {
            if (i + 1 >= args.size())
                return false;
            *value = args.at(i + 1);
            args.remove(i, 2);
            return true;
        }
    }
    return true;
}

// The drive options name no drive the search needs; they are checked and otherwise ignored.
bool checkDriveOptions(QStringList &args, QString *error)
{
    for (const QString &arg : std::as_const(args)) {
        if (arg.startsWith(QLatin1String("--data")) || arg.startsWith(QLatin1String("--type"))) {
            CliDrive drive;
            return drive.parseOptions(args, error);
        }
    }
    return true;
}

QString found(const CommPort &ports, const CommScan::Result &r)
{
    static const char *const parities[] = {"none", "even", "odd"};
    return QStringLiteral("%1,%2,%3,%4")
        .arg(ports.availablePort(r.portIndex))
        .arg(CommSettings::BaudRates[r.baudIndex])
        .arg(QLatin1String(parities[r.parityIndex]))
        .arg(r.protocol == CommSettings::Modbus ? QStringLiteral("modbus") : QStringLiteral("native"));
}

int runScan(const QStringList &arguments)
{
    if (arguments.contains(QStringLiteral("--help"))) {
        QTextStream(stdout) << "usage: vkr scan " << Usage << "\n  " << Summary << '\n';
        return ExitCode::Ok;
    }
    QStringList args = arguments;
    CliLine line;
    QString portList;
    QString error;
    const bool startUp = args.removeAll(QStringLiteral("--startup")) > 0;
    if (!takeValue(args, QStringLiteral("--ports"), &portList))
        error = QStringLiteral("option --ports needs a value");
    else if (checkDriveOptions(args, &error) && line.parseOptions(args, &error) && !args.isEmpty())
        error = QStringLiteral("unknown argument '%1'").arg(args.first());
    if (!error.isEmpty()) {
        printError(QStringLiteral("scan: ") + error);
        return ExitCode::Usage;
    }
    QStringList candidates = CommPort::CandidatePorts(portList);
    if (startUp)
        candidates = candidates.mid(0, StartUpPorts);
    CommPort ports(line.port);
    if (ports.EnumeratePorts(candidates) == 0) {
        printError(QStringLiteral("scan: no usable serial port found"));
        QTextStream(stdout) << "none\n";
        return ExitCode::ExchangeFailed;
    }
    CommScan scan(ports, line.settings);
    CommScan::Result r;
    if (startUp) {
        line.settings.timeoutMs = CommScan::StartUpTimeoutMs;
        r = scan.startUpScan(int(ports.availablePorts().indexOf(line.portPath)),
                             {line.settings.baudIndex, line.settings.parityIndex, line.settings.protocol});
    } else {
        r = scan.ScanCommSettings(int(ports.availablePorts().indexOf(line.portPath)));
    }
    ports.ClosePort();
    QTextStream(stdout) << (r.found() ? found(ports, r) : QStringLiteral("none")) << '\n';
    return r.found() ? ExitCode::Ok : ExitCode::ExchangeFailed;
}

const CliCommand::Registrar registrar("scan", Usage, Summary, runScan);

}  // namespace
