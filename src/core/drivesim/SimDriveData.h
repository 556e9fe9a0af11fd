#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// Everything a simulated drive needs to know about itself, gathered from the data folder:
// its catalogue numbers, its parameters with their factory values and limits, and the
// monitor items, alarms and trips of its Info file. Plain values, so tests can build one
// by hand.
struct SimParameter
{
    QString comNo;
    quint16 address = 0;
    bool wide = false;                 // "Byte" 4: a 32-bit value
    qint64 factory = 0;                // raw factory value (references resolved)
    std::optional<qint64> low, high;   // raw limits; empty when unknown
    // A limit that names another parameter follows that parameter's current value.
    std::optional<quint16> lowRef, highRef;
    bool lowNegated = false;           // "LIndex" -1: the lower limit is minus that value
    int mul = 1;                       // raw value / mul = shown number
    bool ramOnly = false;              // "Memory" RAM: never kept in the EEPROM
};

struct SimMonitorItem
{
    QString comNo;
    quint16 address = 0;
    int bit = -1;      // bit number of a terminal signal item, -1 for a plain item
    QString name;
    QString unit;      // normal unit, for example "(Hz)"
    QString altUnit;   // alternative unit, "(A)", "(V)" or "(-)"
};

struct SimDriveData
{
    QString typeName;
    QString formName;
    QString cpuVersion;   // "V" + digits
    int typeNumber = 99;
    int formNumber = 0;
    int cpuNumber = 0;
    QString typeIdentComNo;   // register a shared type number is told apart by, or empty
    int typeIdentValue = 0;   // value of that register for this type
    QString freqCommComNo;    // the frequency command parameter, or empty
    std::vector<SimParameter> parameters;
    std::vector<SimMonitorItem> monitorItems;
    QStringList alarmNames;   // entry i names bit i of the alarm word
    QList<int> tripCodes;     // in file order; the first one is the "no trip" entry

    /// "T:F:V", the way the command line names a drive.
    QString label() const { return typeName + ':' + formName + ':' + cpuVersion; }
};
