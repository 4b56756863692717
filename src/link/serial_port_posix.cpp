// The serial port on POSIX: a tty in raw mode, taken exclusively with flock
// and TIOCEXCL, non-blocking, with the settings found at open put back at
// close.

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <optional>
#include <thread>

#include "platform.h"
#include "posix_io.h"
#include "serial_port.h"
#include "stop_signal.h"

namespace vexilor {

struct SerialPort::Impl {
    posix::UniqueFd fd;
    termios found{};         // the settings the device had when it was opened
    bool exclusive = false;  // TIOCEXCL taken, to be released at close
};

namespace {

constexpr auto WriteTimeoutBase = std::chrono::milliseconds(10);
constexpr auto WriteTimeoutPerByte = std::chrono::milliseconds(100);

std::optional<speed_t> SpeedFor(std::int32_t baud) {
    switch (baud) {
        case 300:
            return B300;
        case 600:
            return B600;
        case 1200:
            return B1200;
        case 2400:
            return B2400;
        case 4800:
            return B4800;
        case 9600:
            return B9600;
        default:
            return std::nullopt;
    }
}

// Raw 8N1 without any flow control or translation; reads return at once
// with what is there.
termios LineSettings(const termios& found, speed_t speed) {
    termios line = found;
    ::cfmakeraw(&line);
    line.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS | HUPCL);
    line.c_cflag |= CS8 | CLOCAL | CREAD;
    line.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY | ICRNL | INLCR | IGNCR | ISTRIP |
                                           INPCK | PARMRK);
    line.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    line.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ECHONL | ISIG | IEXTEN);
    line.c_cc[VMIN] = 0;
    line.c_cc[VTIME] = 0;
    ::cfsetispeed(&line, speed);
    ::cfsetospeed(&line, speed);
    return line;
}

// tcsetattr succeeds when any part of the change took, so the rate is read
// back: a driver that cannot do it has picked another one.
bool ApplyLineSettings(int fd, const termios& line, speed_t speed) {
    if (posix::RetryEintr([&] { return ::tcsetattr(fd, TCSANOW, &line); }) != 0) {
        return false;
    }
    termios applied{};
    if (::tcgetattr(fd, &applied) != 0) {
        return false;
    }
    if (::cfgetospeed(&applied) != speed || ::cfgetispeed(&applied) != speed) {
        errno = EINVAL;
        return false;
    }
    return true;
}

// RTS is held off. A device without modem lines (a pty) has none to clear.
void ClearRts(int fd) {
    int lines = TIOCM_RTS;
    posix::RetryEintr([&] { return ::ioctl(fd, TIOCMBIC, &lines); });
}

// Errors after which the device will never carry bytes again.
bool IsGoneError(int error) {
    return error == EIO || error == ENXIO || error == ENODEV;
}

bool IsHangUp(short revents) {
    return (revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

}  // namespace

SerialPort::SerialPort() : impl_(std::make_unique<Impl>()) {}

SerialPort::~SerialPort() {
    close();
}

bool SerialPort::open(const std::string& name, std::int32_t baud) {
    close();
    const std::optional<speed_t> speed = SpeedFor(baud);
    if (!speed) {
        lastErrorText_ = "Unsupported baud rate " + std::to_string(baud);
        return false;
    }
    posix::UniqueFd fd(posix::RetryEintr(
        [&] { return ::open(name.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC); }));
    if (!fd.valid()) {
        lastErrorText_ = posix::ErrnoText(errno);
        return false;
    }
    // flock keeps out every other opener, root included (TIOCEXCL does not
    // stop root); a second open in this process has its own lock to lose.
    if (posix::RetryEintr([&] { return ::flock(fd.get(), LOCK_EX | LOCK_NB); }) != 0) {
        lastErrorText_ = posix::ErrnoText(errno);
        return false;
    }
    termios found{};
    if (::tcgetattr(fd.get(), &found) != 0) {
        lastErrorText_ = posix::ErrnoText(errno);
        return false;
    }
    if (!ApplyLineSettings(fd.get(), LineSettings(found, *speed), *speed)) {
        lastErrorText_ = posix::ErrnoText(errno);
        posix::RetryEintr([&] { return ::tcsetattr(fd.get(), TCSANOW, &found); });
        return false;
    }
    const bool exclusive = ::ioctl(fd.get(), TIOCEXCL) == 0;
    ClearRts(fd.get());

    impl_->fd = std::move(fd);
    impl_->found = found;
    impl_->exclusive = exclusive;
    deviceGone_.store(false, std::memory_order_release);
    lastErrorText_.clear();
    return true;
}

void SerialPort::close() {
    if (!impl_->fd.valid()) {
        return;
    }
    const int fd = impl_->fd.get();
    // A device that went away refuses both; there is nothing left to restore.
    posix::RetryEintr([&] { return ::tcsetattr(fd, TCSANOW, &impl_->found); });
    if (impl_->exclusive) {
        // Exclusive use outlives the descriptor while the tty stays alive.
        ::ioctl(fd, TIOCNXCL);
        impl_->exclusive = false;
    }
    impl_->fd.reset();  // also drops the flock
    deviceGone_.store(false, std::memory_order_release);
}

bool SerialPort::isOpen() const {
    return impl_->fd.valid();
}

std::int32_t SerialPort::bytesWaiting() {
    if (!isOpen()) {
        return 0;
    }
    int count = 0;
    if (posix::RetryEintr([&] { return ::ioctl(impl_->fd.get(), FIONREAD, &count); }) != 0) {
        noteFailure(errno);
        return 0;
    }
    return count;
}

std::int32_t SerialPort::read(std::uint8_t* buffer, std::int32_t count) {
    if (!isOpen() || buffer == nullptr || count <= 0) {
        return 0;
    }
    const int fd = impl_->fd.get();
    const ssize_t got =
        posix::RetryEintr([&] { return ::read(fd, buffer, static_cast<std::size_t>(count)); });
    if (got > 0) {
        return static_cast<std::int32_t>(got);
    }
    if (got < 0) {
        if (errno != EAGAIN && errno != EWOULDBLOCK) {
            noteFailure(errno);
        }
        return 0;
    }
    // With VMIN and VTIME at 0 an empty queue reads as 0 too; only a
    // hang-up tells the two apart.
    pollfd probe{fd, POLLIN, 0};
    if (posix::RetryEintr([&] { return ::poll(&probe, 1, 0); }) > 0 && IsHangUp(probe.revents)) {
        markGone("The device hung up");
    }
    return 0;
}

std::int32_t SerialPort::write(const std::uint8_t* buffer, std::int32_t count) {
    if (!isOpen() || buffer == nullptr || count <= 0) {
        return 0;
    }
    const int fd = impl_->fd.get();
    const auto deadline = MonotonicClock::now() + WriteTimeoutBase + WriteTimeoutPerByte * count;
    std::int32_t written = 0;
    while (written < count) {
        const ssize_t sent = posix::RetryEintr([&] {
            return ::write(fd, buffer + written, static_cast<std::size_t>(count - written));
        });
        if (sent > 0) {
            written += static_cast<std::int32_t>(sent);
            continue;
        }
        if (sent < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            noteFailure(errno);
            break;
        }
        if (sent == 0) {
            break;
        }
        // The output queue is full: wait for room until the time-out.
        pollfd room{fd, POLLOUT, 0};
        if (posix::PollUntil(&room, 1, deadline) <= 0) {
            break;
        }
        if (IsHangUp(room.revents)) {
            markGone("The device hung up");
            break;
        }
    }
    return written;
}

InputWait SerialPort::waitForInput(std::chrono::microseconds timeout, const StopSignal* stop) {
    const auto deadline = MonotonicClock::now() + timeout;
    if (!isOpen()) {
        return platform::WaitForStopUntil(stop, deadline) ? InputWait::TimedOut
                                                          : InputWait::Stopped;
    }
    if (stop != nullptr && stop->requested()) {
        return InputWait::Stopped;
    }
    if (deviceGone()) {
        return InputWait::Gone;
    }
    std::array<pollfd, 2> fds{};
    fds[0] = pollfd{impl_->fd.get(), POLLIN, 0};
    nfds_t count = 1;
    if (stop != nullptr) {
        fds[1] = pollfd{static_cast<int>(stop->nativeHandle()), POLLIN, 0};
        count = 2;
    }
    const int result = posix::PollUntil(fds.data(), count, deadline);
    if (stop != nullptr && stop->requested()) {
        return InputWait::Stopped;
    }
    if (result == 0) {
        return InputWait::TimedOut;
    }
    if (result < 0) {
        // ppoll itself failed (out of memory): keep the wait's length.
        lastErrorText_ = posix::ErrnoText(errno);
        std::this_thread::sleep_until(deadline);
        return InputWait::TimedOut;
    }
    if (IsHangUp(fds[0].revents)) {
        markGone("The device hung up");
        return InputWait::Gone;
    }
    if (bytesWaiting() > 0) {
        return InputWait::Ready;
    }
    // Readable with nothing to read: the device has gone.
    markGone("The device reports input but has none");
    return InputWait::Gone;
}

void SerialPort::noteFailure(int error) {
    lastErrorText_ = posix::ErrnoText(error);
    if (IsGoneError(error)) {
        deviceGone_.store(true, std::memory_order_release);
    }
}

void SerialPort::markGone(const char* why) {
    lastErrorText_ = why;
    deviceGone_.store(true, std::memory_order_release);
}

}  // namespace vexilor
