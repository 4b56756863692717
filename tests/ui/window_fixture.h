#pragma once
// A shown main window with two ports, and helpers to reach its widgets.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QTabWidget>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "main_window.h"

namespace vexilor {

inline const std::vector<std::string> TestPorts = {"COM1", "COM3"};

class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window = std::make_unique<MainWindow>(TestPorts);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    void TearDown() override {
        window->allowClose();
        window.reset();
    }

    template <typename Widget>
    Widget* widget(ControlId id) const {
        return qobject_cast<Widget*>(window->control(id));
    }

    QTabWidget* tabs() const { return widget<QTabWidget>(ControlId::TabPanel); }

    // Makes the window active so that key presses and focus changes reach it.
    void activate() {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    std::unique_ptr<MainWindow> window;
};

inline std::vector<std::string> RowsOf(const QComboBox& list) {
    std::vector<std::string> rows;
    for (int row = 0; row < list.count(); ++row) {
        rows.push_back(list.itemText(row).toStdString());
    }
    return rows;
}

}  // namespace vexilor
