#pragma once

// The main window's menus and tool buttons: component names, language keys and the design
// captions that stand when a key is missing from the language file.
struct MainMenuDef {
    const char *component;
    const char *key;  // [Main] key of the caption
    const char *caption;
};

struct MainItemDef {
    const char *menu;       // component of the menu it belongs to
    const char *component;  // "-" for a separator
    const char *key;
    const char *caption;
    const char *shortcut;
};

struct ToolButtonDef {
    const char *component;  // "-" for a separator
    const char *twin;       // the menu item it stands for ("" for ToolBline)
    const char *key;        // [Main] key of the hint
    const char *hint;
};

namespace MainMenuTable {

extern const MainMenuDef Menus[];
extern const int MenuCount;
extern const MainItemDef Items[];
extern const int ItemCount;
extern const ToolButtonDef ToolButtons[];
extern const int ToolButtonCount;

}  // namespace MainMenuTable
