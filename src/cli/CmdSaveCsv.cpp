#include "CliCommand.h"
#include "CliDrive.h"
#include "CliOption.h"
#include "CliParameterFile.h"
#include "ExitCodes.h"
#include "base/CodePage.h"
#include "files/TableFile.h"
#include "model/ModelInfo.h"

namespace {

bool displayOf(const QString &name, TableFile::Display *display)
{
    static const QStringList names{QStringLiteral("all"), QStringLiteral("changed"), QStringLiteral("quick"),
                                   QStringLiteral("blind")};
    const qsizetype at = names.indexOf(name);
    if (at < 0)
        return false;
    *display = TableFile::Display(at);
    return true;
}

// Writes the parameter table as the table window shows it in one display, after the
// optional parameter file, as a table file.
int runSaveCsv(const QStringList &arguments)
{
    QStringList args = arguments;
    QString out;
    QString displayName = QStringLiteral("all");
    TableFile::Display display = TableFile::Display::All;
    if (!takeOption(args, QStringLiteral("--out"), &out) || out.isEmpty()
        || !takeOption(args, QStringLiteral("--display"), &displayName) || !displayOf(displayName, &display)) {
        printError(QStringLiteral("save-csv: --out FILE is required, --display is changed, quick, blind or all"));
        return ExitCode::Usage;
    }
    CliDrive drive;
    CliParameterFile file;
    const int code = file.loadDrive(QStringLiteral("save-csv"), args, drive);
    if (code != ExitCode::Ok)
        return code;
    const int quickCount =
        ModelInfo(drive.folders.infoFile, CodePages::forPrefix(drive.selection.languagePrefix)).quick();
    const QList<QStringList> rows =
        TableFile::gridRows(drive.data, drive.messages, drive.prompter, display, quickCount);
    drive.printMessages();
    if (display == TableFile::Display::Changed && rows.size() == 1) {
        // The window refuses the display with this message too.
        printError(drive.messages.text(43));
        return ExitCode::Refused;
    }
    if (display == TableFile::Display::Quick && quickCount <= 0) {
        printError(QStringLiteral("save-csv: this drive has no Quick display"));
        return ExitCode::Refused;
    }
    QString error;
    if (!TableFile::WriteTableFile(out, rows, drive.selection, &error)) {
        printError(drive.messages.text(67) + QStringLiteral(" (") + error + QLatin1Char(')'));
        return ExitCode::FileFailed;
    }
    return ExitCode::Ok;
}

const CliCommand::Registrar registrar(
    "save-csv",
    "--data DIR [--lng DIR] --type T --cpu V --form F --lang L [--decimal-comma] [--open FILE [--answer "
    "yes|no|cancel]] [--display changed|quick|blind|all] --out FILE",
    "write the parameter table as shown in one display, after an optional parameter file, as a table file",
    runSaveCsv);

}  // namespace
