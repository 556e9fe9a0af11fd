#include "TransferOptions.h"

#include "app/Options.h"
#include "app/Settings.h"

TransferOptions TransferOptions::fromOptions(const Options &opt, bool maintenanceActive)
{
    TransferOptions o;
    o.eeprom = opt.on(Opt::EEPWriteEnable);
    o.changedOnly = opt.on(Opt::WriteNotChgPara);
    o.displayCommError = opt.on(Opt::ParaErrDisp);
    o.displayCommResult = opt.on(Opt::ParaResult);
    o.displayCompMessage = opt.on(Opt::CompMsgDisp);
    o.displayCompResult = opt.on(Opt::CompResult);
    o.useMaintenance = opt.on(Opt::SUMode);
    o.maintenanceActive = maintenanceActive;
    o.saveResult = opt.on(Opt::ParaSkipSave);
    o.checkTypeForm = opt.on(Opt::TypCapChk);
    return o;
}

TransferOptions TransferOptions::fromSettings(const Settings &s)
{
    Options o;
    o.load(s);
    return fromOptions(o, false);
}
