#pragma once
// The command line of vexilor-sim.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "instrument_model.h"

namespace vexilor {

struct SimOptions {
    ModelConfig model;
    // 0: replies go out at once; otherwise each byte takes 10 bit times.
    std::int32_t baud = 0;
    std::int32_t replyDelayMs = 0;
    std::string linkPath;
    std::string controlPath;
    std::string recordPath;
    bool help = false;
};

// args without the program name. The error text names the bad argument.
std::variant<SimOptions, std::string> ParseSimOptions(const std::vector<std::string>& args);

std::string SimUsage();

}  // namespace vexilor
