#include "CliDrive.h"

#include "ExitCodes.h"
#include "base/CodePage.h"
#include "base/FileLookup.h"
#include "base/IniFile.h"
#include "model/DriveLoader.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

void printError(const QString &text)
{
    QTextStream(stderr) << "vkr: " << text << '\n';
}

QString CliDrive::usage()
{
    return QStringLiteral("--data DIR [--lng DIR] --type T --cpu V --form F --lang L [--decimal-comma]");
}

namespace {

// Removes "--name VALUE" or "--name=VALUE" from args. Returns false when the option is
// present without a value.
bool takeValue(QStringList &args, const QString &name, QString *value)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (arg.startsWith(name + QLatin1Char('='))) {
            *value = arg.mid(name.size() + 1);
            args.removeAt(i);
            return true;
        }
        if (arg == name) {
            if (i + 1 >= args.size())
                return false;
            *value = args.at(i + 1);
            args.remove(i, 2);
            return true;
        }
    }
    return true;
}

}  // namespace

bool CliDrive::parseOptions(QStringList &args, QString *error)
{
    struct Option {
        const char *name;
        QString *value;
        bool required;
    } options[] = {
        {"--data", &m_dataDir, true},
        {"--lng", &m_lngDir, false},
        {"--type", &selection.typeName, true},
        {"--cpu", &selection.cpuVersion, true},
        {"--form", &selection.formName, true},
        {"--lang", &selection.languageName, true},
    };
    for (const Option &o : options) {
        const QString name = QString::fromLatin1(o.name);
        if (!takeValue(args, name, o.value)) {
            *error = QStringLiteral("option %1 needs a value").arg(name);
            return false;
        }
        if (o.required && o.value->isEmpty()) {
            *error = QStringLiteral("option %1 is required").arg(name);
            return false;
        }
    }
    selection.decimalComma = args.removeAll(QStringLiteral("--decimal-comma")) > 0;
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
    if (!QFileInfo(path).isFile()) {
        printError(QStringLiteral("Not found Language data file. (%1)").arg(path));
        return false;
    }
    if (!messages.load(IniFile(path, CodePages::forLanguage(selection.languageName)))) {
        printError(QStringLiteral("Selected Language data file is not valid. (%1)").arg(path));
        return false;
    }
    return true;
}

int CliDrive::load()
{
    if (!loadLanguage())
        return ExitCode::LoadFailed;
    const DriveLoader::Result result = DriveLoader::load(folders, selection, messages, prompter, data);
    printMessages();
    if (result != DriveLoader::Result::Loaded)
        return ExitCode::LoadFailed;
    data.lastShownIndex = data.lastUserIndex;
    return ExitCode::Ok;
}

void CliDrive::printMessages()
{
    for (; m_printed < prompter.shown.size(); ++m_printed)
        printError(prompter.shown.at(m_printed).text);
}
