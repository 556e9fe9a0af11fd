#pragma once

#include "AppFolders.h"
#include "DriveSelection.h"
#include "LanguageFile.h"
#include "MessageTable.h"
#include "Options.h"
#include "Settings.h"
#include "StartFile.h"
#include "model/DriveData.h"

#include <memory>

class Prompter;

// One run of the application: its folders and settings file, the selected drive and
// language, the message table, the current folders, and the start-up steps that fill them.
// The windows drive the steps and show what they ask.
class Session
{
public:
    AppFolders folders;
    DriveSelection selection;
    MessageTable messages;
    LanguageFile language;
    DriveData data;  // ParaDat, UPara and the lists of the selected drive
    Options options;  // the environment options, loaded when the options window is created

    // Maintenance mode: MainteFlag is on in both levels, SMainteFlag only at the master level.
    bool MainteFlag = false;
    bool SMainteFlag = false;

    // Current folders, saved when the main window closes.
    QString savePath, saveFile, loadPath, loadFile, monPath, monFile;

    bool startupFailed = false;
    bool monitoringRunning = false;
    bool blindMode = false;
    int blindCount = 0;
    bool commentsChk = false;
    QString commentsText;

    /// Forms every folder from `appFolder` and opens its settings file (in the user's
    /// configuration folder when `appFolder` cannot be written).
    void setAppFolder(const QString &appFolder);
    Settings &settings() { return *m_settings; }

    /// A first run (no [Language] Japanese) writes Japanese=0 and English=0.
    void ensureLanguages();
    /// Normal start, step 1: the folders last used.
    void readFolders();
    /// Written when the main window closes.
    void writeFolders();

    /// The hidden data window's start-up: the language file and its message table.
    bool loadLanguage(Prompter &prompter);

    enum class DriveLoad { Loaded, Failed, SelectAgain };
    /// Definition file, capacity file and factory values of the selected drive. SelectAgain:
    /// the definitions are unusable and the drive selection starts again.
    DriveLoad loadDrive(Prompter &prompter);

    /// Start with a file: reads and checks the file's header, sets the drive and language from
    /// it. The refusal, when there is one, is shown through `prompter`.
    StartFile startWithFile(const QString &path, const QString &exeFolder, Prompter &prompter);

    /// Enters maintenance mode (the master level when `master`): "Use Maintenance Mode" on
    /// and the table shows every parameter. Entering the maintenance level from master mode
    /// keeps the master level.
    void enterMaintenance(bool master);
    /// "New" ends maintenance mode when "Maintenance mode release at "New"." is on, and sets
    /// the shown parameters for the new drive. Returns true when it ended the mode.
    bool maintenanceAtNew();

    /// "VKR410T <type><form> (CPU Ver.<cpu>)".
    QString caption() const;
    QString mainHelpFile() const;

private:
    void refuseUnknownDrive(const StartFile &file, Prompter &prompter);

    std::unique_ptr<Settings> m_settings;
};
