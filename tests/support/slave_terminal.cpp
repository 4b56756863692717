#include "slave_terminal.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace vexilor::test {

namespace {

using Clock = std::chrono::steady_clock;

int MillisecondsLeft(Clock::time_point deadline) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    return static_cast<int>(std::max<std::int64_t>(0, left.count()));
}

// poll's revents for fd, 0 when nothing happened before the deadline.
short WaitFor(int fd, short events, Clock::time_point deadline) {
    pollfd entry{fd, events, 0};
    int ready = 0;
    do {
        ready = ::poll(&entry, 1, MillisecondsLeft(deadline));
    } while (ready < 0 && errno == EINTR);
    return ready > 0 ? entry.revents : 0;
}

}  // namespace

SlaveTerminal::SlaveTerminal(const std::string& path)
    : fd_(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC)) {
    termios settings{};
    if (fd_.valid() && ::tcgetattr(fd_.get(), &settings) == 0) {
        ::cfmakeraw(&settings);
        ::tcsetattr(fd_.get(), TCSANOW, &settings);
    }
}

bool SlaveTerminal::send(const Bytes& bytes) {
    return fd_.valid() &&
           ::write(fd_.get(), bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
}

Bytes SlaveTerminal::receive(std::size_t count, std::chrono::milliseconds deadline) {
    Bytes received;
    const auto end = Clock::now() + deadline;
    while (fd_.valid() && received.size() < count) {
        if ((WaitFor(fd_.get(), POLLIN, end) & POLLIN) == 0) {
            break;
        }
        std::uint8_t buffer[64];
        const std::size_t wanted = std::min(sizeof buffer, count - received.size());
        const ssize_t n = ::read(fd_.get(), buffer, wanted);
        if (n <= 0) {
            break;
        }
        received.insert(received.end(), buffer, buffer + n);
    }
    return received;
}

Bytes SlaveTerminal::exchange(const Bytes& bytes, std::size_t count,
                              std::chrono::milliseconds deadline) {
    if (!send(bytes)) {
        return {};
    }
    return receive(count, deadline);
}

bool SlaveTerminal::waitForHangup(std::chrono::milliseconds deadline) {
    const auto end = Clock::now() + deadline;
    return fd_.valid() && (WaitFor(fd_.get(), POLLIN, end) & (POLLHUP | POLLERR)) != 0;
}

}  // namespace vexilor::test
