#include "CliCommand.h"
#include "CliDrive.h"
#include "CliLine.h"
#include "CliParser.h"
#include "ExitCodes.h"
#include "comm/CommExchange.h"
#include "comm/DriveFrameItems.h"

#include <QTextStream>

namespace {

// Writes one raw decimal value to RAM ("P") or, with --eeprom, to RAM and EEPROM ("W"), and
// prints the value the drive echoed as "COMNO,RAW,TEXT".
int runWrite(const QStringList &arguments)
{
    CliParser cli(QStringLiteral("write"));
    cli.addOptions(CliDrive::options() + CliLine::options());
    cli.addOptions({QCommandLineOption(QStringLiteral("eeprom"),
                                       QStringLiteral("Write to RAM and EEPROM (default: RAM only)."))});
    cli.addArgument(QStringLiteral("COMNO"), QStringLiteral("Communication number of the parameter, for example 0011."),
                    QStringLiteral("COMNO"));
    cli.addArgument(QStringLiteral("VALUE"), QStringLiteral("Raw value in decimal, for example 6000 or -5."),
                    QStringLiteral("VALUE"));
    if (const int parsed = cli.parse(arguments); parsed != CliParser::Continue)
        return parsed;
    const bool eeprom = cli.isSet(QStringLiteral("eeprom"));
    CliDrive drive;
    CliLine line;
    const int ready = line.setUp(cli, drive, 2);
    if (ready != ExitCode::Ok)
        return ready;
    const QStringList args = cli.arguments();
    const QString comNo = args.at(0);
    bool isNumber = false;
    args.at(1).toLongLong(&isNumber);
    if (!isNumber) {
        printError(QStringLiteral("write: '%1' is not a decimal raw value").arg(args.at(1)));
        return ExitCode::Usage;
    }
    const int index = drive.data.IndexOfComNo(comNo);
    if (index < 0) {
        printError(QStringLiteral("write: %1 is not a parameter of this drive").arg(comNo));
        return ExitCode::Usage;
    }
    DriveFrameItems items(drive.data);
    CommExchange exchange(line.port, line.settings, &items);
    bool failed = false;
    const int32_t echoed = exchange.exchange(index, args.at(1), failed, eeprom ? 'W' : 'P');
    if (failed) {
        printError(QStringLiteral("write: no valid answer from the drive on %1 for %2").arg(line.portPath, comNo));
        return ExitCode::ExchangeFailed;
    }
    QTextStream(stdout) << CliLine::valueLine(drive.data, index, echoed) << '\n';
    return ExitCode::Ok;
}

const CliCommand::Registrar registrar(
    "write", "Write a raw decimal value to RAM (or RAM and EEPROM) and print the echoed COMNO,RAW,TEXT.", runWrite);

}  // namespace
