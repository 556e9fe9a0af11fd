#pragma once

#include "CommSettings.h"

#include <QString>
#include <functional>

class CommPort;

// The search for a drive on the available serial ports (ScanCommSettings): every port is
// tried with the 18 combinations of baud rate, parity and protocol below, reading "0000";
// the first that answers wins. The start-up window runs a variant of it with frames that
// reach a drive alone on the line whatever its inverter number.
class CommScan
{
public:
    struct Combination {
        int baudIndex;
        int parityIndex;  // 0 none, 1 even, 2 odd
        int protocol;     // 0 native, 1 Modbus
    };
    /// The order of the search: 9600, 19200, 38400 bit/s, each native then Modbus, first with
    /// even parity, then odd, then none.
    static constexpr Combination Combinations[18] = {
        {3, 1, 0}, {3, 1, 1}, {4, 1, 0}, {4, 1, 1}, {5, 1, 0}, {5, 1, 1},
        {3, 2, 0}, {3, 2, 1}, {4, 2, 0}, {4, 2, 1}, {5, 2, 0}, {5, 2, 1},
        {3, 0, 0}, {3, 0, 1}, {4, 0, 0}, {4, 0, 1}, {5, 0, 0}, {5, 0, 1},
    };
    static constexpr int NotFound = 99;

    struct Result {
        int portIndex = NotFound;  // position in the list of available ports
        int baudIndex = NotFound;
        int parityIndex = NotFound;
        int protocol = NotFound;
        bool cancelled = false;

        bool found() const { return protocol != NotFound; }
    };

    /// One try, before it is made: the port and the combination (1..18, 0 for the start-up
    /// window's remembered settings).
    struct Step {
        int portIndex = 0;
        QString port;
        int combination = 0;
        Combination line{};
    };
    /// Called before every try; returning false cancels the search.
    using Progress = std::function<bool(const Step &)>;

    /// `settings` gives the number rule and the time-out of every try (the start-up window
    /// passes StartUpTimeoutMs).
    CommScan(CommPort &port, const CommSettings &settings);

    void setProgress(Progress progress) { m_progress = std::move(progress); }

    /// The settings window's search: the port at `selectedPort` (none when negative or not
    /// available) first, then every other available port.
    Result ScanCommSettings(int selectedPort);
    /// The start-up window's search: the available port at `rememberedPort` first with the
    /// remembered line and protocol, then all 18 combinations there; then every available
    /// port, that one included. Nothing found puts 99 in the port too.
    Result startUpScan(int rememberedPort, const Combination &remembered);

    /// The time-out of the start-up search, in ms.
    static constexpr int StartUpTimeoutMs = 200;

private:
    enum class Outcome { Silent, Answered, Cancelled };
    Outcome tryPort(int portIndex, bool startUp, Result &result);
    Outcome tryLine(int portIndex, int combination, const Combination &line, bool startUp, Result &result);

    CommPort &m_port;
    const CommSettings &m_settings;
    Progress m_progress;
};
