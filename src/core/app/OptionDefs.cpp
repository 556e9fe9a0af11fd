#include "OptionDefs.h"

#include "SettingsKeys.h"

#include <iterator>

namespace OptionDefs {
namespace {

using P = Page;
using K = Kind;
using S = Storage;

constexpr Def B(Opt id, const char *component, Page page, const BoolKey &key, const char *captionKey,
                const char *caption, Storage storage = S::Stored)
{
    return {id, component, page, K::Bool, storage, key.name, key.def, key.def, 0, 1, 1, captionKey, caption};
}

constexpr Def I(Opt id, const char *component, Page page, const IntKey &key, int min, int max, int step,
                const char *captionKey, const char *caption)
{
    return {id, component, page, K::Int, S::Stored, key.name, key.def, key.def, min, max, step, captionKey, caption};
}

constexpr Def C(Opt id, const char *component, Page page, const ColorKey &key, const char *captionKey,
                const char *caption)
{
    return {id, component, page, K::Color, S::Stored, key.name, key.def, key.def, 0, ColorMax, 1, captionKey, caption};
}

constexpr Def Run(Opt id, const char *component, const char *name, const char *captionKey, const char *caption)
{
    return {id, component, P::Master, K::Bool, S::NotStored, name, 0, 0, 0, 1, 1, captionKey, caption};
}

// In the order of Opt.
constexpr Def Table[] = {
    B(Opt::StartLang, "StartLang", P::StartupComm, Keys::CheckLang, "Check11", "Display the last selected Language"),
    B(Opt::StartInv, "StartInv", P::StartupComm, Keys::CheckInv, "Check12", "Display the last selected Inverter"),
    B(Opt::PrinterChk, "PrinterChk", P::StartupComm, Keys::CheckPrt, "Check13", "Check the Printer connection"),
    B(Opt::TypCapChk, "TypCapChk", P::StartupComm, Keys::CheckInvTyp, "Check14", "Check the Inverter Type-Form",
      S::WriteOnly),
    B(Opt::EEPWriteEnable, "EEPWriteEnable", P::StartupComm, Keys::Eeprom, "Check15", "Export to EEPROM"),
    B(Opt::WriteNotChgPara, "WriteNotChgPara", P::StartupComm, Keys::ChgPara1, "Check16",
      "Export 'Change' Parameters only"),
    B(Opt::ParaErrDisp, "ParaErrDisp", P::StartupComm, Keys::ComDisp, "Check17", "Display Communication Error"),
    B(Opt::ParaResult, "ParaResult", P::StartupComm, Keys::Result, "Check18", "Display Communication Result"),
    B(Opt::CompMsgDisp, "CompMsgDisp", P::StartupComm, Keys::CompDisp, "Check19", "Display Comparison Message"),
    B(Opt::CompResult, "CompResult", P::StartupComm, Keys::ResultC, "Check1A", "Display Comparison Result"),
    B(Opt::SUMode, "SUMode", P::StartupComm, Keys::Mainte, "Check1B", "Use Maintenance Mode"),
    B(Opt::SnapshotChk, "SnapshotChk", P::StartupComm, Keys::Snapshot, "Check1C", "Snapshot before Export"),

    B(Opt::SaveNotChgPara, "SaveNotChgPara", P::FileParameter, Keys::ChgPara2, "Check21",
      "Save 'Change' Parameters only"),
    B(Opt::ParaSkipSave, "ParaSkipSave", P::FileParameter, Keys::SkipFile, "Check22", "Save Comm./Comp. Result"),
    B(Opt::FileRegist, "FileRegist", P::FileParameter, Keys::RegistFile, "Check23", "Register VKR410T file-type"),
    B(Opt::ParaEnt, "ParaEnt", P::FileParameter, Keys::Entkey, "Check24", "Move to Cell on Enter Key"),
    I(Opt::UndoMaxSet, "UndoMaxSet", P::FileParameter, Keys::UndoMax, 0, 100, 1, "Label21", "Max. Times of Undo"),

    I(Opt::LedDispTime, "LedDispTime", P::KeyPadMonitor, Keys::PanelTime1, 0, 1000, 5, "Label31",
      "LED Display Timer"),
    C(Opt::MonCB, "MonCB", P::KeyPadMonitor, Keys::MonBack, "Label32", "Back Color"),
    I(Opt::TBValSet, "TBValSet", P::KeyPadMonitor, Keys::MonVal, 0, 100, 1, "Label33", "Terminal Signal Level"),
    B(Opt::FreeUnitMon, "FreeUnitMon", P::KeyPadMonitor, Keys::MonMode2, "Check31", "Use Free Unit"),
    I(Opt::ValMulti, "ValMulti", P::KeyPadMonitor, Keys::MonMode2Multi, 1, 20000, 10, "", ""),
    I(Opt::MonRecPoint, "MonRecPoint", P::KeyPadMonitor, Keys::MonMode2Point, 1250, 10000, 1, "Label34",
      "Nunmbers of All Recording Points"),
    B(Opt::CntMon, "CntMon", P::KeyPadMonitor, Keys::MonMode3, "Check32", "Continuous"),
    I(Opt::CntMonTime, "CntMonTime", P::KeyPadMonitor, Keys::MonMode3T, 30, 1440, 10, "Label35",
      "Record Time (min)"),
    I(Opt::CntMonSmp, "CntMonSmp", P::KeyPadMonitor, Keys::MonMode3Smp, 10, 300, 5, "Label36",
      "Sampling Time (s/point)"),
    B(Opt::MonInvDrive, "MonInvDrive", P::KeyPadMonitor, Keys::MonMode4, "Check33", "Inverter RUN/STOP control"),
    B(Opt::MonAlrmDisp, "MonAlrmDisp", P::KeyPadMonitor, Keys::MonMode5, "Check34", "Display Alarm"),
    B(Opt::MonTripDisp, "MonTripDisp", P::KeyPadMonitor, Keys::MonMode6, "Check35", "Display Trip"),
    B(Opt::MonTripDataDisp, "MonTripDataDisp", P::KeyPadMonitor, Keys::MonMode7, "Check36", "Display Data at Trip"),
    B(Opt::MonKeep, "MonKeep", P::KeyPadMonitor, Keys::MonKeep, "Check37", "Keep Monitor Setup"),

    C(Opt::PSTextC, "PSTextC", P::Master, Keys::MSTC, "Label41", "Setting Value Text Color."),
    C(Opt::PSCellC, "PSCellC", P::Master, Keys::MSCC, "Label42", "Setting Value Cell Color."),
    C(Opt::PNTextC, "PNTextC", P::Master, Keys::MNTC, "Label43", "Other Value Text Color."),
    C(Opt::PNCellC, "PNCellC", P::Master, Keys::MNCC, "Label44", "Other Value Cell Color."),
    C(Opt::PSlctTextC, "PSlctTextC", P::Master, Keys::MSLTC, "Label45", "Selected Value Text Color."),
    B(Opt::CheckBox2, "CheckBox2", P::Master, Keys::MCVCCC, "Check41", "Current/Voltage Cell Color."),
    C(Opt::PCVCellC, "PCVCellC", P::Master, Keys::MCVCC, "", ""),
    B(Opt::CheckBox3, "CheckBox3", P::Master, Keys::MCVBOC, "Check42", "Get Current/Voltage Base using On-Line"),
    B(Opt::WinHelpSlct, "WinHelpSlct", P::Master, Keys::WHP, "Check43", "Use WinHelp as Parameter Help"),
    I(Opt::ComSpMarg, "ComSpMarg", P::Master, Keys::MMG, 0, 100, 1, "Label46", "Communication Speed Margins (ms)."),
    I(Opt::ComChkTimes, "ComChkTimes", P::Master, Keys::MMCT, 1, 100, 1, "Label47", "Communication Check Times."),
    C(Opt::WaitMsgC, "WaitMsgC", P::Master, Keys::MWC, "Label48", "\"Waiting for Trigger\" Color."),
    C(Opt::CTimeC, "CTimeC", P::Master, Keys::MTC, "Label49", "Time Value Color on Chart."),
    C(Opt::CErrC, "CErrC", P::Master, Keys::MEC, "Label4A", "Error Counter Color on Chart."),
    B(Opt::CheckBox1, "CheckBox1", P::Master, Keys::MZV, "Check44", "0 Value when Commnunication Error"),
    Run(Opt::MainteClear, "MainteClear", "MainteClear", "Check45", "Maintenance mode release at \"New\"."),
    Run(Opt::DispBuffer, "DispBuffer", "DispBuffer", "Check46", "Display the Buffer Table."),
};
static_assert(std::size(Table) == std::size_t(Opt::Count), "one declaration per option");

constexpr bool inOrder()
{
    for (int i = 0; i < Count; ++i) {
        if (int(Table[i].id) != i)
            return false;
    }
    return true;
}
static_assert(inOrder(), "the declarations follow the order of Opt");

}  // namespace

const Def &def(Opt id)
{
    return Table[int(id)];
}

const Def *byKey(const QString &key)
{
    for (const Def &d : Table) {
        if (key.compare(QLatin1String(d.key), Qt::CaseInsensitive) == 0)
            return &d;
    }
    return nullptr;
}

const Def *byComponent(const QString &component)
{
    for (const Def &d : Table) {
        if (component == QLatin1String(d.component))
            return &d;
    }
    return nullptr;
}

bool resetByDefaultColors(Opt id)
{
    const Def &d = def(id);
    return d.page == Page::Master && d.storage == Storage::Stored;
}

QString shownText(Opt id, int value)
{
    if (shownInHundredths(id))
        return QString::number(value / 100.0, 'f', 2);
    if (def(id).kind == Kind::Color)
        return QStringLiteral("0x%1").arg(value, 6, 16, QLatin1Char('0')).toUpper().replace(QLatin1String("0X"), QLatin1String("0x"));
    return QString::number(value);
}

}  // namespace OptionDefs
