#pragma once
// What a cycle hands to the window. The worker calls these in cycle order;
// the implementation carries each one over to the main thread, which owns the
// controls, and drops what a stopped worker left behind. None of them waits
// for the main thread.

#include <cstdint>
#include <string>

#include "instrument_reply.h"

namespace vexilor {

class CycleSink {
  public:
    virtual ~CycleSink() = default;

    // The full label texts ("Max = " followed by a reading text).
    virtual void showMaxMin(const std::string& maxLabel, const std::string& minLabel) = 0;
    // Renders the reply, or the error text when linkError is not empty, and
    // shows the picture.
    virtual void drawReading(const InstrumentReply& reply, const std::string& linkError) = 0;
    // The logging step's table update: when "DataLogger activated" is ticked,
    // trim the table for maxRecords and put the line on top.
    virtual void logLine(const std::string& logLine, std::int32_t maxRecords) = 0;
};

}  // namespace vexilor
