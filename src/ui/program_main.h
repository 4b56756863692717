#pragma once
// The program from the scan for ports to the end of shut-down, on the
// QApplication the caller made.

#include <functional>
#include <string>
#include <vector>

#include "settings_store.h"

namespace vexilor {

class Lifecycle;
class MainWindow;
class SerialPort;

struct ProgramHooks {
    // Runs once the window is shown and acquisition has started, before the
    // event loop; tests drive the program from here.
    std::function<void(MainWindow&, Lifecycle&)> started;
    // Replaces the scan for ports (ProbePorts) when set; the start-up
    // benchmark times the scan through it.
    std::function<std::vector<std::string>(SerialPort&)> probePorts;
};

// Start-up, the event loop until the window is closed or File, Exit is
// chosen, and shut-down. Returns the exit code.
int RunProgram(const std::string& settingsFile = std::string(PreferencesFileName),
               const ProgramHooks& hooks = {});

}  // namespace vexilor
