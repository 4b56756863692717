#pragma once
// The program from the scan for ports to the end of shut-down, on the
// QApplication the caller made.

#include <functional>
#include <string>

#include "settings_store.h"

namespace vexilor {

class Lifecycle;
class MainWindow;

struct ProgramHooks {
    // Runs once the window is shown and acquisition has started, before the
    // event loop; tests drive the program from here.
    std::function<void(MainWindow&, Lifecycle&)> started;
};

// Start-up, the event loop until the window is closed or File, Exit is
// chosen, and shut-down. Returns the exit code.
int RunProgram(const std::string& settingsFile = std::string(PreferencesFileName),
               const ProgramHooks& hooks = {});

}  // namespace vexilor
