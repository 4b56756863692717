#pragma once
// The record of the line: one line per byte received or sent,
//   <monotonic microseconds> <rx|tx> <two hex digits>
// flushed at once, so a test can read it while the simulator runs.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

namespace vexilor {

enum class Direction { Received, Sent };

class RecordLog {
  public:
    // An empty path gives a log that writes nothing.
    static std::optional<RecordLog> open(const std::string& path, std::string& error);

    void write(std::int64_t monotonicNanos, Direction direction, std::uint8_t byte);

  private:
    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };

    std::unique_ptr<std::FILE, FileCloser> file_;
};

}  // namespace vexilor
