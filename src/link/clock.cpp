#include "clock.h"

#include <ctime>

#include "platform.h"

namespace vexilor {

namespace {

// The first pause raises the timer resolution; it is never lowered again.
void EnsureFineTimer() {
    static const bool raised = [] {
        platform::RaiseTimerResolution();
        return true;
    }();
    (void)raised;
}

}  // namespace

std::int64_t MonotonicMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(MonotonicClock::now().time_since_epoch()).count();
}

std::int64_t MonotonicUs() {
    using namespace std::chrono;
    return duration_cast<microseconds>(MonotonicClock::now().time_since_epoch()).count();
}

bool Pause(std::int32_t ms, const StopSignal* stop) {
    return PauseUntil(MonotonicClock::now() + std::chrono::milliseconds(ms), stop);
}

bool PauseUntil(MonotonicClock::time_point deadline, const StopSignal* stop) {
    EnsureFineTimer();
    return platform::WaitForStopUntil(stop, deadline);
}

LocalTime CurrentLocalTime() {
    // Not std::time(): on Linux it reads a coarse clock that lags the
    // system clock by a few milliseconds, so a wait for the next second by
    // the system clock would still see the old second when it wakes.
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    const std::tm calendar = platform::LocalCalendarTime(now);
    LocalTime local;
    local.year = calendar.tm_year + 1900;
    local.month = calendar.tm_mon + 1;
    local.day = calendar.tm_mday;
    local.hour = calendar.tm_hour;
    local.minute = calendar.tm_min;
    local.second = calendar.tm_sec;
    return local;
}

}  // namespace vexilor
