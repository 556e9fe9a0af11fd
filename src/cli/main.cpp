#include "CliCommand.h"
#include "CliDrive.h"
#include "CliLine.h"
#include "CliParameterFile.h"
#include "CliParser.h"
#include "ExitCodes.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QTextStream>
#include <algorithm>
#include <memory>

namespace {

QList<CliCommand> &registry()
{
    static QList<CliCommand> commands;
    return commands;
}

QString helpText()
{
    QList<CliCommand> commands = CliCommand::all();
    std::sort(commands.begin(), commands.end(),
              [](const CliCommand &a, const CliCommand &b) { return a.name < b.name; });
    QList<std::pair<QString, QString>> rows;
    for (const CliCommand &c : commands)
        rows.append({c.name, c.summary});
    return CliParser::versionText() + QStringLiteral(
               " - command-line front end of VKR410T\n\n"
               "Usage: vkr COMMAND [options] [arguments]\n"
               "       vkr COMMAND --help   explain every option and argument of COMMAND\n"
               "       vkr --help | --version\n\n"
               "Commands:\n")
        + CliParser::twoColumns(rows)
        + QStringLiteral("\n") + CliParser::paragraph(QStringLiteral(
            "Drive options (every command) name the drive whose data files are loaded, as the start-up window of "
            "VKR410T would choose it:"))
        + CliParser::optionList(CliDrive::options())
        + QStringLiteral("\n") + CliParser::paragraph(QStringLiteral(
            "Line options (read, write) set the serial line to the drive; an option left out keeps the default of "
            "the communication settings:"))
        + CliParser::optionList(CliLine::options())
        + QStringLiteral("\n") + CliParser::paragraph(QStringLiteral(
            "Parameter file options (params, save-vkr) apply a parameter file to the loaded set first:"))
        + CliParser::optionList(CliParameterFile::options())
        + QStringLiteral("\n") + CliParser::paragraph(QStringLiteral(
            "Options take their value as \"--name VALUE\" or \"--name=VALUE\"; the last one given counts."))
        + QStringLiteral("\nExit codes:\n")
        + CliParser::exitCodeList();
}

}  // namespace

CliCommand::Registrar::Registrar(const char *name, const char *summary, Run run, bool drawsText)
{
    registry().append({QString::fromUtf8(name), QString::fromUtf8(summary), run, drawsText});
}

const QList<CliCommand> &CliCommand::all()
{
    return registry();
}

namespace {

// A command that lays out text in fonts (PDF output) needs the GUI application's font
// database; it runs on the offscreen platform, so no display is needed.
std::unique_ptr<QCoreApplication> applicationFor(int &argc, char **argv)
{
    for (const CliCommand &c : CliCommand::all()) {
        if (argc > 1 && c.drawsText && c.name == QLatin1String(argv[1])) {
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
                qputenv("QT_QPA_PLATFORM", "offscreen");
            // The platform's start-up notes (a missing runtime folder) are not the tool's messages.
            const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext &,
                                                                        const QString &) {});
            auto app = std::make_unique<QGuiApplication>(argc, argv);
            qInstallMessageHandler(previous);
            return app;
        }
    }
    return std::make_unique<QCoreApplication>(argc, argv);
}

}  // namespace

int main(int argc, char **argv)
{
    const std::unique_ptr<QCoreApplication> application = applicationFor(argc, argv);
    QCoreApplication &app = *application;
    QCoreApplication::setApplicationVersion(QStringLiteral(VKR_VERSION));
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        QTextStream(stderr) << helpText();
        return ExitCode::Usage;
    }
    const QString name = args.takeFirst();
    if (name == QLatin1String("--help") || name == QLatin1String("-h")) {
        QTextStream(stdout) << helpText();
        return ExitCode::Ok;
    }
    if (name == QLatin1String("--version")) {
        QTextStream(stdout) << CliParser::versionText() << '\n';
        return ExitCode::Ok;
    }
    for (const CliCommand &c : CliCommand::all()) {
        if (c.name == name)
            return c.run(args);
    }
    printError(QStringLiteral("unknown command '%1'").arg(name));
    QTextStream(stderr) << "Usage: vkr COMMAND [options] [arguments]\nTry 'vkr --help' for the commands.\n";
    return ExitCode::Usage;
}
