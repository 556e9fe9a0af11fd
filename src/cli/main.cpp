#include "CliCommand.h"
#include "ExitCodes.h"

#include <QCoreApplication>
#include <QTextStream>
#include <algorithm>

namespace {

QList<CliCommand> &registry()
{
    static QList<CliCommand> commands;
    return commands;
}

void printHelp(QTextStream &out)
{
    out << "vkr - command-line front end of VKR410T\n\nUsage: vkr COMMAND [OPTIONS]\n\nCommands:\n";
    QList<CliCommand> commands = CliCommand::all();
    std::sort(commands.begin(), commands.end(),
              [](const CliCommand &a, const CliCommand &b) { return a.name < b.name; });
    for (const CliCommand &c : commands)
        out << "  " << c.name << ' ' << c.usage << "\n      " << c.summary << '\n';
}

}  // namespace

CliCommand::Registrar::Registrar(const char *name, const char *usage, const char *summary, Run run)
{
    registry().append({QString::fromUtf8(name), QString::fromUtf8(usage), QString::fromUtf8(summary), run});
}

const QList<CliCommand> &CliCommand::all()
{
    return registry();
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QTextStream out(stdout);
    if (args.isEmpty() || args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")) {
        printHelp(out);
        return args.isEmpty() ? ExitCode::Usage : ExitCode::Ok;
    }
    const QString name = args.takeFirst();
    for (const CliCommand &c : CliCommand::all()) {
        if (c.name == name)
            return c.run(args);
    }
    QTextStream(stderr) << "vkr: unknown command '" << name << "' (see vkr --help)\n";
    return ExitCode::Usage;
}
