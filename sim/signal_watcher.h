#pragma once
// Turns SIGINT, SIGTERM and SIGHUP into a readable pipe, so the main loop
// sees them in the same poll as its other inputs. The signals are blocked
// in every thread and taken by one thread waiting in sigwait; no handler
// and no process-wide variable is involved.

#include <atomic>
#include <thread>

#include "unique_fd.h"

namespace vexilor {

class SignalWatcher {
  public:
    // Construct before any other thread starts, so all threads inherit the
    // blocked mask.
    SignalWatcher();
    ~SignalWatcher();
    SignalWatcher(const SignalWatcher&) = delete;
    SignalWatcher& operator=(const SignalWatcher&) = delete;

    // Readable once a signal has arrived; false when the pipe could not be made.
    int readFd() const { return readEnd_.get(); }
    bool valid() const { return readEnd_.valid() && thread_.joinable(); }

  private:
    void watch();

    UniqueFd readEnd_;
    UniqueFd writeEnd_;
    std::atomic<bool> stopping_ = false;
    std::thread thread_;
};

}  // namespace vexilor
