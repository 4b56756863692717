#pragma once
// Small helpers shared by the POSIX backends: an owning file descriptor,
// EINTR retries and polls against a monotonic deadline.

#include <poll.h>

#include <cerrno>
#include <string>

#include "clock.h"

namespace vexilor::posix {

// Owns one file descriptor and closes it when it goes.
class UniqueFd {
  public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : fd_(fd) {}
    ~UniqueFd() { reset(); }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    UniqueFd(UniqueFd&& other) noexcept : fd_(other.release()) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept;

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    int release();
    void reset(int fd = -1);

  private:
    int fd_ = -1;
};

// Runs call until it fails with something other than EINTR.
template <typename Call>
auto RetryEintr(Call call) {
    for (;;) {
        auto result = call();
        if (result != -1 || errno != EINTR) {
            return result;
        }
    }
}

// The time left until deadline, never negative.
timespec TimeLeftUntil(MonotonicClock::time_point deadline);

// ppoll on fds until one of them reports something or deadline passes;
// early wake-ups and EINTR are waited out. Returns the ppoll result of the
// last round: above 0 with revents filled in, 0 at the deadline, -1 with
// errno on failure.
int PollUntil(pollfd* fds, nfds_t count, MonotonicClock::time_point deadline);

// strerror text of errno, safe to call from any thread.
std::string ErrnoText(int error);

}  // namespace vexilor::posix
