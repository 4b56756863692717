#pragma once
// The clocks of the simulator: CLOCK_MONOTONIC for pacing and the record
// (the clock std::chrono::steady_clock reads on Linux, so a test can compare
// the record with its own times) and the wall clock for the reading, which
// changes when the seconds of the time of day change.

#include <cstdint>

namespace vexilor {

inline constexpr std::int64_t NanosPerSecond = 1'000'000'000;

std::int64_t MonotonicNanos();

// Blocks until the monotonic clock reaches deadline; never returns early.
void SleepUntil(std::int64_t deadlineNanos);

// Whole seconds of the wall clock, and the nanoseconds until the next one.
std::int64_t WallClockSecond();
std::int64_t NanosToNextWallSecond();

}  // namespace vexilor
