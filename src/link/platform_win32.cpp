// The Windows side of the platform interface: pauses wait on the stop
// signal's event (or sleep), with the system timer at 1 ms, and the port
// candidates are COM1 to COM256.

// windows.h comes before the multimedia header that needs it.
#include "win32_handle.h"

#include <mmsystem.h>

#include <algorithm>
#include <cstdint>

#include "platform.h"
#include "stop_signal.h"

namespace vexilor::platform {

namespace {

constexpr int LastComPort = 256;
// Without its event a stop is noticed by looking at its flag this often.
constexpr DWORD FlagCheckStepMs = 1;

// Whole milliseconds until deadline, at least 1 and rounded up so that a
// wait does not end before it.
DWORD MillisecondsUntil(MonotonicClock::time_point deadline) {
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(deadline - MonotonicClock::now()).count();
    // INFINITE is a value of its own; longer waits go round the loop again.
    return static_cast<DWORD>(std::clamp<std::int64_t>(left, 1, INFINITE - 1));
}

}  // namespace

void RaiseTimerResolution() {
    // Once per process and never lowered again: the pauses of the protocol
    // are a few milliseconds long and the default tick is about 15 ms.
    static const bool raised = ::timeBeginPeriod(1) == TIMERR_NOERROR;
    (void)raised;
}

bool WaitForStopUntil(const StopSignal* stop, MonotonicClock::time_point deadline) {
    const HANDLE event = stop != nullptr ? reinterpret_cast<HANDLE>(stop->nativeHandle()) : nullptr;
    for (;;) {
        if (stop != nullptr && stop->requested()) {
            return false;
        }
        // The ticks of Sleep and of the steady clock differ, so a wait can
        // end a little early: go round until the deadline has passed.
        if (MonotonicClock::now() >= deadline) {
            return true;
        }
        const DWORD left = MillisecondsUntil(deadline);
        if (event != nullptr) {
            ::WaitForSingleObject(event, left);
        } else if (stop != nullptr) {
            ::Sleep(std::min(left, FlagCheckStepMs));
        } else {
            ::Sleep(left);
        }
    }
}

std::vector<std::string> PortCandidates() {
    std::vector<std::string> names;
    names.reserve(LastComPort);
    for (int number = 1; number <= LastComPort; ++number) {
        names.push_back("COM" + std::to_string(number));
    }
    return names;
}

}  // namespace vexilor::platform
