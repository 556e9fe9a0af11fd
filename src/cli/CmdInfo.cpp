#include "CliCommand.h"
#include "CliDrive.h"
#include "CliLine.h"
#include "CliParser.h"
#include "ExitCodes.h"
#include "app/InverterCatalog.h"
#include "base/CodePage.h"
#include "comm/CommExchange.h"
#include "comm/DetectExchange.h"
#include "comm/DriveFrameItems.h"
#include "monitor/AlarmTripLists.h"
#include "monitor/InverterInfo.h"
#include "transfer/TransferReport.h"

#include <cstdio>

namespace {

// Prints the inverter information report read from the drive, byte for byte as the result
// window saves it (the language's code page, CR LF line ends).
int runInfo(const QStringList &arguments)
{
    CliParser cli(QStringLiteral("info"));
    cli.addOptions(CliDrive::options() + CliLine::options());
    if (const int parsed = cli.parse(arguments); parsed != CliParser::Continue)
        return parsed;
    CliDrive drive;
    CliLine line;
    if (const int ready = line.setUp(cli, drive, 0); ready != ExitCode::Ok)
        return ready;
    DriveFrameItems items(drive.data);
    CommExchange exchange(line.port, line.settings, &items);
    // The connection check: the drive must answer "0000" before anything is read.
    if (const int check = drive.data.IndexOfComNo(u"0000"); check >= 0)
        exchange.exchange(check, QString(), exchange.CommErrorFlag(), 'R');
    if (drive.data.IndexOfComNo(u"0000") < 0 || exchange.CommErrorFlag()) {
        printError(QStringLiteral("info: no answer from the drive on %1").arg(line.portPath));
        return ExitCode::ExchangeFailed;
    }
    const DriveSelection &s = drive.selection;
    InverterCatalog catalog;
    catalog.scan(drive.folders.dataFolder, drive.folders.catalogFile());
    AlarmTripLists trips;
    trips.load(IniFile(drive.folders.infoFile, CodePages::forPrefix(s.languagePrefix)), s.typeName, s.languagePrefix);
    DetectExchange detect(line.port, line.settings);
    InverterInfo info(drive.data, exchange, detect, catalog, trips, drive.messages, drive.prompter);
    const IniFile language(drive.folders.languageFile(s.languageName), CodePages::forLanguage(s.languageName));
    TransferReport report;
    const bool collected = info.CollectInverterInfo(language, s.typeName, report);
    drive.printMessages();
    if (!collected) {
        printError(QStringLiteral("info: %1 has no [InverterInfo] section").arg(language.path()));
        return ExitCode::LoadFailed;
    }
    const QByteArray bytes = report.bytes(CodePages::forLanguage(s.languageName));
    if (std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) != size_t(bytes.size()) || std::fflush(stdout) != 0) {
        printError(QStringLiteral("info: the report could not be written to the standard output"));
        return ExitCode::FileFailed;
    }
    if (info.failedReads() > 0) {
        printError(QStringLiteral("info: %1 value(s) not answered by the drive, shown as \"-\"").arg(info.failedReads()));
        return ExitCode::ExchangeFailed;
    }
    return ExitCode::Ok;
}

const CliCommand::Registrar registrar(
    "info", "Print the inverter information report read from the drive, as the result window saves it.", runInfo);

}  // namespace
