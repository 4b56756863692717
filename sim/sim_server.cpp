#include "sim_server.h"

#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "sim_clock.h"

namespace vexilor {

namespace {

// A frame whose next byte is this late was abandoned by its sender.
constexpr std::int64_t FrameTimeoutNanos = NanosPerSecond;
constexpr std::int64_t NanosPerMs = 1'000'000;

int CeilMs(std::int64_t nanos) {
    return static_cast<int>(std::max<std::int64_t>(0, (nanos + NanosPerMs - 1) / NanosPerMs));
}

// A pipe or socket closed by its writer means the controlling process is
// done with us; so does Ctrl-D on a terminal. End of /dev/null or of a file
// of commands only means there is nothing more to read.
bool EndOfStdinMeansQuit() {
    if (isatty(STDIN_FILENO)) {
        return true;
    }
    struct stat info {};
    return fstat(STDIN_FILENO, &info) == 0 && (S_ISFIFO(info.st_mode) || S_ISSOCK(info.st_mode));
}

}  // namespace

SimServer::SimServer(const SimOptions& options, SimResources resources)
    : options_(options),
      resources_(resources),
      model_(options.model),
      writer_(options.baud, resources.record),
      random_(std::random_device{}()) {}

int SimServer::run() {
    std::string error;
    if (!openTerminal(error)) {
        log(error);
        return 1;
    }
    say(terminal_->slavePath());
    log("instrument at address " + std::to_string(model_.address()) + " on " +
        terminal_->slavePath());
    lastSecond_ = WallClockSecond();
    while (!quit_) {
        serveOnce();
    }
    return 0;
}

bool SimServer::openTerminal(std::string& error) {
    terminal_ = PseudoTerminal::open(error);
    if (!terminal_) {
        return false;
    }
    if (!resources_.link.pointAt(terminal_->slavePath(), error)) {
        terminal_.reset();
        return false;
    }
    return true;
}

void SimServer::serveOnce() {
    std::vector<pollfd> fds;
    std::vector<Source> sources;
    auto watch = [&](int fd, Source source) {
        fds.push_back(pollfd{fd, POLLIN, 0});
        sources.push_back(source);
    };
    watch(resources_.signalFd, Source::Signal);
    if (stdinWatched()) {
        watch(STDIN_FILENO, Source::Stdin);
    }
    if (resources_.fifo) {
        watch(resources_.fifo->readFd(), Source::Fifo);
    }
    if (terminal_) {
        watch(terminal_->master(), Source::Terminal);
    }
    const int ready = ::poll(fds.data(), static_cast<nfds_t>(fds.size()), pollTimeoutMs());
    if (ready < 0 && errno != EINTR) {
        log(std::string("poll: ") + std::strerror(errno));
        quit_ = true;
        return;
    }
    advanceClock();
    for (std::size_t i = 0; i < fds.size() && ready > 0 && !quit_; ++i) {
        if (fds[i].revents == 0) {
            continue;
        }
        switch (sources[i]) {
            case Source::Signal:
                log("signal received, leaving");
                quit_ = true;
                break;
            case Source::Stdin:
                readStdin();
                break;
            case Source::Fifo:
                readFifo();
                break;
            case Source::Terminal:
                // A command may have closed the terminal in this round.
                if (terminal_ && terminal_->master() == fds[i].fd) {
                    readTerminal();
                }
                break;
        }
    }
    sendNoiseWhenDue();
    dropStaleFrame();
}

int SimServer::pollTimeoutMs() const {
    std::int64_t wait = NanosToNextWallSecond();
    const std::int64_t now = MonotonicNanos();
    if (terminal_ && fault_.kind == FaultKind::Noise) {
        wait = std::min(wait, noiseAt_ - now);
    }
    if (parser_.insideFrame()) {
        wait = std::min(wait, lastReceivedAt_ + FrameTimeoutNanos - now);
    }
    return CeilMs(wait);
}

void SimServer::advanceClock() {
    const std::int64_t second = WallClockSecond();
    std::int64_t ticks = second - lastSecond_;
    // A clock set back or far forward moves the reading by one step only.
    if (ticks < 0 || ticks > 10) {
        ticks = 1;
    }
    lastSecond_ = second;
    for (std::int64_t i = 0; i < ticks; ++i) {
        model_.tick();
    }
}

void SimServer::readTerminal() {
    std::array<std::uint8_t, 256> buffer{};
    const ssize_t count = ::read(terminal_->master(), buffer.data(), buffer.size());
    if (count <= 0) {
        if (count < 0 && (errno == EAGAIN || errno == EINTR)) {
            return;
        }
        // We hold the slave open, so this should not happen; if it does, the
        // terminal is no use and would wake poll without end.
        log("the terminal failed; it is gone until \"return\"");
        vanish();
        return;
    }
    lastReceivedAt_ = MonotonicNanos();
    // Each byte is noted and answered before the next, so the record shows
    // a reply right after the byte that asked for it.
    for (ssize_t i = 0; i < count && terminal_; ++i) {
        const std::uint8_t byte = buffer[static_cast<std::size_t>(i)];
        resources_.record.write(MonotonicNanos(), Direction::Received, byte);
        receive(byte);
    }
}

void SimServer::receive(std::uint8_t byte) {
    const auto frame = parser_.push(byte);
    if (!frame) {
        return;
    }
    const FrameOutcome outcome = model_.handle(*frame);
    if (!outcome.note.empty()) {
        log(outcome.note);
    }
    if (outcome.reply) {
        sendReply(*outcome.reply);
    }
}

void SimServer::sendReply(const InstrumentReply& reply) {
    const std::vector<std::uint8_t> bytes = FaultyReplyBytes(reply, fault_);
    if (bytes.empty()) {
        return;
    }
    if (options_.replyDelayMs > 0) {
        SleepUntil(MonotonicNanos() + options_.replyDelayMs * NanosPerMs);
    }
    writer_.send(terminal_->master(), bytes);
}

void SimServer::sendNoiseWhenDue() {
    if (!terminal_ || fault_.kind != FaultKind::Noise || parser_.insideFrame() ||
        MonotonicNanos() < noiseAt_) {
        return;
    }
    const auto byte =
        static_cast<std::uint8_t>(std::uniform_int_distribution<int>(0, 255)(random_));
    writer_.send(terminal_->master(), std::span(&byte, 1));
    scheduleNoise();
}

void SimServer::scheduleNoise() {
    // A few stray bytes a second, at uneven times.
    const auto gapMs = std::uniform_int_distribution<std::int64_t>(150, 600)(random_);
    noiseAt_ = MonotonicNanos() + gapMs * NanosPerMs;
}

void SimServer::dropStaleFrame() {
    if (parser_.insideFrame() && MonotonicNanos() - lastReceivedAt_ >= FrameTimeoutNanos) {
        parser_.abandon();
        log("unfinished frame dropped");
    }
}

bool SimServer::stdinWatched() const {
    if (!stdinOpen_) {
        return false;
    }
    // A background job that reads its terminal is stopped by SIGTTIN; the
    // terminal is read only while we are in the foreground.
    return !isatty(STDIN_FILENO) || tcgetpgrp(STDIN_FILENO) == getpgrp();
}

void SimServer::readStdin() {
    std::array<char, 512> buffer{};
    const ssize_t count = ::read(STDIN_FILENO, buffer.data(), buffer.size());
    if (count < 0) {
        if (errno != EINTR && errno != EAGAIN) {
            stdinOpen_ = false;
        }
        return;
    }
    if (count == 0) {
        stdinOpen_ = false;
        if (const auto last = stdinLines_.rest()) {
            handleLine(*last);
        }
        if (EndOfStdinMeansQuit()) {
            quit_ = true;
        }
        return;
    }
    stdinLines_.append(std::string_view(buffer.data(), static_cast<std::size_t>(count)));
    while (const auto line = stdinLines_.nextLine()) {
        handleLine(*line);
        if (quit_) {
            return;
        }
    }
}

void SimServer::readFifo() {
    std::array<char, 512> buffer{};
    const ssize_t count = ::read(resources_.fifo->readFd(), buffer.data(), buffer.size());
    if (count <= 0) {
        return;
    }
    fifoLines_.append(std::string_view(buffer.data(), static_cast<std::size_t>(count)));
    while (const auto line = fifoLines_.nextLine()) {
        handleLine(*line);
        if (quit_) {
            return;
        }
    }
}

void SimServer::handleLine(const std::string& line) {
    const ParsedCommand parsed = ParseControlCommand(line);
    if (const auto* error = std::get_if<CommandError>(&parsed)) {
        if (!error->text.empty()) {
            say("error " + error->text + ": " + error->message);
        }
        return;
    }
    const auto& command = std::get<ControlCommand>(parsed);
    const std::string refusal = execute(command);
    if (refusal.empty()) {
        say("ok " + command.text);
    } else {
        say("error " + command.text + ": " + refusal);
    }
}

std::string SimServer::execute(const ControlCommand& command) {
    switch (command.kind) {
        case CommandKind::SetFault:
            fault_ = command.fault;
            scheduleNoise();
            log("fault " + FaultText(fault_));
            return {};
        case CommandKind::Vanish:
            return vanish();
        case CommandKind::Return:
            return comeBack();
        case CommandKind::SetAddress:
            if (!model_.setAddress(command.address)) {
                return "a single-address model answers at 1 only";
            }
            return {};
        case CommandKind::FixReading:
            model_.fixReading(command.reading);
            return {};
        case CommandKind::FreeReading:
            model_.releaseReading();
            return {};
        case CommandKind::Quit:
            quit_ = true;
            return {};
    }
    return {};
}

std::string SimServer::vanish() {
    if (!terminal_) {
        return "the terminal is already gone";
    }
    terminal_.reset();
    resources_.link.remove();
    parser_.abandon();
    log("terminal closed");
    return {};
}

std::string SimServer::comeBack() {
    if (terminal_) {
        return "the terminal is still there";
    }
    std::string error;
    if (!openTerminal(error)) {
        return error;
    }
    say("path " + terminal_->slavePath());
    log("terminal back on " + terminal_->slavePath());
    return {};
}

void SimServer::say(const std::string& line) {
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
}

void SimServer::log(const std::string& line) {
    std::fputs(("vexilor-sim: " + line + "\n").c_str(), stderr);
}

}  // namespace vexilor
