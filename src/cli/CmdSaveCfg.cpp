#include "CliCommand.h"
#include "CliDrive.h"
#include "CliParameterFile.h"
#include "CliParser.h"
#include "ExitCodes.h"
#include "app/InverterCatalog.h"
#include "base/CodePage.h"
#include "files/ConfigFile.h"
#include "model/ModelInfo.h"

namespace {

// Writes the loaded set, after the optional parameter file, as a configuration file for
// VKW530T. Values that are negative or above FFFF cannot be entries; the second are named.
int runSaveCfg(const QStringList &arguments)
{
    CliParser cli(QStringLiteral("save-cfg"));
    cli.addOptions(CliDrive::options() + CliParameterFile::options());
    cli.addOptions({QCommandLineOption(QStringLiteral("out"),
                                       QStringLiteral("The configuration file to write; its name ends in .cfg. "
                                                      "Required."),
                                       QStringLiteral("FILE"))});
    if (const int parsed = cli.parse(arguments); parsed != CliParser::Continue)
        return parsed;
    const QString out = cli.value(QStringLiteral("out"));
    if (out.isEmpty())
        return cli.usageError(QStringLiteral("option --out is required"));
    CliDrive drive;
    CliParameterFile file;
    const int code = file.loadDrive(cli, drive);
    if (code != ExitCode::Ok)
        return code;
    InverterCatalog catalog;
    catalog.scan(drive.folders.dataFolder, drive.folders.catalogFile());
    DriveSelection &sel = drive.selection;
    sel.typeNumber = catalog.typeNumber(sel.typeName);
    sel.formNumber = catalog.formNumber(sel.typeName, sel.formName);
    const ModelInfo info(drive.folders.infoFile, CodePages::forPrefix(sel.languagePrefix));
    QStringList tooLarge;
    const QByteArray bytes = ConfigFile::build(drive.data, sel, info.mldId(), &tooLarge);
    if (!tooLarge.isEmpty())
        printError(QStringLiteral("save-cfg: left out, value above FFFF: ") + tooLarge.join(QLatin1Char(' ')));
    QString error;
    if (!ConfigFile::write(out, bytes, &error)) {
        printError(drive.messages.text(67) + QStringLiteral(" (") + error + QLatin1Char(')'));
        return ExitCode::FileFailed;
    }
    return ExitCode::Ok;
}

const CliCommand::Registrar registrar(
    "save-cfg", "Write the loaded set, after an optional parameter file, as a VKW530T configuration file (.cfg).",
    runSaveCfg);

}  // namespace
