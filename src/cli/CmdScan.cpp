#include "CliCommand.h"
#include "CliDrive.h"
#include "CliLine.h"
#include "CliParser.h"
#include "ExitCodes.h"
#include "comm/CommPort.h"
#include "comm/CommScan.h"

#include <QTextStream>

namespace {

// The start-up window looks at the first seven candidate ports only.
constexpr int StartUpPorts = 7;

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
    CliParser cli(QStringLiteral("scan"));
    // The drive options are accepted for symmetry with the other commands; a search needs no drive.
    cli.addOptions(CliDrive::options() + CliLine::options());
    cli.addOptions({QCommandLineOption(QStringLiteral("ports"),
                                       QStringLiteral("Comma-separated device paths to search instead of the "
                                                      "candidate ports ([Comms] PortNames, else the system's)."),
                                       QStringLiteral("P1,P2,...")),
                    QCommandLineOption(QStringLiteral("startup"),
                                       QStringLiteral("Search as the start-up window does: the first seven ports, "
                                                      "the remembered settings first, address 251."))});
    if (const int parsed = cli.parse(arguments); parsed != CliParser::Continue)
        return parsed;
    if (!cli.arguments().isEmpty())
        return cli.usageError(QStringLiteral("unexpected argument '%1'").arg(cli.arguments().first()));
    CliLine line;
    QString error;
    if (!line.readOptions(cli.parser(), &error))
        return cli.usageError(error);
    if (const int traced = line.startTrace(); traced != ExitCode::Ok)
        return traced;
    const bool startUp = cli.isSet(QStringLiteral("startup"));
    const QString portList = cli.value(QStringLiteral("ports"));
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

const CliCommand::Registrar registrar(
    "scan", "Search the serial ports for a drive; print PORT,BAUD,PARITY,PROTOCOL of the drive found, or none.",
    runScan);

}  // namespace
