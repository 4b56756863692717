// The POSIX side of the platform interface: pauses wait in ppoll on the stop
// signal's descriptor, and the port candidates come from sysfs.

#include <poll.h>

#include <cstdlib>
#include <thread>

#include "platform.h"
#include "port_names.h"
#include "posix_io.h"
#include "stop_signal.h"

namespace vexilor::platform {

namespace {

constexpr const char* TtyClassDir = "/sys/class/tty";
constexpr const char* ExtraPortsVariable = "VEXILOR_EXTRA_PORTS";

}  // namespace

// The POSIX timers are fine-grained already.
void RaiseTimerResolution() {}

bool WaitForStopUntil(const StopSignal* stop, MonotonicClock::time_point deadline) {
    if (stop != nullptr && stop->requested()) {
        return false;
    }
    pollfd wake{};
    nfds_t count = 0;
    if (stop != nullptr) {
        wake.fd = static_cast<int>(stop->nativeHandle());
        wake.events = POLLIN;
        count = 1;
    }
    const int result = posix::PollUntil(&wake, count, deadline);
    if (result < 0) {
        // ppoll itself failed (out of memory): still keep the pause's length.
        std::this_thread::sleep_until(deadline);
    }
    return stop == nullptr || !stop->requested();
}

std::vector<std::string> PortCandidates() {
    std::vector<std::string> names = TtyNamesWithDriver(TtyClassDir);
    SortNaturally(names);
    std::vector<std::string> candidates;
    candidates.reserve(names.size());
    for (const std::string& name : names) {
        candidates.push_back("/dev/" + name);
    }
    if (const char* extra = std::getenv(ExtraPortsVariable)) {
        for (std::string& path : SplitPathList(extra)) {
            candidates.push_back(std::move(path));
        }
    }
    return candidates;
}

}  // namespace vexilor::platform
