#include "CliCommand.h"
#include "CliDrive.h"
#include "CliParameterFile.h"
#include "CliParser.h"
#include "ExitCodes.h"
#include "files/ParameterFile.h"
#include "model/EditBuffer.h"

namespace {

// One entry typed into the parameter's value cell and Enter pressed. A character the cell
// would not take (or a thirteenth) refuses the entry instead of being dropped silently.
bool apply(CliDrive &drive, EditBuffer &edit, const QString &entry)
{
    const QString comNo = entry.section(QLatin1Char('='), 0, 0);
    const QString text = entry.section(QLatin1Char('='), 1);
    const int index = drive.data.IndexOfComNo(comNo);
    if (index < 0 || drive.data.paraDat.at(index, ParaDat::ComNo) != comNo) {
        printError(QStringLiteral("set: %1: no parameter with this communication number").arg(comNo));
        return false;
    }
    for (const QChar c : text) {
        if (!edit.KeyPress(c, QString())) {
            edit.Cancel();
            printError(QStringLiteral("set: %1: %2 (\"%3\")").arg(entry, drive.messages.text(42), c));
            return false;
        }
    }
    const EditBuffer::Accepted accepted = edit.Enter(index, QString());
    drive.printMessages();
    if (!accepted.stored)
        printError(QStringLiteral("set: %1: not applied").arg(entry));
    else if (drive.data.limitClamped)
        printError(QStringLiteral("set: %1: set to the limit %2").arg(entry, accepted.cellText.trimmed()));
    return accepted.stored && !drive.data.limitClamped;
}

// Applies COMNO=TEXT entries to the loaded set (after an optional parameter file) by the
// rules of the table's value cell, and writes the set as a ".vkr" file. Rejected and clamped
// entries give exit code EntryRejected; the others are applied and the file written all the
// same.
int runSet(const QStringList &arguments)
{
    CliParser cli(QStringLiteral("set"));
    cli.addOptions(CliDrive::options() + CliParameterFile::options());
    cli.addOptions({QCommandLineOption(QStringLiteral("out"),
                                       QStringLiteral("The parameter data file to write (.vkr). Required."),
                                       QStringLiteral("FILE"))});
    cli.addArgument(QStringLiteral("COMNO=TEXT"),
                    QStringLiteral("TEXT typed into the value cell of parameter COMNO, then Enter: \"h\" and "
                                   "hexadecimal digits, or a decimal with \".\" or \",\"; a value outside the "
                                   "limits is set to the limit."),
                    QStringLiteral("COMNO=TEXT..."));
    if (const int parsed = cli.parse(arguments); parsed != CliParser::Continue)
        return parsed;
    const QString out = cli.value(QStringLiteral("out"));
    const QStringList entries = cli.arguments();
    if (out.isEmpty() || entries.isEmpty())
        return cli.usageError(QStringLiteral("--out FILE and at least one COMNO=TEXT are required"));
    for (const QString &entry : entries) {
        if (!entry.contains(QLatin1Char('=')))
            return cli.usageError(QStringLiteral("'%1' is not COMNO=TEXT").arg(entry));
    }
    CliDrive drive;
    CliParameterFile file;
    QString error;
    if (!drive.readOptions(cli.parser(), &error) || !file.readOptions(cli.parser(), &error))
        return cli.usageError(error);
    int code = drive.load();
    if (code == ExitCode::Ok)
        code = file.apply(drive);
    if (code != ExitCode::Ok)
        return code;
    EditBuffer edit(drive.data, drive.messages, drive.prompter);
    bool rejected = false;
    for (const QString &entry : entries)
        rejected = !apply(drive, edit, entry) || rejected;
    const ParameterFile &h = file.header();
    const QStringList lines =
        ParameterFile::build(drive.data, drive.selection, h.comment, h.blindMode, h.blindCount, false);
    if (!ParameterFile::writeLines(out, drive.selection.languagePrefix, lines, &error)) {
        printError(drive.messages.text(67) + QStringLiteral(" (") + error + QLatin1Char(')'));
        return ExitCode::FileFailed;
    }
    return rejected ? ExitCode::EntryRejected : ExitCode::Ok;
}

const CliCommand::Registrar registrar(
    "set",
    "Type each TEXT into the value cell of parameter COMNO and press Enter, then write the set as a parameter "
    "data file; exit 9 when an entry was refused or set to its limit.",
    runSet);

}  // namespace
