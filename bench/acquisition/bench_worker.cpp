// Acquisition worker figures against the simulator at 9600 baud:
//   bench_worker [seconds] [stops]   (default 60 s for each CPU run, 200 stops)
// when a cycle starts against the second boundary, how long it runs against
// its 340 ms of pauses, how long a stop takes at a random point, and the CPU
// share while polling an answering and a silent line.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <random>
#include <vector>

#include "acquisition_worker.h"
#include "bench_stats.h"
#include "clock.h"
#include "sim_process.h"

namespace vexilor::bench {
namespace {

constexpr double LeadPauseUs = 10000.0;
constexpr double CyclePausesUs = 340000.0;

// Keeps the monotonic time of each cycle's picture, the last call of a cycle
// but one; everything else is dropped.
class TimingSink : public CycleSink {
  public:
    explicit TimingSink(std::vector<std::int64_t>& drawn, std::mutex& mutex)
        : drawn_(drawn), mutex_(mutex) {}
    void showMaxMin(const std::string&, const std::string&) override {}
    void drawReading(const InstrumentReply&, const std::string&) override {
        const std::int64_t now = MonotonicUs();
        std::lock_guard lock(mutex_);
        drawn_.push_back(now);
    }
    void logLine(const std::string&, std::int32_t) override {}

  private:
    std::vector<std::int64_t>& drawn_;
    std::mutex& mutex_;
};

struct Shared {
    InstrumentLink link;
    LinkError linkError;
    LoggingState logging;
    PacingState pacing;
    std::mutex mutex;
    std::vector<std::int64_t> drawn;
};

std::unique_ptr<AcquisitionWorker> StartWorker(Shared& shared) {
    return std::make_unique<AcquisitionWorker>(
        shared.link, shared.linkError, shared.logging, shared.pacing,
        std::make_unique<TimingSink>(shared.drawn, shared.mutex), "bench");
}

// The CPU share of the process while a worker runs for seconds.
double WorkerCpuShare(Shared& shared, int seconds) {
    const std::int64_t cpuStart = ProcessCpuUs();
    const std::int64_t wallStart = MonotonicUs();
    {
        const auto worker = StartWorker(shared);
        Pause(seconds * 1000);
        worker->stop();
    }
    return static_cast<double>(ProcessCpuUs() - cpuStart) /
           static_cast<double>(MonotonicUs() - wallStart);
}

// Microseconds from the monotonic clock to the wall clock, read back to back.
std::int64_t WallMinusMonotonicUs() {
    const auto wall = std::chrono::duration_cast<std::chrono::microseconds>(
                          std::chrono::system_clock::now().time_since_epoch())
                          .count();
    return wall - MonotonicUs();
}

// The first received byte of each cycle. On an answering line a cycle is
// 46 bytes (four queries of 2 + 6, two polls of 1 + 6), so the record splits
// into cycles by count even when two cycles run back to back. A new
// worker's first cycle starts at once, not on a boundary, so it is left out.
constexpr std::size_t CycleBytes = 46;

std::vector<std::int64_t> CycleFirstBytes(const test::Record& record) {
    std::vector<std::int64_t> starts;
    for (std::size_t first = CycleBytes; first < record.size(); first += CycleBytes) {
        starts.push_back(record[first].microseconds);
    }
    return starts;
}

void CycleFigures(const test::SimProcess& sim, Shared& shared, std::int64_t wallOffset) {
    const std::vector<std::int64_t> starts = CycleFirstBytes(sim.record());
    std::vector<double> afterBoundary;
    for (const std::int64_t start : starts) {
        const std::int64_t wall = start + wallOffset;
        afterBoundary.push_back(static_cast<double>(wall % 1000000) - LeadPauseUs);
    }
    std::vector<double> gaps;
    for (std::size_t cycle = 1; cycle < starts.size(); ++cycle) {
        gaps.push_back(static_cast<double>(starts[cycle] - starts[cycle - 1]) / 1000.0);
    }
    std::printf(
        "bench_worker: time between cycle starts, min %.1f ms, median %.1f ms, "
        "max %.1f ms\n",
        Percentile(gaps, 0.0), Percentile(gaps, 0.5), Percentile(gaps, 1.0));
    std::vector<double> lengths;
    std::lock_guard lock(shared.mutex);
    std::size_t drawn = 0;
    for (std::size_t cycle = 0; cycle < starts.size(); ++cycle) {
        while (drawn < shared.drawn.size() && shared.drawn[drawn] < starts[cycle]) {
            ++drawn;
        }
        if (drawn < shared.drawn.size()) {
            lengths.push_back(static_cast<double>(shared.drawn[drawn] - starts[cycle]) +
                              LeadPauseUs);
        }
    }
    std::printf(
        "bench_worker: %zu cycles after the first seen on the line, %zu pictures "
        "drawn\n",
        starts.size(), shared.drawn.size());
    std::printf(
        "bench_worker: cycle start (first byte - 10 ms) after the second boundary, "
        "median %.0f us, p99 %.0f us over %zu cycles\n",
        Percentile(afterBoundary, 0.5), Percentile(afterBoundary, 0.99), afterBoundary.size());
    std::printf(
        "bench_worker: cycle length (start to picture), median %.1f ms, p99 %.1f ms; "
        "pauses 340 ms, so beyond them median %.1f ms (36 reply bytes at 9600 baud "
        "take %.1f ms, partly under the pauses)\n",
        Percentile(lengths, 0.5) / 1000.0, Percentile(lengths, 0.99) / 1000.0,
        (Percentile(lengths, 0.5) - CyclePausesUs) / 1000.0, 36 * 10 * 1000.0 / 9600);
}

void StopFigures(Shared& shared, int stopCount) {
    std::mt19937 random(12345);
    std::uniform_int_distribution<std::int32_t> delayMs(0, 1000);
    std::vector<double> stops;
    for (int round = 0; round < stopCount; ++round) {
        const auto worker = StartWorker(shared);
        Pause(delayMs(random));
        const std::int64_t before = MonotonicUs();
        worker->stop();
        stops.push_back(static_cast<double>(MonotonicUs() - before));
    }
    std::printf(
        "bench_worker: stop at a random point, median %.0f us, p99 %.0f us, "
        "max %.0f us over %d stops\n",
        Percentile(stops, 0.5), Percentile(stops, 0.99), Percentile(stops, 1.0), stopCount);
}

int Run(int seconds, int stopCount) {
    test::SimProcess sim({"--baud", "9600"});
    Shared shared;
    OpenInstrumentLink(shared.link, sim.slavePath(), 9600, shared.linkError);
    if (!shared.linkError.empty()) {
        std::printf("bench_worker: %s\n", shared.linkError.text().c_str());
        return 1;
    }
    shared.link.protocol.setAddressing(0, 1);
    const std::int64_t wallOffset = WallMinusMonotonicUs();
    const double polling = WorkerCpuShare(shared, seconds);
    std::printf("bench_worker: CPU (user+sys)/wall polling the simulator: %.4f %% over %d s\n",
                polling * 100.0, seconds);
    CycleFigures(sim, shared, wallOffset);
    StopFigures(shared, stopCount);
    if (!sim.command("fault silent")) {
        std::printf("bench_worker: the simulator refused fault silent\n");
        return 1;
    }
    const double silent = WorkerCpuShare(shared, seconds);
    std::printf("bench_worker: CPU (user+sys)/wall polling a silent line: %.4f %% over %d s\n",
                silent * 100.0, seconds);
    CloseInstrumentLink(shared.link);
    return 0;
}

}  // namespace
}  // namespace vexilor::bench

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const int stops = argc > 2 ? std::max(1, std::atoi(argv[2])) : 200;
    return vexilor::bench::Run(vexilor::bench::PositiveArgument(argc, argv, 60), stops);
}
