#include "sim_clock.h"

#include <time.h>

#include <cerrno>

namespace vexilor {

namespace {

std::int64_t Nanos(const timespec& time) {
    return static_cast<std::int64_t>(time.tv_sec) * NanosPerSecond + time.tv_nsec;
}

timespec Now(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return now;
}

}  // namespace

std::int64_t MonotonicNanos() {
    return Nanos(Now(CLOCK_MONOTONIC));
}

void SleepUntil(std::int64_t deadlineNanos) {
    timespec deadline{};
    deadline.tv_sec = static_cast<time_t>(deadlineNanos / NanosPerSecond);
    deadline.tv_nsec = static_cast<long>(deadlineNanos % NanosPerSecond);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &deadline, nullptr) == EINTR) {
    }
}

std::int64_t WallClockSecond() {
    return static_cast<std::int64_t>(Now(CLOCK_REALTIME).tv_sec);
}

std::int64_t NanosToNextWallSecond() {
    return NanosPerSecond - static_cast<std::int64_t>(Now(CLOCK_REALTIME).tv_nsec);
}

}  // namespace vexilor
