#include "posix_io.h"

#include <unistd.h>

#include <system_error>

namespace vexilor::posix {

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept {
    if (this != &other) {
        reset(other.release());
    }
    return *this;
}

int UniqueFd::release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

void UniqueFd::reset(int fd) {
    if (fd_ >= 0) {
        // close is not retried on EINTR: on Linux the descriptor is gone
        // either way, and a retry could close one reused by another thread.
        ::close(fd_);
    }
    fd_ = fd;
}

timespec TimeLeftUntil(MonotonicClock::time_point deadline) {
    using namespace std::chrono;
    const auto left = deadline - MonotonicClock::now();
    if (left <= MonotonicClock::duration::zero()) {
        return timespec{0, 0};
    }
    const auto whole = duration_cast<seconds>(left);
    const auto fraction = duration_cast<nanoseconds>(left - whole);
    timespec ts{};
    ts.tv_sec = static_cast<time_t>(whole.count());
    ts.tv_nsec = static_cast<long>(fraction.count());
    return ts;
}

int PollUntil(pollfd* fds, nfds_t count, MonotonicClock::time_point deadline) {
    for (;;) {
        const timespec left = TimeLeftUntil(deadline);
        const int result = ::ppoll(fds, count, &left, nullptr);
        if (result > 0) {
            return result;
        }
        if (result < 0 && errno != EINTR) {
            return result;
        }
        if (MonotonicClock::now() >= deadline) {
            return 0;
        }
    }
}

std::string ErrnoText(int error) {
    return std::system_category().message(error);
}

}  // namespace vexilor::posix
