#pragma once

#include <QString>

// The drive the work is about: chosen in the start-up window or taken from the parameter
// file named on the command line, replaced by "New".
struct DriveSelection {
    QString typeName;
    int typeIndex = 999;  // 999: none saved
    QString typeNumber;   // [Type] value of the catalogue
    QString formName;     // begins with "-"
    int formIndex = 999;
    QString formNumber;
    QString cpuVersion;  // "V" + CPU number
    int cpuIndex = 999;
    QString cpuNumber;
    QString languageName;
    int languageIndex = 0;
    QString languagePrefix;  // first three letters of the language name
    bool decimalComma = false;
};
