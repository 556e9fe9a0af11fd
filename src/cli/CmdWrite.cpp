#include "CliCommand.h"
#include "CliDrive.h"
#include "CliLine.h"
#include "CliParser.h"
#include "ExitCodes.h"
#include "comm/CommExchange.h"
#include "comm/DriveFrameItems.h"
#include "model/RawValueCheck.h"
#include "model/ValueConversion.h"

#include <QTextStream>

namespace {

// Refuses, before anything is sent, a value the parameter's data word cannot hold, and one
// outside its limits unless forced. Returns an ExitCode.
int checkValue(const DriveData &data, int index, const CommSettings &settings, qint64 raw, bool force)
{
    const QString comNo = data.paraDat.at(index, ParaDat::ComNo);
    const RawValueCheck check(data, index, settings.isModbus() ? 16 : 32);
    switch (check.check(raw)) {
    case RawValueCheck::Result::Fits:
        return ExitCode::Ok;
    case RawValueCheck::Result::OutsideDataSize:
        printError(QStringLiteral("write: %1 does not fit the %2-bit data of %3 (%4 to %5); nothing sent")
                       .arg(raw).arg(check.bits()).arg(comNo).arg(check.dataLow()).arg(check.dataHigh()));
        return ExitCode::EntryRejected;
    case RawValueCheck::Result::OutsideLimits:
        if (force)
            return ExitCode::Ok;
        printError(QStringLiteral("write: %1 is outside the limits of %2 (%3 to %4); nothing sent, "
                                  "--force sends it")
                       .arg(raw).arg(comNo, check.lowText(), check.highText()));
        return ExitCode::EntryRejected;
    }
    return ExitCode::EntryRejected;
}

// The echo of a write is the value the drive now holds; another value than the one sent is
// reported with both.
int reportEcho(DriveData &data, int index, const CommSettings &settings, qint64 sent, int32_t echoed)
{
    QTextStream(stdout) << CliLine::valueLine(data, index, echoed) << '\n';
    const RawValueCheck check(data, index, settings.isModbus() ? 16 : 32);
    if (check.sameWord(sent, echoed))
        return ExitCode::Ok;
    const QString echoText = ValueConversion(data).RawToValueText(quint32(echoed), index);
    printError(QStringLiteral("write: %1 was sent to %2 but the drive echoed %3")
                   .arg(sent)
                   .arg(data.paraDat.at(index, ParaDat::ComNo), echoText));
    return ExitCode::Differs;
}

// Writes one raw decimal value to RAM ("P") or, with --eeprom, to RAM and EEPROM ("W"), and
// prints the value the drive echoed as "COMNO,RAW,TEXT".
int runWrite(const QStringList &arguments)
{
    CliParser cli(QStringLiteral("write"));
    cli.addOptions(CliDrive::options() + CliLine::options());
    cli.addOptions({QCommandLineOption(QStringLiteral("eeprom"),
                                       QStringLiteral("Write to RAM and EEPROM (default: RAM only).")),
                    QCommandLineOption(QStringLiteral("force"),
                                       QStringLiteral("Send a value outside the parameter's limits (never one its "
                                                      "data size cannot hold)."))});
    cli.addArgument(QStringLiteral("COMNO"), QStringLiteral("Communication number of the parameter, for example 0011."),
                    QStringLiteral("COMNO"));
    cli.addArgument(QStringLiteral("VALUE"), QStringLiteral("Raw value in decimal, for example 6000 or -5."),
                    QStringLiteral("VALUE"));
    if (const int parsed = cli.parse(arguments); parsed != CliParser::Continue)
        return parsed;
    const bool eeprom = cli.isSet(QStringLiteral("eeprom"));
    const bool force = cli.isSet(QStringLiteral("force"));
    CliDrive drive;
    CliLine line;
    const int ready = line.setUp(cli, drive, 2);
    if (ready != ExitCode::Ok)
        return ready;
    const QStringList args = cli.arguments();
    const QString comNo = args.at(0);
    bool isNumber = false;
    const qint64 raw = args.at(1).toLongLong(&isNumber);
    if (!isNumber) {
        printError(QStringLiteral("write: '%1' is not a decimal raw value").arg(args.at(1)));
        return ExitCode::Usage;
    }
    const int index = drive.data.IndexOfComNo(comNo);
    if (index < 0) {
        printError(QStringLiteral("write: %1 is not a parameter of this drive").arg(comNo));
        return ExitCode::Usage;
    }
    const int checked = checkValue(drive.data, index, line.settings, raw, force);
    if (checked != ExitCode::Ok)
        return checked;
    DriveFrameItems items(drive.data);
    CommExchange exchange(line.port, line.settings, &items);
    bool failed = false;
    const int32_t echoed = exchange.exchange(index, args.at(1), failed, eeprom ? 'W' : 'P');
    if (failed) {
        printError(QStringLiteral("write: no valid answer from the drive on %1 for %2").arg(line.portPath, comNo));
        return ExitCode::ExchangeFailed;
    }
    return reportEcho(drive.data, index, line.settings, raw, echoed);
}

const CliCommand::Registrar registrar(
    "write", "Write a raw decimal value to RAM (or RAM and EEPROM) and print the echoed COMNO,RAW,TEXT. A value "
    "outside the limits is refused unless forced; one the data size cannot hold always is.", runWrite);

}  // namespace
