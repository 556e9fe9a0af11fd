#include "OptionInterlocks.h"

namespace OptionInterlocks {

Enabling enabling(const Options &o, const Context &c)
{
    Enabling e;
    e.saveResult = !(o.on(Opt::ParaResult) && o.on(Opt::CompResult)) || c.option1;
    e.alarm = c.hasAlarmWord;
    e.trip = c.hasTripWord;
    e.tripData = c.hasTripWord && o.on(Opt::MonTripDisp);
    e.freeUnitFactor = o.on(Opt::FreeUnitMon);
    e.continuousFields = o.on(Opt::CntMon);
    e.runStop = !o.on(Opt::CntMon) && (!c.option2 || c.maintenanceActive);
    e.runStopLabelsVisible = o.on(Opt::MonInvDrive);
    return e;
}

bool keepComparisonOutput(Options &o, Opt changed)
{
    if (o.on(Opt::CompResult) || o.on(Opt::CompMsgDisp))
        return false;
    o.set(changed == Opt::CompResult ? Opt::CompMsgDisp : Opt::CompResult, 1);
    return true;
}

}  // namespace OptionInterlocks
