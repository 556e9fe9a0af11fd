#include "CliDriveCommand.h"

#include "CliDrive.h"
#include "CliLine.h"
#include "CliParser.h"
#include "ExitCodes.h"
#include "comm/CommExchange.h"
#include "comm/DriveFrameItems.h"
#include "model/ModelInfo.h"

#include <QTextStream>

namespace {

// Reads of "0000" that time one exchange, as the monitoring window calibrates its cycle.
constexpr int CheckTimes = 5;

}  // namespace

namespace CliDriveCommand {

int run(const QString &name, DriveCommandSender::Kind kind, const QStringList &arguments)
{
    CliParser cli(name);
    cli.addOptions(CliDrive::options() + CliLine::options()
                   + QList<QCommandLineOption>{QCommandLineOption(
                       QStringLiteral("maintenance"),
                       QStringLiteral("Maintenance mode: needed by drive types whose RUN/STOP control is kept for "
                                      "maintenance (Info.ini [Setup] Option2)."))});
    if (const int parsed = cli.parse(arguments); parsed != CliParser::Continue)
        return parsed;
    CliDrive drive;
    CliLine line;
    if (const int ready = line.setUp(cli, drive, 0); ready != ExitCode::Ok)
        return ready;
    DriveFrameItems items(drive.data);
    CommExchange exchange(line.port, line.settings, &items);
    DriveCommandSender command(drive.data, exchange);
    const ModelInfo model(drive.folders.infoFile, CodePages::forPrefix(drive.selection.languagePrefix));
    const bool option2 = model.option(2) != 0;
    if (!DriveCommandSender::optionEnabled(command.available(), command.available(), false, option2,
                                     cli.isSet(QStringLiteral("maintenance")))) {
        printError(command.available()
                       ? QStringLiteral("%1: drive type %2 takes RUN/STOP only in maintenance mode (--maintenance)")
                             .arg(name, drive.selection.typeName)
                       : QStringLiteral("%1: drive type %2 has no RUN/STOP command (FA10, FA11)")
                             .arg(name, drive.selection.typeName));
        return ExitCode::Refused;
    }
    const int check = drive.data.IndexOfComNo(u"0000");
    const int mean = check >= 0 ? DriveCommandSender::meanExchangeTime(exchange, check, CheckTimes) : -1;
    if (mean < 0) {
        printError(QStringLiteral("%1: no answer from the drive on %2").arg(name, line.portPath));
        return ExitCode::ExchangeFailed;
    }
    if (!command.SendDriveCommand(kind, mean)) {
        printError(QStringLiteral("%1: the drive did not answer every write of the command on %2").arg(name, line.portPath));
        return ExitCode::ExchangeFailed;
    }
    QTextStream(stdout) << name << ": command word " << DriveCommandSender::DriveCommandWord(kind, DriveCommandSender::timeOutsideRun(mean))
                        << " sent\n";
    return ExitCode::Ok;
}

}  // namespace CliDriveCommand
