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

enum Option { Port, Baud, Parity, Protocol, Id, Timeout, OptionCount };
constexpr const char *OptionNames[OptionCount] = {"--port", "--baud", "--parity", "--protocol", "--id", "--timeout"};

struct LineValues {
    QString text[OptionCount];
    bool given[OptionCount] = {};
};

bool parseNumber(const QString &text, int low, int high, int *value)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < low || n > high)
        return false;
    *value = n;
    return true;
}

// Puts the given values into the settings; the error text, or an empty text.
QString applyLineValues(const LineValues &v, CommSettings &settings)
{
    const int baudIndex = CommSettings::baudIndexOf(v.text[Baud].toInt());
    if (v.given[Baud] && baudIndex < 0)
        return QStringLiteral("--baud must be 1200, 2400, 4800, 9600, 19200 or 38400");
    if (v.given[Baud])
        settings.baudIndex = baudIndex;
    const QStringList parities{"none", "even", "odd"};
    if (v.given[Parity] && !parities.contains(v.text[Parity]))
        return QStringLiteral("--parity must be none, even or odd");
    if (v.given[Parity])
        settings.parityIndex = int(parities.indexOf(v.text[Parity]));
    const QStringList protocols{"native", "modbus"};
    if (v.given[Protocol] && !protocols.contains(v.text[Protocol]))
        return QStringLiteral("--protocol must be native or modbus");
    if (v.given[Protocol])
        settings.protocol = int(protocols.indexOf(v.text[Protocol]));
    if (v.given[Id] && !parseNumber(v.text[Id], 0, 63, &settings.inverterNumber))
        return QStringLiteral("--id must be an inverter number from 0 to 63");
    settings.setNumber = v.given[Id];
    if (settings.setNumber && settings.broadcast)
        return QStringLiteral("--id and --broadcast exclude each other");
    if (v.given[Timeout] && !parseNumber(v.text[Timeout], 30, 5000, &settings.timeoutMs))
        return QStringLiteral("--timeout must be 30 to 5000 ms");
    settings.updateGap();
    return QString();
}

}  // namespace

QString CliLine::usage()
{
    return QStringLiteral("[--port PATH] [--baud 1200..38400] [--parity none|even|odd] "
                          "[--protocol native|modbus] [--id N | --broadcast] [--timeout MS]");
}

bool CliLine::parseOptions(QStringList &args, QString *error)
{
    LineValues v;
    for (int i = 0; i < OptionCount; ++i) {
        const QString name = QLatin1String(OptionNames[i]);
        if (!takeOption(args, name, &v.text[i], &v.given[i])) {
            *error = QStringLiteral("option %1 needs a value").arg(name);
            return false;
        }
    }
    if (v.given[Port])
        portPath = v.text[Port];
    settings.broadcast = args.removeAll(QStringLiteral("--broadcast")) > 0;
    *error = applyLineValues(v, settings);
    return error->isEmpty();
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
