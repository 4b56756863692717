// Start-up figures of the program, on the platform QT_QPA_PLATFORM names
// (bench/run.sh: offscreen, and xcb under Xvfb when it is there):
//   bench_startup [launches]
// starts the program (RunProgram, as main() does) in a fresh process the
// given number of times (default 20), each from just before the process is
// spawned until the window's first paint has been handed to the screen.
// The scan for serial ports is timed on its own and taken out, as it depends
// on the machine's devices. Each process then closes its window and ends.
//
// The same program is the driver and, with --child, the launched process;
// the child reports its clock readings through a pipe.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QMetaObject>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "bench_stats.h"
#include "link.h"
#include "main_window.h"
#include "program_main.h"

extern char** environ;

namespace vexilor::bench {
namespace {

constexpr int DefaultLaunches = 20;
constexpr int TargetMs = 300;
// A child whose window never paints gives up after this.
constexpr int ChildTimeoutMs = 10000;

std::int64_t ClockNs(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// Nanoseconds from this process's start (the kernel's record of the fork,
// in clock ticks of 10 ms) to now, on the boot-time clock.
std::int64_t SinceProcessStartNs() {
    std::ifstream statFile("/proc/self/stat");
    std::string stat;
    std::getline(statFile, stat);
    // Field 22; the command name in field 2 may hold spaces, so count from
    // after its closing parenthesis (field 3 is the first one there).
    std::istringstream fields(stat.substr(stat.rfind(')') + 2));
    std::string field;
    for (int index = 3; index < 22; ++index) {
        fields >> field;
    }
    long long ticks = 0;
    fields >> ticks;
    const auto startNs = ticks * (1000000000 / sysconf(_SC_CLK_TCK));
    return ClockNs(CLOCK_BOOTTIME) - startNs;
}

// Watches every event of the application for the main window's first
// paint. The paint runs inside the handling of the window's exposure, which
// also hands the painted picture to the screen, so the reading is taken
// once that handling has returned to the event loop.
class FirstPaint : public QObject {
  public:
    FirstPaint(int reportFd, const std::int64_t& probeNs, std::int64_t mainNs)
        : reportFd_(reportFd), probeNs_(probeNs), mainNs_(mainNs) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!seen_ && event->type() == QEvent::Paint && qobject_cast<MainWindow*>(watched)) {
            seen_ = true;
            auto* window = static_cast<MainWindow*>(watched);
            QMetaObject::invokeMethod(
                this, [this, window] { report(window); }, Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

    // "painted-ns probe-ns main-ns since-start-ns", monotonic clock.
    void report(QWidget* window) const {
        const std::int64_t paintedNs = ClockNs(CLOCK_MONOTONIC);
        const std::int64_t sinceStartNs = SinceProcessStartNs();
        const std::string line = std::to_string(paintedNs) + ' ' + std::to_string(probeNs_) + ' ' +
                                 std::to_string(mainNs_) + ' ' + std::to_string(sinceStartNs) +
                                 '\n';
        [[maybe_unused]] const auto written = write(reportFd_, line.data(), line.size());
        // Ends the program as the close box does.
        window->close();
    }

  private:
    int reportFd_;
    const std::int64_t& probeNs_;
    std::int64_t mainNs_;
    bool seen_ = false;
};

int RunChild(int argc, char** argv, int reportFd, const std::string& settingsFile) {
    const std::int64_t mainNs = ClockNs(CLOCK_MONOTONIC);
    QApplication app(argc, argv);
    std::int64_t probeNs = 0;
    FirstPaint watch(reportFd, probeNs, mainNs);
    app.installEventFilter(&watch);
    QTimer::singleShot(ChildTimeoutMs, [] { std::_Exit(3); });

    ProgramHooks hooks;
    hooks.probePorts = [&probeNs](SerialPort& port) {
        const std::int64_t before = ClockNs(CLOCK_MONOTONIC);
        std::vector<std::string> ports = ProbePorts(port);
        probeNs = ClockNs(CLOCK_MONOTONIC) - before;
        return ports;
    };
    return RunProgram(settingsFile, hooks);
}

struct Launch {
    double toMainMs = 0;
    double probeMs = 0;
    // Spawn to painted, less the probe.
    double shownMs = 0;
    // The same from the kernel's start time of the process (10 ms ticks).
    double shownByStatMs = 0;
};

bool LaunchOnce(const std::string& self, const std::string& settingsFile, Launch& result) {
    int fds[2];
    if (pipe(fds) != 0) {
        return false;
    }
    const std::string fdText = std::to_string(fds[1]);
    std::vector<std::string> args = {self, "--child", fdText, settingsFile};
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, fds[0]);

    const std::int64_t spawnNs = ClockNs(CLOCK_MONOTONIC);
    pid_t child = 0;
    const int spawned = posix_spawn(&child, self.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (spawned != 0) {
        close(fds[0]);
        return false;
    }

    std::string reply;
    char buffer[256];
    ssize_t got = 0;
    while ((got = read(fds[0], buffer, sizeof buffer)) > 0) {
        reply.append(buffer, static_cast<std::size_t>(got));
    }
    close(fds[0]);
    int status = 0;
    waitpid(child, &status, 0);

    std::istringstream fields(reply);
    std::int64_t paintedNs = 0;
    std::int64_t probeNs = 0;
    std::int64_t mainNs = 0;
    std::int64_t sinceStartNs = 0;
    if (!(fields >> paintedNs >> probeNs >> mainNs >> sinceStartNs)) {
        return false;
    }
    const auto ms = [](std::int64_t ns) { return static_cast<double>(ns) / 1e6; };
    result.toMainMs = ms(mainNs - spawnNs);
    result.probeMs = ms(probeNs);
    result.shownMs = ms(paintedNs - spawnNs - probeNs);
    result.shownByStatMs = ms(sinceStartNs - probeNs);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void PrintFigure(const char* what, std::vector<double> values) {
    std::printf("bench_startup: %-44s median %7.1f ms, max %7.1f ms, first %7.1f ms\n", what,
                Percentile(values, 0.5), Percentile(values, 1.0), values.front());
}

int RunDriver(int launches) {
    char folder[] = "/tmp/vexilor-startup-XXXXXX";
    if (mkdtemp(folder) == nullptr) {
        std::printf("bench_startup: no temporary folder\n");
        return 1;
    }
    // The settings the previous launch wrote are read by the next, as in a
    // user's working folder.
    const std::string settingsFile = std::string(folder) + "/preferences.pref";
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    std::printf(
        "bench_startup: %d launches of the program (platform %s); from just before the "
        "process is spawned until the window's first paint is on screen, less the port scan\n",
        launches, platform != nullptr ? platform : "default");

    std::vector<double> toMain;
    std::vector<double> probe;
    std::vector<double> shown;
    std::vector<double> shownByStat;
    int failed = 0;
    for (int round = 0; round < launches; ++round) {
        Launch launch;
        if (!LaunchOnce("/proc/self/exe", settingsFile, launch)) {
            ++failed;
            continue;
        }
        toMain.push_back(launch.toMainMs);
        probe.push_back(launch.probeMs);
        shown.push_back(launch.shownMs);
        shownByStat.push_back(launch.shownByStatMs);
    }
    std::remove(settingsFile.c_str());
    rmdir(folder);
    if (shown.empty()) {
        std::printf("bench_startup: no launch showed its window\n");
        return 1;
    }
    if (failed > 0) {
        std::printf("bench_startup: %d launches failed and are left out\n", failed);
    }
    PrintFigure("spawn to main()", toMain);
    PrintFigure("port scan (left out of the next two)", probe);
    PrintFigure("spawn to window on screen, less port scan", shown);
    PrintFigure("same from /proc starttime (10 ms ticks)", shownByStat);
    const auto verdict = [](double ms) { return ms < TargetMs ? "met" : "MISSED"; };
    std::printf("bench_startup: target: window on screen under %d ms: median %s, max %s\n",
                TargetMs, verdict(Percentile(shown, 0.5)), verdict(Percentile(shown, 1.0)));
    return 0;
}

}  // namespace
}  // namespace vexilor::bench

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--child") == 0) {
        return vexilor::bench::RunChild(argc, argv, std::atoi(argv[2]), argv[3]);
    }
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    return vexilor::bench::RunDriver(
        vexilor::bench::PositiveArgument(argc, argv, vexilor::bench::DefaultLaunches));
}
