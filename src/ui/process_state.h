#pragma once
// The process-wide values of the program, kept together in one instance
// that main() owns. Thread rules:
// - linkSettings: main thread only. The worker gets the address and the port
//   text when it is started; they change only while no worker runs.
// - linkError: any thread; every access takes its lock.
// - logging: atomics. The main thread sets logTick to -1 and writes
//   logInterval and maxRecords; the worker counts logTick and reads the rest.
// - pacing: written by the worker, kept across workers.
// - aboutText: written once at start-up, before any worker exists.

#include <string>

#include "acquisition_worker.h"
#include "link_error.h"
#include "link_settings.h"
#include "logging_state.h"

namespace vexilor {

struct ProcessState {
    LinkSettings linkSettings;
    LinkError linkError;
    LoggingState logging;
    PacingState pacing;
    std::string aboutText;
};

// The text of the About box.
std::string MakeAboutText();

}  // namespace vexilor
