// Tab and Shift+Tab walk the controls that take the focus, in creation
// order, skipping what cannot be reached, and wrap at both ends.

#include <QApplication>
#include <QTabBar>

#include "window_fixture.h"

namespace vexilor {
namespace {

using C = ControlId;

const std::vector<ControlId> TopControls = {C::ModelList, C::PortList, C::BaudRateList,
                                            C::PeripheralNumberList, C::TabPanel};

struct PageWalk {
    int page;
    std::vector<ControlId> controls;
};

const std::vector<PageWalk> Walks = {
    {0, {C::ResetButton, C::HoldButton}},
    {1,
     {C::DataLoggerCheck, C::TimeIntervalField, C::MaxRecordsField, C::LogTable,
      C::ClearTableButton, C::SaveTableButton}},
    {2, {C::FunctList,       C::PulreField,      C::AdjtiList,     C::UrealField,
         C::UdispField,      C::Al1OnList,       C::Al1LowList,    C::Al1AutoList,
         C::Al1OpenList,     C::Al1ValueField,   C::Al2OnList,     C::Al2LowList,
         C::Al2AutoList,     C::Al2OpenList,     C::Al2ValueField, C::AnalgOnList,
         C::AnalgTensList,   C::AnalgValueField, C::DecpList,      C::CountUpList,
         C::CountValueField, C::PrphnList,       C::BaudrList,     C::LoadProgButton,
         C::SaveProgButton,  C::WriteProgButton}},
};

class FocusOrderTest : public WindowTest {
  protected:
    // The widget that holds the focus when a control has it.
    QWidget* focusTarget(ControlId id) const {
        QWidget* control = window->control(id);
        return control->focusProxy() != nullptr ? control->focusProxy() : control;
    }

    std::vector<QWidget*> targets(const std::vector<ControlId>& ids) const {
        std::vector<QWidget*> widgets;
        for (const ControlId id : ids) {
            widgets.push_back(focusTarget(id));
        }
        return widgets;
    }

    // Presses the key as many times as there are stops and records where the
    // focus lands each time.
    std::vector<QWidget*> walk(Qt::KeyboardModifiers modifiers, std::size_t stops) {
        std::vector<QWidget*> visited;
        for (std::size_t i = 0; i < stops; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, modifiers);
            visited.push_back(QApplication::focusWidget());
        }
        return visited;
    }
};

TEST_F(FocusOrderTest, TabWalksEachPageInCreationOrderAndWraps) {
    activate();
    for (const PageWalk& page : Walks) {
        SCOPED_TRACE(page.page);
        tabs()->setCurrentIndex(page.page);
        std::vector<ControlId> order = TopControls;
        order.insert(order.end(), page.controls.begin(), page.controls.end());
        const std::vector<QWidget*> expected = targets(order);

        // Forward from the first control: every stop, then back to the first.
        focusTarget(order.front())->setFocus(Qt::TabFocusReason);
        std::vector<QWidget*> forward(expected.begin() + 1, expected.end());
        forward.push_back(expected.front());
        EXPECT_EQ(walk(Qt::NoModifier, expected.size()), forward);

        // Backward from the first control: the last, then down to the first.
        std::vector<QWidget*> backward(expected.rbegin(), expected.rend());
        EXPECT_EQ(walk(Qt::ShiftModifier, expected.size()), backward);
    }
}

TEST_F(FocusOrderTest, HiddenAndDisabledControlsAreSkipped) {
    activate();
    Controls& controls = window->controls();
    controls.setVisible(C::BaudRateList, false);
    controls.setEnabled(C::PortList, false);
    controls.setEnabled(C::HoldButton, false);
    const std::vector<QWidget*> expected =
        targets({C::PeripheralNumberList, C::TabPanel, C::ResetButton, C::ModelList});
    focusTarget(C::ModelList)->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(walk(Qt::NoModifier, expected.size()), expected);
}

}  // namespace
}  // namespace vexilor
