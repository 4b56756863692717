// The stop signal as a self-pipe: a request writes one byte, which makes the
// read end readable for every poll that watches it until reset drains it.

#include <fcntl.h>
#include <unistd.h>

#include <array>

#include "posix_io.h"
#include "stop_signal.h"

namespace vexilor {

struct StopSignal::Impl {
    posix::UniqueFd readEnd;
    posix::UniqueFd writeEnd;
};

namespace {

void MakeNonBlockingCloseOnExec(int fd) {
    const int status = ::fcntl(fd, F_GETFL);
    if (status != -1) {
        ::fcntl(fd, F_SETFL, status | O_NONBLOCK);
    }
    ::fcntl(fd, F_SETFD, FD_CLOEXEC);
}

}  // namespace

StopSignal::StopSignal() : impl_(std::make_unique<Impl>()) {
    std::array<int, 2> ends{-1, -1};
    if (::pipe(ends.data()) == 0) {
        impl_->readEnd.reset(ends[0]);
        impl_->writeEnd.reset(ends[1]);
        MakeNonBlockingCloseOnExec(ends[0]);
        MakeNonBlockingCloseOnExec(ends[1]);
    }
}

StopSignal::~StopSignal() = default;

void StopSignal::request() {
    // The flag first: a waiter woken by the byte must find it set.
    requested_.store(true, std::memory_order_release);
    if (impl_->writeEnd.valid()) {
        const char wake = 1;
        // A full pipe is already readable, so EAGAIN loses nothing.
        posix::RetryEintr([&] { return ::write(impl_->writeEnd.get(), &wake, 1); });
    }
}

void StopSignal::reset() {
    if (impl_->readEnd.valid()) {
        std::array<char, 64> sink{};
        while (posix::RetryEintr(
                   [&] { return ::read(impl_->readEnd.get(), sink.data(), sink.size()); }) > 0) {
        }
    }
    requested_.store(false, std::memory_order_release);
}

std::intptr_t StopSignal::nativeHandle() const {
    return impl_->readEnd.get();
}

}  // namespace vexilor
