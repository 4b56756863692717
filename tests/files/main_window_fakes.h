#pragma once
// In-memory controls and scripted dialogs for the files tests and
// benchmarks. FakeControls::MainWindow() holds the lists of the main window
// with their rows, the fields with the texts they start with, and an empty
// log table.

#include <algorithm>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "controls.h"
#include "dialogs.h"

namespace vexilor::testing {

class FakeControls : public Controls {
  public:
    struct Control {
        std::vector<std::string> rows;  // a list's rows
        int selected = -1;
        std::string text;  // a field's or label's text
        bool ticked = false;
        bool enabled = true;
        bool visible = true;
    };

    static FakeControls MainWindow(int portCount = 3) {
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
        controls.AddList(
            ControlId::ModelList,
            {"6630.109 VEXILOR 9-36VDC", "6630.111 VEXILOR 110-220VAC", "6620.103 VEXILOR  12VDC",
             "6620.104 VEXILOR  24VDC", "6620.101 VEXILOR 220VAC", "6620.102 VEXILOR 110VAC"});
        controls.AddList(ControlId::PortList, ports);
        controls.AddList(ControlId::BaudRateList, rates);
        controls.AddList(ControlId::PeripheralNumberList, Numbers(128));
        controls.AddField(ControlId::TimeIntervalField, "1");
        controls.AddField(ControlId::MaxRecordsField, "1000");
        controls.AddList(ControlId::FunctList, {"SPEED", "TOTAL", "SECON"});
        controls.AddField(ControlId::PulreField, "1");
        controls.AddList(ControlId::AdjtiList, {"0.1", "0.25", "0.5", "1", "2", "4", "8"});
        controls.AddField(ControlId::UrealField, "1");
        controls.AddField(ControlId::UdispField, "1");
        controls.AddList(ControlId::Al1OnList, onOff);
        controls.AddList(ControlId::Al1LowList, lowHigh);
        controls.AddList(ControlId::Al1AutoList, autoHold);
        controls.AddList(ControlId::Al1OpenList, openClose);
        controls.AddField(ControlId::Al1ValueField, "1");
        controls.AddList(ControlId::Al2OnList, onOff);
        controls.AddList(ControlId::Al2LowList, lowHigh);
        controls.AddList(ControlId::Al2AutoList, autoHold);
        controls.AddList(ControlId::Al2OpenList, openClose);
        controls.AddField(ControlId::Al2ValueField, "1");
        controls.AddList(ControlId::AnalgOnList, onOff);
        controls.AddList(ControlId::AnalgTensList, {"TENS", "CURR"});
        controls.AddField(ControlId::AnalgValueField, "1");
        controls.AddList(ControlId::DecpList, {"0", "1", "2", "AUTO"});
        controls.AddList(ControlId::CountUpList, {"UP", "DOWN"});
        controls.AddField(ControlId::CountValueField, "1");
        controls.AddList(ControlId::PrphnList, Numbers(251));
        controls.AddList(ControlId::BaudrList, rates);
        return controls;
    }

    // --- Controls ---
    int selectedRow(ControlId id) const override { return At(id).selected; }
    void setSelectedRow(ControlId id, int row) override {
        Control& control = controls_[id];
        const bool inside = row >= 0 && row < static_cast<int>(control.rows.size());
        control.selected = inside ? row : -1;
    }
    std::string text(ControlId id) const override {
        const Control& control = At(id);
        if (!control.rows.empty()) {
            return control.selected < 0 ? std::string() : control.rows[Index(control.selected)];
        }
        return control.text;
    }
    void setText(ControlId id, const std::string& text) override { controls_[id].text = text; }
    bool ticked(ControlId id) const override { return At(id).ticked; }
    void setTicked(ControlId id, bool ticked) override { controls_[id].ticked = ticked; }

    void addRow(ControlId id, const std::string& row, int position = -1) override {
        if (id != ControlId::LogTable) {
            controls_[id].rows.push_back(row);
            return;
        }
        const auto at = position < 0 || position > static_cast<int>(table_.size())
                            ? table_.end()
                            : table_.begin() + position;
        table_.insert(at, SplitLogLine(row));
    }
    void removeRows(ControlId id, int position, int count = 1) override {
        ++removeRowsCalls;
        if (id != ControlId::LogTable || position < 0) {
            return;
        }
        const auto size = static_cast<int>(table_.size());
        const int end = std::min(size, position + count);
        if (position < end) {
            table_.erase(table_.begin() + position, table_.begin() + end);
        }
    }
    int rowCount(ControlId id) const override {
        return id == ControlId::LogTable ? static_cast<int>(table_.size())
                                         : static_cast<int>(At(id).rows.size());
    }
    std::string cellText(ControlId id, int row, int column) const override {
        if (id != ControlId::LogTable || row < 0 || row >= static_cast<int>(table_.size())) {
            return {};
        }
        const std::vector<std::string>& cells = table_[Index(row)];
        return column >= 0 && column < static_cast<int>(cells.size()) ? cells[Index(column)]
                                                                      : std::string();
    }

    void setEnabled(ControlId id, bool enabled) override { controls_[id].enabled = enabled; }
    bool isEnabled(ControlId id) const override { return At(id).enabled; }
    void setVisible(ControlId id, bool visible) override { controls_[id].visible = visible; }
    bool isVisibleFlag(ControlId id) const override { return At(id).visible; }

    void showImage(ControlId, const QImage&) override {}

    int removeRowsCalls = 0;

  private:
    static std::size_t Index(int i) { return static_cast<std::size_t>(i); }

    static std::vector<std::string> Numbers(int count) {
        std::vector<std::string> rows;
        for (int i = 0; i < count; ++i) {
            rows.push_back(std::to_string(i));
        }
        return rows;
    }

    static std::vector<std::string> SplitLogLine(const std::string& line) {
        std::vector<std::string> cells(1);
        for (const char c : line) {
            if (c == '\n') {
                cells.emplace_back();
            } else {
                cells.back() += c;
            }
        }
        return cells;
    }

    void AddList(ControlId id, std::vector<std::string> rows) {
        controls_[id].rows = std::move(rows);
    }
    void AddField(ControlId id, std::string text) { controls_[id].text = std::move(text); }

    const Control& At(ControlId id) const {
        static const Control missing;
        const auto found = controls_.find(id);
        return found == controls_.end() ? missing : found->second;
    }

    std::map<ControlId, Control> controls_;
    std::deque<std::vector<std::string>> table_;
};

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
