#pragma once

// The sample KDA1 drive loaded into the tool's tables with its monitor items, and a simulated
// KDA1 on the in-process line, with a monitor reader over the exchange.

#include "../files/SampleDrive.h"

#include "comm/CommExchange.h"
#include "comm/DriveFrameItems.h"
#include "drivesim/SimDataLoader.h"
#include "drivesim/SimEngine.h"
#include "drivesim/SimSerialPort.h"
#include "monitor/MonitorItems.h"
#include "monitor/MonitorReader.h"
#include "monitor/MonitorSetup.h"

#include <memory>

struct MonitorLine {
    SampleDrive tool;
    MonitorItemList items;
    std::unique_ptr<SimEngine> engine;
    std::unique_ptr<SimSerialPort> port;
    CommSettings settings;
    std::unique_ptr<DriveFrameItems> frameItems;
    std::unique_ptr<CommExchange> exchange;
    std::unique_ptr<MonitorReader> reader;

    bool setUp(const SimFaultRates &faults = {}, const SimTiming &timing = {}, int timeoutMs = 100)
    {
        if (!tool.load() || !LoadMonitorItems(IniFile(tool.folders.infoFile), QStringLiteral("KDA1"),
                                              QStringLiteral("Eng"), tool.data, items))
            return false;
        SimDriveData data;
        QString error;
        if (!SimDataLoader::load(QStringLiteral(VKR_SAMPLE_DATA "/dat"), QStringLiteral("KDA1"), QStringLiteral("-2004P"),
                                 QStringLiteral("V100"), &data, &error))
            return false;
        engine = std::make_unique<SimEngine>(SimEngine::Protocol::Native);
        engine->addDrive(std::make_unique<SimDrive>(data, 0));
        engine->setFaults(faults);
        port = std::make_unique<SimSerialPort>(*engine, timing);
        settings.timeoutMs = timeoutMs;
        settings.updateGap();
        frameItems = std::make_unique<DriveFrameItems>(tool.data);
        exchange = std::make_unique<CommExchange>(*port, settings, frameItems.get());
        reader = std::make_unique<MonitorReader>(tool.data, *exchange);
        return port->open(QStringLiteral("sim")) && port->setLine(settings.line());
    }

    SimDrive &drive() { return *engine->drive(0); }

    /// Binds every channel's read slot to its item, as choosing the items does.
    void bind(const MonitorSetup &setup)
    {
        for (int c = 0; c < MonitorSetup::Channels; ++c) {
            const MonitorItem *item = items.at(setup.channels[size_t(c)].item);
            reader->refreshSlot(c, item ? item->code : QString());
        }
    }
};
