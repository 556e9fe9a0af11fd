#include "CliDrive.h"

#include "CliReason.h"
#include "ExitCodes.h"
#include "app/InstallLayout.h"
#include "base/CodePage.h"
#include "base/FileLookup.h"
#include "base/IniFile.h"
#include "model/DriveLoader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

void printError(const QString &text)
{
    QTextStream(stderr) << "vkr: " << text << '\n';
}

QList<QCommandLineOption> CliDrive::options()
{
    return {
        QCommandLineOption(QStringLiteral("data"),
                           QStringLiteral("Data folder of the drives: Inverter.ini and one <type>(<cpu>) folder per "
                                          "drive. Default: the folder dat beside vkr, else the one installed with "
                                          "it; required when neither exists."),
                           QStringLiteral("DIR")),
        QCommandLineOption(QStringLiteral("lng"),
                           QStringLiteral("Language folder (default: the folder lng beside the data folder)."),
                           QStringLiteral("DIR")),
        QCommandLineOption(QStringLiteral("type"), QStringLiteral("Drive type, for example KDA1. Required."),
                           QStringLiteral("TYPE")),
        QCommandLineOption(QStringLiteral("cpu"), QStringLiteral("CPU version of the drive, for example V100. Required."),
                           QStringLiteral("VERSION")),
        QCommandLineOption(QStringLiteral("form"), QStringLiteral("Form of the drive, for example -2007P. Required."),
                           QStringLiteral("FORM")),
        QCommandLineOption(QStringLiteral("lang"),
                           QStringLiteral("Language, for example English: the language file <LANGUAGE>.ini and the "
                                          "drive's texts in that language. Required."),
                           QStringLiteral("LANGUAGE")),
        QCommandLineOption(QStringLiteral("decimal-comma"),
                           QStringLiteral("Write decimal values with a comma instead of a full stop.")),
    };
}

bool CliDrive::readOptions(const QCommandLineParser &parser, QString *error)
{
    m_dataDir = parser.value(QStringLiteral("data"));
    if (m_dataDir.isEmpty())
        m_dataDir = InstallLayout::dataFolder(QCoreApplication::applicationDirPath());
    if (m_dataDir.isEmpty()) {
        *error = QStringLiteral("option --data is required");
        return false;
    }
    for (const char *name : {"type", "cpu", "form", "lang"}) {
        if (parser.value(QLatin1String(name)).isEmpty()) {
            *error = QStringLiteral("option --%1 is required").arg(QLatin1String(name));
            return false;
        }
    }
    m_lngDir = parser.value(QStringLiteral("lng"));
    selection.typeName = parser.value(QStringLiteral("type"));
    selection.cpuVersion = parser.value(QStringLiteral("cpu"));
    selection.formName = parser.value(QStringLiteral("form"));
    selection.languageName = parser.value(QStringLiteral("lang"));
    selection.decimalComma = parser.isSet(QStringLiteral("decimal-comma"));
    selection.languagePrefix = selection.languageName.left(3);
    selection.cpuNumber = selection.cpuVersion.mid(1);

    const QString dataDir = QDir::cleanPath(QFileInfo(m_dataDir).absoluteFilePath());
    folders.appFolder = QFileInfo(dataDir).path();
    folders.dataFolder = dataDir;
    folders.languageFolder = m_lngDir.isEmpty() ? FileLookup::resolve(folders.appFolder + QStringLiteral("/lng"))
                                                : QDir::cleanPath(QFileInfo(m_lngDir).absoluteFilePath());
    folders.setModel(selection.typeName, selection.cpuVersion);
    return true;
}

bool CliDrive::loadLanguage()
{
    const QString path = folders.languageFile(selection.languageName);
    const QString reason = CliReason::ofFile(path);
    if (!reason.isEmpty()) {
        printError(QStringLiteral("Not found Language data file. (%1: %2)").arg(path, reason));
        return false;
    }
    if (!messages.load(IniFile(path, CodePages::forLanguage(selection.languageName)))) {
        printError(QStringLiteral("Selected Language data file is not valid. (%1)").arg(path));
        return false;
    }
    return true;
}

// The first data file of the drive that cannot be read, with the reason.
QString CliDrive::failedText(const DriveLoader &loader) const
{
    const QString drive = QStringLiteral("%1 %2 %3").arg(selection.typeName, selection.cpuVersion, selection.formName);
    for (const QString &file : {loader.definitionFile(), loader.capacityFile()}) {
        const QString reason = CliReason::ofFile(file);
        if (!reason.isEmpty())
            return QStringLiteral("drive %1 not loaded: %2: %3").arg(drive, file, reason);
    }
    return QStringLiteral("drive %1 not loaded").arg(drive);
}

int CliDrive::load()
{
    const QString folderReason = CliReason::ofFolder(folders.dataFolder);
    if (!folderReason.isEmpty()) {
        printError(QStringLiteral("data folder %1: %2").arg(folders.dataFolder, folderReason));
        return ExitCode::LoadFailed;
    }
    if (!loadLanguage())
        return ExitCode::LoadFailed;
    DriveLoader loader(folders, selection, messages, prompter);
    const DriveLoader::Result result = loader.load(data);
    if (result != DriveLoader::Result::Loaded)
        m_failed = failedText(loader);
    printMessages();
    if (result != DriveLoader::Result::Loaded)
        return ExitCode::LoadFailed;
    data.lastShownIndex = data.lastUserIndex;
    return ExitCode::Ok;
}

void CliDrive::printMessages()
{
    // Message 85 tells a window user that the application closes; here the cause is named.
    const QString closing = messages.text(85);
    for (; m_printed < prompter.shown.size(); ++m_printed) {
        const ScriptedPrompter::Shown &shown = prompter.shown.at(m_printed);
        printError(shown.text == closing && !m_failed.isEmpty() ? m_failed : shown.text);
        if (shown.buttons != Prompter::Buttons::Ok)
            printError(QStringLiteral("answer taken: %1 (--answer yes|no|cancel chooses it)")
                           .arg(CliPrompter::answerName(prompter.taken.at(m_printed))));
    }
}
