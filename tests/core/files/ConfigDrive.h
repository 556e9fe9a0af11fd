#pragma once

#include "app/AppFolders.h"
#include "app/DriveSelection.h"
#include "app/InverterCatalog.h"
#include "app/MessageTable.h"
#include "base/CodePage.h"
#include "base/IniFile.h"
#include "base/ScriptedPrompter.h"
#include "model/DefinitionParser.h"
#include "model/DriveData.h"
#include "model/DriveLoader.h"
#include "model/ModelInfo.h"
#include "model/ParameterValues.h"

// The sample drive that writes configuration files (KDC3, CPU V200, form -4110P, with
// parameters of all three key families) loaded read-only from the repository's data
// folder with the English messages; or a drive made of definition lines alone.
struct ConfigDrive {
    AppFolders folders;
    DriveSelection selection;
    MessageTable messages;
    ScriptedPrompter prompter;
    DriveData data;
    InverterCatalog catalog;

    bool load(const QString &type = QStringLiteral("KDC3"), const QString &cpu = QStringLiteral("V200"),
              const QString &form = QStringLiteral("-4110P"))
    {
        folders.setAppFolder(QStringLiteral(VKR_SAMPLE_DATA));
        catalog.scan(folders.dataFolder, folders.catalogFile());
        selection.typeName = type;
        selection.cpuVersion = cpu;
        selection.cpuNumber = cpu.mid(1);
        selection.formName = form;
        selection.typeNumber = catalog.typeNumber(type);
        selection.formNumber = catalog.formNumber(type, form);
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

    /// Parameters of the given numbers only, each with factory value 0.
    void define(const QStringList &comNos)
    {
        QStringList lines;
        for (const QString &c : comNos)
            lines << c + QStringLiteral(",0,0,\"P\",P,-,2,0,-100,99999,0,0,#,1,,0,0");
        data = DriveData();
        DefinitionParser::parseDefinitions(lines, QStringLiteral("0*"), data);
        DefinitionParser::applyModelInfo(ModelInfo(), data);
        ParameterValues(data, messages, prompter).SetUpValues();
        data.lastShownIndex = data.lastIndex;
        selection.typeNumber = QStringLiteral("41");
        selection.formNumber = QStringLiteral("1");
        selection.cpuNumber = QStringLiteral("100");
    }

    void set(const QString &comNo, const QString &raw)
    {
        const int i = data.IndexOfComNo(comNo);
        data.uPara.setAt(i, UPara::Value, raw);
        ParameterValues(data, messages, prompter).MarkChanged(comNo, raw.toDouble());
    }

    QString value(const QString &comNo) const
    {
        const int i = data.IndexOfComNo(comNo);
        return i < 0 ? QStringLiteral("?") : data.uPara.at(i, UPara::Value);
    }
};
