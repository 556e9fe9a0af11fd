#include "Session.h"

#include "InstallLayout.h"
#include "InverterCatalog.h"
#include "base/Prompter.h"
#include "model/DriveLoader.h"

#include <QFileInfo>

void Session::setAppFolder(const QString &appFolder)
{
    folders.setAppFolder(appFolder);
    folders.settingsFolder = InstallLayout::settingsFolder(appFolder);
    m_settings = std::make_unique<Settings>(folders.settingsFile(), folders.userFolder());
    folders.setAppFolder(appFolder, m_settings->get(Keys::DF));
}

void Session::ensureLanguages()
{
    m_settings->ensureLanguages();
}

void Session::readFolders()
{
    savePath = m_settings->get(Keys::SavePath);
    loadPath = m_settings->get(Keys::LoadPath);
    monPath = m_settings->get(Keys::MonPath);
}

void Session::writeFolders()
{
    m_settings->set(Keys::SavePath, savePath);
    m_settings->set(Keys::LoadPath, loadPath);
    m_settings->set(Keys::MonPath, monPath);
}

bool Session::loadLanguage(Prompter &prompter)
{
    if (!language.load(folders, selection.languageName, prompter, messages)) {
        startupFailed = true;
        return false;
    }
    return true;
}

Session::DriveLoad Session::loadDrive(Prompter &prompter)
{
    switch (DriveLoader::load(folders, selection, messages, prompter, data)) {
    case DriveLoader::Result::Loaded:
        data.lastShownIndex = MainteFlag ? data.lastIndex : data.lastUserIndex;
        return DriveLoad::Loaded;
    case DriveLoader::Result::SelectAgain:
        return DriveLoad::SelectAgain;
    case DriveLoader::Result::StartupFailed:
        break;
    }
    startupFailed = true;
    return DriveLoad::Failed;
}

StartFile Session::startWithFile(const QString &path, const QString &exeFolder, Prompter &prompter)
{
    setAppFolder(InstallLayout::appFolder({exeFolder}, exeFolder));
    // A first run opened with a file (a double-click on a ".vkr" right after installing)
    // knows the two built-in languages too, or every file would be refused as foreign.
    m_settings->ensureLanguages();
    const QStringList known = m_settings->languages();
    const QFileInfo info(path);
    loadPath = info.absolutePath();
    loadFile = info.fileName();
    StartFile file = StartFile::read(path, known);
    if (file.error != StartFile::Error::None) {
        QString text = StartFile::errorText();
        if (!file.reason.isEmpty())
            text += QLatin1Char('\n') + path + QStringLiteral(": ") + file.reason;
        prompter.warn(text, StartFile::errorCaption(file.error));
        prompter.pump();
        startupFailed = true;
        return file;
    }
    // The model folder is always under "dat", whatever the data-folder setting says.
    const QString modelRoot = folders.appFolder + QStringLiteral("/dat");
    InverterCatalog catalog;
    catalog.scan(modelRoot, folders.catalogFile());
    if (!catalog.knows(file.typeName, file.cpuVersion, file.formName)) {
        refuseUnknownDrive(file, prompter);
        return file;
    }
    commentsChk = file.commentsChk;
    commentsText = file.commentsText;
    blindMode = file.blindMode;
    blindCount = file.blindCount;

    selection = DriveSelection();
    selection.typeName = file.typeName;
    selection.formName = file.formName;
    selection.cpuVersion = file.cpuVersion;
    selection.typeNumber = catalog.typeNumber(file.typeName, QStringLiteral("Not_Support_Type"));
    selection.formNumber = catalog.formNumber(file.typeName, file.formName, QStringLiteral("Not_Support_Form"));
    selection.cpuNumber = file.cpuVersion.mid(1);
    selection.languageName = file.languageName;
    selection.languageIndex = file.languageIndex;
    selection.languagePrefix = file.languageName.left(3);
    selection.decimalComma = m_settings->decimalComma(file.languageName);
    m_settings->set(Keys::LangNo, file.languageIndex);

    folders.setModelIn(modelRoot, file.typeName, file.cpuVersion);

    savePath = folders.userFolder();
    monPath = folders.userFolder();
    saveFile.clear();
    monFile.clear();
    return file;
}

void Session::refuseUnknownDrive(const StartFile &file, Prompter &prompter)
{
    // The names would form the model folder's path: one the catalogue does not list is a
    // file of another type. The message table is not loaded yet, so read it here.
    MessageTable texts;
    texts.load(IniFile(folders.languageFile(file.languageName), CodePages::forLanguage(file.languageName)));
    prompter.warn(texts.text(9) + QLatin1Char('\n') + file.typeName + file.formName + QStringLiteral(" (")
                      + file.cpuVersion + QStringLiteral(") ") + texts.text(86),
                  texts.caption());
    prompter.pump();
    startupFailed = true;
}

QString Session::caption() const
{
    return QLatin1String(AppFolders::AppName) + QLatin1Char(' ') + selection.typeName + selection.formName
        + QStringLiteral(" (CPU Ver.") + selection.cpuVersion + QLatin1Char(')');
}

QString Session::mainHelpFile() const
{
    return folders.mainHelpFile(selection.languagePrefix);
}

void Session::enterMaintenance(bool master)
{
    options.set(Opt::SUMode, 1);
    data.lastShownIndex = data.lastIndex;
    MainteFlag = true;
    SMainteFlag = SMainteFlag || master;
}

bool Session::maintenanceAtNew()
{
    const bool release = MainteFlag && options.on(Opt::MainteClear);
    if (release) {
        MainteFlag = false;
        SMainteFlag = false;
        options.set(Opt::DispBuffer, 0);
    }
    data.lastShownIndex = MainteFlag ? data.lastIndex : data.lastUserIndex;
    return release;
}
