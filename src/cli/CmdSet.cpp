#include "CliCommand.h"
#include "CliDrive.h"
#include "CliParameterFile.h"
#include "ExitCodes.h"
#include "files/ParameterFile.h"
#include "model/EditBuffer.h"

namespace {

QString takeValue(QStringList &args, const QString &option, bool *missing)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args.at(i).startsWith(option + QLatin1Char('='))) {
            const QString value = args.at(i).mid(option.size() + 1);
            args.removeAt(i);
            return value;
        }
        if (args.at(i) == option) {
            *missing = i + 1 >= args.size();
            const QString value = *missing ? QString() : args.at(i + 1);
            args.remove(i, *missing ? 1 : 2);
            return value;
        }
    }
    return {};
}

// COMNO=TEXT arguments, taken out of `args` in the order given.
QStringList takeEntries(QStringList &args)
{
    QStringList entries;
    for (qsizetype i = 0; i < args.size();) {
        if (!args.at(i).startsWith(QLatin1Char('-')) && args.at(i).contains(QLatin1Char('=')))
            entries << args.takeAt(i);
        else
            ++i;
    }
    return entries;
}

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
    QStringList args = arguments;
    bool missing = false;
    const QString out = takeValue(args, QStringLiteral("--out"), &missing);
    const QStringList entries = takeEntries(args);
    if (missing || out.isEmpty() || entries.isEmpty()) {
        printError(QStringLiteral("set: --out FILE and at least one COMNO=TEXT are required"));
        return ExitCode::Usage;
    }
    CliDrive drive;
    CliParameterFile file;
    const int code = file.loadDrive(QStringLiteral("set"), args, drive);
    if (code != ExitCode::Ok)
        return code;
    EditBuffer edit(drive.data, drive.messages, drive.prompter);
    bool rejected = false;
    for (const QString &entry : entries)
        rejected = !apply(drive, edit, entry) || rejected;
    const ParameterFile &h = file.header();
    const QStringList lines =
        ParameterFile::build(drive.data, drive.selection, h.comment, h.blindMode, h.blindCount, false);
    QString error;
    if (!ParameterFile::writeLines(out, drive.selection.languagePrefix, lines, &error)) {
        printError(drive.messages.text(67) + QStringLiteral(" (") + error + QLatin1Char(')'));
        return ExitCode::FileFailed;
    }
    return rejected ? ExitCode::EntryRejected : ExitCode::Ok;
}

const CliCommand::Registrar registrar(
    "set",
    "--data DIR [--lng DIR] --type T --cpu V --form F --lang L [--decimal-comma] [--open FILE [--answer "
    "yes|no|cancel]] --out FILE COMNO=TEXT...",
    "type each TEXT into the value cell of parameter COMNO and press Enter (\"h\" + hexadecimal digits, amperes or "
    "volts not taken, decimals with \".\" or \",\"; a value outside the limits is set to the limit), then write the "
    "set as a parameter data file; exit 9 when an entry was refused or limited",
    runSet);

}  // namespace
