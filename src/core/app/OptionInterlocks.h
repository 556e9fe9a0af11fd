#pragma once

#include "Options.h"

// Which options the window offers and the rules that tie options together. The window shows
// the result; `vkr options --set` applies the same rules.
namespace OptionInterlocks {

struct Context {
    bool option1 = false;            // Info.ini [Setup] Option1 of the selected type
    bool option2 = false;            // "Option2 for QLX": Info.ini [Setup] Option2
    bool hasAlarmWord = false;       // the table holds FC91
    bool hasTripWord = false;        // the table holds FC90
    bool maintenanceActive = false;  // MainteFlag
};

struct Enabling {
    bool saveResult = true;     // "Save Comm./Comp. Result"
    bool alarm = true;          // "Display Alarm"
    bool trip = true;           // "Display Trip"
    bool tripData = true;       // "Display Data at Trip"
    bool freeUnitFactor = false;
    bool continuousFields = false;  // "Record Time (min)", "Sampling Time (s/point)"
    bool runStop = true;        // "Inverter RUN/STOP control" and its key labels
    bool runStopLabelsVisible = false;
};

Enabling enabling(const Options &options, const Context &context);

/// One of the two comparison outputs stays on: after `changed` ("Display Comparison Result" or
/// "Display Comparison Message") was switched, the other is switched on when both are off.
/// Returns true when it changed an option.
bool keepComparisonOutput(Options &options, Opt changed);

}  // namespace OptionInterlocks
