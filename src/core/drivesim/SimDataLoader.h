#pragma once

#include "SimDriveData.h"

#include <QString>

// Builds a simulated drive from the same data folder the tool reads: the catalogue numbers
// from Inverter.ini, the parameters and factory values through the parameter model's loader
// (definition file, capacity file, factory values), and the monitor items, alarm names and
// trip codes of the model's Info.ini.
namespace SimDataLoader {

/// The first type of the data folder with its first CPU version and first form.
bool firstDrive(const QString &dataFolder, QString *type, QString *form, QString *cpuVersion, QString *error);

/// `languagePrefix` picks the definition file and the Info.ini sections ("Eng", "Jap").
bool load(const QString &dataFolder, const QString &type, const QString &form, const QString &cpuVersion,
          SimDriveData *out, QString *error, const QString &languagePrefix = QStringLiteral("Eng"));

}  // namespace SimDataLoader
