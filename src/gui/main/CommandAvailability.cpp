#include "CommandAvailability.h"

#include <iterator>

namespace {

// Main menu items whose operation is not built yet.
const char *const NotBuilt[] = {
    "MMItoolsSetting", "MMIMt",                                // options, maintenance mode
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
