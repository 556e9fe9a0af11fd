#include "CliCommand.h"
#include "CliDrive.h"
#include "CliParameterFile.h"
#include "ExitCodes.h"
#include "files/ParameterFile.h"

namespace {

QString takeOut(QStringList &args, bool *missing)
{
    *missing = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args.at(i).startsWith(QLatin1String("--out="))) {
            const QString value = args.at(i).mid(6);
            args.removeAt(i);
            return value;
        }
        if (args.at(i) == QLatin1String("--out")) {
            if (i + 1 >= args.size()) {
                *missing = true;
                return {};
            }
            const QString value = args.at(i + 1);
            args.remove(i, 2);
            return value;
        }
    }
    return {};
}

// Writes the loaded set, after the optional parameter file, as a ".vkr" file: all
// parameters, or with --changed-only those changed or hidden.
int runSaveVkr(const QStringList &arguments)
{
    QStringList args = arguments;
    bool missing = false;
    const QString out = takeOut(args, &missing);
    const bool changedOnly = args.removeAll(QStringLiteral("--changed-only")) > 0;
    if (missing || out.isEmpty()) {
        printError(QStringLiteral("save-vkr: --out FILE is required"));
        return ExitCode::Usage;
    }
    CliDrive drive;
    CliParameterFile file;
    const int code = file.loadDrive(QStringLiteral("save-vkr"), args, drive);
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
    "save-vkr",
    "--data DIR [--lng DIR] --type T --cpu V --form F --lang L [--decimal-comma] [--open FILE [--answer "
    "yes|no|cancel]] --out FILE [--changed-only]",
    "write the loaded set, after an optional parameter file, as a parameter data file", runSaveVkr);

}  // namespace
