#pragma once
// One acquisition cycle: four queries and two polls, the checks, Max and Min,
// the picture, the LogLine and the logging step.

#include <string>

#include "cycle_sink.h"
#include "instrument_link.h"
#include "link_error.h"
#include "logging_state.h"

namespace vexilor {

struct CycleContext {
    InstrumentLink& link;
    LinkError& linkError;
    LoggingState& logging;
    CycleSink& sink;
    // The text the Port list showed when the worker started; the port
    // cannot change while a worker runs.
    std::string portText;
};

// Returns early, with nothing more sent or shown, once a stop is requested.
void RunCycle(CycleContext& context);

}  // namespace vexilor
