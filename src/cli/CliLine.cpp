#include "CliLine.h"

#include "CliDrive.h"
#include "CliParser.h"
#include "CliReason.h"
#include "ExitCodes.h"
#include "comm/CommPort.h"
#include "model/DriveData.h"
#include "model/ValueConversion.h"

#include <cerrno>

namespace {

enum Option { Port, Baud, Parity, Protocol, Id, Timeout, OptionCount };
constexpr const char *OptionNames[OptionCount] = {"port", "baud", "parity", "protocol", "id", "timeout"};

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

QList<QCommandLineOption> CliLine::options()
{
    return {
        QCommandLineOption(QStringLiteral("port"),
                           QStringLiteral("Serial port, for example /dev/ttyUSB0 (default: the first serial port of the "
                                          "system that opens)."),
                           QStringLiteral("PATH")),
        QCommandLineOption(QStringLiteral("baud"),
                           QStringLiteral("Baud rate: 1200, 2400, 4800, 9600, 19200 or 38400 (default 9600)."),
                           QStringLiteral("RATE")),
        QCommandLineOption(QStringLiteral("parity"), QStringLiteral("Parity: none, even or odd (default even)."),
                           QStringLiteral("PARITY")),
        QCommandLineOption(QStringLiteral("protocol"),
                           QStringLiteral("Protocol: native (the maker's binary protocol, default) or modbus (Modbus "
                                          "RTU)."),
                           QStringLiteral("PROTOCOL")),
        QCommandLineOption(QStringLiteral("id"),
                           QStringLiteral("Inverter number 0 to 63 of the drive on the line (default: none, for one "
                                          "drive on the line)."),
                           QStringLiteral("N")),
        QCommandLineOption(QStringLiteral("broadcast"),
                           QStringLiteral("Address every drive on the line at once; excludes --id.")),
        QCommandLineOption(QStringLiteral("timeout"),
                           QStringLiteral("Time-out for each reply, 30 to 5000 ms (default 200)."), QStringLiteral("MS")),
        QCommandLineOption(QStringLiteral("trace"),
                           QStringLiteral("Write a communication log to FILE (\"-\" for standard error): every frame "
                                          "with time, direction, bytes and their meaning, and a hint when the line "
                                          "fails in a typical way."),
                           QStringLiteral("FILE")),
    };
}

bool CliLine::readOptions(const QCommandLineParser &parser, QString *error)
{
    LineValues v;
    for (int i = 0; i < OptionCount; ++i) {
        const QString name = QLatin1String(OptionNames[i]);
        v.given[i] = parser.isSet(name);
        v.text[i] = parser.value(name);
    }
    if (v.given[Port])
        portPath = v.text[Port];
    settings.broadcast = parser.isSet(QStringLiteral("broadcast"));
    tracePath = parser.value(QStringLiteral("trace"));
    *error = applyLineValues(v, settings);
    return error->isEmpty();
}

int CliLine::startTrace()
{
    if (tracePath.isEmpty() || m_trace)
        return ExitCode::Ok;
    QString error;
    if (!m_traceFile.open(tracePath, &error)) {
        printError(QStringLiteral("cannot write the trace file %1: %2").arg(tracePath, error));
        return ExitCode::FileFailed;
    }
    m_trace = m_traceFile.trace();
    port.setTrace(m_trace);
    return ExitCode::Ok;
}

int CliLine::open()
{
    if (const int traced = startTrace(); traced != ExitCode::Ok)
        return traced;
    if (portPath.isEmpty()) {
        CommPort comm(port);
        if (comm.EnumeratePorts(CommPort::CandidatePorts()) == 0) {
            printError(QStringLiteral("no usable serial port found (give one with --port)"));
            return ExitCode::PortFailed;
        }
        portPath = comm.availablePort(0);
    }
    if (!port.open(portPath)) {
        const int error = errno;
        if (m_trace)
            m_trace->portOpenFailed(portPath, error);
        // EWOULDBLOCK: another vkr (or any program that locks the line) holds it; EBUSY: the
        // device is open for exclusive use.
        if (error == EWOULDBLOCK || error == EBUSY)
            printError(QStringLiteral("serial port %1 is in use by another program").arg(portPath));
        else
            printError(QStringLiteral("serial port %1 cannot be opened: %2").arg(portPath, CliReason::ofError(error)));
        return ExitCode::PortFailed;
    }
    if (!port.setLine(settings.line())) {
        printError(QStringLiteral("serial port %1 refuses the line settings").arg(portPath));
        return ExitCode::PortFailed;
    }
    if (m_trace)
        m_trace->portOpened(portPath, settings.line());
    return ExitCode::Ok;
}

int CliLine::setUp(const CliParser &cli, CliDrive &drive, int wantedArgs)
{
    QString error;
    if (!drive.readOptions(cli.parser(), &error) || !readOptions(cli.parser(), &error))
        return cli.usageError(error);
    const qsizetype count = cli.arguments().size();
    if (wantedArgs >= 0 ? count != wantedArgs : count == 0)
        return cli.usageError(QStringLiteral("wrong number of arguments"));
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
