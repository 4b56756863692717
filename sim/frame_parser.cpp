#include "frame_parser.h"

#include "instrument_reply.h"

namespace vexilor {

namespace {

std::optional<FrameKind> CommandKind(std::uint8_t byte) {
    switch (byte) {
        case static_cast<std::uint8_t>(InstrumentCommand::Query):
            return FrameKind::Query;
        case static_cast<std::uint8_t>(InstrumentCommand::Hold):
            return FrameKind::Hold;
        case static_cast<std::uint8_t>(InstrumentCommand::Reset):
            return FrameKind::Reset;
        case static_cast<std::uint8_t>(InstrumentCommand::Download):
            return FrameKind::Download;
        default:
            return std::nullopt;
    }
}

}  // namespace

std::optional<Frame> FrameParser::push(std::uint8_t byte) {
    switch (state_) {
        case State::Idle:
            return startFrame(byte);
        case State::Address:
            if (byte > MaxBusAddress) {
                // A command byte where the address should be: the frame
                // before it was cut short, so this byte starts a new one.
                abandon();
                return startFrame(byte);
            }
            frame_.address = byte;
            if (frame_.kind != FrameKind::Download) {
                state_ = State::Idle;
                return frame_;
            }
            checksum_ ^= byte;
            state_ = State::Parameters;
            return std::nullopt;
        case State::Parameters:
            frame_.parameters[static_cast<std::size_t>(parameterCount_)] = byte;
            checksum_ ^= byte;
            if (++parameterCount_ == DownloadParameterLength) {
                state_ = State::Checksum;
            }
            return std::nullopt;
        case State::Checksum:
            frame_.checksumMatches = byte == checksum_;
            state_ = State::Idle;
            return frame_;
    }
    return std::nullopt;
}

void FrameParser::abandon() {
    state_ = State::Idle;
    frame_ = Frame{};
    parameterCount_ = 0;
    checksum_ = 0;
}

std::optional<Frame> FrameParser::startFrame(std::uint8_t byte) {
    abandon();
    if (const auto kind = CommandKind(byte)) {
        frame_.kind = *kind;
        checksum_ = byte;
        state_ = State::Address;
        return std::nullopt;
    }
    if (byte <= MaxBusAddress) {
        frame_.kind = FrameKind::Poll;
        frame_.address = byte;
        return frame_;
    }
    return std::nullopt;
}

}  // namespace vexilor
