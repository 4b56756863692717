#pragma once
// The whole program in the test's process: the real window (offscreen), the
// lifecycle with scripted dialogs, the real link. Runs in a temporary working
// directory so "preferences.pref" is the test's own.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "display_image.h"
#include "instrument_link.h"
#include "lifecycle.h"
#include "main_window.h"
#include "process_state.h"
#include "scripted_dialogs.h"

namespace vexilor::test {

class ProgramFixture : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(workDir_.isValid());
        oldDir_ = QDir::currentPath();
        QDir::setCurrent(workDir_.path());
    }

    void TearDown() override {
        if (lifecycle) {
            lifecycle->StopWorker();
        }
        lifecycle.reset();
        window.reset();
        QDir::setCurrent(oldDir_);
    }

    // Builds the window with these ports and starts the program as main()
    // does, from an optional "preferences.pref".
    void start(const std::vector<std::string>& ports, const std::string& preferences = "") {
        if (!preferences.empty()) {
            writeFile("preferences.pref", preferences);
        }
        state.aboutText = MakeAboutText();
        window = std::make_unique<MainWindow>(ports);
        lifecycle = std::make_unique<Lifecycle>(window->controls(), dialogs, display, state, link);
        QObject::connect(window.get(), &MainWindow::controlEvent, window.get(),
                         [this](ControlId id) { lifecycle->onControlEvent(id); });
        QObject::connect(window.get(), &MainWindow::menuChosen, window.get(),
                         [this](int id) { lifecycle->onMenuItem(id); });
        QObject::connect(window.get(), &MainWindow::closeRequested, window.get(),
                         [this] { lifecycle->onWindowClosed(); });
        window->show();
        lifecycle->startUp();
    }

    Controls& controls() { return window->controls(); }

    template <typename Widget>
    Widget* widget(ControlId id) {
        auto* w = qobject_cast<Widget*>(window->control(id));
        EXPECT_NE(w, nullptr) << static_cast<int>(id);
        return w;
    }

    // A user pick of a list row.
    void pick(ControlId id, int row) {
        QComboBox* list = widget<QComboBox>(id);
        list->setCurrentIndex(row);
        emit list->activated(row);
    }

    // Runs the event loop until condition holds or timeout passes.
    bool waitFor(const std::function<bool()>& condition,
                 std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (!condition()) {
            if (std::chrono::steady_clock::now() > deadline) {
                return false;
            }
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        return true;
    }

    // Lets queued updates run for a while, for checks that nothing arrives.
    void runEventsFor(std::chrono::milliseconds time) {
        const auto deadline = std::chrono::steady_clock::now() + time;
        while (std::chrono::steady_clock::now() < deadline) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        }
    }

    static void writeFile(const std::string& name, const std::string& text);
    static std::string readFile(const std::string& name);

    ScriptedDialogs dialogs;
    ProcessState state;
    InstrumentLink link;
    DisplayImage display;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<Lifecycle> lifecycle;

  private:
    QTemporaryDir workDir_;
    QString oldDir_;
};

}  // namespace vexilor::test
