#pragma once
// An in-memory stand-in for the window's controls, for testing the logic
// that drives them without widgets. Every control exists on first use:
// enabled, visible, empty, no row selected.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "controls.h"

namespace vexilor::testing {

class FakeControls final : public Controls {
  public:
    struct Control {
        std::vector<std::string> rows;  // a list's rows, or the table's LogLines
        int selected = -1;
        std::string text;  // a field's or label's text
        bool ticked = false;
        bool enabled = true;
        bool visible = true;
        int imagesShown = 0;
    };

    // For arranging and inspecting a test directly.
    Control& control(ControlId id) { return controls_[id]; }
    const Control& control(ControlId id) const {
        const auto found = controls_.find(id);
        return found == controls_.end() ? unused_ : found->second;
    }

    // Gives a list its rows and selects the one reading selectedText (none
    // when no row does).
    void setList(ControlId id, std::vector<std::string> rows,
                 const std::string& selectedText = {}) {
        Control& c = control(id);
        c.rows = std::move(rows);
        const auto found = std::find(c.rows.begin(), c.rows.end(), selectedText);
        c.selected = found == c.rows.end() ? -1 : static_cast<int>(found - c.rows.begin());
    }

    int selectedRow(ControlId id) const override { return control(id).selected; }
    void setSelectedRow(ControlId id, int row) override {
        Control& c = control(id);
        c.selected = (row >= 0 && row < static_cast<int>(c.rows.size())) ? row : -1;
    }

    std::string text(ControlId id) const override {
        const Control& c = control(id);
        if (c.selected >= 0) {
            return c.rows[static_cast<std::size_t>(c.selected)];
        }
        return c.rows.empty() ? c.text : std::string();
    }
    void setText(ControlId id, const std::string& text) override { control(id).text = text; }

    bool ticked(ControlId id) const override { return control(id).ticked; }
    void setTicked(ControlId id, bool ticked) override { control(id).ticked = ticked; }

    void addRow(ControlId id, const std::string& row, int position = -1) override {
        auto& rows = control(id).rows;
        if (position < 0 || position > static_cast<int>(rows.size())) {
            rows.push_back(row);
        } else {
            rows.insert(rows.begin() + position, row);
        }
    }
    void removeRows(ControlId id, int position, int count = 1) override {
        ++removeRowsCalls;
        auto& rows = control(id).rows;
        const int size = static_cast<int>(rows.size());
        if (position < 0 || position >= size || count <= 0) {
            return;
        }
        rows.erase(rows.begin() + position,
                   rows.begin() + static_cast<int>(std::min<std::int64_t>(
                                      size, std::int64_t{position} + count)));
    }
    int rowCount(ControlId id) const override { return static_cast<int>(control(id).rows.size()); }
    // The column-th line-feed-separated field of the row.
    std::string cellText(ControlId id, int row, int column) const override {
        const auto& rows = control(id).rows;
        if (row < 0 || row >= static_cast<int>(rows.size()) || column < 0) {
            return {};
        }
        std::string line = rows[static_cast<std::size_t>(row)];
        for (int skip = 0; skip < column; ++skip) {
            const auto feed = line.find('\n');
            if (feed == std::string::npos) {
                return {};
            }
            line.erase(0, feed + 1);
        }
        return line.substr(0, line.find('\n'));
    }

    void setEnabled(ControlId id, bool enabled) override { control(id).enabled = enabled; }
    bool isEnabled(ControlId id) const override { return control(id).enabled; }
    void setVisible(ControlId id, bool visible) override { control(id).visible = visible; }
    bool isVisibleFlag(ControlId id) const override { return control(id).visible; }

    void showImage(ControlId id, const QImage&) override { ++control(id).imagesShown; }

    int removeRowsCalls = 0;

  private:
    std::map<ControlId, Control> controls_;
    Control unused_;
};

}  // namespace vexilor::testing
