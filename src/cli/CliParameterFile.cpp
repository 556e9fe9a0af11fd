#include "CliParameterFile.h"

#include "CliDrive.h"
#include "ExitCodes.h"
#include "app/InverterCatalog.h"
#include "files/ConfigFileOpen.h"
#include "files/ParameterFileOpen.h"

#include <QFile>

QString CliParameterFile::usage()
{
    return QStringLiteral("[--open FILE [--answer yes|no|cancel]]");
}

bool CliParameterFile::parseOptions(QStringList &args, QString *error)
{
    for (const char *name : {"--open", "--answer"}) {
        const QString option = QString::fromLatin1(name);
        QString *value = option == QLatin1String("--open") ? &m_path : &m_answer;
        for (qsizetype i = 0; i < args.size(); ++i) {
            if (args.at(i).startsWith(option + QLatin1Char('='))) {
                *value = args.at(i).mid(option.size() + 1);
                args.removeAt(i);
                break;
            }
            if (args.at(i) == option) {
                if (i + 1 >= args.size()) {
                    *error = QStringLiteral("option %1 needs a value").arg(option);
                    return false;
                }
                *value = args.at(i + 1);
                args.remove(i, 2);
                break;
            }
        }
    }
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
    QStringList lines;
    if (!ParameterFile::readLines(m_path, drive.selection.languagePrefix, &lines)) {
        printError(drive.messages.text(67) + QStringLiteral(" (") + m_path + QLatin1Char(')'));
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
    case ParameterFileOpen::Result::Stopped:
        return ExitCode::Ok;
    case ParameterFileOpen::Result::ConfigFile:
        return applyConfigFile(drive);
    case ParameterFileOpen::Result::Refused:
    case ParameterFileOpen::Result::Cancelled:
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

int CliParameterFile::loadDrive(const QString &command, QStringList &args, CliDrive &drive)
{
    QString error;
    if (!drive.parseOptions(args, &error) || !parseOptions(args, &error)) {
        printError(error);
        return ExitCode::Usage;
    }
    if (!args.isEmpty()) {
        printError(command + QStringLiteral(": unexpected argument '%1'").arg(args.first()));
        return ExitCode::Usage;
    }
    const int loaded = drive.load();
    return loaded == ExitCode::Ok ? apply(drive) : loaded;
}
