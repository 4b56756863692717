#include "pty_pair.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <thread>

namespace vexilor::test {

PtyPair::PtyPair() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        errorText_ = std::strerror(errno);
        return;
    }
    const char* name = ::ptsname(master_);
    if (name == nullptr) {
        errorText_ = std::strerror(errno);
        return;
    }
    slavePath_ = name;
    holder_ = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (holder_ < 0) {
        errorText_ = std::strerror(errno);
        return;
    }
    if (!setSlaveSettings(CookedSettings(slaveSettings()))) {
        errorText_ = std::strerror(errno);
    }
}

PtyPair::~PtyPair() {
    if (holder_ >= 0) {
        ::close(holder_);
    }
    closeMaster();
}

termios PtyPair::slaveSettings() const {
    termios settings{};
    ::tcgetattr(holder_, &settings);
    return settings;
}

bool PtyPair::setSlaveSettings(const termios& settings) const {
    return ::tcsetattr(holder_, TCSANOW, &settings) == 0;
}

bool PtyPair::writeToMaster(const Bytes& bytes) const {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t sent = ::write(master_, bytes.data() + done, bytes.size() - done);
        if (sent < 0 && errno == EINTR) {
            continue;
        }
        if (sent <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(sent);
    }
    return true;
}

Bytes PtyPair::readFromMaster(std::size_t count, std::chrono::milliseconds timeout) const {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + timeout;
    Bytes got;
    while (got.size() < count) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            break;
        }
        pollfd readable{master_, POLLIN, 0};
        const int ready = ::poll(&readable, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready <= 0 || (readable.revents & POLLIN) == 0) {
            break;
        }
        std::uint8_t chunk[64];
        const std::size_t want = std::min(sizeof chunk, count - got.size());
        const ssize_t n = ::read(master_, chunk, want);
        if (n <= 0) {
            break;
        }
        got.insert(got.end(), chunk, chunk + n);
    }
    return got;
}

void PtyPair::closeMaster() {
    if (master_ >= 0) {
        ::close(master_);
        master_ = -1;
    }
}

termios CookedSettings(const termios& base) {
    termios cooked = base;
    cooked.c_iflag |= ICRNL | INLCR | IXON | IXOFF | IXANY | ISTRIP;
    cooked.c_oflag |= OPOST | ONLCR;
    cooked.c_lflag |= ICANON | ECHO | ISIG | IEXTEN;
    cooked.c_cflag |= CSTOPB | CRTSCTS | HUPCL;
    cooked.c_cflag &= ~static_cast<tcflag_t>(CLOCAL);
    cooked.c_cc[VMIN] = 1;
    cooked.c_cc[VTIME] = 5;
    ::cfsetispeed(&cooked, B1200);
    ::cfsetospeed(&cooked, B1200);
    return cooked;
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return condition();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

}  // namespace vexilor::test
