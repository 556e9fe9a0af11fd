#include "TransferOptions.h"

#include "app/Settings.h"

TransferOptions TransferOptions::fromSettings(const Settings &s)
{
    TransferOptions o;
    o.eeprom = s.get(Keys::Eeprom);
    o.changedOnly = s.get(Keys::ChgPara1);
    o.displayCommError = s.get(Keys::ComDisp);
    o.displayCommResult = s.get(Keys::Result);
    o.displayCompMessage = s.get(Keys::CompDisp);
    o.displayCompResult = s.get(Keys::ResultC);
    o.useMaintenance = s.get(Keys::Mainte);
    o.saveResult = s.get(Keys::SkipFile);
    return o;
}
