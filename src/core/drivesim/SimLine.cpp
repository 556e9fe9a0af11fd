#include "SimLine.h"

namespace SimLine {

bool hears(const SimLineSettings &drive, const SimLineSettings &master)
{
    if (drive.baud != master.baud || drive.dataBits != master.dataBits)
        return false;
    auto evenOrNone = [](SimParity p) { return p != SimParity::Odd; };
    if (drive.parity == SimParity::EvenOrNone || master.parity == SimParity::EvenOrNone)
        return evenOrNone(drive.parity) == evenOrNone(master.parity);
    return drive.parity == master.parity;
}

double frameMs(int bytes, int baud)
{
    return baud > 0 ? bytes * 11.0 * 1000.0 / baud : 0.0;
}

double modbusGapMs(int baud)
{
    return baud > 19200 ? 1.75 : frameMs(1, baud) * 3.5;
}

double exchangeFloorMs(int requestBytes, int replyBytes, int baud, bool modbus, double turnaroundMs, double pauseMs)
{
    return frameMs(requestBytes + replyBytes, baud) + (modbus ? modbusGapMs(baud) : 0.0) + turnaroundMs + pauseMs;
}

}  // namespace SimLine
