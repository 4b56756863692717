#include "control_fifo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace vexilor {

ControlFifo::ControlFifo(ControlFifo&& other) noexcept
    : path_(std::exchange(other.path_, std::string())),
      reader_(std::move(other.reader_)),
      writer_(std::move(other.writer_)) {}

ControlFifo::~ControlFifo() {
    if (!path_.empty()) {
        ::unlink(path_.c_str());
    }
}

std::optional<ControlFifo> ControlFifo::create(const std::string& path, std::string& error) {
    if (::mkfifo(path.c_str(), 0600) != 0 && errno != EEXIST) {
        error = path + ": " + std::strerror(errno);
        return std::nullopt;
    }
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISFIFO(info.st_mode)) {
        error = path + " exists and is not a named pipe";
        return std::nullopt;
    }
    ControlFifo fifo(path);
    fifo.reader_.reset(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    fifo.writer_.reset(::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC));
    if (!fifo.reader_.valid() || !fifo.writer_.valid()) {
        error = path + ": " + std::strerror(errno);
        return std::nullopt;
    }
    return fifo;
}

}  // namespace vexilor
