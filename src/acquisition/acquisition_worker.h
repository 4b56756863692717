#pragma once
// The AcquisitionWorker: a thread that runs one cycle at each change of the
// seconds field of the local time until it is stopped.

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "cycle_sink.h"
#include "instrument_link.h"
#include "link_error.h"
#include "logging_state.h"

namespace vexilor {

// The seconds field seen when the latest cycle began; kept across workers so
// that a new worker does not run a second cycle within the same second.
struct PacingState {
    std::atomic<int> lastSeenSecond{0};
};

class AcquisitionWorker {
  public:
    // Starts the thread at once. The link, the shared values and the sink
    // must outlive the worker.
    AcquisitionWorker(InstrumentLink& link, LinkError& linkError, LoggingState& logging,
                      PacingState& pacing, std::unique_ptr<CycleSink> sink, std::string portText);
    // Stops the thread if stop() was not called.
    ~AcquisitionWorker();
    AcquisitionWorker(const AcquisitionWorker&) = delete;
    AcquisitionWorker& operator=(const AcquisitionWorker&) = delete;

    // Ends the worker wherever it is in its cycle and waits for the thread:
    // after it returns no byte is sent or read and nothing reaches the sink.
    // The link is handed back with its stop signal cleared.
    void stop();

  private:
    void run();

    InstrumentLink& link_;
    LinkError& linkError_;
    LoggingState& logging_;
    PacingState& pacing_;
    std::unique_ptr<CycleSink> sink_;
    std::string portText_;
    std::thread thread_;
};

}  // namespace vexilor
