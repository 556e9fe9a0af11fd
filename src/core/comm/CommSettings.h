#pragma once

#include "SerialPort.h"

// The communication settings of the setup window: protocol, port, line, inverter number and
// time-out. A plain record; the settings layer fills it from the settings file.
struct CommSettings {
    enum Protocol { Native = 0, Modbus = 1 };

    int protocol = Native;
    int portIndex = 0;      // position in the list of available ports
    int baudIndex = 3;      // 0..5 = 1200, 2400, 4800, 9600, 19200, 38400 bit/s
    int parityIndex = 1;    // 0 none, 1 even, 2 odd
    int stopBitsIndex = 0;  // 0 one, 1 one and a half, 2 two
    int byteSizeIndex = 1;  // 0 seven, 1 eight data bits
    int inverterNumber = 0; // 0..63
    bool setNumber = false; // frames carry the inverter number
    bool broadcast = false; // frames address every drive; never together with setNumber
    int timeoutMs = 200;    // 30..5000, the wait for a reply
    int gapMs = 3;          // Modbus pause after a reply, follows baudIndex

    static constexpr int BaudRates[6] = {1200, 2400, 4800, 9600, 19200, 38400};

    /// A record from stored values: indices and numbers out of range become the nearest limit
    /// (or the default for a choice index), "Broadcast" yields to "Set number", and gapMs is
    /// computed from the baud rate.
    static CommSettings fromValues(int protocol, int portIndex, int baudIndex, int parityIndex,
                                   int stopBitsIndex, int byteSizeIndex, int inverterNumber,
                                   bool setNumber, bool broadcast, int timeoutMs);

    /// Modbus inter-frame delay in ms for a baud index: 24, 12, 6, 3, 2, 1.
    static int gapForBaudIndex(int baudIndex);
    /// Baud index of a bit rate, or -1 when it is not one of the six.
    static int baudIndexOf(int baud);
    void updateGap() { gapMs = gapForBaudIndex(baudIndex); }

    int baudRate() const;
    bool isModbus() const { return protocol == Modbus; }
    /// Whether native frames carry the number byte (inverter number or 0xFF for broadcast).
    bool hasNumberByte() const { return setNumber || broadcast; }
    LineSettings line() const;
};
