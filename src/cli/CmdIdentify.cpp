#include "CliCommand.h"
#include "CliDrive.h"
#include "CliLine.h"
#include "CliParser.h"
#include "ExitCodes.h"
#include "app/InverterCatalog.h"
#include "comm/CommExchange.h"
#include "comm/DetectExchange.h"
#include "comm/DriveFrameItems.h"
#include "comm/DriveIdentification.h"

#include <QTextStream>

namespace {

// Prints "type=NAME form=NAME cpu=NAME typecheck=0|1 formcheck=0|1 cpucheck=0|1" and then
// every message of the identification on its own line.
int runIdentify(const QStringList &arguments)
{
    CliParser cli(QStringLiteral("identify"));
    cli.addOptions(CliDrive::options() + CliLine::options());
    if (const int parsed = cli.parse(arguments); parsed != CliParser::Continue)
        return parsed;
    CliDrive drive;
    CliLine line;
    const int ready = line.setUp(cli, drive, 0);
    if (ready != ExitCode::Ok)
        return ready;
    DriveFrameItems items(drive.data);
    CommExchange exchange(line.port, line.settings, &items);
    DetectExchange detect(line.port, line.settings);
    InverterCatalog catalog;
    catalog.scan(drive.folders.dataFolder, drive.folders.catalogFile());
    const DriveSelection &s = drive.selection;
    const DriveIdentification::Selected selected{s.typeName, s.formName, s.cpuVersion,
                                                 catalog.cpuVersions(s.typeName), catalog.cpuNumbers(s.typeName)};
    DriveIdentification identification(exchange, items, detect, catalog, drive.messages, drive.prompter);
    // As before a comparison: every difference is a message, and nothing is asked.
    const auto r = identification.run(selected, DriveIdentification::Purpose::Comparison, false);
    QTextStream out(stdout);
    out << "type=" << r.typeName << " form=" << r.formName << " cpu=" << r.cpuName << " typecheck=" << int(r.TypeCheck)
        << " formcheck=" << int(r.FormCheck) << " cpucheck=" << int(r.CPUCheck) << '\n';
    for (const QString &message : r.messages)
        out << message << '\n';
    out.flush();
    if (!r.answered) {
        printError(QStringLiteral("identify: no answer from the drive on %1").arg(line.portPath));
        return ExitCode::ExchangeFailed;
    }
    return r.allChecks() ? ExitCode::Ok : ExitCode::Differs;
}

const CliCommand::Registrar registrar(
    "identify",
    "Name the connected drive's type, form and CPU version and compare them with the selected drive.", runIdentify);

}  // namespace
