#include "SimOptions.h"

#include "PtyLine.h"
#include "SimDataLoader.h"
#include "SimStateFile.h"
#include "app/InstallLayout.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <algorithm>

namespace {

struct Number {
    const char *name;
    double min, max;
};

bool readNumber(const QCommandLineParser &parser, const Number &limits, double *out, QString *error)
{
    if (!parser.isSet(QLatin1String(limits.name)))
        return true;
    bool ok = false;
    const double v = parser.value(QLatin1String(limits.name)).toDouble(&ok);
    if (!ok || v < limits.min || v > limits.max) {
        *error = QStringLiteral("--%1 must be a number from %2 to %3").arg(QLatin1String(limits.name)).arg(limits.min).arg(limits.max);
        return false;
    }
    *out = v;
    return true;
}

bool parseDrive(const QString &text, SimOptions::Drive *drive, QString *error)
{
    const QStringList parts = text.split(QLatin1Char(':'));
    bool ok = parts.size() == 3 || parts.size() == 4;
    if (ok && parts.size() == 4) {
        drive->number = parts[3].toInt(&ok);
        ok = ok && drive->number >= 0 && drive->number <= 63;
    }
    if (!ok || parts[0].isEmpty() || parts[1].isEmpty() || parts[2].isEmpty()) {
        *error = QStringLiteral("--drive takes TYPE:FORM:CPU[:ID] with ID 0..63, not \"%1\"").arg(text);
        return false;
    }
    drive->type = parts[0];
    drive->form = parts[1];
    drive->cpuVersion = parts[2];
    return true;
}

bool parseChoices(const QCommandLineParser &parser, SimOptions *o, QString *error)
{
    const QString protocol = parser.value(QStringLiteral("protocol"));
    if (protocol == QLatin1String("modbus"))
        o->protocol = SimEngine::Protocol::Modbus;
    else if (parser.isSet(QStringLiteral("protocol")) && protocol != QLatin1String("native")) {
        *error = QStringLiteral("--protocol is native or modbus");
        return false;
    }
    const QString parity = parser.value(QStringLiteral("parity"));
    if (parity == QLatin1String("none"))
        o->line.parity = SimParity::None;
    else if (parity == QLatin1String("odd"))
        o->line.parity = SimParity::Odd;
    else if (parser.isSet(QStringLiteral("parity")) && parity != QLatin1String("even")) {
        *error = QStringLiteral("--parity is none, even or odd");
        return false;
    }
    return true;
}

bool parseNumbers(const QCommandLineParser &parser, SimOptions *o, QString *error)
{
    double baud = o->line.baud, late = 0, disconnect = 0, seed = o->faults.seed;
    const bool ok = readNumber(parser, {"baud", 50, 4000000}, &baud, error)
                    && readNumber(parser, {"turnaround", 0, 10000}, &o->timing.turnaroundMs, error)
                    && readNumber(parser, {"trip-after", 0, 1e6}, &o->tripAfterSeconds, error)
                    && readNumber(parser, {"drop-rate", 0, 1}, &o->faults.drop, error)
                    && readNumber(parser, {"corrupt-rate", 0, 1}, &o->faults.corrupt, error)
                    && readNumber(parser, {"garbage-rate", 0, 1}, &o->faults.garbage, error)
                    && readNumber(parser, {"truncate-rate", 0, 1}, &o->faults.truncate, error)
                    && readNumber(parser, {"late-ms", 0, 60000}, &late, error)
                    && readNumber(parser, {"disconnect-after", 0, 1e9}, &disconnect, error)
                    && readNumber(parser, {"seed", 0, 4294967295.0}, &seed, error);
    o->line.baud = int(baud);
    o->faults.lateMs = int(late);
    o->faults.disconnectAfter = int(disconnect);
    o->faults.seed = quint32(seed);
    return ok;
}

}  // namespace

namespace {

struct OptionText {
    const char *name;
    const char *valueName;  // empty for a switch
    const char *description;
};

constexpr OptionText OptionTexts[] = {
    {"data", "DIR", "Data folder of the drives (Inverter.ini and the <type>(<cpu>) folders). Default: the folder dat "
     "beside the program, else the one installed with it; required when neither exists."},
    {"drive", "T:F:V[:ID]",
     "A drive on the line: type, form, CPU version and inverter number 0 to 63 (default: the lowest number not "
     "taken). Repeat for more drives; without it, the first drive of the data folder at number 0."},
    {"protocol", "PROTOCOL", "Protocol the drives answer: native (default) or modbus."},
    {"baud", "RATE", "Baud rate of the line (default 9600)."},
    {"parity", "PARITY", "Parity of the line: none, even (default) or odd."},
    {"line-timing", "",
     "Take requests and send replies when they would arrive and leave on a real line at the baud rate."},
    {"turnaround", "MS", "With --line-timing, the drive's delay before it replies, 0 to 10000 ms (default 1)."},
    {"link", "PATH",
     "Make a symbolic link PATH to the pseudo-terminal, removed at the end. Refused when PATH exists."},
    {"state", "FILE", "Keep the drives' EEPROM values in FILE across runs."},
    {"special-setup", "", "Drives report a special set-up (0 instead of 1 and 2 at 0998 and 0999)."},
    {"trip-after", "SECONDS", "Drives trip this long after their first frame, and again that long after each reset."},
    {"drop-rate", "P", "Share of requests left unanswered, 0 to 1."},
    {"corrupt-rate", "P", "Share of replies with a corrupted byte, 0 to 1."},
    {"late-ms", "MS", "Extra delay of every reply, 0 to 60000 ms."},
    {"garbage-rate", "P", "Share of replies replaced by random bytes of the same length, 0 to 1."},
    {"truncate-rate", "P", "Share of replies cut short, 0 to 1."},
    {"disconnect-after", "N", "Hang up the line after N answered frames (default 0: never)."},
    {"seed", "N", "Seed of the random fault choices, 0 to 4294967295 (default 1)."},
    {"trace", "FILE",
     "Write a communication log to FILE (\"-\" for standard error): every frame heard and sent, with time, bytes, "
     "their meaning and the fault applied."},
};

void addOptions(QCommandLineParser &parser)
{
    parser.addOption(QCommandLineOption({QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("Explain the options and exit.")));
    parser.addOption(QCommandLineOption(QStringLiteral("version"), QStringLiteral("Print the version and exit.")));
    for (const OptionText &o : OptionTexts)
        parser.addOption(QCommandLineOption(QLatin1String(o.name), QString::fromUtf8(o.description),
                                            QLatin1String(o.valueName)));
}

}  // namespace

QString SimOptions::usage()
{
    return QStringLiteral("Usage: vkr-drive-sim [--data DIR] [options]\n"
                          "Try 'vkr-drive-sim --help' for more information.");
}

QString SimOptions::helpText()
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "A line of simulated drives on a pseudo-terminal. Prints the device path to open on the\n"
        "first line of its output and serves until SIGINT or SIGTERM."));
    addOptions(parser);
    QString text = parser.helpText();
    // Qt's first line names the program by its path.
    text.replace(0, text.indexOf(QLatin1Char('\n')), QStringLiteral("Usage: vkr-drive-sim [--data DIR] [options]"));
    return text + QStringLiteral("\nExit codes:\n  0  ended by SIGINT or SIGTERM\n"
                                 "  2  an option was refused or the line could not be set up\n");
}

bool SimOptions::parse(const QStringList &arguments, SimOptions *o, QString *error)
{
    QCommandLineParser parser;
    addOptions(parser);
    *o = SimOptions();
    if (!parser.parse(arguments)) {
        *error = parser.errorText();
        return false;
    }
    o->showHelp = parser.isSet(QStringLiteral("help"));
    o->showVersion = parser.isSet(QStringLiteral("version"));
    if (o->showHelp || o->showVersion)
        return true;
    if (!parser.positionalArguments().isEmpty()) {
        *error = QStringLiteral("unexpected argument \"%1\"").arg(parser.positionalArguments().first());
        return false;
    }
    o->dataFolder = parser.value(QStringLiteral("data"));
    if (o->dataFolder.isEmpty() && QCoreApplication::instance())
        o->dataFolder = InstallLayout::dataFolder(QCoreApplication::applicationDirPath());
    if (o->dataFolder.isEmpty()) {
        *error = QStringLiteral("--data DIR is required");
        return false;
    }
    for (const QString &text : parser.values(QStringLiteral("drive"))) {
        Drive d;
        if (!parseDrive(text, &d, error))
            return false;
        o->drives.push_back(d);
    }
    if (!parseChoices(parser, o, error))
        return false;
    if (!parseNumbers(parser, o, error))
        return false;
    if (PtyLine::baudOf(PtyLine::speedConstantOf(o->line.baud)) != o->line.baud) {
        *error = QStringLiteral("--baud %1 is not a rate a serial line offers").arg(o->line.baud);
        return false;
    }
    o->timing.lineTiming = parser.isSet(QStringLiteral("line-timing"));
    o->specialSetup = parser.isSet(QStringLiteral("special-setup"));
    o->linkPath = parser.value(QStringLiteral("link"));
    o->statePath = parser.value(QStringLiteral("state"));
    o->tracePath = parser.value(QStringLiteral("trace"));
    return true;
}

std::unique_ptr<SimEngine> SimOptions::createEngine(SimStateFile *state, QString *error) const
{
    std::vector<Drive> wanted = drives;
    if (wanted.empty()) {
        Drive d;
        if (!SimDataLoader::firstDrive(dataFolder, &d.type, &d.form, &d.cpuVersion, error))
            return nullptr;
        wanted.push_back(d);
    }
    auto engine = std::make_unique<SimEngine>(protocol, line);
    for (const Drive &w : wanted) {
        int number = w.number;
        for (int n = 0; number < 0 && n <= 63; ++n)
            if (!engine->drive(n) && std::none_of(wanted.begin(), wanted.end(), [n](const Drive &o) { return o.number == n; }))
                number = n;
        SimDriveData data;
        if (!SimDataLoader::load(dataFolder, w.type, w.form, w.cpuVersion, &data, error))
            return nullptr;
        auto drive = std::make_unique<SimDrive>(std::move(data), number, faults.seed + quint32(number));
        drive->setSpecialSetup(specialSetup);
        if (tripAfterSeconds > 0)
            drive->setTripAfter(tripAfterSeconds);
        drive->attachState(state);
        if (!engine->addDrive(std::move(drive))) {
            *error = QStringLiteral("inverter number %1 is used twice").arg(number);
            return nullptr;
        }
    }
    engine->setFaults(faults);
    return engine;
}
