#pragma once
// Whole-file reads and writes for the settings, program and export files.

#include <string>
#include <string_view>

namespace vexilor {

struct SaveResult {
    bool ok = false;
    // The system's reason when ok is false.
    std::string error;
};

// The file's whole content; empty when it is missing or cannot be read.
std::string ReadFileBytes(const std::string& fileName);

// Writes the bytes to a temporary file beside the target and puts it in the
// target's place only once it is complete, so a failed save leaves the old
// file whole.
SaveResult WriteFileBytes(const std::string& fileName, std::string_view bytes);

}  // namespace vexilor
