#pragma once

#include <QDeadlineTimer>

// Waits between samples. Neither spins: both block in the system until the deadline.

/// Runs the pending events of the calling thread; when none are pending, blocks in the event
/// loop until one arrives or the deadline passes (a precise timer wakes it; the last one to
/// two milliseconds before the deadline are slept). An expired deadline only runs what is
/// pending.
void WaitInEventLoop(const QDeadlineTimer &deadline);
/// Sleeps until the deadline without running events.
void SleepUntil(const QDeadlineTimer &deadline);
