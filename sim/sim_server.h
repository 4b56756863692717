#pragma once
// The simulator's main loop: one poll over the signal pipe, stdin, the
// control FIFO and the terminal's master side, woken at the latest when the
// seconds of the wall clock change, so the reading moves on time without
// the loop ever spinning.

#include <cstdint>
#include <optional>
#include <random>
#include <string>

#include "control_command.h"
#include "control_fifo.h"
#include "device_link.h"
#include "fault.h"
#include "frame_parser.h"
#include "instrument_model.h"
#include "line_splitter.h"
#include "line_writer.h"
#include "pseudo_terminal.h"
#include "record_log.h"
#include "sim_options.h"

namespace vexilor {

struct SimResources {
    RecordLog& record;
    DeviceLink& link;
    std::optional<ControlFifo>& fifo;
    int signalFd;
};

class SimServer {
  public:
    SimServer(const SimOptions& options, SimResources resources);

    // Runs until quit, a signal or the end of a piped stdin; the exit code.
    int run();

  private:
    enum class Source { Signal, Stdin, Fifo, Terminal };

    bool openTerminal(std::string& error);
    void serveOnce();
    int pollTimeoutMs() const;
    void advanceClock();

    void readTerminal();
    void receive(std::uint8_t byte);
    void sendReply(const InstrumentReply& reply);
    void sendNoiseWhenDue();
    void scheduleNoise();
    void dropStaleFrame();

    void readStdin();
    void readFifo();
    void handleLine(const std::string& line);
    bool stdinWatched() const;
    // Empty on success, otherwise why the command was refused.
    std::string execute(const ControlCommand& command);
    std::string vanish();
    std::string comeBack();

    void say(const std::string& line);
    void log(const std::string& line);

    SimOptions options_;
    SimResources resources_;
    InstrumentModel model_;
    FrameParser parser_;
    LineWriter writer_;
    Fault fault_;
    std::optional<PseudoTerminal> terminal_;
    LineSplitter stdinLines_;
    LineSplitter fifoLines_;
    bool stdinOpen_ = true;
    bool quit_ = false;
    std::int64_t lastSecond_ = 0;
    std::int64_t lastReceivedAt_ = 0;
    std::int64_t noiseAt_ = 0;
    std::mt19937 random_;
};

}  // namespace vexilor
