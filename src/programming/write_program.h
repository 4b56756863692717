#pragma once
// Sends a program frame to the instrument, one byte at a time. Nothing comes
// back. The caller owns the line: the acquisition worker has been stopped.

#include <cstdint>

#include "program_frame.h"
#include "protocol.h"

namespace vexilor {

inline constexpr std::int32_t ProgramBytePauseMs = 10;

// Drops waiting input, then sends bytes 0 to 49 and the send checksum, with
// a 10 ms pause after each. A stop request ends the download early.
void WriteProgram(InstrumentProtocol& protocol, const ProgramFrame& frame);

}  // namespace vexilor
