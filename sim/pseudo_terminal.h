#pragma once
// The pseudo-terminal the simulated instrument sits behind. The program under
// test opens the slave side as its serial port; the simulator reads and
// writes the master side.

#include <optional>
#include <string>

#include "unique_fd.h"

namespace vexilor {

class PseudoTerminal {
  public:
    // Opens master and slave and sets the slave raw at 9600 baud. The
    // simulator keeps its own slave descriptor for as long as the terminal
    // lives, so the master never reads EIO when a client closes its side,
    // and a client that restores the settings it found restores raw mode.
    static std::optional<PseudoTerminal> open(std::string& error);

    int master() const { return master_.get(); }
    const std::string& slavePath() const { return slavePath_; }

  private:
    PseudoTerminal() = default;

    UniqueFd master_;
    UniqueFd slave_;
    std::string slavePath_;
};

}  // namespace vexilor
