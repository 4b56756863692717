#pragma once
// The logging pace and limits, shared by the main thread and the worker.
// Each is a single atomic value: the main thread sets LogTick to -1 when
// logging is switched on and writes LogInterval and MaxRecords (while
// logging is off, or before the first worker starts); the worker counts
// LogTick and reads the other two in each cycle's logging step.

#include <atomic>
#include <cstdint>

namespace vexilor {

struct LoggingState {
    std::atomic<std::int32_t> logTick{0};
    std::atomic<std::int32_t> logInterval{0};
    std::atomic<std::int32_t> maxRecords{0};
};

}  // namespace vexilor
