#include "CliCommand.h"
#include "CliDrive.h"
#include "CliOption.h"
#include "CliParameterFile.h"
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
    QStringList args = arguments;
    QString out;
    if (!takeOption(args, QStringLiteral("--out"), &out) || out.isEmpty()) {
        printError(QStringLiteral("save-cfg: --out FILE is required"));
        return ExitCode::Usage;
    }
    CliDrive drive;
    CliParameterFile file;
    const int code = file.loadDrive(QStringLiteral("save-cfg"), args, drive);
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
    "save-cfg",
    "--data DIR [--lng DIR] --type T --cpu V --form F --lang L [--open FILE [--answer yes|no|cancel]] --out FILE",
    "write the loaded set, after an optional parameter file, as a VKW530T configuration file", runSaveCfg);

}  // namespace
