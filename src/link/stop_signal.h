#pragma once
// A stop request that a waiting thread notices at once: pauses and waits for
// input block in the operating system on it, so requesting a stop wakes them.

#include <atomic>
#include <cstdint>
#include <memory>

namespace vexilor {

class StopSignal {
public:
    StopSignal();
    ~StopSignal();
    StopSignal(const StopSignal&) = delete;
    StopSignal& operator=(const StopSignal&) = delete;

    // Any thread. Wakes every wait on this signal; stays set until reset().
    void request();
    // Only while no thread waits on the signal (before a worker starts).
    void reset();
    bool requested() const { return requested_.load(std::memory_order_acquire); }

    // The descriptor (POSIX) or event handle (Windows) that becomes readable
    // or signalled when a stop is requested; for the backends' waits.
    std::intptr_t nativeHandle() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
    std::atomic<bool> requested_{false};
};

}  // namespace vexilor
