#pragma once

// The items of the parameter table's pop-up menu: component name, language file section
// and key of the caption, the caption used when the language file has none, shortcut,
// whether the item is shown and whether it carries a check mark.
struct PopItem {
    const char *component;  // "-" for a separator
    const char *section;
    const char *key;
    const char *caption;
    const char *shortcut;
    bool visible;
    bool checkable;
};

// The pop-up menu in its order; hidden items belong to commands of the main window.
inline constexpr PopItem PopItems[] = {
    {"PopUndo", "Main", "Menu22", "Undo", "Ctrl+Z", false, false},
    {"PopRedo", "Main", "Menu23", "Redo", "", false, false},
    {"-", "", "", "", "", false, false},
    {"PopCopy", "Main", "Menu24", "Copy", "Ctrl+C", true, false},
    {"-", "", "", "", "", false, false},
    {"PopDownLoad", "Main", "Menu27", "Selected Parameter Import", "F3", false, false},
    {"PopUpLoad", "Main", "Menu28", "Selected Parameter Export", "F2", false, false},
    {"-", "", "", "", "", true, false},
    {"PopChgDisp", "Main", "Menu29", "'Changed' Only", "", true, true},
    {"PopCVDisp", "Main", "Menu2l", "Current/Voltage", "", true, true},
    {"PopQuick", "Main", "Menu2k", "Quick", "", true, true},
    {"-", "", "", "", "", true, false},
    {"PopSlct", "Main", "Menu2a", "Select", "Ctrl+S", true, false},
    {"PopSlctUnlock", "Main", "Menu2b", "Select Clear", "Ctrl+Alt+S", true, false},
    {"PopBlind", "Main", "Menu2c", "Blind", "", true, true},
    {"PopDisp", "Main", "Menu2d", "All Parameters", "", true, false},
    {"-", "", "", "", "", true, false},
    {"PopHexDisp", "Main", "Menu2e", "Hex.", "", true, false},
    {"PopDecDisp", "Main", "Menu2f", "Dec.", "", true, false},
    {"-", "", "", "", "", false, false},
    {"PopDef", "Main", "Menu2g", "Shipment", "", false, false},
    {"-", "", "", "", "", true, false},
    {"PopParaHelp", "Main", "Menu2h", "Show Parameter Help", "F10", true, false},
    {"-", "", "", "", "", false, false},
    {"PopFind", "Main", "Menu2i", "Find", "Ctrl+F", false, false},
    {"-", "", "", "", "", true, false},
    {"PopClose", "Parameter", "PopMenu1", "Close", "", true, false},
};
