#include "CliLine.h"

#include "CliDrive.h"
#include "ExitCodes.h"
#include "comm/CommPort.h"
#include "model/DriveData.h"
#include "model/ValueConversion.h"

namespace {

// Removes every "--name VALUE" or "--name=VALUE" (the last one counts); false when a value
// is missing.
bool takeOption(QStringList &args, const QString &name, QString *value, bool *given)
{
    for (qsizetype i = 0; i < args.size();) {
        if (args.at(i).startsWith(name + QLatin1Char('='))) {
            *value = args.at(i).mid(name.size() + 1);
            args.removeAt(i);
            *given = true;
        } else if (args.at(i) == name) {
            if (i + 1 >= args.size())
                return false;
            *value = args.at(i + 1);
            args.remove(i, 2);
            *given = true;
        } else {
            ++i;
        }
    }
    return true;
}

bool parseNumber(const QString &text, int low, int high, int *value)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < low || n > high)
        return false;
    *value = n;
    return true;
}

}  // namespace

QString CliLine::usage()
{
    return QStringLiteral("[--port PATH] [--baud 1200..38400] [--parity none|even|odd] "
                          "[--protocol native|modbus] [--id N | --broadcast] [--timeout MS]");
}

bool CliLine::parseOptions(QStringList &args, QString *error)
{
    QString baud, parity, protocol, id, timeout;
    bool hasPort = false, hasBaud = false, hasParity = false, hasProtocol = false, hasId = false,
         hasTimeout = false;
    const bool ok = takeOption(args, QStringLiteral("--port"), &portPath, &hasPort)
                    && takeOption(args, QStringLiteral("--baud"), &baud, &hasBaud)
                    && takeOption(args, QStringLiteral("--parity"), &parity, &hasParity)
                    && takeOption(args, QStringLiteral("--protocol"), &protocol, &hasProtocol)
                    && takeOption(args, QStringLiteral("--id"), &id, &hasId)
                    && takeOption(args, QStringLiteral("--timeout"), &timeout, &hasTimeout);
    if (!ok) {
        *error = QStringLiteral("a line option needs a value");
        return false;
    }
    settings.broadcast = args.removeAll(QStringLiteral("--broadcast")) > 0;
    if (hasBaud && CommSettings::baudIndexOf(baud.toInt()) < 0) {
        *error = QStringLiteral("--baud must be 1200, 2400, 4800, 9600, 19200 or 38400");
        return false;
    }
    if (hasBaud)
        settings.baudIndex = CommSettings::baudIndexOf(baud.toInt());
    const QStringList parities{"none", "even", "odd"};
    if (hasParity && !parities.contains(parity)) {
        *error = QStringLiteral("--parity must be none, even or odd");
        return false;
    }
    if (hasParity)
        settings.parityIndex = int(parities.indexOf(parity));
    if (hasProtocol && protocol != QLatin1String("native") && protocol != QLatin1String("modbus")) {
        *error = QStringLiteral("--protocol must be native or modbus");
        return false;
    }
    settings.protocol = protocol == QLatin1String("modbus") ? CommSettings::Modbus : CommSettings::Native;
    if (hasId && !parseNumber(id, 0, 63, &settings.inverterNumber)) {
        *error = QStringLiteral("--id must be an inverter number from 0 to 63");
        return false;
    }
    settings.setNumber = hasId;
    if (hasId && settings.broadcast) {
        *error = QStringLiteral("--id and --broadcast exclude each other");
        return false;
    }
    if (hasTimeout && !parseNumber(timeout, 30, 5000, &settings.timeoutMs)) {
        *error = QStringLiteral("--timeout must be 30 to 5000 ms");
        return false;
    }
    settings.updateGap();
    return true;
}

int CliLine::open()
{
    if (portPath.isEmpty()) {
        CommPort comm(port);
        if (comm.EnumeratePorts(CommPort::CandidatePorts()) == 0) {
            printError(QStringLiteral("no usable serial port found (give one with --port)"));
            return ExitCode::PortFailed;
        }
        portPath = comm.availablePort(0);
    }
    if (!port.open(portPath)) {
        printError(QStringLiteral("serial port %1 cannot be opened").arg(portPath));
        return ExitCode::PortFailed;
    }
    if (!port.setLine(settings.line())) {
        printError(QStringLiteral("serial port %1 refuses the line settings").arg(portPath));
        return ExitCode::PortFailed;
    }
    return ExitCode::Ok;
}

int CliLine::setUp(QStringList &args, CliDrive &drive, const QString &command, int wantedArgs)
{
    QString error;
    if (!drive.parseOptions(args, &error) || !parseOptions(args, &error)) {
        printError(command + QStringLiteral(": ") + error);
        return ExitCode::Usage;
    }
    for (const QString &arg : std::as_const(args)) {
        if (arg.startsWith(QLatin1String("--"))) {
            printError(QStringLiteral("%1: unknown option '%2'").arg(command, arg));
            return ExitCode::Usage;
        }
    }
    if (wantedArgs >= 0 ? args.size() != wantedArgs : args.isEmpty()) {
        printError(QStringLiteral("%1: wrong number of arguments (see vkr --help)").arg(command));
        return ExitCode::Usage;
    }
    const int loaded = drive.load();
    if (loaded != ExitCode::Ok)
        return loaded;
    return open();
}

QString CliLine::valueLine(DriveData &data, int index, int32_t value)
{
    ValueConversion conversion(data);
    const QString raw = conversion.RawToValueText(quint32(value), index);
    QString text = conversion.ValueText(raw, index);
    qsizetype blanks = 0;
    while (blanks < text.size() && text.at(blanks) == u' ')
        ++blanks;
    text.remove(0, blanks);
    return data.paraDat.at(index, ParaDat::ComNo) + u',' + raw + u',' + text;
}
