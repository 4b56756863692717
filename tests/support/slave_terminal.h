#pragma once
// The client side of the simulator's pseudo-terminal, opened raw the way a
// serial port is, with reads that wait in poll up to a deadline.

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "unique_fd.h"

namespace vexilor::test {

using Bytes = std::vector<std::uint8_t>;

class SlaveTerminal {
  public:
    explicit SlaveTerminal(const std::string& path);

    bool isOpen() const { return fd_.valid(); }
    int fd() const { return fd_.get(); }

    bool send(const Bytes& bytes);
    // Reads until count bytes have come or the deadline passes; what came.
    Bytes receive(std::size_t count, std::chrono::milliseconds deadline = std::chrono::seconds(3));
    // send, then receive.
    Bytes exchange(const Bytes& bytes, std::size_t count,
                   std::chrono::milliseconds deadline = std::chrono::seconds(3));
    // True when the other side hung up (the master closed) within deadline.
    bool waitForHangup(std::chrono::milliseconds deadline = std::chrono::seconds(3));

  private:
    UniqueFd fd_;
};

}  // namespace vexilor::test
