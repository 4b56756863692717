#pragma once
// The faults the simulator can put on its replies, to show how the program
// copes with a broken line or instrument.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "instrument_reply.h"

namespace vexilor {

enum class FaultKind {
    None,
    Silent,    // no reply at all
    Checksum,  // the last byte is wrong
    Short,     // only the first shortLength bytes
    Absent,    // the presence bits are cleared
    Noise,     // correct replies, and stray bytes between frames
};

struct Fault {
    FaultKind kind = FaultKind::None;
    int shortLength = 0;

    friend bool operator==(const Fault&, const Fault&) = default;
};

// "none", "silent", "checksum", "short N" (N from 0 to 5), "absent", "noise".
std::optional<Fault> ParseFault(std::string_view text);
std::string FaultText(const Fault& fault);

// The bytes that go on the line for reply under fault.
std::vector<std::uint8_t> FaultyReplyBytes(const InstrumentReply& reply, const Fault& fault);

}  // namespace vexilor
