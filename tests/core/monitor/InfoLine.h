#pragma once

// A drive of the sample data loaded into the tool's tables, the same drive simulated on the
// in-process line, and the exchange, catalogue and language file the information report uses.

#include "SimPorts.h"

#include "app/AppFolders.h"
#include "app/DriveSelection.h"
#include "app/InverterCatalog.h"
#include "app/MessageTable.h"
#include "base/IniFile.h"
#include "base/ScriptedPrompter.h"
#include "comm/CommExchange.h"
#include "comm/DetectExchange.h"
#include "comm/DriveFrameItems.h"
#include "model/DriveData.h"
#include "model/DriveLoader.h"
#include "monitor/AlarmTripLists.h"
#include "monitor/InverterInfo.h"

#include <memory>

struct InfoLine {
    AppFolders folders;
    DriveSelection selection;
    MessageTable messages;
    ScriptedPrompter prompter;
    DriveData data;
    InverterCatalog catalog;
    AlarmTripLists lists;
    IniFile language{QStringLiteral(VKR_SAMPLE_DATA "/lng/English.ini")};
    SimPorts port;
    CommSettings settings;
    std::unique_ptr<DriveFrameItems> items;
    std::unique_ptr<CommExchange> exchange;
    std::unique_ptr<DetectExchange> detect;
    SimDrive *drive = nullptr;

    /// `silent`: the port opens but no drive answers.
    bool setUp(const QString &type, const QString &form, const QString &cpu, bool modbus = false, bool silent = false)
    {
        folders.setAppFolder(QStringLiteral(VKR_SAMPLE_DATA));
        selection.typeName = type;
        selection.formName = form;
        selection.cpuVersion = cpu;
        selection.languageName = QStringLiteral("English");
        selection.languagePrefix = QStringLiteral("Eng");
        folders.setModel(type, cpu);
        if (!messages.load(language))
            return false;
        if (DriveLoader::load(folders, selection, messages, prompter, data) != DriveLoader::Result::Loaded)
            return false;
        const QString dat = QStringLiteral(VKR_SAMPLE_DATA "/dat");
        catalog.scan(dat, dat + QStringLiteral("/Inverter.ini"));
        lists.load(IniFile(folders.infoFile), type, selection.languagePrefix);
        settings.protocol = modbus ? CommSettings::Modbus : CommSettings::Native;
        settings.timeoutMs = 60;
        settings.updateGap();
        if (silent)
            port.addSilent(QStringLiteral("sim"));
        else if (!(drive = port.addDrive(QStringLiteral("sim"), type, form, cpu, modbus)))
            return false;
        items = std::make_unique<DriveFrameItems>(data);
        exchange = std::make_unique<CommExchange>(port, settings, items.get());
        detect = std::make_unique<DetectExchange>(port, settings);
        return port.open(QStringLiteral("sim")) && port.setLine(settings.line());
    }

    InverterInfo info()
    {
        return InverterInfo(data, *exchange, *detect, catalog, lists, messages, prompter);
    }
};
