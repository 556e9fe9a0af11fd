#include "LineGap.h"

#include <cerrno>
#include <ctime>
#include <sys/prctl.h>

namespace {

// "More than gapMs" on a clock that counts nanoseconds: one microsecond over is enough.
constexpr int64_t OverNs = 1000;

// The default timer slack lets a sleep end up to 50 us late, which at 38400 bit/s is 1 % of
// an exchange. Asked for once per thread, since the slack belongs to the thread.
void tightenTimerSlack()
{
    thread_local bool done = false;
    if (!done) {
        prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
        done = true;
    }
}

}  // namespace

int64_t LineGap::nowNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return int64_t(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

void LineGap::replyEnded(int gapMs, int64_t endedNs)
{
    m_deadlineNs = gapMs < 0 ? 0 : endedNs + int64_t(gapMs) * 1000000LL + OverNs;
}

void LineGap::waitBeforeSending()
{
    if (m_deadlineNs <= 0 || nowNs() >= m_deadlineNs)
        return;
    tightenTimerSlack();
    const timespec until{time_t(m_deadlineNs / 1000000000LL), long(m_deadlineNs % 1000000000LL)};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {
    }
}
