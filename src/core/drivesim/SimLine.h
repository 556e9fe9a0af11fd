#pragma once

#include <QtGlobal>

// Line settings as the drives and the master see them, and the time frames take on a line.
enum class SimParity {
    None,
    Even,
    Odd,
    EvenOrNone,  // what a pseudo-terminal shows: Linux drops the parity-enable flag there
};

struct SimLineSettings
{
    int baud = 9600;
    SimParity parity = SimParity::Even;
    int dataBits = 8;

    friend bool operator==(const SimLineSettings &, const SimLineSettings &) = default;
};

namespace SimLine {

/// A drive hears a master only at its own baud rate and byte size and, where the parity
/// can be seen, its own parity. Stop bits do not matter to a receiver.
bool hears(const SimLineSettings &drive, const SimLineSettings &master);

/// Milliseconds `bytes` take on the line: 11 bits a byte (start, 8 data, parity, stop).
double frameMs(int bytes, int baud);

/// The silence that ends a Modbus RTU frame: 3.5 characters, 1.75 ms above 19200 bit/s.
double modbusGapMs(int baud);

/// The least time one exchange can take on the line, a master's work counting nothing:
/// request and reply at 11 bits a byte, for Modbus the silence that ends the request, the
/// drive's turnaround, and the master's pause of `pauseMs` before its next request.
double exchangeFloorMs(int requestBytes, int replyBytes, int baud, bool modbus, double turnaroundMs = 0,
                       double pauseMs = 0);

}  // namespace SimLine
