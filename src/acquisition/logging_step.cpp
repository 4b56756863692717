#include "logging_step.h"

namespace vexilor {

bool AdvanceLogTick(LoggingState& state) {
    const std::int32_t interval = state.logInterval.load();
    std::int32_t tick = state.logTick.load();
    std::int32_t next = 0;
    do {
        next = tick + 1;
        if (next >= interval) {
            next = 0;
        }
    } while (!state.logTick.compare_exchange_weak(tick, next));
    return next == 0;
}

TrimRange RowsToTrim(std::int32_t maxRecords, int rowCount) {
    if (maxRecords < 1 || rowCount < maxRecords) {
        return {};
    }
    const int first = static_cast<int>(maxRecords) - 1;
    return {first, rowCount - first};
}

}  // namespace vexilor
