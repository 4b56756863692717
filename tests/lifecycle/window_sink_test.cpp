// The road from a worker's cycle to the controls: the logging step applied
// to the real table, updates of a stopped worker dropped, and the program's
// run from start-up to exit.

#include <QCheckBox>
#include <QTimer>
#include <thread>

#include "main_window.h"
#include "program_fixture.h"
#include "program_main.h"
#include "window_cycle_sink.h"

namespace vexilor::test {
namespace {

using namespace std::chrono_literals;

class WindowSinkTest : public ProgramFixture {
  protected:
    void SetUp() override {
        ProgramFixture::SetUp();
        window = std::make_unique<MainWindow>(std::vector<std::string>{});
        router = std::make_unique<CycleRouter>(window->controls(), display);
    }
    void TearDown() override {
        router.reset();
        ProgramFixture::TearDown();
    }

    // Runs what a worker posted.
    void deliver() { QCoreApplication::processEvents(); }

    void addRows(int count) {
        for (int i = 0; i < count; ++i) {
            controls().addRow(ControlId::LogTable, "old " + std::to_string(i) + "\nx\n\n", 0);
        }
    }

    std::unique_ptr<CycleRouter> router;
};

TEST_F(WindowSinkTest, ALoggedLineGoesOnTopAfterTrimming) {
    controls().setTicked(ControlId::DataLoggerCheck, true);
    addRows(5);  // "old 4" on top, "old 0" at the bottom
    auto sink = router->makeSink();
    sink->logLine("2016/05/23 07:07:02\n000150.00\nON\n", 3);
    deliver();
    ASSERT_EQ(controls().rowCount(ControlId::LogTable), 3);
    EXPECT_EQ(controls().cellText(ControlId::LogTable, 0, 0), "2016/05/23 07:07:02");
    EXPECT_EQ(controls().cellText(ControlId::LogTable, 0, 1), "000150.00");
    EXPECT_EQ(controls().cellText(ControlId::LogTable, 0, 2), "ON");
    EXPECT_EQ(controls().cellText(ControlId::LogTable, 0, 3), "");
    EXPECT_EQ(controls().cellText(ControlId::LogTable, 1, 0), "old 4");
    EXPECT_EQ(controls().cellText(ControlId::LogTable, 2, 0), "old 3");

    // A maximum below 1 keeps every row instead of trimming for ever.
    sink->logLine("t\nNo vexilor connected", 0);
    deliver();
    EXPECT_EQ(controls().rowCount(ControlId::LogTable), 4);
    EXPECT_EQ(controls().cellText(ControlId::LogTable, 0, 1), "No vexilor connected");
    EXPECT_EQ(controls().cellText(ControlId::LogTable, 0, 2), "");
}

TEST_F(WindowSinkTest, NothingIsLoggedWhileTheLoggerIsOff) {
    addRows(2);
    router->makeSink()->logLine("t\nr\n\n", 1);
    deliver();
    EXPECT_EQ(controls().rowCount(ControlId::LogTable), 2);
    EXPECT_EQ(controls().cellText(ControlId::LogTable, 0, 0), "old 1");
}

TEST_F(WindowSinkTest, UpdatesOfAStoppedWorkerAreDropped) {
    controls().setTicked(ControlId::DataLoggerCheck, true);
    auto stale = router->makeSink();
    // Posted from another thread, as the worker does, before the stop.
    std::thread worker([&] {
        stale->showMaxMin("Max = 1", "Min = 2");
        stale->logLine("t\nr\n\n", 10);
    });
    worker.join();
    router->nextGeneration();
    auto current = router->makeSink();
    current->showMaxMin("Max = 3", "Min = 4");
    deliver();
    EXPECT_EQ(controls().text(ControlId::MaxLabel), "Max = 3");
    EXPECT_EQ(controls().text(ControlId::MinLabel), "Min = 4");
    EXPECT_EQ(controls().rowCount(ControlId::LogTable), 0);
}

// The program as main() runs it: started, then ended by the close box or
// by File, Exit, with the settings written and exit code 0.
TEST_F(WindowSinkTest, TheProgramEndsInOrderByCloseBoxAndByExit) {
    window.reset();
    router.reset();
    for (const bool byExit : {false, true}) {
        SCOPED_TRACE(byExit ? "File, Exit" : "close box");
        std::remove("preferences.pref");
        ProgramHooks hooks;
        bool workerRan = false;
        hooks.started = [&](MainWindow& shown, Lifecycle& running) {
            workerRan = running.workerRunning();
            QTimer::singleShot(1200ms, &shown, [&shown, byExit] {
                if (byExit) {
                    emit shown.menuChosen(MenuExit);
                } else {
                    shown.close();
                }
            });
        };
        EXPECT_EQ(RunProgram("preferences.pref", hooks), 0);
        EXPECT_TRUE(workerRan);
        const std::string saved = readFile("preferences.pref");
        EXPECT_EQ(saved.rfind("[Communication Setup]\r\n", 0), 0u);
        EXPECT_NE(saved.find("[DataLogger]\r\nInterval = 1\r\nMaxRec = 10\r\n"), std::string::npos);
    }
}

}  // namespace
}  // namespace vexilor::test
