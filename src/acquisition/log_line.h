#pragma once
// The LogLine: one LogTable row as a single text, fields separated by a line
// feed: Time, Read, AL1, AL2 for a good cycle; Time and the error otherwise.

#include <string>

#include "clock.h"
#include "instrument_reply.h"

namespace vexilor {

// "2016/05/23 07:07:02": four-digit year, every other field two digits.
std::string FormatTimestamp(const LocalTime& time);

std::string BuildLogLine(const LocalTime& time, const std::string& linkError,
                         const InstrumentReply& reply);

}  // namespace vexilor
