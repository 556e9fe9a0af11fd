#include "CliCommand.h"
#include "CliDrive.h"
#include "CliLine.h"
#include "CliParser.h"
#include "ExitCodes.h"
#include "comm/CommExchange.h"
#include "comm/DriveFrameItems.h"

#include <QTextStream>
#include <unistd.h>

namespace {

// Reads parameters from the drive: one "COMNO,RAW,TEXT" line per number, or "COMNO,ERR".
int runRead(const QStringList &arguments)
{
    CliParser cli(QStringLiteral("read"));
    cli.addOptions(CliDrive::options() + CliLine::options());
    cli.addArgument(QStringLiteral("COMNO"), QStringLiteral("Communication number of a parameter, for example 0011."),
                    QStringLiteral("COMNO..."));
    if (const int parsed = cli.parse(arguments); parsed != CliParser::Continue)
        return parsed;
    CliDrive drive;
    CliLine line;
    const int ready = line.setUp(cli, drive, -1);
    if (ready != ExitCode::Ok)
        return ready;
    const QStringList args = cli.arguments();
    DriveFrameItems items(drive.data);
    CommExchange exchange(line.port, line.settings, &items);
    QTextStream out(stdout);
    // Line by line for a person watching; one write at the end for a pipe or a file.
    const bool interactive = isatty(STDOUT_FILENO) != 0;
    int failures = 0;
    int tried = 0;
    bool unknown = false;
    for (const QString &comNo : std::as_const(args)) {
        const int index = drive.data.IndexOfComNo(comNo);
        bool failed = true;
        int32_t value = 0;
        unknown = unknown || index < 0;
        if (index < 0)
            printError(QStringLiteral("read: %1 is not a parameter of this drive").arg(comNo));
        else
            value = exchange.exchange(index, QString(), failed, 'R');
        tried += index >= 0 ? 1 : 0;
        if (failed) {
            ++failures;
            out << comNo << ",ERR\n";
        } else {
            out << CliLine::valueLine(drive.data, index, value) << '\n';
        }
        if (interactive)
            out.flush();
    }
    out.flush();
    if (tried > 0 && failures == args.size())
        printError(QStringLiteral("read: no answer from the drive on %1").arg(line.portPath));
    // A number the drive does not have is the caller's mistake, not the line's: it is named
    // like any other invalid argument, after the known numbers have been read.
    if (unknown)
        return ExitCode::Usage;
    return failures ? ExitCode::ExchangeFailed : ExitCode::Ok;
}

const CliCommand::Registrar registrar(
    "read", "Read parameters from the drive; print COMNO,RAW,TEXT, or COMNO,ERR, per number.", runRead);

}  // namespace
