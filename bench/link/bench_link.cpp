// Link figures against the simulator:
//   bench_link [seconds]   (default 60 s for each CPU run)
// the CPU share of back-to-back query and poll transactions, on a line that
// answers and on a silent one; how long after the simulator sent a byte the
// timed read hands it over; and a query transaction's time beyond its 30 ms
// of pauses.
#include <cstdio>
#include <vector>

#include "bench_stats.h"
#include "clock.h"
#include "protocol.h"
#include "serial_port.h"
#include "sim_process.h"

namespace vexilor::bench {
namespace {

constexpr std::int64_t QueryPausesUs = 30000;
constexpr int LatencyPolls = 300;

struct CpuRun {
    double cpuShare = 0.0;
    std::vector<double> queryUs;
};

// Query and poll, back to back, for seconds; the CPU share over the run and
// each query transaction's duration.
CpuRun RunTransactions(InstrumentProtocol& protocol, int seconds) {
    CpuRun run;
    const std::int64_t cpuStart = ProcessCpuUs();
    const std::int64_t wallStart = MonotonicUs();
    const std::int64_t end = wallStart + std::int64_t{seconds} * 1000000;
    while (MonotonicUs() < end) {
        const std::int64_t before = MonotonicUs();
        protocol.QueryTransaction();
        run.queryUs.push_back(static_cast<double>(MonotonicUs() - before));
        protocol.PollTransaction();
    }
    const auto wall = static_cast<double>(MonotonicUs() - wallStart);
    run.cpuShare = static_cast<double>(ProcessCpuUs() - cpuStart) / wall;
    return run;
}

// Polls with no pause before the reads, so each reply byte comes while the
// read waits; the time each read returned, in order.
std::vector<std::int64_t> TimedPolls(InstrumentProtocol& protocol) {
    std::vector<std::int64_t> taken;
    for (int poll = 0; poll < LatencyPolls; ++poll) {
        protocol.SendByte(protocol.AddressByte());
        for (int byte = 0; byte < ReplyLength; ++byte) {
            protocol.ReadByteTimed();
            taken.push_back(MonotonicUs());
        }
        protocol.Pause(15);
    }
    return taken;
}

bool OpenOn(SerialPort& port, const test::SimProcess& sim) {
    if (!sim.started() || !port.open(sim.slavePath(), 9600)) {
        std::printf("bench_link: the simulator's terminal does not open\n");
        return false;
    }
    return true;
}

void PrintCpu(const char* what, const CpuRun& run) {
    std::printf("bench_link: CPU (user+sys)/wall, %s: %.4f %%\n", what, run.cpuShare * 100.0);
}

int CpuAndQueryFigures(int seconds) {
    test::SimProcess sim;
    SerialPort port;
    if (!OpenOn(port, sim)) {
        return 1;
    }
    InstrumentProtocol protocol(port);
    protocol.setAddressing(0, 1);
    const CpuRun answering = RunTransactions(protocol, seconds);
    PrintCpu("answering line", answering);
    std::printf(
        "bench_link: query transaction beyond 30 ms + reply time (reply at once), "
        "median %.0f us, p99 %.0f us over %zu queries\n",
        Percentile(answering.queryUs, 0.5) - QueryPausesUs,
        Percentile(answering.queryUs, 0.99) - QueryPausesUs, answering.queryUs.size());
    if (!sim.command("fault silent")) {
        std::printf("bench_link: the simulator refused fault silent\n");
        return 1;
    }
    PrintCpu("silent line", RunTransactions(protocol, seconds));
    return 0;
}

int LatencyFigures() {
    test::SimProcess sim({"--baud", "9600"});
    SerialPort port;
    if (!OpenOn(port, sim)) {
        return 1;
    }
    InstrumentProtocol protocol(port);
    protocol.setAddressing(0, 1);
    const std::vector<std::int64_t> taken = TimedPolls(protocol);
    const std::size_t expected = taken.size();
    test::Record record;
    sim.waitForRecord(
        [expected](const test::Record& r) {
            return static_cast<std::size_t>(std::count_if(r.begin(), r.end(), [](const auto& e) {
                       return e.direction == test::RecordDirection::Tx;
                   })) >= expected;
        },
        std::chrono::seconds(5), &record);
    std::vector<double> delays;
    std::size_t next = 0;
    for (const test::RecordEntry& entry : record) {
        if (entry.direction == test::RecordDirection::Tx && next < taken.size()) {
            delays.push_back(static_cast<double>(taken[next] - entry.microseconds));
            ++next;
        }
    }
    std::printf(
        "bench_link: sim sent byte -> ReadByteTimed returned (9600 baud), "
        "median %.0f us, p99 %.0f us over %zu bytes\n",
        Percentile(delays, 0.5), Percentile(delays, 0.99), delays.size());
    return 0;
}

}  // namespace
}  // namespace vexilor::bench

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const int seconds = vexilor::bench::PositiveArgument(argc, argv, 60);
    if (vexilor::bench::LatencyFigures() != 0) {
        return 1;
    }
    return vexilor::bench::CpuAndQueryFigures(seconds);
}
