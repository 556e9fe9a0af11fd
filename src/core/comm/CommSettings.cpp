#include "CommSettings.h"

#include <algorithm>

namespace {

int choice(int value, int count, int def)
{
    return value >= 0 && value < count ? value : def;
}

}  // namespace

CommSettings CommSettings::fromValues(int protocol, int portIndex, int baudIndex, int parityIndex,
                                      int stopBitsIndex, int byteSizeIndex, int inverterNumber,
                                      bool setNumber, bool broadcast, int timeoutMs)
{
    CommSettings s;
    s.protocol = choice(protocol, 2, Native);
    s.portIndex = std::max(0, portIndex);
    s.baudIndex = choice(baudIndex, 6, 3);
    s.parityIndex = choice(parityIndex, 3, 1);
    s.stopBitsIndex = choice(stopBitsIndex, 3, 0);
    s.byteSizeIndex = choice(byteSizeIndex, 2, 1);
    s.inverterNumber = std::clamp(inverterNumber, 0, 63);
    s.setNumber = setNumber;
    s.broadcast = broadcast && !setNumber;
    s.timeoutMs = std::clamp(timeoutMs, 30, 5000);
    s.updateGap();
    return s;
}

int CommSettings::gapForBaudIndex(int baudIndex)
{
    static constexpr int Gaps[6] = {24, 12, 6, 3, 2, 1};
    return Gaps[choice(baudIndex, 6, 3)];
}

int CommSettings::baudIndexOf(int baud)
{
    for (int i = 0; i < 6; ++i) {
        if (BaudRates[i] == baud)
            return i;
    }
    return -1;
}

int CommSettings::baudRate() const
{
    return BaudRates[choice(baudIndex, 6, 3)];
}

LineSettings CommSettings::line() const
{
    LineSettings l;
    l.baud = baudRate();
    static constexpr LineSettings::Parity Parities[3] = {
        LineSettings::Parity::None, LineSettings::Parity::Even, LineSettings::Parity::Odd};
    static constexpr LineSettings::StopBits Stops[3] = {
        LineSettings::StopBits::One, LineSettings::StopBits::OneAndHalf, LineSettings::StopBits::Two};
    l.parity = Parities[choice(parityIndex, 3, 1)];
    l.stopBits = Stops[choice(stopBitsIndex, 3, 0)];
    l.dataBits = byteSizeIndex == 0 ? 7 : 8;
    return l;
}
