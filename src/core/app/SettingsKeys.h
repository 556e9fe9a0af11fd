#pragma once

// Every section, key, type and default of the settings file VKR410T.ini. Nothing outside the
// settings layer spells a key name: windows and the core name these constants instead.
// Colours are integers in the 0x00BBGGRR form (red in the low byte).

template <typename T>
struct SettingKey {
    const char *section;
    const char *name;
    T def;
};

struct TextKey {
    const char *section;
    const char *name;
    const char *def;  // nullptr: the application folder
};

using IntKey = SettingKey<int>;
using BoolKey = SettingKey<bool>;
using ColorKey = SettingKey<int>;

// Keys numbered 1..10 (channels of the monitor set-up).
struct ChannelKey {
    const char *section;
    const char *prefix;
};

namespace Keys {

// [Language]: one key per language name; its value is the language's decimal-comma flag.
inline constexpr const char *LanguageSection = "Language";
inline constexpr IntKey FirstRunProbe{"Language", "Japanese", 999};
inline constexpr const char *FirstRunLanguages[] = {"Japanese", "English"};

// [Default]: the last choice of the start-up window.
inline constexpr IntKey LangNo{"Default", "LangNo", 0};
inline constexpr IntKey InvTypeNo{"Default", "InvTypeNo", 999};
inline constexpr IntKey InvFormNo{"Default", "InvFormNo", 999};
inline constexpr IntKey InvCpuNo{"Default", "InvCpuNo", 999};
inline constexpr TextKey InvType{"Default", "InvType", ""};
inline constexpr TextKey InvForm{"Default", "InvForm", ""};
inline constexpr TextKey InvCpu{"Default", "InvCpu", ""};

// [File]
inline constexpr TextKey SavePath{"File", "SavePath", nullptr};
inline constexpr TextKey LoadPath{"File", "LoadPath", nullptr};

// [Comms]
inline constexpr IntKey Prtocol{"Comms", "Prtocol", 0};
inline constexpr IntKey Commport{"Comms", "Commport", 0};
inline constexpr IntKey CommportAtStart{"Comms", "Commport", 256};
inline constexpr IntKey Baudrate{"Comms", "Baudrate", 3};
inline constexpr IntKey Parity{"Comms", "Parity", 1};
inline constexpr IntKey Stopbits{"Comms", "Stopbits", 0};
inline constexpr IntKey Bytesize{"Comms", "Bytesize", 1};
inline constexpr IntKey ID{"Comms", "ID", 0};
inline constexpr BoolKey AppendNo{"Comms", "AppendNo", false};
inline constexpr BoolKey Douhou{"Comms", "Douhou", false};
inline constexpr IntKey Delay{"Comms", "Delay", 200};
// Comma-separated device paths that replace the system's serial-port list (Linux only).
inline constexpr TextKey PortNames{"Comms", "PortNames", ""};

// [Options]
inline constexpr BoolKey CheckLang{"Options", "CheckLang", true};
inline constexpr IntKey CheckLangAtStart{"Options", "CheckLang", 999};
inline constexpr BoolKey CheckInv{"Options", "CheckInv", true};
inline constexpr BoolKey CheckInvAtStart{"Options", "CheckInv", false};
inline constexpr BoolKey CheckPrt{"Options", "CheckPrt", false};
inline constexpr BoolKey CheckInvTyp{"Options", "CheckInvTyp", true};
inline constexpr BoolKey Eeprom{"Options", "Eeprom", true};
inline constexpr BoolKey ChgPara1{"Options", "ChgPara1", true};
inline constexpr BoolKey ComDisp{"Options", "ComDisp", false};
inline constexpr BoolKey Result{"Options", "Result", true};
inline constexpr BoolKey CompDisp{"Options", "CompDisp", false};
inline constexpr BoolKey ResultC{"Options", "ResultC", true};
inline constexpr BoolKey Mainte{"Options", "Mainte", false};
inline constexpr BoolKey Snapshot{"Options", "Snapshot", true};
inline constexpr BoolKey ChgPara2{"Options", "ChgPara2", false};
inline constexpr BoolKey SkipFile{"Options", "SkipFile", false};
inline constexpr BoolKey RegistFile{"Options", "RegistFile", true};
inline constexpr BoolKey Entkey{"Options", "Entkey", true};
inline constexpr IntKey UndoMax{"Options", "UndoMax", 10};
inline constexpr IntKey PanelTime1{"Options", "PanelTime1", 260};
inline constexpr BoolKey MonKeep{"Options", "MonKeep", false};
inline constexpr ColorKey MonBack{"Options", "MonBack", 0xFFFFFF};
inline constexpr IntKey MonVal{"Options", "MonVal", 15};
inline constexpr BoolKey MonMode2{"Options", "MonMode2", false};
inline constexpr IntKey MonMode2Multi{"Options", "MonMode2Multi", 100};
inline constexpr IntKey MonMode2Point{"Options", "MonMode2Point", 3000};
inline constexpr BoolKey MonMode3{"Options", "MonMode3", false};
inline constexpr IntKey MonMode3T{"Options", "MonMode3T", 120};
inline constexpr IntKey MonMode3Smp{"Options", "MonMode3Smp", 10};
inline constexpr BoolKey MonMode4{"Options", "MonMode4", false};
inline constexpr BoolKey MonMode5{"Options", "MonMode5", true};
inline constexpr BoolKey MonMode6{"Options", "MonMode6", true};
inline constexpr BoolKey MonMode7{"Options", "MonMode7", true};
inline constexpr ColorKey MSTC{"Options", "MSTC", 0x000000};
inline constexpr ColorKey MSCC{"Options", "MSCC", 0xFFFFFF};
inline constexpr ColorKey MNTC{"Options", "MNTC", 0x000000};
inline constexpr ColorKey MNCC{"Options", "MNCC", 0xE0FFFF};
inline constexpr ColorKey MSLTC{"Options", "MSLTC", 0xFFFFFF};
inline constexpr BoolKey MCVCCC{"Options", "MCVCCC", false};
inline constexpr ColorKey MCVCC{"Options", "MCVCC", 0x00FFFF};
inline constexpr BoolKey MCVBOC{"Options", "MCVBOC", false};
inline constexpr BoolKey WHP{"Options", "WHP", false};
inline constexpr IntKey MMG{"Options", "MMG", 50};
inline constexpr IntKey MMCT{"Options", "MMCT", 5};
inline constexpr ColorKey MWC{"Options", "MWC", 0x808080};
inline constexpr ColorKey MTC{"Options", "MTC", 0x808080};
inline constexpr ColorKey MEC{"Options", "MEC", 0x808080};
inline constexpr BoolKey MZV{"Options", "MZV", false};
inline constexpr TextKey DF{"Options", "DF", "\\dat"};

// [Page]
inline constexpr BoolKey PageItem1{"Page", "Item1", true};
inline constexpr BoolKey PageItem2{"Page", "Item2", false};
inline constexpr BoolKey PageItem3{"Page", "Item3", true};
inline constexpr BoolKey PageItem4{"Page", "Item4", true};
inline constexpr BoolKey PageItem5{"Page", "Item5", false};
inline constexpr BoolKey PageItem6{"Page", "Item6", false};
inline constexpr BoolKey PSet1{"Page", "PSet1", true};
inline constexpr ColorKey ValCol{"Page", "ValCol", 0};
inline constexpr IntKey PSet2{"Page", "PSet2", 10000};
inline constexpr IntKey PSet3{"Page", "PSet3", 1};
inline constexpr TextKey PSetT{"Page", "PSetT", "10"};
inline constexpr TextKey PSetB{"Page", "PSetB", "10"};
inline constexpr TextKey PSetL{"Page", "PSetL", "10"};
inline constexpr TextKey PSetR{"Page", "PSetR", "10"};
inline constexpr TextKey PSet4{"Page", "PSet4", "15"};
inline constexpr IntKey PSet5{"Page", "PSet5", 3};

// [Monitor]
inline constexpr const char *MonitorSection = "Monitor";
inline constexpr TextKey MonPath{"Monitor", "MonPath", nullptr};
inline constexpr TextKey Inv1{"Monitor", "Inv1", "-"};
inline constexpr TextKey Inv2{"Monitor", "Inv2", "-"};
inline constexpr TextKey Inv3{"Monitor", "Inv3", "-"};
inline constexpr ChannelKey MonItem{"Monitor", "Item"};      // integer, default channel - 1
inline constexpr ChannelKey MonUnit{"Monitor", "Unit"};      // boolean, false
inline constexpr ChannelKey MonBi{"Monitor", "Bi"};          // text, "1"
inline constexpr ChannelKey MonPlus{"Monitor", "Plus"};      // text, "0"
inline constexpr ChannelKey MonCh{"Monitor", "MonCh"};       // colour, see monitorChannelColor
inline constexpr ChannelKey MonSelect{"Monitor", "Select"};  // boolean, true for 1..5
inline constexpr TextKey MonTime{"Monitor", "Time", "25"};
inline constexpr TextKey MonMax{"Monitor", "Max", "100"};
inline constexpr BoolKey MonZoom{"Monitor", "Zoom", false};
inline constexpr BoolKey MonTrig{"Monitor", "Trig", false};
inline constexpr IntKey MonTrigCh{"Monitor", "TrigCh", 0};
inline constexpr IntKey MonTrigSlope{"Monitor", "TrigSlope", 0};
inline constexpr TextKey MonTrigLv{"Monitor", "TrigLv", "0"};
inline constexpr TextKey MonTrigPos{"Monitor", "TrigPos", "0"};

// Trace colours of channels 1 to 10: red, blue, lime, fuchsia, aqua, maroon, navy, green, purple, teal.
inline constexpr int MonitorChannelColors[10] = {0x0000FF, 0xFF0000, 0x00FF00, 0xFF00FF, 0xFFFF00,
                                                 0x000080, 0x800000, 0x008000, 0x800080, 0x808000};

}  // namespace Keys
