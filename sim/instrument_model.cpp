#include "instrument_model.h"

#include <algorithm>

#include "reply_encoding.h"

namespace vexilor {

namespace {

bool AlarmTripped(const AlarmSetting& alarm, Reading reading) {
    return alarm.on && reading >= alarm.setPoint;
}

std::string AlarmText(const AlarmSetting& alarm) {
    return alarm.on ? "on at " + FormatReading(alarm.setPoint) : "off";
}

}  // namespace

InstrumentModel::InstrumentModel(const ModelConfig& config)
    : config_(config), address_(config.bus ? config.address : 1) {}

FrameOutcome InstrumentModel::handle(const Frame& frame) {
    if (frame.kind == FrameKind::Download && !frame.checksumMatches) {
        return {std::nullopt, "download frame for address " + std::to_string(frame.address) +
                                  " with a wrong checksum ignored"};
    }
    if (frame.address != address_) {
        return {};
    }
    switch (frame.kind) {
        case FrameKind::Poll:
            nextQueryLargest_ = true;
            return {replyFor(shownReading()), {}};
        case FrameKind::Query: {
            const Reading reading = nextQueryLargest_ ? largest_ : smallest_;
            nextQueryLargest_ = !nextQueryLargest_;
            return {replyFor(reading), {}};
        }
        case FrameKind::Hold:
            toggleHold();
            return {std::nullopt, held() ? "hold on" : "hold off"};
        case FrameKind::Reset:
            reset();
            return {std::nullopt, "reset"};
        case FrameKind::Download:
            return {std::nullopt, applyDownload(frame)};
    }
    return {};
}

void InstrumentModel::tick() {
    if (fixed_) {
        return;
    }
    if (config_.mode == ReadingMode::Counter) {
        setLive(ClampReading(live_ + config_.step));
    } else {
        setLive(nextRampValue());
    }
}

void InstrumentModel::fixReading(Reading value) {
    fixed_ = true;
    setLive(ClampReading(value));
}

void InstrumentModel::releaseReading() {
    fixed_ = false;
}

bool InstrumentModel::setAddress(std::uint8_t address) {
    if (!config_.bus || address > MaxBusAddress) {
        return false;
    }
    address_ = address;
    return true;
}

InstrumentReply InstrumentModel::replyFor(Reading reading) const {
    std::uint8_t status = config_.presentBits;
    if (AlarmTripped(config_.al1, live_)) {
        status |= StatusAl1;
    }
    if (AlarmTripped(config_.al2, live_)) {
        status |= StatusAl2;
    }
    if (held()) {
        status |= StatusHold;
    }
    return EncodeReply(reading, status);
}

Reading InstrumentModel::nextRampValue() {
    const Reading top = ClampReading(config_.rampTop);
    if (rampFalling_) {
        const Reading next = std::max<Reading>(live_ - config_.step, 0);
        rampFalling_ = next > 0;
        return next;
    }
    const Reading next = std::min(live_ + config_.step, top);
    rampFalling_ = next >= top;
    return next;
}

void InstrumentModel::setLive(Reading value) {
    live_ = value;
    largest_ = std::max(largest_, value);
    smallest_ = std::min(smallest_, value);
}

void InstrumentModel::toggleHold() {
    if (frozen_) {
        frozen_.reset();
    } else {
        frozen_ = live_;
    }
}

void InstrumentModel::reset() {
    live_ = 0;
    rampFalling_ = false;
    frozen_.reset();
    largest_ = 0;
    smallest_ = 0;
    nextQueryLargest_ = true;
}

std::string InstrumentModel::applyDownload(const Frame& frame) {
    const DownloadedProgram program = DecodeProgram(frame.parameters);
    functionCode_ = program.functionCode;
    config_.al1 = program.al1;
    config_.al2 = program.al2;
    std::string note = "download applied: function " + FunctionName(program.functionCode) +
                       ", AL1 " + AlarmText(program.al1) + ", AL2 " + AlarmText(program.al2);
    const auto number = program.peripheralNumber;
    if (!config_.bus) {
        note += ", single-address model stays at 1";
    } else if (number && *number <= MaxBusAddress) {
        address_ = static_cast<std::uint8_t>(*number);
        note += ", address " + std::to_string(address_);
    } else {
        note += ", PRPHN not a bus address, address stays " + std::to_string(address_);
    }
    if (program.baudRate) {
        note += ", baud rate " + std::to_string(*program.baudRate) + " noted";
    }
    return note;
}

}  // namespace vexilor
