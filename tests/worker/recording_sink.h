#pragma once
// A CycleSink that keeps what a worker handed it, for a test thread to read.

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "cycle_sink.h"

namespace vexilor::test {

struct SinkEvent {
    enum Kind { MaxMin, Draw, Log } kind;
    std::string first;   // Max label, error text, LogLine
    std::string second;  // Min label
    InstrumentReply reply;
};

// Shared by the sink (owned by the worker) and the test.
class SinkLog {
  public:
    void add(SinkEvent event) {
        {
            std::lock_guard lock(mutex_);
            events_.push_back(std::move(event));
        }
        changed_.notify_all();
    }
    std::vector<SinkEvent> events() const {
        std::lock_guard lock(mutex_);
        return events_;
    }
    std::size_t size() const {
        std::lock_guard lock(mutex_);
        return events_.size();
    }
    // Waits until at least count events of kind have come.
    bool waitFor(SinkEvent::Kind kind, std::size_t count, std::chrono::milliseconds timeout) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, [&] { return countLocked(kind) >= count; });
    }
    std::vector<SinkEvent> ofKind(SinkEvent::Kind kind) const {
        std::lock_guard lock(mutex_);
        std::vector<SinkEvent> found;
        for (const SinkEvent& e : events_) {
            if (e.kind == kind) {
                found.push_back(e);
            }
        }
        return found;
    }

  private:
    std::size_t countLocked(SinkEvent::Kind kind) const {
        std::size_t n = 0;
        for (const SinkEvent& e : events_) {
            n += e.kind == kind ? 1 : 0;
        }
        return n;
    }

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<SinkEvent> events_;
};

class RecordingSink : public CycleSink {
  public:
    explicit RecordingSink(std::shared_ptr<SinkLog> log) : log_(std::move(log)) {}

    void showMaxMin(const std::string& maxLabel, const std::string& minLabel) override {
        log_->add({SinkEvent::MaxMin, maxLabel, minLabel, {}});
    }
    void drawReading(const InstrumentReply& reply, const std::string& linkError) override {
        log_->add({SinkEvent::Draw, linkError, "", reply});
    }
    void logLine(const std::string& logLine, std::int32_t) override {
        log_->add({SinkEvent::Log, logLine, "", {}});
    }

  private:
    std::shared_ptr<SinkLog> log_;
};

}  // namespace vexilor::test
