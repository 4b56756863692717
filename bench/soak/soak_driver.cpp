// Soak run: the whole program in this process on the simulator at 9600
// baud, logging every cycle, while the simulator is put through random
// faults and unplugged now and then. At the end it prints the figures and
// exits non-zero when a check failed.
//   soak_driver [seconds] [seed]     (default 600 s, a random seed)

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "control_id.h"
#include "controls.h"
#include "fault_injector.h"
#include "lifecycle.h"
#include "main_window.h"
#include "program_main.h"
#include "sim_process.h"
#include "soak_checks.h"

namespace vexilor::soak {
namespace {

using Clock = std::chrono::steady_clock;

std::int64_t MonotonicMicros() {
    return std::chrono::duration_cast<std::chrono::microseconds>(Clock::now().time_since_epoch())
        .count();
}

// Picks the row of the Port list that names path; false when none does.
bool SelectPort(Controls& controls, const std::string& path) {
    for (int row = 0; row < controls.rowCount(ControlId::PortList); ++row) {
        controls.setSelectedRow(ControlId::PortList, row);
        if (controls.text(ControlId::PortList) == path) {
            return true;
        }
    }
    return false;
}

// Types a value into a field as the user would, and confirms it.
void EnterField(Controls& controls, Lifecycle& lifecycle, ControlId id, const std::string& text) {
    controls.setText(id, text);
    lifecycle.onControlEvent(id);
}

std::vector<LoggedRow> ReadTable(const Controls& controls) {
    std::vector<LoggedRow> rows;
    const int count = controls.rowCount(ControlId::LogTable);
    for (int row = 0; row < count; ++row) {
        rows.push_back({controls.cellText(ControlId::LogTable, row, 0),
                        controls.cellText(ControlId::LogTable, row, 1)});
    }
    return rows;
}

class SoakRun {
  public:
    SoakRun(test::SimProcess& sim, int seconds, unsigned seed)
        : sim_(sim), seconds_(seconds), injector_(sim, seed) {}

    void started(MainWindow& window, Lifecycle& lifecycle) {
        Controls& controls = window.controls();
        if (!SelectPort(controls, sim_.linkPath())) {
            std::printf("FAIL: the Port list has no %s\n", sim_.linkPath().c_str());
            emit window.menuChosen(MenuExit);
            return;
        }
        EnterField(controls, lifecycle, ControlId::TimeIntervalField, "1");
        EnterField(controls, lifecycle, ControlId::MaxRecordsField, "100000");
        lifecycle.onControlEvent(ControlId::PortList);
        controls.setTicked(ControlId::DataLoggerCheck, true);
        lifecycle.onControlEvent(ControlId::DataLoggerCheck);
        data_.loggingFrom = MonotonicMicros();
        injector_.start();

        auto* sampler = new QTimer(&window);
        QObject::connect(sampler, &QTimer::timeout, &window, [this] { sampleMemory(); });
        sampler->start(std::chrono::seconds(5));
        QTimer::singleShot(std::chrono::seconds(seconds_), &window,
                           [this, &window] { finish(window); });
    }

    // After the program has ended.
    SoakData collect() {
        injector_.stop();
        data_.faults = injector_.spans();
        data_.record = sim_.record();
        return data_;
    }

  private:
    void sampleMemory() {
        const double since = std::chrono::duration<double>(Clock::now() - begin_).count();
        data_.memory.push_back({since, ResidentKb()});
    }

    void finish(MainWindow& window) {
        injector_.stop();
        data_.loggingTo = MonotonicMicros();
        data_.rows = ReadTable(window.controls());
        data_.reachedEnd = true;
        emit window.menuChosen(MenuExit);
    }

    test::SimProcess& sim_;
    const int seconds_;
    FaultInjector injector_;
    SoakData data_;
    const Clock::time_point begin_ = Clock::now();
};

}  // namespace
}  // namespace vexilor::soak

int main(int argc, char** argv) {
    using namespace vexilor;
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 600;
    const unsigned seed = argc > 2 ? static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10))
                                   : std::random_device{}();
    std::printf("soak: %d s, seed %u\n", seconds, seed);
    std::fflush(stdout);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);

    QTemporaryDir work;
    if (!work.isValid() || !QDir::setCurrent(work.path())) {
        std::printf("FAIL: no working directory\n");
        return 1;
    }
    test::SimProcess sim({"--baud", "9600"});
    if (!sim.started()) {
        std::printf("FAIL: the simulator did not start\n");
        return 1;
    }
    // The simulator's link is listed after the system's own serial devices.
    setenv("VEXILOR_EXTRA_PORTS", sim.linkPath().c_str(), 1);

    soak::SoakRun run(sim, seconds, seed);
    ProgramHooks hooks;
    hooks.started = [&run](MainWindow& window, Lifecycle& lifecycle) {
        run.started(window, lifecycle);
    };
    const int code = RunProgram("preferences.pref", hooks);
    soak::SoakData data = run.collect();
    data.reachedEnd = data.reachedEnd && code == 0;
    return soak::CheckSoak(data) ? 0 : 1;
}
