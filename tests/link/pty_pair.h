#pragma once
// A pseudo-terminal for the link tests: the test plays the instrument on the
// master side, the code under test opens the slave path.

#include <termios.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vexilor::test {

using Bytes = std::vector<std::uint8_t>;

class PtyPair {
  public:
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    // False when the pty could not be set up (errorText says why).
    bool ok() const { return master_ >= 0 && holder_ >= 0; }
    const std::string& errorText() const { return errorText_; }

    const std::string& slavePath() const { return slavePath_; }
    int master() const { return master_; }

    // The slave's settings, read through a slave descriptor the pair keeps
    // open so that they survive the port's close.
    termios slaveSettings() const;
    bool setSlaveSettings(const termios& settings) const;

    bool writeToMaster(const Bytes& bytes) const;
    // Reads from the master until count bytes came or timeout passed.
    Bytes readFromMaster(std::size_t count, std::chrono::milliseconds timeout) const;

    // Hangs the slave up, as an unplugged adapter would.
    void closeMaster();

  private:
    int master_ = -1;
    int holder_ = -1;
    std::string slavePath_;
    std::string errorText_;
};

// Settings unlike the line settings in every field the port changes: cooked,
// echoing, with flow control, translation and hang-up on close, at 1200 baud.
termios CookedSettings(const termios& base);

// Polls condition until it holds or timeout passes; returns its last value.
bool WaitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = std::chrono::seconds(5));

}  // namespace vexilor::test
