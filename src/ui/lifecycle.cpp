#include "lifecycle.h"

#include <array>
#include <cstdio>
#include <limits>

#include "clock.h"
#include "file_actions.h"
#include "funct_rule.h"
#include "model_visibility.h"
#include "parameter_set.h"
#include "program_frame.h"
#include "settings_store.h"
#include "write_program.h"

namespace vexilor {
namespace {

// The controls that logging locks, in the order they are switched.
constexpr std::array<ControlId, 7> LoggingLockedControls = {
    ControlId::TimeIntervalField, ControlId::MaxRecordsField,      ControlId::PortList,
    ControlId::BaudRateList,      ControlId::PeripheralNumberList, ControlId::WriteProgButton,
    ControlId::ResetButton,
};

// The rate a BaudRate list text names, 0 for none.
std::int32_t RateOfText(const std::string& text) {
    for (const std::int32_t rate : {9600, 4800, 2400, 1200, 600, 300}) {
        if (text == std::to_string(rate)) {
            return rate;
        }
    }
    return 0;
}

// The run of leading digits of a field; empty gives 0. A number beyond the
// 32-bit range is held as the largest value rather than wrapping negative.
std::int32_t FieldValue(const std::string& text) {
    std::int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            break;
        }
        value = value * 10 + (c - '0');
        if (value > std::numeric_limits<std::int32_t>::max()) {
            return std::numeric_limits<std::int32_t>::max();
        }
    }
    return static_cast<std::int32_t>(value);
}

std::string JoinNames(const std::vector<std::string>& names) {
    std::string joined;
    for (const std::string& name : names) {
        if (!joined.empty()) {
            joined += ", ";
        }
        joined += name;
    }
    return joined;
}

}  // namespace

std::string MakeAboutText() {
    return "Vexilor\n"
           "Version 1.0 (May 2016)\n"
           "\n"
           "\n"
           "Contact your Brantel distributor for:  support, software updates and repairs.\n"
           "\n";
}

Lifecycle::Lifecycle(Controls& controls, Dialogs& dialogs, DisplayImage& display,
                     ProcessState& state, InstrumentLink& link)
    : controls_(controls),
      dialogs_(dialogs),
      display_(display),
      state_(state),
      link_(link),
      router_(controls, display) {}

Lifecycle::~Lifecycle() {
    StopWorker();
}

void Lifecycle::startUp(const std::string& settingsFile) {
    // A "BaudRate" text that names none of the six rates leaves the rate as
    // it was: the instrument's factory rate.
    state_.linkSettings.baudRate = 9600;
    LoadSettings(settingsFile, controls_, state_.linkSettings, state_.logging);
    StartAcquisition();
}

bool Lifecycle::shutDown(const std::string& settingsFile) {
    StopWorker();
    CloseInstrumentLink(link_);
    const SaveResult saved =
        SaveSettings(settingsFile, controls_, state_.linkSettings, state_.logging);
    if (!saved.ok) {
        std::fprintf(stderr, "vexilor: settings not saved: %s\n", saved.error.c_str());
    }
    return saved.ok;
}

void Lifecycle::onControlEvent(ControlId id) {
    switch (id) {
        case ControlId::PeripheralNumberList:
        case ControlId::PortList:
        case ControlId::BaudRateList:
        case ControlId::ModelList:
            restartOnChange(id);
            break;
        case ControlId::DataLoggerCheck:
            loggingOnOff();
            break;
        case ControlId::TimeIntervalField:
        case ControlId::MaxRecordsField:
            numberField(id);
            break;
        case ControlId::SaveTableButton:
            SaveTable(controls_, dialogs_);
            break;
        case ControlId::ClearTableButton:
            ClearTable(controls_);
            break;
        case ControlId::FunctList:
            ApplyFunctRule(controls_, controls_.text(ControlId::FunctList));
            break;
        case ControlId::WriteProgButton:
            writeProg();
            break;
        case ControlId::LoadProgButton:
            LoadProg(controls_, dialogs_, state_.linkSettings, state_.logging);
            break;
        case ControlId::SaveProgButton:
            SaveProg(controls_, dialogs_, state_.linkSettings, state_.logging);
            break;
        case ControlId::ResetButton:
            resetInstrument();
            break;
        case ControlId::HoldButton:
            holdDisplay();
            break;
        default:
            break;
    }
}

void Lifecycle::onMenuItem(int id) {
    if (id == MenuExit) {
        requestEnd();
    } else if (id == MenuAbout) {
        dialogs_.showInformation(state_.aboutText);
    }
}

void Lifecycle::onWindowClosed() {
    requestEnd();
}

void Lifecycle::requestEnd() {
    if (endFlag_) {
        return;
    }
    endFlag_ = true;
    if (onEnd_) {
        onEnd_();
    }
}

void Lifecycle::StartAcquisition() {
    ++acquisitionStarts_;
    OpenInstrumentLink(link_, controls_.text(ControlId::PortList), state_.linkSettings.baudRate,
                       state_.linkError);
    StartWorker();
}

void Lifecycle::StopAcquisition() {
    clearDisplay();
    StopWorker();
    // The stopped worker may have drawn over the first clear.
    clearDisplay();
    Pause(500);
}

void Lifecycle::StartWorker() {
    if (worker_) {
        return;
    }
    const LinkSettings& settings = state_.linkSettings;
    link_.protocol.setAddressing(settings.modelIndex, settings.peripheralNumber);
    worker_ = std::make_unique<AcquisitionWorker>(link_, state_.linkError, state_.logging,
                                                  state_.pacing, router_.makeSink(),
                                                  controls_.text(ControlId::PortList));
}

void Lifecycle::StopWorker() {
    if (!worker_) {
        return;
    }
    router_.nextGeneration();
    worker_->stop();
    worker_.reset();
}

void Lifecycle::clearDisplay() {
    display_.ClearDisplay();
    controls_.showImage(ControlId::Picture, display_.snapshot());
}

void Lifecycle::restartOnChange(ControlId id) {
    LinkSettings& settings = state_.linkSettings;
    const int row = controls_.selectedRow(id);
    switch (id) {
        case ControlId::PeripheralNumberList:
            if (row == settings.peripheralNumber) {
                return;
            }
            StopAcquisition();
            settings.peripheralNumber = row;
            CloseInstrumentLink(link_);
            break;
        case ControlId::PortList:
            if (row + 1 == settings.portPosition) {
                return;
            }
            StopAcquisition();
            settings.portPosition = row + 1;
            CloseInstrumentLink(link_);
            break;
        case ControlId::BaudRateList: {
            const std::int32_t rate = RateOfText(controls_.text(id));
            if (rate == 0 || rate == settings.baudRate) {
                return;
            }
            StopAcquisition();
            CloseInstrumentLink(link_);
            settings.baudRate = rate;
            break;
        }
        case ControlId::ModelList: {
            const auto model = static_cast<std::uint8_t>(row);
            if (model == settings.modelIndex) {
                return;
            }
            StopAcquisition();
            settings.modelIndex = model;
            CloseInstrumentLink(link_);
            ApplyModelVisibility(controls_, settings.modelIndex);
            break;
        }
        default:
            return;
    }
    StartAcquisition();
}

void Lifecycle::loggingOnOff() {
    const bool on = controls_.ticked(ControlId::DataLoggerCheck);
    for (const ControlId id : LoggingLockedControls) {
        controls_.setEnabled(id, !on);
    }
    if (on) {
        state_.logging.logTick.store(-1);
    }
}

void Lifecycle::numberField(ControlId id) {
    std::atomic<std::int32_t>& held =
        id == ControlId::TimeIntervalField ? state_.logging.logInterval : state_.logging.maxRecords;
    if (controls_.text(id) == "0") {
        controls_.setText(id, std::to_string(held.load()));
    }
    held.store(FieldValue(controls_.text(id)));
}

void Lifecycle::holdDisplay() {
    StopWorker();
    link_.protocol.SendCommand(InstrumentCommand::Hold);
    StartWorker();
}

void Lifecycle::resetInstrument() {
    if (!dialogs_.askYesNo(ResetQuestion)) {
        return;
    }
    StopWorker();
    link_.protocol.SendCommand(InstrumentCommand::Reset);
    StartWorker();
}

void Lifecycle::writeProg() {
    const std::string error = state_.linkError.text();
    if (!error.empty()) {
        dialogs_.showError(error);
        return;
    }
    // A list without a row or a value that is not a number would put a
    // program into the instrument that nobody chose.
    const ProgramFrameResult frame = BuildProgramFrame(
        ReadParameterSet(controls_),
        AddressByte(state_.linkSettings.modelIndex, state_.linkSettings.peripheralNumber));
    if (!frame.frame) {
        dialogs_.showError("No valid value for: " + JoinNames(frame.refusedParameters));
        return;
    }
    if (!dialogs_.askYesNo(WriteProgQuestion)) {
        return;
    }
    StopWorker();
    Pause(500);
    WriteProgram(link_.protocol, *frame.frame);
    StartWorker();
}

}  // namespace vexilor
