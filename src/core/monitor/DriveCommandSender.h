#pragma once

#include <QString>

class CommExchange;
class DriveData;

// RUN and STOP sent to the drive as a command word on FA11, framed by the command enable FA10
// ("1" before, "0" after). The command word is t × 256 + c, c = 1 RUN, 2 STOP, with t the
// tool's cycle time in units of 4 ms. Outside a monitoring run the whole sequence goes out at
// once; during a run FA11 is cleared when the user asks, and the run loop sends the rest
// after the alarm and trip checks of its next sample. Every write is a RAM write ('P').
class DriveCommandSender
{
public:
    enum class Kind { Run = 1, Stop = 2 };

    /// "Inverter RUN/STOP control" can be used: the table holds FA10 and FA11, continuous
    /// monitoring is off, and with the model's "Option2" only in maintenance mode.
    static bool optionEnabled(bool tableHasFA10, bool tableHasFA11, bool continuous, bool option2, bool maintenance);

    /// t × 256 + c, as the decimal text written to FA11.
    static QString DriveCommandWord(Kind kind, int t);
    /// t during a run: the sample interval (ms) × 0.25, truncated.
    static int timeDuringRun(double sampleIntervalMs);
    /// t outside a run: the mean exchange time (ms) / 4, integer division.
    static int timeOutsideRun(int meanExchangeMs);
    /// The mean time of one read of parameter `index` over `times` reads in a row, in whole
    /// milliseconds; -1 when a read failed.
    static int meanExchangeTime(CommExchange &exchange, int index, int times);

    DriveCommandSender(const DriveData &data, CommExchange &exchange);

    /// The table holds both FA10 and FA11.
    bool available() const { return m_fa10 >= 0 && m_fa11 >= 0; }

    /// Outside a run: FA11 ← 0, FA10 ← 1, FA11 ← command word, FA10 ← 0. True when the drive
    /// answered all four writes.
    bool SendDriveCommand(Kind kind, int meanExchangeMs);

    /// During a run, when RUN or STOP is asked for: FA11 ← 0 at once; the caller then sets
    /// its request flag.
    bool clearCommand();
    /// During a run, for a pending request after a sample's checks: FA10 ← 1, FA11 ← command
    /// word, FA10 ← 0. False when a write went unanswered.
    bool sendDuringRun(Kind kind, double sampleIntervalMs);

private:
    bool write(int index, const QString &data);
    bool enabledCommand(Kind kind, int t);

    CommExchange &m_exchange;
    int m_fa10 = -1;
    int m_fa11 = -1;
};
