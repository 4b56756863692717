#pragma once
// The program's main procedure after the window exists: start-up from the
// settings on, the handlers of every control and menu item, and shut-down.
// Main thread only. The handlers use the window only through Controls and
// Dialogs, and the line only after the worker has been stopped.

#include <functional>
#include <memory>

#include "acquisition_worker.h"
#include "controls.h"
#include "dialogs.h"
#include "display_image.h"
#include "instrument_link.h"
#include "process_state.h"
#include "settings_store.h"
#include "window_cycle_sink.h"

namespace vexilor {

inline constexpr const char* ResetQuestion = "Do you really want to reset the the instrument?";
inline constexpr const char* WriteProgQuestion =
    "Do you really want to write the program to the instrument?";

class Lifecycle {
  public:
    Lifecycle(Controls& controls, Dialogs& dialogs, DisplayImage& display, ProcessState& state,
              InstrumentLink& link);
    ~Lifecycle();
    Lifecycle(const Lifecycle&) = delete;
    Lifecycle& operator=(const Lifecycle&) = delete;

    // Loads "preferences.pref" (settingsFile may name another file for
    // tests) and starts acquisition.
    void startUp(const std::string& settingsFile = std::string(PreferencesFileName));
    // Stops the worker, closes the port and writes the settings. False when
    // the settings could not be written (the reason goes to standard error).
    bool shutDown(const std::string& settingsFile = std::string(PreferencesFileName));

    // Events of the window.
    void onControlEvent(ControlId id);
    void onMenuItem(int id);
    void onWindowClosed();

    // Set by File, Exit and by closing the window; the caller then leaves
    // the event loop. onEnd runs once when it is set.
    bool endRequested() const { return endFlag_; }
    void setOnEnd(std::function<void()> onEnd) { onEnd_ = std::move(onEnd); }

    // The acquisition operations, in the order the handlers use them.
    void StartAcquisition();
    void StopAcquisition();
    void StartWorker();
    void StopWorker();
    bool workerRunning() const { return worker_ != nullptr; }
    // How often the link has been (re)opened, for a look from outside.
    int acquisitionStarts() const { return acquisitionStarts_; }

  private:
    void requestEnd();
    void restartOnChange(ControlId id);
    void loggingOnOff();
    void numberField(ControlId id);
    void holdDisplay();
    void resetInstrument();
    void writeProg();
    void clearDisplay();

    Controls& controls_;
    Dialogs& dialogs_;
    DisplayImage& display_;
    ProcessState& state_;
    InstrumentLink& link_;
    CycleRouter router_;
    std::unique_ptr<AcquisitionWorker> worker_;
    bool endFlag_ = false;
    int acquisitionStarts_ = 0;
    std::function<void()> onEnd_;
};

}  // namespace vexilor
