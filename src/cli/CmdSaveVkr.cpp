#include "CliCommand.h"
#include "CliDrive.h"
#include "CliParameterFile.h"
#include "CliParser.h"
#include "ExitCodes.h"
#include "files/ParameterFile.h"

namespace {

// Writes the loaded set, after the optional parameter file, as a ".vkr" file: all
// parameters, or with --changed-only those changed or hidden.
int runSaveVkr(const QStringList &arguments)
{
    CliParser cli(QStringLiteral("save-vkr"));
    cli.addOptions(CliDrive::options() + CliParameterFile::options());
    cli.addOptions({QCommandLineOption(QStringLiteral("out"),
                                       QStringLiteral("The parameter data file to write; its name ends in .vkr. "
                                                      "Required."),
                                       QStringLiteral("FILE")),
                    QCommandLineOption(QStringLiteral("changed-only"),
                                       QStringLiteral("Write only the parameters changed from their factory values "
                                                      "or marked Blind."))});
    if (const int parsed = cli.parse(arguments); parsed != CliParser::Continue)
        return parsed;
    const QString out = cli.value(QStringLiteral("out"));
    const bool changedOnly = cli.isSet(QStringLiteral("changed-only"));
    if (out.isEmpty())
        return cli.usageError(QStringLiteral("option --out is required"));
    // Other formats get their own commands; a .vkr set under another name would mislead.
    if (!out.endsWith(QLatin1String(".vkr"), Qt::CaseInsensitive))
        return cli.usageError(QStringLiteral("--out %1: the name of a parameter data file ends in .vkr").arg(out));
    CliDrive drive;
    CliParameterFile file;
    const int code = file.loadDrive(cli, drive);
    if (code != ExitCode::Ok)
        return code;
    QString error;
    const ParameterFile &h = file.header();
    const QStringList lines =
        ParameterFile::build(drive.data, drive.selection, h.comment, h.blindMode, h.blindCount, changedOnly);
    if (!ParameterFile::writeLines(out, drive.selection.languagePrefix, lines, &error)) {
        printError(drive.messages.text(67) + QStringLiteral(" (") + error + QLatin1Char(')'));
        return ExitCode::FileFailed;
    }
    return ExitCode::Ok;
}

const CliCommand::Registrar registrar(
    "save-vkr", "Write the loaded set, after an optional parameter file, as a parameter data file (.vkr).",
    runSaveVkr);

}  // namespace
