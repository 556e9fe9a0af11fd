#include "CliCommand.h"
#include "CliDrive.h"
#include "CliParameterFile.h"
#include "CliParser.h"
#include "CliSettingsFile.h"
#include "ExitCodes.h"
#include "PdfReport.h"
#include "ReportFonts.h"
#include "app/Settings.h"
#include "base/CodePage.h"
#include "report/PageSetup.h"
#include "report/ParameterReport.h"

namespace {

QList<QCommandLineOption> printOptions()
{
    return {QCommandLineOption(QStringLiteral("pdf"), QStringLiteral("The PDF file to write. Required."),
                               QStringLiteral("FILE")),
            QCommandLineOption(QStringLiteral("display"),
                               QStringLiteral("Which parameters the list holds: all (default) or changed, the "
                                              "parameters whose value differs from the factory value."),
                               QStringLiteral("DISPLAY"), QStringLiteral("all")),
            QCommandLineOption(QStringLiteral("settings"),
                               QStringLiteral("The settings file whose [Page] section gives the page set-up "
                                              "(%1).")
                                   .arg(CliSettingsFile::defaultHelp()),
                               QStringLiteral("FILE"))};
}

// The page set-up of the settings file, with the parameter file's comment as the comment the
// page set-up window would take on.
PageSetup pageSetupFor(const CliParser &cli, const CliDrive &drive, const CliParameterFile &file)
{
    const QString path =
        cli.isSet(QStringLiteral("settings")) ? cli.value(QStringLiteral("settings")) : CliSettingsFile::defaultPath();
    PageSetup setup = PageSetup::read(Settings(path, drive.folders.appFolder));
    setup.fontName = ReportFonts::familyOf(setup.fontIndex, drive.selection.languageName);
    if (!file.header().comment.isEmpty())
        setup.comment = file.header().comment;
    return setup;
}

// Prints the parameter list, as the table shows it after the optional parameter file, to a
// PDF file with the page set-up of the settings file.
int runPrint(const QStringList &arguments)
{
    CliParser cli(QStringLiteral("print"));
    cli.addOptions(CliDrive::options() + CliParameterFile::options() + printOptions());
    if (const int parsed = cli.parse(arguments); parsed != CliParser::Continue)
        return parsed;
    const QString out = cli.value(QStringLiteral("pdf"));
    const QString display = cli.value(QStringLiteral("display"));
    if (out.isEmpty())
        return cli.usageError(QStringLiteral("option --pdf is required"));
    if (display != QLatin1String("all") && display != QLatin1String("changed"))
        return cli.usageError(QStringLiteral("--display is changed or all"));
    CliDrive drive;
    CliParameterFile file;
    if (const int code = file.loadDrive(cli, drive); code != ExitCode::Ok)
        return code;
    ParameterGridRows::Switches switches;
    switches.changedOnly = display == QLatin1String("changed");
    switches.blind = file.header().blindMode;
    const QVector<ParameterReport::Row> rows = ParameterReport::rows(drive.data, drive.messages, switches);
    drive.printMessages();
    if (switches.changedOnly && rows.isEmpty()) {
        // The table refuses its 'Changed' Only display with this message too.
        printError(drive.messages.text(43));
        return ExitCode::Refused;
    }
    const IniFile language(drive.folders.languageFile(drive.selection.languageName),
                           CodePages::forLanguage(drive.selection.languageName));
    const ReportDocument doc = ParameterReport::layout(pageSetupFor(cli, drive, file),
                                                       ReportHeader::forDrive(language, drive.selection),
                                                       ParameterReport::titles(drive.messages), rows);
    QString error;
    if (!PdfReport::write(out, doc, QImage(), &error)) {
        printError(QStringLiteral("cannot write %1: %2").arg(out, error));
        return ExitCode::FileFailed;
    }
    return ExitCode::Ok;
}

const CliCommand::Registrar registrar(
    "print",
    "Print the parameter list, as the table shows it after an optional parameter file, to a PDF file with the page "
    "set-up of the settings file.",
    runPrint, true);

}  // namespace
