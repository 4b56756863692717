#pragma once
// Pauses and the monotonic clock of the protocol.

#include <chrono>
#include <cstdint>

namespace vexilor {

class StopSignal;

using MonotonicClock = std::chrono::steady_clock;

// Milliseconds and microseconds of the monotonic clock, for timestamps.
std::int64_t MonotonicMs();
std::int64_t MonotonicUs();

// Blocks for ms milliseconds (accurate to about a millisecond), or until a
// stop is requested on stop. Returns false when the pause was cut short by a
// stop. A null stop never interrupts.
bool Pause(std::int32_t ms, const StopSignal* stop = nullptr);

// Blocks until deadline, or until a stop is requested; false when stopped.
bool PauseUntil(MonotonicClock::time_point deadline, const StopSignal* stop = nullptr);

// Local date and time to the second.
struct LocalTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};
LocalTime CurrentLocalTime();

}  // namespace vexilor
