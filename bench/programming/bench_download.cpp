// Download figures: WriteProgram of a frame of default (zero) parameters to
// the simulator, against its 51 pauses of 10 ms plus the time 51 bytes take
// on a 9600 baud line.
//   bench_download [rounds]   (default 10)
#include <cstdio>
#include <vector>

#include "bench_stats.h"
#include "clock.h"
#include "instrument_reply.h"
#include "program_frame.h"
#include "protocol.h"
#include "serial_port.h"
#include "sim_process.h"
#include "write_program.h"

namespace vexilor::bench {
namespace {

// The Download command, address 1, every parameter byte 0, the checksum.
ProgramFrame DefaultFrame() {
    ProgramFrame frame{};
    frame[0] = static_cast<std::uint8_t>(InstrumentCommand::Download);
    frame[1] = 1;
    frame[ProgramFrameLength - 1] = ProgramChecksum(frame);
    return frame;
}

int Run(int rounds) {
    test::SimProcess sim;
    SerialPort port;
    if (!sim.started() || !port.open(sim.slavePath(), 9600)) {
        std::printf("bench_download: the simulator's terminal does not open\n");
        return 1;
    }
    InstrumentProtocol protocol(port);
    protocol.setAddressing(2, 1);
    const ProgramFrame frame = DefaultFrame();
    std::vector<double> durations;
    for (int round = 0; round < rounds; ++round) {
        const std::int64_t before = MonotonicUs();
        WriteProgram(protocol, frame);
        durations.push_back(static_cast<double>(MonotonicUs() - before) / 1000.0);
        protocol.Pause(1100);  // lets the simulator close the frame
    }
    const double pausesMs = 51 * 10.0;
    const double lineMs = 51 * 10 * 1000.0 / 9600;
    std::printf(
        "bench_download: WriteProgram median %.1f ms, max %.1f ms over %d rounds; "
        "51 x 10 ms = %.1f ms, + 51 bytes at 9600 baud (%.1f ms) = %.1f ms; "
        "median beyond the pauses %.1f ms\n",
        Percentile(durations, 0.5), Percentile(durations, 1.0), rounds, pausesMs, lineMs,
        pausesMs + lineMs, Percentile(durations, 0.5) - pausesMs);
    return 0;
}

}  // namespace
}  // namespace vexilor::bench

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    return vexilor::bench::Run(vexilor::bench::PositiveArgument(argc, argv, 10));
}
