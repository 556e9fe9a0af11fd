#include "CliPanel.h"

#include "CliDrive.h"
#include "CliLine.h"

CliPanel::CliPanel(CliDrive &drive, CliLine &line)
    : items(drive.data), exchange(line.port, line.settings, &items), loop(exchange, items)
{
    loop.start();
}
