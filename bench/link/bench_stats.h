#pragma once
// Small figures shared by the benchmark programs: percentiles of a sample,
// the process's CPU time and the number argument.
#include <sys/resource.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace vexilor::bench {

// The value below which share (0 to 1) of the sample lies; 0 for none.
inline double Percentile(std::vector<double> sample, double share) {
    if (sample.empty()) {
        return 0.0;
    }
    std::sort(sample.begin(), sample.end());
    const auto last = static_cast<double>(sample.size() - 1);
    return sample[static_cast<std::size_t>(share * last + 0.5)];
}

// User plus system time of this process, in microseconds.
inline std::int64_t ProcessCpuUs() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto micros = [](const timeval& t) {
        return static_cast<std::int64_t>(t.tv_sec) * 1000000 + t.tv_usec;
    };
    return micros(usage.ru_utime) + micros(usage.ru_stime);
}

// The first argument as a whole number above 0 (seconds, calls, launches),
// or fallback when there is none.
inline int PositiveArgument(int argc, char** argv, int fallback) {
    if (argc < 2) {
        return fallback;
    }
    const int value = std::atoi(argv[1]);
    return value > 0 ? value : fallback;
}

}  // namespace vexilor::bench
