// vexilor-sim: a Vexilor counter on a pseudo-terminal, for running and
// testing the program without the instrument.

#include <signal.h>

#include <cstdio>
#include <string>
#include <vector>

#include "control_fifo.h"
#include "device_link.h"
#include "record_log.h"
#include "signal_watcher.h"
#include "sim_options.h"
#include "sim_server.h"

namespace {

int Fail(const std::string& message) {
    std::fprintf(stderr, "vexilor-sim: %s\n", message.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const auto parsed = vexilor::ParseSimOptions(args);
    if (const auto* error = std::get_if<std::string>(&parsed)) {
        std::fprintf(stderr, "vexilor-sim: %s\n%s", error->c_str(), vexilor::SimUsage().c_str());
        return 2;
    }
    const auto& options = std::get<vexilor::SimOptions>(parsed);
    if (options.help) {
        std::fputs(vexilor::SimUsage().c_str(), stdout);
        return 0;
    }
    // A reader that went away must not kill us in the middle of a write.
    ::signal(SIGPIPE, SIG_IGN);
    const vexilor::SignalWatcher signals;
    if (!signals.valid()) {
        return Fail("cannot watch signals");
    }
    std::string error;
    auto record = vexilor::RecordLog::open(options.recordPath, error);
    if (!record) {
        return Fail(error);
    }
    auto fifo = options.controlPath.empty()
                    ? std::optional<vexilor::ControlFifo>()
                    : vexilor::ControlFifo::create(options.controlPath, error);
    if (!options.controlPath.empty() && !fifo) {
        return Fail(error);
    }
    vexilor::DeviceLink link(options.linkPath);
    vexilor::SimServer server(options, {*record, link, fifo, signals.readFd()});
    return server.run();
}
