#include "CliParameterFile.h"

#include "CliDrive.h"
#include "ExitCodes.h"
#include "files/ParameterFileOpen.h"

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
    QString reason;
    if (!ParameterFile::readLines(m_path, drive.selection.languagePrefix, &lines, &reason)) {
        printError(drive.messages.text(67) + QStringLiteral(" (") + m_path + QStringLiteral(": ") + reason + QLatin1Char(')'));
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
        printError(drive.messages.text(67));
        return ExitCode::Refused;
    case ParameterFileOpen::Result::Refused:
    case ParameterFileOpen::Result::Cancelled:
        break;
    }
    return ExitCode::Refused;
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
