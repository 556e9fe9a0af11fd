#pragma once

class Options;
class Settings;

// The environment options a transfer reads, taken from the live options (or, for a program
// without the options window, from their settings keys).
struct TransferOptions {
    bool eeprom = true;              // "Export to EEPROM": 'W' instead of 'P'
    bool changedOnly = true;         // "Export 'Change' Parameters only"
    bool displayCommError = false;   // "Display Communication Error": Abort/Retry/Ignore box
    bool displayCommResult = true;   // "Display Communication Result"
    bool displayCompMessage = false; // "Display Comparison Message"
    bool displayCompResult = true;   // "Display Comparison Result"
    bool useMaintenance = false;     // "Use Maintenance Mode": transfers cover every parameter
    bool maintenanceActive = false;  // MainteFlag: maintenance mode is on
    bool saveResult = false;         // "Save Comm./Comp. Result": reports saved without asking
    bool checkTypeForm = true;       // "Check the Inverter Type-Form"

    static TransferOptions fromOptions(const Options &options, bool maintenanceActive);
    static TransferOptions fromSettings(const Settings &settings);
};
