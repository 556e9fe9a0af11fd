#include "CliCommand.h"
#include "CliDrive.h"
#include "CliParameterFile.h"
#include "CliParser.h"
#include "base/Csv.h"
#include "ExitCodes.h"

#include <cstdio>

namespace {

void writeUtf8(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

// The definition and value tables of the drive (after the optional parameter file) as CSV: the titles, then one row per
// parameter with its nineteen ParaDat and eleven UPara cells as stored.
int runParams(const QStringList &arguments)
{
    CliParser cli(QStringLiteral("params"));
    cli.addOptions(CliDrive::options() + CliParameterFile::options());
    if (const int parsed = cli.parse(arguments); parsed != CliParser::Continue)
        return parsed;
    CliDrive drive;
    CliParameterFile file;
    const int code = file.loadDrive(cli, drive);
    if (code != ExitCode::Ok)
        return code;
    const DriveData &data = drive.data;
    QString out;
    out.reserve((data.parameterCount() + 1) * 160);
    out += Csv::row(data.paraDat.row(0) + data.uPara.row(0));
    for (int r = 1; r <= data.parameterCount(); ++r)
        out += Csv::row(data.paraDat.row(r) + data.uPara.row(r));
    writeUtf8(out);
    std::fflush(stdout);
    return ExitCode::Ok;
}

const CliCommand::Registrar registrar(
    "params",
    "Load a drive's parameter definitions as start-up does, optionally apply a parameter file as Open reads it, "
    "and print the definition and value tables (ParaDat and UPara) as CSV.",
    runParams);

}  // namespace
