#include "CliParameterFile.h"

#include "CliDrive.h"
#include "CliParser.h"
#include "CliReason.h"
#include "ExitCodes.h"
#include "app/InverterCatalog.h"
#include "files/ConfigFileOpen.h"
#include "files/ParameterFileOpen.h"

#include <QFile>

QList<QCommandLineOption> CliParameterFile::options()
{
    return {
        QCommandLineOption(QStringLiteral("open"),
                           QStringLiteral("Parameter file (.vkr) to apply to the drive's factory values, as Open "
                                          "reads it: a file of another drive type is refused."),
                           QStringLiteral("FILE")),
        QCommandLineOption(QStringLiteral("answer"),
                           QStringLiteral("Answer to the questions of --open (another form or CPU version, an unknown "
                                          "parameter): yes, no or cancel (default cancel; a cancelled question ends "
                                          "the command with nothing written or printed)."),
                           QStringLiteral("ANSWER")),
    };
}

bool CliParameterFile::readOptions(const QCommandLineParser &parser, QString *error)
{
    m_path = parser.value(QStringLiteral("open"));
    if (parser.isSet(QStringLiteral("answer")))
        m_answer = parser.value(QStringLiteral("answer"));
    static const QStringList answers{QStringLiteral("yes"), QStringLiteral("no"), QStringLiteral("cancel")};
    if (!answers.contains(m_answer)) {
        *error = QStringLiteral("--answer must be yes, no or cancel");
        return false;
    }
    return true;
}

int CliParameterFile::apply(CliDrive &drive)
{
    if (m_path.isEmpty())
        return ExitCode::Ok;
    const QString reason = CliReason::ofFile(m_path);
    if (!reason.isEmpty()) {
        printError(QStringLiteral("cannot read %1: %2").arg(m_path, reason));
        return ExitCode::Refused;
    }
    QStringList lines;
    QString readError;
    if (!ParameterFile::readLines(m_path, drive.selection.languagePrefix, &lines, &readError)) {
        printError(drive.messages.text(67) + QStringLiteral(" (") + m_path + QStringLiteral(": ") + readError
                   + QLatin1Char(')'));
        return ExitCode::Refused;
    }
    drive.prompter.fitAnswers = true;
    drive.prompter.defaultAnswer = m_answer == QLatin1String("yes") ? Prompter::Answer::Yes
        : m_answer == QLatin1String("no")                          ? Prompter::Answer::No
                                                                    : Prompter::Answer::Cancel;
    ParameterFileOpen open(drive.data, drive.selection, drive.messages, drive.prompter);
    const ParameterFileOpen::Result result = open.open(lines);
    drive.printMessages();
    m_header = open.header();
    switch (result) {
    case ParameterFileOpen::Result::Loaded:
        return ExitCode::Ok;
    case ParameterFileOpen::Result::ConfigFile:
        return applyConfigFile(drive);
    case ParameterFileOpen::Result::Stopped:  // a window keeps the values read so far, a command does not
    case ParameterFileOpen::Result::Cancelled:
        printError(QStringLiteral("%1 was not applied: the question was cancelled").arg(m_path));
        return ExitCode::Refused;
    case ParameterFileOpen::Result::Refused:
        break;
    }
    return ExitCode::Refused;
}

int CliParameterFile::applyConfigFile(CliDrive &drive)
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly)) {
        printError(drive.messages.text(67) + QStringLiteral(" (") + m_path + QLatin1Char(')'));
        return ExitCode::Refused;
    }
    InverterCatalog catalog;
    catalog.scan(drive.folders.dataFolder, drive.folders.catalogFile());
    ConfigFileOpen open(drive.data, drive.selection, drive.messages, catalog, drive.prompter);
    // A hand-edited file is read; the mismatch is reported on stderr.
    open.askOnMismatch = false;
    const ConfigFileOpen::Result result = open.open(file.readAll());
    drive.printMessages();
    m_header = ParameterFile();
    m_header.typeName = open.typeName();
    m_header.formName = open.formName();
    m_header.cpuVersion = open.cpuVersion();
    return result == ConfigFileOpen::Result::Loaded ? ExitCode::Ok : ExitCode::Refused;
}

int CliParameterFile::loadDrive(const CliParser &cli, CliDrive &drive)
{
    QString error;
    if (!drive.readOptions(cli.parser(), &error) || !readOptions(cli.parser(), &error))
        return cli.usageError(error);
    if (!cli.arguments().isEmpty())
        return cli.usageError(QStringLiteral("unexpected argument '%1'").arg(cli.arguments().first()));
    const int loaded = drive.load();
    return loaded == ExitCode::Ok ? apply(drive) : loaded;
}
