#pragma once
// One simulated instrument: its live reading, the largest and smallest
// reading since the last reset, hold, alarms, its bus address and what a
// download changed. Pure logic: the server feeds it frames and seconds.

#include <cstdint>
#include <optional>
#include <string>

#include "downloaded_program.h"
#include "frame_parser.h"
#include "instrument_reply.h"
#include "reading.h"

namespace vexilor {

enum class ReadingMode {
    Counter,  // counts up by the step every second
    Ramp,     // climbs by the step to the top, then falls back to 0
};

struct ModelConfig {
    std::uint8_t address = 1;
    // A bus model takes a new address from a download; a single-address
    // model always answers at 1.
    bool bus = true;
    ReadingMode mode = ReadingMode::Counter;
    Reading step = 100;
    Reading rampTop = 100000;
    std::uint8_t presentBits = 0x20;
    AlarmSetting al1;
    AlarmSetting al2;
};

struct FrameOutcome {
    std::optional<InstrumentReply> reply;
    // A line for the log; empty when the frame is not worth mentioning.
    std::string note;
};

class InstrumentModel {
  public:
    explicit InstrumentModel(const ModelConfig& config);

    FrameOutcome handle(const Frame& frame);

    // One second of wall-clock time has passed.
    void tick();

    // Holds the live reading at value until releaseReading.
    void fixReading(Reading value);
    void releaseReading();

    // False for a single-address model, which stays at 1.
    bool setAddress(std::uint8_t address);

    std::uint8_t address() const { return address_; }
    bool busModel() const { return config_.bus; }
    Reading liveReading() const { return live_; }
    Reading shownReading() const { return frozen_.value_or(live_); }
    bool held() const { return frozen_.has_value(); }
    Reading largestSeen() const { return largest_; }
    Reading smallestSeen() const { return smallest_; }
    const AlarmSetting& al1() const { return config_.al1; }
    const AlarmSetting& al2() const { return config_.al2; }
    std::uint8_t functionCode() const { return functionCode_; }

  private:
    InstrumentReply replyFor(Reading reading) const;
    Reading nextRampValue();
    void setLive(Reading value);
    void toggleHold();
    void reset();
    std::string applyDownload(const Frame& frame);

    ModelConfig config_;
    std::uint8_t address_;
    Reading live_ = 0;
    bool fixed_ = false;
    bool rampFalling_ = false;
    std::optional<Reading> frozen_;
    Reading largest_ = 0;
    Reading smallest_ = 0;
    bool nextQueryLargest_ = true;
    std::uint8_t functionCode_ = 0;
};

}  // namespace vexilor
