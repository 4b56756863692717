#pragma once
// The pace and the trimming rule of the data logger.

#include <cstdint>

#include "logging_state.h"

namespace vexilor {

// Counts LogTick one cycle on (back to 0 once it reaches LogInterval) and
// tells whether this cycle logs. Atomic against the main thread setting
// LogTick to -1 when logging is switched on.
bool AdvanceLogTick(LoggingState& state);

// Rows to drop from the bottom of a table of rowCount rows before a new row
// goes on top, so that at most maxRecords remain: every row from index
// maxRecords - 1 down. A maxRecords below 1 would never be satisfied and
// means no trimming.
struct TrimRange {
    int first = 0;
    int count = 0;
};
TrimRange RowsToTrim(std::int32_t maxRecords, int rowCount);

}  // namespace vexilor
