#pragma once

#include "CommScan.h"
#include "CommSettings.h"

#include <QString>
#include <functional>

class IniFile;
class Settings;

// What the communication setup window does with the settings, apart from showing them:
// [Comms] of the settings file in and out, the checks of the typed fields, and the three
// ways of filling the settings: from the drive type's [Def Comms] defaults (Button1), from
// the parameter table (Button2) and from a search of the ports (Button3).
namespace CommSetup {

/// [Comms] into a settings record (limits applied, gapMs computed).
CommSettings load(const Settings &settings);
/// Every [Comms] key of the record; gapMs follows the baud rate.
void save(Settings &settings, CommSettings record);

/// A typed whole number checked against its limits.
struct Field {
    enum Outcome { Ok, NotANumber, Clamped } outcome = Ok;
    int value = 0;  // the value taken, or the limit it became
};
/// Inverter number 0..63 (rounded) and time-out 30..5000 ms.
Field checkNumber(const QString &text, int low, int high);
constexpr int MaxInverterNumber = 63;
constexpr int MinTimeoutMs = 30;
constexpr int MaxTimeoutMs = 5000;

/// Button1 is offered when [Def Comms] has all of Protocol, Baudrate, Parity, InvNo at 0 or more.
bool defaultsOffered(const IniFile &info);
/// Button2 is offered unless all four Para_ keys are "-".
bool tableValuesOffered(const IniFile &info);

/// Button1: the type's defaults plus their _B offsets. A result outside its range leaves that
/// setting as it was. "Set number" follows the inverter number.
void applyDefaults(const IniFile &info, CommSettings &record);
/// Button2: each setting from the parameter the Para_ key names (its value in the table,
/// `tableValue` gives -1 when it has none) or, for a "Fixed" setting, from the plain key
/// when it is above 0; plus the _B offset. Nothing when all Para_ keys are "-".
void applyTableValues(const IniFile &info, const std::function<qint64(const QString &)> &tableValue,
                      CommSettings &record);
/// Button3: protocol, port, baud and parity of a search that found a drive.
void applyScan(const CommScan::Result &found, CommSettings &record);

/// Which shown values differ from those remembered when the window was shown.
struct Changes {
    bool protocol = false, number = false, setNumber = false, port = false, baud = false, parity = false;
};
Changes compare(const CommSettings &shown, const CommSettings &now);

}  // namespace CommSetup
