#include "signal_watcher.h"

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

namespace vexilor {

namespace {

sigset_t WatchedSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGHUP);
    return set;
}

bool SetCloseOnExec(int fd) {
    const int flags = fcntl(fd, F_GETFD);
    return flags >= 0 && fcntl(fd, F_SETFD, flags | FD_CLOEXEC) == 0;
}

}  // namespace

SignalWatcher::SignalWatcher() {
    int ends[2];
    if (::pipe(ends) != 0) {
        return;
    }
    readEnd_.reset(ends[0]);
    writeEnd_.reset(ends[1]);
    SetCloseOnExec(ends[0]);
    SetCloseOnExec(ends[1]);
    const sigset_t set = WatchedSignals();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    thread_ = std::thread([this] { watch(); });
}

SignalWatcher::~SignalWatcher() {
    if (thread_.joinable()) {
        stopping_ = true;
        pthread_kill(thread_.native_handle(), SIGTERM);
        thread_.join();
    }
}

void SignalWatcher::watch() {
    const sigset_t set = WatchedSignals();
    while (true) {
        int signal = 0;
        if (sigwait(&set, &signal) != 0 || stopping_) {
            return;
        }
        const char byte = static_cast<char>(signal);
        [[maybe_unused]] const ssize_t written = ::write(writeEnd_.get(), &byte, 1);
    }
}

}  // namespace vexilor
