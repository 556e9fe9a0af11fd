#include "SimOptions.h"

#include "PtyLine.h"
#include "SimDataLoader.h"
#include "SimStateFile.h"

#include <QCommandLineParser>
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

QString SimOptions::usage()
{
    return QStringLiteral(
        "usage: vkr-drive-sim --data DIR [--drive T:F:V[:ID]]... [--protocol native|modbus] [--baud N]\n"
        "       [--parity none|even|odd] [--line-timing] [--turnaround MS] [--link PATH] [--state FILE]\n"
        "       [--special-setup] [--trip-after SECONDS] [--drop-rate P] [--corrupt-rate P] [--late-ms N]\n"
        "       [--garbage-rate P] [--truncate-rate P] [--disconnect-after N] [--seed N]\n");
}

bool SimOptions::parse(const QStringList &arguments, SimOptions *o, QString *error)
{
    QCommandLineParser parser;
    const char *valued[] = {"data", "drive", "protocol", "baud", "parity", "turnaround", "link", "state",
                            "trip-after", "drop-rate", "corrupt-rate", "late-ms", "garbage-rate",
                            "truncate-rate", "disconnect-after", "seed"};
    for (const char *name : valued)
        parser.addOption(QCommandLineOption(QLatin1String(name), QString(), QStringLiteral("value")));
    parser.addOption(QCommandLineOption(QStringLiteral("line-timing")));
    parser.addOption(QCommandLineOption(QStringLiteral("special-setup")));
    *o = SimOptions();
    if (!parser.parse(arguments)) {
        *error = parser.errorText();
        return false;
    }
    if (!parser.positionalArguments().isEmpty()) {
        *error = QStringLiteral("unexpected argument \"%1\"").arg(parser.positionalArguments().first());
        return false;
    }
    o->dataFolder = parser.value(QStringLiteral("data"));
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
