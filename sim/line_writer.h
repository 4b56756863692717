#pragma once
// Puts bytes on the master side of the terminal, at once or paced at a
// baud rate (ten bit times per byte: start, eight data bits, stop), and
// notes each in the record.

#include <cstdint>
#include <span>

#include "record_log.h"

namespace vexilor {

class LineWriter {
  public:
    // baud 0 sends without pacing.
    LineWriter(std::int32_t baud, RecordLog& record);

    // Bytes the terminal will not take (no client reading, queue full) are
    // dropped, as a line with nobody listening loses them.
    void send(int fd, std::span<const std::uint8_t> bytes);

  private:
    void sendAtOnce(int fd, std::span<const std::uint8_t> bytes);
    void sendPaced(int fd, std::span<const std::uint8_t> bytes);

    std::int64_t byteNanos_;
    std::int64_t lineFreeAt_ = 0;
    RecordLog& record_;
};

}  // namespace vexilor
