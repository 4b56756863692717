#include "sim_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;

namespace vexilor::test {

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto StartDeadline = std::chrono::seconds(10);
constexpr auto ExitDeadline = std::chrono::seconds(5);

struct Pipe {
    UniqueFd read;
    UniqueFd write;
};

// Both ends close on exec; posix_spawn's dup2 gives the child its copy.
Pipe MakePipe() {
    int ends[2];
    if (::pipe(ends) != 0) {
        return {};
    }
    for (const int fd : ends) {
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
    return {UniqueFd(ends[0]), UniqueFd(ends[1])};
}

int MillisecondsLeft(Clock::time_point deadline) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    return static_cast<int>(std::max<std::int64_t>(0, left.count()));
}

int ExitCode(int status) {
    if (WIFEXITED(status)) {
        return WEXITSTATUS(status);
    }
    return 128 + WTERMSIG(status);
}

}  // namespace

Record ParseRecord(const std::string& text) {
    Record record;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        long long micros = 0;
        std::string direction;
        std::string hex;
        if (!(fields >> micros >> direction >> hex) || hex.size() != 2 ||
            (direction != "rx" && direction != "tx")) {
            continue;
        }
        RecordEntry entry;
        entry.microseconds = micros;
        entry.direction = direction == "rx" ? RecordDirection::Rx : RecordDirection::Tx;
        entry.byte = static_cast<std::uint8_t>(std::stoul(hex, nullptr, 16));
        record.push_back(entry);
    }
    return record;
}

SimProcess::SimProcess(const std::vector<std::string>& args)
    : linkPath_(dir_.file("ttyVEX0")), recordPath_(dir_.file("record.txt")) {
    if (dir_.path().empty()) {
        return;
    }
    // A command written after the program died must fail, not kill the test.
    ::signal(SIGPIPE, SIG_IGN);
    Pipe input = MakePipe();
    Pipe output = MakePipe();
    if (!input.read.valid() || !output.read.valid()) {
        return;
    }
    std::vector<std::string> argv = {VEXILOR_SIM_PATH, "--link", linkPath_, "--record",
                                     recordPath_};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> pointers;
    for (auto& arg : argv) {
        pointers.push_back(arg.data());
    }
    pointers.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input.read.get(), STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, output.write.get(), STDOUT_FILENO);
    const int failed =
        posix_spawn(&pid_, VEXILOR_SIM_PATH, &actions, nullptr, pointers.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0) {
        pid_ = -1;
        return;
    }
    stdin_ = std::move(input.write);
    stdout_ = std::move(output.read);
    // The child's ends: closed here, so its exit ends our reads.
    input.read.reset();
    output.write.reset();
    if (const auto first = readLine(StartDeadline)) {
        slavePath_ = *first;
    }
}

SimProcess::~SimProcess() {
    if (pid_ > 0) {
        closeStdinAndWait(ExitDeadline);
    }
}

bool SimProcess::command(const std::string& line, std::chrono::milliseconds deadline) {
    lastAnswer_.clear();
    const std::string text = line + "\n";
    if (!stdin_.valid() ||
        ::write(stdin_.get(), text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
        return false;
    }
    const auto end = Clock::now() + deadline;
    while (true) {
        const auto answer =
            readLine(std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()));
        if (!answer) {
            return false;
        }
        if (answer->starts_with("path ")) {
            slavePath_ = answer->substr(5);
            continue;
        }
        if (answer->starts_with("ok ") || answer->starts_with("error ")) {
            lastAnswer_ = *answer;
            return *answer == "ok " + line;
        }
    }
}

std::optional<std::string> SimProcess::readLine(std::chrono::milliseconds deadline) {
    const auto end = Clock::now() + deadline;
    while (true) {
        if (const auto newline = pending_.find('\n'); newline != std::string::npos) {
            std::string line = pending_.substr(0, newline);
            pending_.erase(0, newline + 1);
            return line;
        }
        if (!fillBuffer(end)) {
            return std::nullopt;
        }
    }
}

bool SimProcess::fillBuffer(Clock::time_point deadline) {
    if (!stdout_.valid() || stdoutEnded_) {
        return false;
    }
    pollfd fd{stdout_.get(), POLLIN, 0};
    int ready = 0;
    do {
        ready = ::poll(&fd, 1, MillisecondsLeft(deadline));
    } while (ready < 0 && errno == EINTR);
    if (ready <= 0) {
        return false;
    }
    char buffer[512];
    const ssize_t count = ::read(stdout_.get(), buffer, sizeof buffer);
    if (count <= 0) {
        stdoutEnded_ = true;
        return false;
    }
    pending_.append(buffer, static_cast<std::size_t>(count));
    return true;
}

Record SimProcess::record() const {
    std::ifstream file(recordPath_);
    std::ostringstream text;
    text << file.rdbuf();
    return ParseRecord(text.str());
}

bool SimProcess::waitForRecord(const std::function<bool(const Record&)>& done,
                               std::chrono::milliseconds deadline, Record* last) const {
    const auto end = Clock::now() + deadline;
    while (true) {
        Record current = record();
        const bool accepted = done(current);
        if (last != nullptr) {
            *last = std::move(current);
        }
        if (accepted || Clock::now() >= end) {
            return accepted;
        }
        // The record is a plain file with nothing to wait on; look again
        // shortly.
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

std::optional<int> SimProcess::closeStdinAndWait(std::chrono::milliseconds deadline) {
    stdin_.reset();
    return waitForExit(deadline);
}

std::optional<int> SimProcess::signalAndWait(int signal, std::chrono::milliseconds deadline) {
    if (pid_ > 0) {
        ::kill(pid_, signal);
    }
    return waitForExit(deadline);
}

std::optional<int> SimProcess::waitForExit(std::chrono::milliseconds deadline) {
    if (pid_ <= 0) {
        return std::nullopt;
    }
    // The program's stdout ends when it exits; past the deadline it is killed.
    const auto end = Clock::now() + deadline;
    while (fillBuffer(end)) {
    }
    const bool ended = stdoutEnded_;
    if (!ended) {
        ::kill(pid_, SIGKILL);
    }
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    pid_ = -1;
    stdin_.reset();
    stdout_.reset();
    if (!ended) {
        return std::nullopt;
    }
    return ExitCode(status);
}

}  // namespace vexilor::test
