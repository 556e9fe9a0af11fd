#pragma once

#include <QString>

class DriveData;
struct MonitorChannel;
struct MonitorReadSlot;

// How values are shown: the options and drive figures the conversions of a run depend on.
struct MonitorDisplayOptions {
    int terminalLevel = 15;        // "Terminal Signal Level": a set bit of a BitItem, 0..100
    bool freeUnit = false;         // "Use Free Unit"
    double freeUnitFactor = 1.0;   // 0.01 .. 200.00
    double voltageBase = 0;        // rated voltage, volts
    double currentBase = 0;        // rated current, amperes
    bool zeroOnError = false;      // "0 Value when Commnunication Error"
};

/// The item value of a raw text: raw / divisor, or for a BitItem the terminal signal level
/// when its bit is set and 0 when not. A text that is not a whole number counts as 0.
double ItemValue(const MonitorReadSlot &slot, const QString &raw, int terminalLevel);

/// The value in the unit the channel shows: times the free unit factor when that option is
/// on; for a selected channel with unit change on, a percentage of the rated current "(A)" or
/// voltage "(V)" in amperes or volts; otherwise unchanged.
double ScaleToDisplayUnit(const MonitorChannel &channel, const QString &altUnit, double value,
                          const MonitorDisplayOptions &options);

/// Decimals of a parameter's "Mul": "10" 1, "100" 2, "1000" 3, anything else 0.
int ItemDecimals(const QString &mulText);
/// The value with the decimals of row's "Mul" (row -1: none), with a decimal comma when the
/// data says so.
QString FormatItemValue(const DriveData &data, int row, double value);
