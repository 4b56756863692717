#pragma once
// A named pipe the simulator creates and reads commands from, so a shell
// can steer a simulator that runs in the background:
//   echo "fault silent" > /tmp/vexilor-control

#include <optional>
#include <string>

#include "unique_fd.h"

namespace vexilor {

class ControlFifo {
  public:
    // Creates the pipe at path (a pipe already there is reused) and opens it.
    static std::optional<ControlFifo> create(const std::string& path, std::string& error);

    ~ControlFifo();
    ControlFifo(ControlFifo&& other) noexcept;
    ControlFifo& operator=(ControlFifo&&) = delete;
    ControlFifo(const ControlFifo&) = delete;
    ControlFifo& operator=(const ControlFifo&) = delete;

    // Readable when a writer has sent something; never at end of file.
    int readFd() const { return reader_.get(); }

  private:
    explicit ControlFifo(std::string path) : path_(std::move(path)) {}

    std::string path_;
    UniqueFd reader_;
    // Our own writer keeps the pipe from reporting end of file (and so
    // waking poll without end) each time a shell's echo closes it.
    UniqueFd writer_;
};

}  // namespace vexilor
