#include "protocol.h"

#include "clock.h"

namespace vexilor {

namespace {

constexpr std::int32_t FrameGapMs = 10;
constexpr std::int32_t QueryReplyWaitMs = 10;
constexpr std::int32_t PollReplyWaitMs = 100;
constexpr std::int32_t CommandLeadMs = 100;

}  // namespace

std::uint8_t InstrumentProtocol::AddressByte() const {
    return vexilor::AddressByte(modelIndex_, peripheralNumber_);
}

void InstrumentProtocol::SendByte(std::uint8_t value) {
    // A stopped exchange puts nothing more on the line.
    if (stopRequested()) {
        return;
    }
    transferByte_ = value;
    sendChecksum_ ^= value;
    port_.write(&value, 1);
}

std::uint8_t InstrumentProtocol::ReadByteTimed() {
    const auto deadline = MonotonicClock::now() + std::chrono::milliseconds(ReadByteTimeoutMs);
    for (;;) {
        if (stopRequested()) {
            return transferByte_;
        }
        const auto now = MonotonicClock::now();
        if (now >= deadline) {
            return transferByte_;
        }
        if (port_.bytesWaiting() > 0) {
            std::uint8_t received = 0;
            if (port_.read(&received, 1) == 1) {
                transferByte_ = received;
                return transferByte_;
            }
        }
        const auto left = std::chrono::ceil<std::chrono::microseconds>(deadline - now);
        if (port_.waitForInput(left, &stop_) == InputWait::Gone) {
            return transferByte_;
        }
    }
}

InstrumentReply InstrumentProtocol::ReadReply(std::int32_t waitMs) {
    Pause(FrameGapMs);
    SendByte(AddressByte());
    Pause(waitMs);
    // A byte that does not come leaves the one before it in TransferByte.
    InstrumentReply reply;
    for (std::uint8_t& field : reply.bytes) {
        field = ReadByteTimed();
    }
    return reply;
}

InstrumentReply InstrumentProtocol::QueryTransaction() {
    sendChecksum_ = 0;
    Pause(FrameGapMs);
    SendByte(static_cast<std::uint8_t>(InstrumentCommand::Query));
    return ReadReply(QueryReplyWaitMs);
}

InstrumentReply InstrumentProtocol::PollTransaction() {
    sendChecksum_ = 0;
    return ReadReply(PollReplyWaitMs);
}

void InstrumentProtocol::SendCommand(InstrumentCommand command) {
    Pause(CommandLeadMs);
    SendByte(static_cast<std::uint8_t>(command));
    Pause(FrameGapMs);
    SendByte(AddressByte());
    Pause(FrameGapMs);
}

bool InstrumentProtocol::Pause(std::int32_t ms) {
    return vexilor::Pause(ms, &stop_);
}

}  // namespace vexilor
