#pragma once

#include <QString>

// The environment options: every option's component, page, settings key in [Options], type,
// limits, default and factory value, declared once. The options window builds its controls
// from this table, the typed options object loads and saves through it, and `vkr options`
// lists and checks with it. Colours are integers in the 0x00BBGGRR form (red in the low byte).

enum class Opt {
    // "Startup/Comm."
    StartLang, StartInv, PrinterChk, TypCapChk, EEPWriteEnable, WriteNotChgPara, ParaErrDisp, ParaResult,
    CompMsgDisp, CompResult, SUMode, SnapshotChk,
    // "File/Parameter"
    SaveNotChgPara, ParaSkipSave, FileRegist, ParaEnt, UndoMaxSet,
    // "Key Pad/Monitor"
    LedDispTime, MonCB, TBValSet, FreeUnitMon, ValMulti, MonRecPoint, CntMon, CntMonTime, CntMonSmp,
    MonInvDrive, MonAlrmDisp, MonTripDisp, MonTripDataDisp, MonKeep,
    // "Master's"
    PSTextC, PSCellC, PNTextC, PNCellC, PSlctTextC, CheckBox2, PCVCellC, CheckBox3, WinHelpSlct, ComSpMarg,
    ComChkTimes, WaitMsgC, CTimeC, CErrC, CheckBox1, MainteClear, DispBuffer,
    Count
};

namespace OptionDefs {

enum class Page { StartupComm, FileParameter, KeyPadMonitor, Master };
enum class Kind { Bool, Int, Color };
enum class Storage {
    Stored,     // read at start and written at every close
    WriteOnly,  // written at close, never read (on at every start)
    NotStored,  // lives for the run only
};

struct Def {
    Opt id;
    const char *component;   // the control's name
    Page page;
    Kind kind;
    Storage storage;
    const char *key;         // key in [Options]; for NotStored a name for the command line only
    int def;                 // value when the key is missing or unusable
    int factory;             // "Restore to factory settings"
    int min, max, step;      // Int only
    const char *captionKey;  // key in the language file's [Options]
    const char *caption;     // caption as designed
};

inline constexpr int Count = int(Opt::Count);
inline constexpr int ColorMax = 0xFFFFFF;

const Def &def(Opt id);
/// The option whose settings key is `key` (case-insensitive), or nullptr.
const Def *byKey(const QString &key);
/// The option whose control is named `component`, or nullptr.
const Def *byComponent(const QString &component);

/// The free-unit factor is held in hundredths and shown with two decimals.
inline bool shownInHundredths(Opt id) { return id == Opt::ValMulti; }
/// "Set default colors" resets these (the "Master's" colours, check boxes and tuning values).
bool resetByDefaultColors(Opt id);
/// The value as the window shows it ("1.00" for a factor of 100).
QString shownText(Opt id, int value);

}  // namespace OptionDefs
