#pragma once

#include "SimEngine.h"
#include "SimFaults.h"
#include "SimLine.h"
#include "SimLineServer.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class SimStateFile;

// The command line of vkr-drive-sim:
//   [--data DIR] [--drive T:F:V[:ID]]... [--protocol native|modbus] [--baud N]
//   [--parity none|even|odd] [--line-timing] [--turnaround MS] [--link PATH] [--state FILE]
//   [--special-setup] [--trip-after SECONDS] [--drop-rate P] [--corrupt-rate P]
//   [--late-ms N] [--garbage-rate P] [--truncate-rate P] [--disconnect-after N] [--seed N]
//   [--trace FILE]
struct SimOptions
{
    struct Drive {
        QString type, form, cpuVersion;
        int number = -1;  // -1: the lowest number not taken
    };

    QString dataFolder;
    std::vector<Drive> drives;  // empty: the first drive of the data folder at number 0
    SimEngine::Protocol protocol = SimEngine::Protocol::Native;
    SimLineSettings line;
    SimTiming timing;
    QString linkPath;
    QString statePath;
    QString tracePath;  // communication log of the drives' side; "-" for standard error
    bool specialSetup = false;
    double tripAfterSeconds = 0.0;
    SimFaultRates faults;
    bool showHelp = false;     // --help: nothing else was checked
    bool showVersion = false;  // --version: nothing else was checked

    /// `arguments` include the program name. False with a message in *error.
    static bool parse(const QStringList &arguments, SimOptions *options, QString *error);
    /// The usage line, for a refused command line.
    static QString usage();
    /// Every option explained, and the exit codes.
    static QString helpText();

    /// The line of drives the options describe; `state` (may be null) is their EEPROM.
    std::unique_ptr<SimEngine> createEngine(SimStateFile *state, QString *error) const;
};
