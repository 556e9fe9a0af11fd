#include "MonitorWaits.h"

#include <QCoreApplication>
#include <QTimer>
#include <cerrno>
#include <chrono>
#include <ctime>

void WaitInEventLoop(const QDeadlineTimer &deadline)
{
    if (!QCoreApplication::instance()) {
        SleepUntil(deadline);
        return;
    }
    if (deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        return;
    }
    // Timers count whole milliseconds and may fire up to one late: the event loop waits until
    // one to two milliseconds before the deadline, and that rest is slept, so the deadline is
    // met to a fraction of a millisecond and events wait at most two.
    const qint64 remainingNs = deadline.remainingTimeNSecs();
    if (remainingNs < 2000000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        SleepUntil(deadline);
        return;
    }
    QTimer wake;
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    wake.start(std::chrono::milliseconds(remainingNs / 1000000 - 1));
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

void SleepUntil(const QDeadlineTimer &deadline)
{
    if (deadline.isForever() || deadline.hasExpired())
        return;
    // QDeadlineTimer counts on the monotonic clock, as clock_nanosleep does here.
    const qint64 ns = deadline.deadlineNSecs();
    timespec at{};
    at.tv_sec = time_t(ns / 1000000000);
    at.tv_nsec = long(ns % 1000000000);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &at, nullptr) == EINTR) {
    }
}
