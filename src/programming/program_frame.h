#pragma once
// The 51-byte frame that downloads the parameter set into the instrument:
// the Download command, the address, the twelve parameters and the XOR of
// all bytes before it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "parameter_set.h"

namespace vexilor {

inline constexpr std::size_t ProgramFrameLength = 51;
using ProgramFrame = std::array<std::uint8_t, ProgramFrameLength>;

struct ProgramFrameResult {
    // Present when every parameter can be sent.
    std::optional<ProgramFrame> frame;
    // Otherwise the mnemonics ("FUNCT", "AL1", ...) of the parameters that
    // cannot, each once, in the order of the Programming tab.
    std::vector<std::string> refusedParameters;
};

// A list whose text is not one of its rows (none selected) or a value that
// is not all digits refuses the frame; an empty value sends zeros.
ProgramFrameResult BuildProgramFrame(const ParameterSet& set, std::uint8_t address);

// XOR of bytes 0 to 49, the value of byte 50.
std::uint8_t ProgramChecksum(const ProgramFrame& frame);

}  // namespace vexilor
