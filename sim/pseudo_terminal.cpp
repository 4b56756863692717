#include "pseudo_terminal.h"

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>

#include <cerrno>
#include <cstring>

namespace vexilor {

namespace {

std::string SystemError(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

bool MakeRaw(int fd) {
    termios settings{};
    if (tcgetattr(fd, &settings) != 0) {
        return false;
    }
    cfmakeraw(&settings);
    settings.c_cflag |= CLOCAL | CREAD;
    cfsetispeed(&settings, B9600);
    cfsetospeed(&settings, B9600);
    return tcsetattr(fd, TCSANOW, &settings) == 0;
}

bool SetCloseOnExec(int fd) {
    const int flags = fcntl(fd, F_GETFD);
    return flags >= 0 && fcntl(fd, F_SETFD, flags | FD_CLOEXEC) == 0;
}

}  // namespace

std::optional<PseudoTerminal> PseudoTerminal::open(std::string& error) {
    PseudoTerminal terminal;
    terminal.master_.reset(posix_openpt(O_RDWR | O_NOCTTY));
    const int master = terminal.master_.get();
    if (master < 0) {
        error = SystemError("posix_openpt");
        return std::nullopt;
    }
    // Non-blocking: with no client reading, the terminal's queue fills and
    // a reply is dropped rather than stalling the simulator.
    if (!SetCloseOnExec(master) || fcntl(master, F_SETFL, O_NONBLOCK) != 0) {
        error = SystemError("fcntl");
        return std::nullopt;
    }
    if (grantpt(master) != 0 || unlockpt(master) != 0) {
        error = SystemError("grantpt/unlockpt");
        return std::nullopt;
    }
    const char* name = ptsname(master);
    if (name == nullptr) {
        error = SystemError("ptsname");
        return std::nullopt;
    }
    terminal.slavePath_ = name;
    terminal.slave_.reset(::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC));
    if (!terminal.slave_.valid() || !MakeRaw(terminal.slave_.get())) {
        error = SystemError(name);
        return std::nullopt;
    }
    return terminal;
}

}  // namespace vexilor
