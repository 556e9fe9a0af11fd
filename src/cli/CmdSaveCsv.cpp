#include "CliCommand.h"
#include "CliDrive.h"
#include "CliParameterFile.h"
#include "CliParser.h"
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
    CliParser cli(QStringLiteral("save-csv"));
    cli.addOptions(CliDrive::options() + CliParameterFile::options());
    cli.addOptions({QCommandLineOption(QStringLiteral("out"),
                                       QStringLiteral("The table file to write (.csv). Required."),
                                       QStringLiteral("FILE")),
                    QCommandLineOption(QStringLiteral("display"),
                                       QStringLiteral("The display whose rows are written: all (default), changed, "
                                                      "quick or blind."),
                                       QStringLiteral("DISPLAY"), QStringLiteral("all"))});
    if (const int parsed = cli.parse(arguments); parsed != CliParser::Continue)
        return parsed;
    const QString out = cli.value(QStringLiteral("out"));
    TableFile::Display display = TableFile::Display::All;
    if (out.isEmpty())
        return cli.usageError(QStringLiteral("option --out is required"));
    if (!displayOf(cli.value(QStringLiteral("display")), &display))
        return cli.usageError(QStringLiteral("--display is changed, quick, blind or all"));
    CliDrive drive;
    CliParameterFile file;
    const int code = file.loadDrive(cli, drive);
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
    "Write the parameter table as one display shows it, after an optional parameter file, as a table file (.csv).",
    runSaveCsv);

}  // namespace
