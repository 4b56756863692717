#pragma once
// The commands the simulator takes, one per line, on stdin or its control
// FIFO.

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "fault.h"
#include "reading.h"

namespace vexilor {

enum class CommandKind {
    SetFault,     // fault none|silent|checksum|short N|absent|noise
    Vanish,       // close the pty, like an unplugged adapter
    Return,       // open a new pty behind the same link
    SetAddress,   // address N
    FixReading,   // reading VALUE
    FreeReading,  // reading run: let the reading change again
    Quit,
};

struct ControlCommand {
    CommandKind kind = CommandKind::Quit;
    Fault fault;
    std::uint8_t address = 0;
    Reading reading = 0;
    // The line with its words joined by single spaces, echoed in the answer.
    std::string text;
};

struct CommandError {
    std::string text;     // the line as it was understood
    std::string message;  // what is wrong with it
};

using ParsedCommand = std::variant<ControlCommand, CommandError>;

// Blank lines give an empty CommandError text, which the caller skips.
ParsedCommand ParseControlCommand(std::string_view line);

}  // namespace vexilor
