#pragma once
// What a soak run collected, and the checks on it: every cycle logged, each
// second with a row unless a fault stretched the cycle, "Can't open" only
// while the device was unplugged, and no growth of resident memory.

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "fault_injector.h"
#include "sim_process.h"

namespace vexilor::soak {

struct LoggedRow {
    std::string time;  // as the Time column shows it
    std::string read;
};

struct MemorySample {
    double seconds = 0;  // since the program started
    long residentKb = 0;
};

struct SoakData {
    bool reachedEnd = false;
    std::vector<LoggedRow> rows;  // newest first, as in the table
    test::Record record;
    std::uint8_t addressByte = 1;
    // CLOCK_MONOTONIC microseconds of logging switched on and of the rows read.
    std::int64_t loggingFrom = 0;
    std::int64_t loggingTo = 0;
    std::vector<FaultSpan> faults;
    std::vector<MemorySample> memory;
};

// "2016/05/23 07:07:02" as local time; nothing when it is not that shape.
std::optional<std::time_t> ParseRowTime(const std::string& text);

// Cycles on the line whose ten request bytes all went out, counted when
// their last byte falls in [from, to].
int CompleteCycles(const test::Record& record, std::uint8_t addressByte, std::int64_t from,
                   std::int64_t to);

// VmRSS of this process in kB, 0 when unreadable.
long ResidentKb();

// Prints the figures and one line per failed check; true when all passed.
bool CheckSoak(const SoakData& data);

}  // namespace vexilor::soak
