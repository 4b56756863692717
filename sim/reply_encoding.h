#pragma once
// Builds the six reply bytes the instrument sends for a reading.

#include <cstdint>

#include "instrument_reply.h"
#include "reading.h"

namespace vexilor {

// statusBits are the StatusByte bits other than the leading one (presence,
// alarms, hold). The reading is clamped to what eight digits show. A leading
// digit of 1 travels as StatusLeadingOne with a 0 in the high nibble of digit
// byte 1; any other leading digit sits in that nibble.
InstrumentReply EncodeReply(Reading reading, std::uint8_t statusBits);

}  // namespace vexilor
