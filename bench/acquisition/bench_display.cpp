// Display picture figures, offscreen:
//   bench_display [calls]
// the time of one DrawReading, over many calls (default 20,000) on a
// thread of its own as the acquisition worker makes them: on a typical
// reply (digits and lamps) and on a link error text; also DrawReading
// followed by the copy that the picture control is handed each cycle.
#include <QGuiApplication>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "bench_stats.h"
#include "display_image.h"
#include "instrument_reply.h"

namespace vexilor::bench {
namespace {

constexpr int DefaultCalls = 20000;
constexpr double TargetMs = 1.0;

// 012345.67 with AL1 lit, as a counter in range sends it.
InstrumentReply TypicalReply() {
    InstrumentReply reply;
    reply.bytes = {0x24, 0x01, 0x23, 0x45, 0x67, 0x00};
    reply.bytes[5] = ReplyChecksum(reply);
    return reply;
}

struct Timing {
    double firstUs = 0;
    std::vector<double> us;
};

// Microseconds of each call of work; the first call apart, as it may load
// the font's glyphs.
Timing TimeCalls(int calls, const std::function<void()>& work) {
    Timing timing;
    timing.us.reserve(static_cast<std::size_t>(calls));
    for (int call = 0; call <= calls; ++call) {
        const auto before = std::chrono::steady_clock::now();
        work();
        const std::chrono::duration<double, std::micro> us =
            std::chrono::steady_clock::now() - before;
        if (call == 0) {
            timing.firstUs = us.count();
        } else {
            timing.us.push_back(us.count());
        }
    }
    return timing;
}

void Print(const char* what, const Timing& timing) {
    const double medianUs = Percentile(timing.us, 0.5);
    const double p99Us = Percentile(timing.us, 0.99);
    std::printf(
        "bench_display: %-34s median %6.1f us, p99 %6.1f us, max %7.1f us, first %7.1f us "
        "(%zu calls; target under %.0f ms: %s)\n",
        what, medianUs, p99Us, Percentile(timing.us, 1.0), timing.firstUs, timing.us.size(),
        TargetMs, p99Us < TargetMs * 1000 ? "met" : "MISSED");
}

void Run(DisplayImage& display, int calls) {
    const InstrumentReply reply = TypicalReply();
    const std::string noError;
    const std::string error = "No vexilor connected";
    std::int64_t pixels = 0;

    const Timing typical = TimeCalls(calls, [&] { display.DrawReading(reply, noError); });
    const Timing failed = TimeCalls(calls, [&] { display.DrawReading(reply, error); });
    const Timing handed = TimeCalls(calls, [&] {
        display.DrawReading(reply, noError);
        pixels += display.snapshot().width();
    });

    Print("DrawReading, reply 012345.67 AL1", typical);
    Print("DrawReading, \"No vexilor connected\"", failed);
    Print("DrawReading + copy for the control", handed);
    if (pixels == 0) {
        std::printf("bench_display: the copies were empty\n");
    }
}

}  // namespace
}  // namespace vexilor::bench

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const int calls = vexilor::bench::PositiveArgument(argc, argv, vexilor::bench::DefaultCalls);
    QGuiApplication app(argc, argv);
    // Made on the main thread, which chooses its font; drawn on a thread of
    // its own, as the worker draws.
    vexilor::DisplayImage display;
    std::thread drawer([&display, calls] { vexilor::bench::Run(display, calls); });
    drawer.join();
    return 0;
}
