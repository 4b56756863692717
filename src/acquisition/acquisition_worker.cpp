#include "acquisition_worker.h"

#include <chrono>

#include "clock.h"
#include "run_cycle.h"

namespace vexilor {
namespace {

// Sleeps until just after the next whole second of the wall clock, when the
// seconds field of the local time changes. False when stopped.
bool SleepToNextSecond(const StopSignal& stop) {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const auto next = floor<seconds>(now) + seconds(1);
    // A little past the boundary, so the clock read after waking is sure to
    // show the new second.
    const auto wait = duration_cast<microseconds>(next - now) + microseconds(200);
    return PauseUntil(MonotonicClock::now() + wait, &stop);
}

}  // namespace

AcquisitionWorker::AcquisitionWorker(InstrumentLink& link, LinkError& linkError,
                                     LoggingState& logging, PacingState& pacing,
                                     std::unique_ptr<CycleSink> sink, std::string portText)
    : link_(link),
      linkError_(linkError),
      logging_(logging),
      pacing_(pacing),
      sink_(std::move(sink)),
      portText_(std::move(portText)) {
    link_.protocol.stopSignal().reset();
    thread_ = std::thread([this] { run(); });
}

AcquisitionWorker::~AcquisitionWorker() {
    stop();
}

void AcquisitionWorker::stop() {
    if (!thread_.joinable()) {
        return;
    }
    link_.protocol.stopSignal().request();
    thread_.join();
    link_.protocol.stopSignal().reset();
}

void AcquisitionWorker::run() {
    const StopSignal& stop = link_.protocol.stopSignal();
    CycleContext context{link_, linkError_, logging_, *sink_, portText_};
    while (!stop.requested()) {
        if (CurrentLocalTime().second == pacing_.lastSeenSecond.load()) {
            if (!SleepToNextSecond(stop)) {
                return;
            }
            continue;
        }
        pacing_.lastSeenSecond.store(CurrentLocalTime().second);
        RunCycle(context);
    }
}

}  // namespace vexilor
