#include "soak_checks.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace vexilor::soak {
namespace {

constexpr std::uint8_t QueryCommand = 0xFB;
// Inside a cycle the line is never idle longer than six timed-out reads
// (2.4 s); a longer pause means the cycle before was cut off.
constexpr std::int64_t CycleBreakMicros = 2'800'000;
constexpr std::size_t BytesPerCycle = 10;
constexpr long MemoryGrowthLimitKb = 2048;
constexpr double MemoryBaselineSeconds = 60;
constexpr std::time_t NormalGap = 1;
constexpr std::time_t StretchedGap = 15;
// A "Can't open" row may follow a return until the port is opened again.
constexpr std::time_t ReopenSlack = 2;

bool Overlaps(std::time_t from, std::time_t to, std::time_t begin, std::time_t end) {
    return from <= end && begin <= to;
}

// True when a fault that stretches cycles was on during [from, to], or up
// to afterwards seconds after it ended.
bool Stretched(const std::vector<FaultSpan>& faults, std::time_t from, std::time_t to,
               std::time_t afterwards) {
    return std::any_of(faults.begin(), faults.end(), [&](const FaultSpan& f) {
        return f.stretchesCycles() && Overlaps(from, to, f.begin - 1, f.end + 1 + afterwards);
    });
}

bool DuringVanish(const std::vector<FaultSpan>& faults, std::time_t t) {
    return std::any_of(faults.begin(), faults.end(), [&](const FaultSpan& f) {
        return f.isVanish() && Overlaps(t, t, f.begin - 1, f.end + ReopenSlack);
    });
}

std::string Clock(std::time_t t) {
    char text[32] = {};
    std::strftime(text, sizeof text, "%H:%M:%S", std::localtime(&t));
    return text;
}

class Verdict {
  public:
    void fail(const std::string& why) {
        std::printf("FAIL: %s\n", why.c_str());
        passed_ = false;
    }
    bool passed() const { return passed_; }

  private:
    bool passed_ = true;
};

struct Rows {
    std::vector<std::time_t> times;  // oldest first
    int cantOpen = 0;
    int other = 0;
};

Rows ReadRows(const SoakData& data, Verdict& verdict) {
    Rows rows;
    for (auto it = data.rows.rbegin(); it != data.rows.rend(); ++it) {
        const auto t = ParseRowTime(it->time);
        if (!t) {
            verdict.fail("row time \"" + it->time + "\" does not parse");
            continue;
        }
        rows.times.push_back(*t);
        if (it->read.rfind("Can't open ", 0) == 0) {
            ++rows.cantOpen;
            if (!DuringVanish(data.faults, *t)) {
                verdict.fail("\"" + it->read + "\" at " + Clock(*t) + " with the device present");
            }
        } else {
            ++rows.other;
        }
    }
    return rows;
}

void CheckGaps(const SoakData& data, const Rows& rows, Verdict& verdict) {
    std::time_t longest = 0;
    for (std::size_t i = 1; i < rows.times.size(); ++i) {
        const std::time_t from = rows.times[i - 1];
        const std::time_t to = rows.times[i];
        const std::time_t gap = to - from;
        longest = std::max(longest, gap);
        const std::time_t limit = Stretched(data.faults, from, to, 0) ? StretchedGap : NormalGap;
        // A stretched cycle ends part-way through a second; the cycles after
        // it run back to back until one starts on a whole second again, so
        // two may log within one second.
        const std::time_t least = Stretched(data.faults, from, to, StretchedGap) ? 0 : NormalGap;
        if (gap > limit || gap < least) {
            verdict.fail("rows " + Clock(from) + " and " + Clock(to) + ": gap of " +
                         std::to_string(gap) + " s (allowed " + std::to_string(least) + ".." +
                         std::to_string(limit) + ")");
        }
    }
    std::printf("longest gap between rows: %lld s\n", static_cast<long long>(longest));
}

void CheckCycles(const SoakData& data, const Rows& rows, Verdict& verdict) {
    const int cycles =
        CompleteCycles(data.record, data.addressByte, data.loggingFrom, data.loggingTo);
    const auto vanishes = std::count_if(data.faults.begin(), data.faults.end(),
                                        [](const FaultSpan& f) { return f.isVanish(); });
    // One cycle may be in flight at each end, and a cycle cut off by an
    // unplugged device logs "Can't open" though all its bytes went out.
    const long slack = 2 + vanishes;
    std::printf(
        "complete cycles on the line: %d, rows with a reading or line error: %d, "
        "\"Can't open\" rows: %d (allowed difference %ld)\n",
        cycles, rows.other, rows.cantOpen, slack);
    if (cycles < 10) {
        verdict.fail("fewer than 10 cycles on the line");
    }
    if (std::abs(rows.other - cycles) > slack) {
        verdict.fail("rows and cycles differ by " + std::to_string(std::abs(rows.other - cycles)));
    }
}

void CheckMemory(const SoakData& data, Verdict& verdict) {
    const auto base =
        std::find_if(data.memory.begin(), data.memory.end(),
                     [](const MemorySample& s) { return s.seconds >= MemoryBaselineSeconds; });
    if (base == data.memory.end() || std::next(base) == data.memory.end()) {
        std::printf("resident memory: too short a run to judge growth after the first minute\n");
        return;
    }
    long highest = base->residentKb;
    for (auto it = base; it != data.memory.end(); ++it) {
        highest = std::max(highest, it->residentKb);
    }
    const long growth = highest - base->residentKb;
    std::printf(
        "resident memory: %ld kB at %.0f s, highest after %ld kB, growth %ld kB "
        "(limit %ld kB)\n",
        base->residentKb, base->seconds, highest, growth, MemoryGrowthLimitKb);
    if (growth > MemoryGrowthLimitKb) {
        verdict.fail("resident memory grew by " + std::to_string(growth) + " kB");
    }
}

void CheckFaults(const SoakData& data, Verdict& verdict) {
    std::printf("faults injected: %zu\n", data.faults.size());
    for (const FaultSpan& f : data.faults) {
        std::printf("  %s .. %s  %s\n", Clock(f.begin).c_str(), Clock(f.end).c_str(),
                    f.command.c_str());
        if (!f.ok) {
            verdict.fail("the simulator refused \"" + f.command + "\" or its undoing");
        }
    }
}

}  // namespace

std::optional<std::time_t> ParseRowTime(const std::string& text) {
    std::tm fields{};
    char tail = 0;
    const int read =
        std::sscanf(text.c_str(), "%4d/%2d/%2d %2d:%2d:%2d%c", &fields.tm_year, &fields.tm_mon,
                    &fields.tm_mday, &fields.tm_hour, &fields.tm_min, &fields.tm_sec, &tail);
    if (read != 6 || text.size() != 19) {
        return std::nullopt;
    }
    fields.tm_year -= 1900;
    fields.tm_mon -= 1;
    fields.tm_isdst = -1;
    const std::time_t t = std::mktime(&fields);
    return t == -1 ? std::nullopt : std::optional<std::time_t>(t);
}

int CompleteCycles(const test::Record& record, std::uint8_t addressByte, std::int64_t from,
                   std::int64_t to) {
    std::vector<test::RecordEntry> sent;
    std::copy_if(
        record.begin(), record.end(), std::back_inserter(sent),
        [](const test::RecordEntry& e) { return e.direction == test::RecordDirection::Rx; });
    // A cycle opens with a query after the two polls that close the one
    // before: FB a FB a FB a FB a a a.
    auto opensCycle = [&](std::size_t i) {
        if (sent[i].byte != QueryCommand) {
            return false;
        }
        if (i < 2 || sent[i].microseconds - sent[i - 1].microseconds > CycleBreakMicros) {
            return true;
        }
        return sent[i - 1].byte != QueryCommand && sent[i - 2].byte != QueryCommand;
    };
    auto isComplete = [&](std::size_t first, std::size_t end) {
        if (end - first != BytesPerCycle) {
            return false;
        }
        for (std::size_t k = 0; k < BytesPerCycle; ++k) {
            const bool query = k < 8 && k % 2 == 0;
            if (sent[first + k].byte != (query ? QueryCommand : addressByte)) {
                return false;
            }
        }
        return true;
    };
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < sent.size(); ++i) {
        if (opensCycle(i)) {
            starts.push_back(i);
        }
    }
    int count = 0;
    for (std::size_t s = 0; s < starts.size(); ++s) {
        const std::size_t end = s + 1 < starts.size() ? starts[s + 1] : sent.size();
        const std::int64_t last = sent[end - 1].microseconds;
        if (isComplete(starts[s], end) && last >= from && last <= to) {
            ++count;
        }
    }
    return count;
}

long ResidentKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            std::istringstream fields(line.substr(6));
            long kb = 0;
            fields >> kb;
            return kb;
        }
    }
    return 0;
}

bool CheckSoak(const SoakData& data) {
    Verdict verdict;
    std::printf("alive to the end: %s\n", data.reachedEnd ? "yes" : "no");
    if (!data.reachedEnd) {
        verdict.fail("the program did not run to the end");
    }
    std::printf("rows logged: %zu\n", data.rows.size());
    CheckFaults(data, verdict);
    const Rows rows = ReadRows(data, verdict);
    CheckGaps(data, rows, verdict);
    CheckCycles(data, rows, verdict);
    CheckMemory(data, verdict);
    std::printf("soak: %s\n", verdict.passed() ? "PASSED" : "FAILED");
    return verdict.passed();
}

}  // namespace vexilor::soak
