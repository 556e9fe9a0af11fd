#pragma once

#include <QByteArray>
#include <random>

// Faults a line can show, for reliability tests. Each answered frame draws one number, so
// every fault occurs at its own rate (when the rates add up to at most 1): dropped (no
// reply), corrupted (bad check value), garbage (random bytes of the reply's length instead
// of the reply), truncated (the reply cut short). Late replies and the disconnect after a
// number of frames are counted here and carried out by the line.
struct SimFaultRates
{
    double drop = 0.0;
    double corrupt = 0.0;
    double garbage = 0.0;
    double truncate = 0.0;
    int lateMs = 0;
    int disconnectAfter = 0;  // frames; 0 never
    quint32 seed = 1;
};

struct SimFaultCounts
{
    int frames = 0;  // frames a drive answered before faults
    int dropped = 0;
    int corrupted = 0;
    int garbage = 0;
    int truncated = 0;
};

class SimFaults
{
public:
    enum class Kind { None, Dropped, Corrupted, Garbage, Truncated };

    explicit SimFaults(const SimFaultRates &rates = {});

    const SimFaultRates &rates() const { return m_rates; }
    const SimFaultCounts &counts() const { return m_counts; }

    /// Applies at most one fault to `reply` and returns which; counts the frame.
    Kind apply(QByteArray *reply);
    /// True once the frame count has reached the disconnect count.
    bool disconnectDue() const;

private:
    SimFaultRates m_rates;
    SimFaultCounts m_counts;
    std::mt19937 m_random;
};
