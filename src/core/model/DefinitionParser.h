#pragma once

#include <QString>
#include <QStringList>

class DriveData;
class ModelInfo;

// Turns the lines of a definition file and of a capacity file into the ParaDat rows and the
// capacity lists. No files and no messages here: DriveLoader finds and reads the files.
namespace DefinitionParser {

/// Fills ParaDat from the definition lines (at most 2000; a line shorter than seven
/// characters ends the list), sets LastIndex and LastUserIndex and rebuilds ComNoList.
/// `disp` is Info.ini [Setup] Disp: an extra two-character prefix of user parameters,
/// "0*" for none.
void parseDefinitions(const QStringList &lines, const QString &disp, DriveData &data);

/// True when the parameter is shown outside maintenance mode.
bool isUserParameter(const QString &comNo, const QString &disp);

/// Applies the capacity lines: CapPara in file order, the capacity value into "Default" of
/// each listed parameter (at most LastIndex+1 lines, up to the first empty line).
void parseCapacities(const QStringList &lines, DriveData &data);

/// Reads [Disp CV] of Info.ini into ListBuff and column "Current/VoltIndex", and collects
/// CapParaR, the parameters whose factory value names a capacity parameter.
void applyModelInfo(const ModelInfo &info, DriveData &data);

}  // namespace DefinitionParser
