#pragma once

#include "app/AppFolders.h"
#include "app/DriveSelection.h"
#include "app/MessageTable.h"
#include "base/CodePage.h"
#include "base/IniFile.h"
#include "base/ScriptedPrompter.h"
#include "model/DriveData.h"
#include "model/DriveLoader.h"

// The sample KDA1 drive (CPU V100, form -2004P) loaded read-only from the repository's data
// folder, with the English messages.
struct SampleDrive {
    AppFolders folders;
    DriveSelection selection;
    MessageTable messages;
    ScriptedPrompter prompter;
    DriveData data;

    bool load(const QString &form = QStringLiteral("-2004P"))
    {
        folders.setAppFolder(QStringLiteral(VKR_SAMPLE_DATA));
        selection.typeName = QStringLiteral("KDA1");
        selection.cpuVersion = QStringLiteral("V100");
        selection.formName = form;
        selection.languageName = QStringLiteral("English");
        selection.languagePrefix = QStringLiteral("Eng");
        folders.setModel(selection.typeName, selection.cpuVersion);
        if (!messages.load(IniFile(QStringLiteral(VKR_SAMPLE_DATA "/lng/English.ini"), CodePage::Windows1252)))
            return false;
        data = DriveData();
        const bool loaded = DriveLoader::load(folders, selection, messages, prompter, data) == DriveLoader::Result::Loaded;
        data.lastShownIndex = data.lastUserIndex;
        prompter.shown.clear();
        return loaded;
    }
};
