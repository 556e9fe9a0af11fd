#pragma once

#include <cstdint>

// The silence a Modbus master keeps between a reply and its next request. The pause is a
// deadline, not a sleep after each reply: it starts when the last reply byte was taken and is
// waited out only just before the next frame is written, so the caller's own work between
// exchanges counts towards it and the last exchange of a run pays nothing.
class LineGap
{
public:
    /// The last reply byte came at `endedNs` (nowNs); the next frame may go once more than
    /// `gapMs` milliseconds have passed since (a negative gap: at once).
    void replyEnded(int gapMs, int64_t endedNs);
    /// Blocks until the deadline of the last reply has passed; returns at once when it has.
    void waitBeforeSending();
    /// Nanoseconds of the monotonic clock.
    static int64_t nowNs();

private:
    int64_t m_deadlineNs = 0;
};
