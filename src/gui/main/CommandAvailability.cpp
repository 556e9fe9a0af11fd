#include "CommandAvailability.h"

#include <iterator>

namespace {

// Main menu items whose operation is not built yet.
const char *const NotBuilt[] = {
    "PrinterSetup", "PrintSetup", "Print",                   // printing
    "PopDownLoad2", "PopUpLoad2",                              // selected transfers
    "InvRun",                                                  // keypad
    "MonInvInfo",   "MonChart",                                // inverter information, monitoring
};

}  // namespace

namespace CommandAvailability {

bool built(const QString &menuItem)
{
    for (const char *name : NotBuilt) {
        if (menuItem == QLatin1String(name))
            return false;
    }
    return true;
}

}  // namespace CommandAvailability
