#pragma once

#include "AlarmTripLists.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class DriveData;
class IniFile;

// One monitor item of the drive type: a communication number, or a communication number,
// "-" and a bit number 0..15 (a BitItem such as "FD06-3").
struct MonitorItem {
    QString code;        // as the Info file gives it, e.g. "FD00" or "FD06-12"
    QString name;        // shown to the user
    QString comNo;       // first four characters of the code
    QString bitText;     // sixth and seventh characters when the fifth is "-", else empty
    int row = -1;        // parameter index of comNo, -1 when the drive has no such parameter
    QString normalUnit;  // the n-th unit key less its first two characters, e.g. "(Hz)"; may be empty
    QString altUnit;     // the n-th unit key's value, "(-)" when there is no alternative unit

    bool isBitItem() const { return !bitText.isEmpty(); }
    int bitNumber() const;
    bool readable() const { return row >= 0; }
    bool hasAltUnit() const { return altUnit != QLatin1String("(-)"); }
    /// "name (unit)", or the name alone when the item has no unit.
    QString titleWithUnit() const;
};

// The monitor items, alarm names and trip names of one drive type and language, read from the
// type's Info file. Units belong to items by position: the n-th unit key to the n-th item.
struct MonitorItemList {
    std::vector<MonitorItem> items;
    bool hasUnits = false;    // the unit section has at least one key
    AlarmTripLists alarmTrips;  // the alarm and trip sections of the same type and language

    int size() const { return int(items.size()); }
    bool isEmpty() const { return items.empty(); }
    const MonitorItem *at(int index) const;
    /// Index of the item with this code (compared without case), or -1.
    int indexOfCode(const QString &code) const;
    QStringList names() const;
};

/// Splits an item code into its communication number and bit text.
void SplitMonitorItemCode(const QString &code, QString *comNo, QString *bitText);

/// The item of a code given by hand: the catalogue's item with that code, or else any
/// parameter of the drive ("FE10", or "FE10-3" for bit 3), named by its definition and with
/// its unit in parentheses (none for a bit). Nothing when the code names neither.
std::optional<MonitorItem> ResolveMonitorItem(const MonitorItemList &list, const DriveData &data, const QString &code);

/// Reads the item, unit, alarm and trip sections of `typeName` in the language with prefix
/// `languagePrefix` ("Eng") and looks every item up in the loaded parameters. False when the
/// item section is empty or missing; the list is replaced either way.
bool LoadMonitorItems(const IniFile &info, const QString &typeName, const QString &languagePrefix,
                      const DriveData &data, MonitorItemList &list);
