#pragma once
// What each operating-system backend provides to the shared link code.
// Implemented in platform_posix.cpp and platform_win32.cpp.

#include <ctime>
#include <string>
#include <vector>

#include "clock.h"

namespace vexilor {

class StopSignal;

namespace platform {

// Raises the system timer resolution to 1 ms, once per process (Windows);
// nothing elsewhere. Called before the first pause.
void RaiseTimerResolution();

// Blocks until deadline or until stop is requested (stop may be null).
// Returns false when the wait ended because of a stop.
bool WaitForStopUntil(const StopSignal* stop, MonotonicClock::time_point deadline);

// The names ProbePorts tries, in order (see link.h).
std::vector<std::string> PortCandidates();

// The local calendar time of time, safe to call from any thread
// (local_time_posix.cpp and local_time_win32.cpp).
std::tm LocalCalendarTime(std::time_t time);

}  // namespace platform
}  // namespace vexilor
