#pragma once
// The main window's controls in memory and scripted dialogs, for the files
// tests and benchmarks.

#include <deque>
#include <string>
#include <vector>

#include "dialogs.h"
#include "fake_controls.h"

namespace vexilor::testing {

// The rows "0" to count - 1.
inline std::vector<std::string> NumberRows(int count) {
    std::vector<std::string> rows;
    for (int i = 0; i < count; ++i) {
        rows.push_back(std::to_string(i));
    }
    return rows;
}

// The controls of the main window: the lists with their rows, the fields
// with the texts they start with, and an empty log table.
inline FakeControls MainWindowControls(int portCount = 3) {
    FakeControls controls;
    std::vector<std::string> ports;
    for (int i = 1; i <= portCount; ++i) {
        ports.push_back("COM" + std::to_string(i));
    }
    const std::vector<std::string> rates = {"300", "600", "1200", "2400", "4800", "9600"};
    const std::vector<std::string> onOff = {"ON", "OFF"};
    const std::vector<std::string> lowHigh = {"LOW", "HIGH"};
    const std::vector<std::string> autoHold = {"AUTO", "HOLD"};
    const std::vector<std::string> openClose = {"OPEN", "CLOSE"};
    controls.setList(
        ControlId::ModelList,
        {"6630.109 VEXILOR 9-36VDC", "6630.111 VEXILOR 110-220VAC", "6620.103 VEXILOR  12VDC",
         "6620.104 VEXILOR  24VDC", "6620.101 VEXILOR 220VAC", "6620.102 VEXILOR 110VAC"});
    controls.setList(ControlId::PortList, ports);
    controls.setList(ControlId::BaudRateList, rates);
    controls.setList(ControlId::PeripheralNumberList, NumberRows(128));
    controls.control(ControlId::TimeIntervalField).text = "1";
    controls.control(ControlId::MaxRecordsField).text = "1000";
    controls.setList(ControlId::FunctList, {"SPEED", "TOTAL", "SECON"});
    controls.control(ControlId::PulreField).text = "1";
    controls.setList(ControlId::AdjtiList, {"0.1", "0.25", "0.5", "1", "2", "4", "8"});
    controls.control(ControlId::UrealField).text = "1";
    controls.control(ControlId::UdispField).text = "1";
    controls.setList(ControlId::Al1OnList, onOff);
    controls.setList(ControlId::Al1LowList, lowHigh);
    controls.setList(ControlId::Al1AutoList, autoHold);
    controls.setList(ControlId::Al1OpenList, openClose);
    controls.control(ControlId::Al1ValueField).text = "1";
    controls.setList(ControlId::Al2OnList, onOff);
    controls.setList(ControlId::Al2LowList, lowHigh);
    controls.setList(ControlId::Al2AutoList, autoHold);
    controls.setList(ControlId::Al2OpenList, openClose);
    controls.control(ControlId::Al2ValueField).text = "1";
    controls.setList(ControlId::AnalgOnList, onOff);
    controls.setList(ControlId::AnalgTensList, {"TENS", "CURR"});
    controls.control(ControlId::AnalgValueField).text = "1";
    controls.setList(ControlId::DecpList, {"0", "1", "2", "AUTO"});
    controls.setList(ControlId::CountUpList, {"UP", "DOWN"});
    controls.control(ControlId::CountValueField).text = "1";
    controls.setList(ControlId::PrphnList, NumberRows(251));
    controls.setList(ControlId::BaudrList, rates);
    return controls;
}

// Answers the file chooser from a script and records every box shown.
class FakeDialogs : public Dialogs {
  public:
    bool askYesNo(const std::string& text) override {
        questions.push_back(text);
        return false;
    }
    void showError(const std::string& text) override { errors.push_back(text); }
    void showInformation(const std::string& text) override { information.push_back(text); }
    std::string chooseFile(const std::string& title) override {
        chooserTitles.push_back(title);
        if (chosenPaths.empty()) {
            return {};
        }
        std::string path = chosenPaths.front();
        chosenPaths.pop_front();
        return path;
    }

    std::deque<std::string> chosenPaths;  // an empty path is a cancel
    std::vector<std::string> chooserTitles;
    std::vector<std::string> errors;
    std::vector<std::string> questions;
    std::vector<std::string> information;
};

}  // namespace vexilor::testing
