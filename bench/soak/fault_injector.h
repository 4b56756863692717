#pragma once
// Drives the simulator through random faults on a thread of its own while
// the program runs: a quiet spell, then one fault (or an unplugged device)
// for a few seconds, and again, until stopped.

#include <condition_variable>
#include <ctime>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "sim_process.h"

namespace vexilor::soak {

// One fault as it was on the line, in wall-clock seconds like the log rows.
struct FaultSpan {
    std::string command;  // "fault silent", "vanish", ...
    std::time_t begin = 0;
    std::time_t end = 0;
    bool ok = true;  // every command of it was answered "ok"

    // Cycles may last up to 14.7 s while replies are missing or cut short.
    bool stretchesCycles() const;
    bool isVanish() const { return command == "vanish"; }
};

class FaultInjector {
  public:
    FaultInjector(test::SimProcess& sim, unsigned seed);
    ~FaultInjector();
    FaultInjector(const FaultInjector&) = delete;
    FaultInjector& operator=(const FaultInjector&) = delete;

    void start();
    // Ends the fault under way (the line is left healthy) and joins.
    void stop();
    // Only after stop().
    const std::vector<FaultSpan>& spans() const { return spans_; }

  private:
    void run();
    // Waits up to seconds; false when stop() came first.
    bool pause(int seconds);
    std::string pickFault();
    FaultSpan inject(const std::string& command, int holdSeconds);

    test::SimProcess& sim_;
    std::mt19937 random_;
    std::vector<FaultSpan> spans_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace vexilor::soak
