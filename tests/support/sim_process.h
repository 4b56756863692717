#pragma once
// Runs the vexilor-sim program for a test: started with posix_spawn, its
// stdin and stdout on pipes, a link and a record file in a directory of its
// own. The destructor ends and reaps the process.

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "temp_dir.h"
#include "unique_fd.h"

namespace vexilor::test {

enum class RecordDirection { Rx, Tx };

// One line of the simulator's record.
struct RecordEntry {
    std::int64_t microseconds = 0;  // CLOCK_MONOTONIC
    RecordDirection direction = RecordDirection::Rx;
    std::uint8_t byte = 0;

    friend bool operator==(const RecordEntry&, const RecordEntry&) = default;
};

using Record = std::vector<RecordEntry>;

class SimProcess {
  public:
    // args go after the --link and --record options the process always gets.
    explicit SimProcess(const std::vector<std::string>& args = {});
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    // True once the program has printed its terminal's path.
    bool started() const { return !slavePath_.empty(); }
    // The current slave terminal; follows the "path" line after "return".
    const std::string& slavePath() const { return slavePath_; }
    const std::string& linkPath() const { return linkPath_; }
    const std::string& recordPath() const { return recordPath_; }
    const TempDir& dir() const { return dir_; }

    // Sends one command line and waits for its answer. True when the answer
    // is "ok <line>"; the answer itself is kept in lastAnswer().
    bool command(const std::string& line,
                 std::chrono::milliseconds deadline = std::chrono::seconds(5));
    const std::string& lastAnswer() const { return lastAnswer_; }

    // The next line of stdout, or nothing when none came within deadline.
    std::optional<std::string> readLine(std::chrono::milliseconds deadline);

    Record record() const;
    // Re-reads the record until done accepts it or the deadline passes; the
    // last record read either way.
    bool waitForRecord(const std::function<bool(const Record&)>& done,
                       std::chrono::milliseconds deadline = std::chrono::seconds(5),
                       Record* last = nullptr) const;

    // Closes the program's stdin (or sends a signal) and waits for it to end;
    // its exit status, or nothing when it had to be killed.
    std::optional<int> closeStdinAndWait(std::chrono::milliseconds deadline);
    std::optional<int> signalAndWait(int signal, std::chrono::milliseconds deadline);

  private:
    std::optional<int> waitForExit(std::chrono::milliseconds deadline);
    bool fillBuffer(std::chrono::steady_clock::time_point deadline);

    TempDir dir_;
    std::string linkPath_;
    std::string recordPath_;
    pid_t pid_ = -1;
    UniqueFd stdin_;
    UniqueFd stdout_;
    std::string pending_;
    bool stdoutEnded_ = false;
    std::string slavePath_;
    std::string lastAnswer_;
};

// Parses record text; lines that do not parse are skipped.
Record ParseRecord(const std::string& text);

}  // namespace vexilor::test
