#include "line_writer.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "sim_clock.h"

namespace vexilor {

namespace {

// How many of the bytes the descriptor took.
std::size_t WriteSome(int fd, std::span<const std::uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            break;
        }
    }
    return done;
}

}  // namespace

LineWriter::LineWriter(std::int32_t baud, RecordLog& record)
    : byteNanos_(baud > 0 ? 10 * NanosPerSecond / baud : 0), record_(record) {}

void LineWriter::send(int fd, std::span<const std::uint8_t> bytes) {
    if (byteNanos_ > 0) {
        sendPaced(fd, bytes);
    } else {
        sendAtOnce(fd, bytes);
    }
}

void LineWriter::sendAtOnce(int fd, std::span<const std::uint8_t> bytes) {
    const std::int64_t now = MonotonicNanos();
    const std::size_t sent = WriteSome(fd, bytes);
    for (std::size_t i = 0; i < sent; ++i) {
        record_.write(now, Direction::Sent, bytes[i]);
    }
}

void LineWriter::sendPaced(int fd, std::span<const std::uint8_t> bytes) {
    for (const std::uint8_t byte : bytes) {
        SleepUntil(lineFreeAt_);
        // The next byte may start only a whole byte time after this one
        // really went out, so a late wake-up never squeezes the gap.
        const std::int64_t startedAt = std::max(MonotonicNanos(), lineFreeAt_);
        if (WriteSome(fd, std::span(&byte, 1)) != 1) {
            return;
        }
        record_.write(startedAt, Direction::Sent, byte);
        lineFreeAt_ = startedAt + byteNanos_;
    }
}

}  // namespace vexilor
