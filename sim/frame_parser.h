#pragma once
// Splits the bytes the instrument receives into frames. There is no framing
// byte on the line: a command byte opens a frame, an address byte on its own
// is a poll, and anything else is dropped.

#include <array>
#include <cstdint>
#include <optional>

namespace vexilor {

// Bus addresses run from 0 to 250; the bytes above are command bytes.
inline constexpr std::uint8_t MaxBusAddress = 250;

inline constexpr int DownloadParameterLength = 48;
// Command, address, parameters, checksum.
inline constexpr int DownloadFrameLength = DownloadParameterLength + 3;

using DownloadParameters = std::array<std::uint8_t, DownloadParameterLength>;

enum class FrameKind { Poll, Query, Hold, Reset, Download };

struct Frame {
    FrameKind kind = FrameKind::Poll;
    std::uint8_t address = 0;
    // Download only: the 48 bytes between address and checksum, and whether
    // the checksum byte equals the XOR of every byte before it.
    DownloadParameters parameters{};
    bool checksumMatches = false;
};

class FrameParser {
  public:
    // Feeds one received byte; returns the frame it completes, if any.
    std::optional<Frame> push(std::uint8_t byte);

    // Drops a frame that was left half-sent.
    void abandon();
    bool insideFrame() const { return state_ != State::Idle; }

  private:
    enum class State { Idle, Address, Parameters, Checksum };

    std::optional<Frame> startFrame(std::uint8_t byte);

    State state_ = State::Idle;
    Frame frame_;
    int parameterCount_ = 0;
    std::uint8_t checksum_ = 0;
};

}  // namespace vexilor
