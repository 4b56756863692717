// LogTable figures on the real window, offscreen:
//   bench_log_table
// the time to log one row as the window's cycle sink does (trim, then the
// new row on top) and to repaint the table, at 10 rows and at 1,000,000
// rows, and the resident memory with 1,000,000 rows.
#include <QApplication>
#include <QPixmap>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "bench_stats.h"
#include "clock.h"
#include "control_id.h"
#include "controls.h"
#include "logging_step.h"
#include "main_window.h"

namespace vexilor::bench {
namespace {

constexpr int LargeRows = 1000000;
constexpr int LoggedRows = 2000;
constexpr int Repaints = 20;
const std::string Line = "2016/05/23 07:07:02\n000123.45\nOFF\nON";

// What the window's sink does with a LogLine while logging is on.
void LogRow(Controls& controls, std::int32_t maxRecords) {
    const TrimRange trim = RowsToTrim(maxRecords, controls.rowCount(ControlId::LogTable));
    if (trim.count > 0) {
        controls.removeRows(ControlId::LogTable, trim.first, trim.count);
    }
    controls.addRow(ControlId::LogTable, Line, 0);
}

void FillTo(Controls& controls, int rows) {
    while (controls.rowCount(ControlId::LogTable) < rows) {
        controls.addRow(ControlId::LogTable, Line, 0);
    }
}

// Microseconds per logged row, the table kept at rows rows.
double LogRowUs(Controls& controls, int rows) {
    const std::int64_t before = MonotonicUs();
    for (int row = 0; row < LoggedRows; ++row) {
        LogRow(controls, rows);
        QCoreApplication::processEvents();
    }
    return static_cast<double>(MonotonicUs() - before) / LoggedRows;
}

// Median milliseconds of a full paint of the table.
double RepaintMs(QWidget& table) {
    std::vector<double> times;
    for (int round = 0; round < Repaints; ++round) {
        const std::int64_t before = MonotonicUs();
        const QPixmap picture = table.grab();
        times.push_back(static_cast<double>(MonotonicUs() - before) / 1000.0);
        if (picture.isNull()) {
            std::printf("bench_log_table: the table painted nothing\n");
        }
    }
    return Percentile(times, 0.5);
}

// VmRSS of /proc/self/status, as the line says it.
std::string ResidentMemory() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return line.substr(6);
        }
    }
    return " unknown";
}

void Figures(MainWindow& window, int rows) {
    Controls& controls = window.controls();
    FillTo(controls, rows);
    QCoreApplication::processEvents();
    const double logUs = LogRowUs(controls, rows);
    const double paintMs = RepaintMs(*window.control(ControlId::LogTable));
    std::printf(
        "bench_log_table: %d rows: %.2f us per logged row (trim + insert on top), "
        "repaint (grab) median %.2f ms\n",
        controls.rowCount(ControlId::LogTable), logUs, paintMs);
}

int Run(int argc, char** argv) {
    QApplication app(argc, argv);
    MainWindow window({});
    window.show();
    Controls& controls = window.controls();
    controls.setTicked(ControlId::DataLoggerCheck, true);
    std::printf("bench_log_table: VmRSS with an empty table:%s\n", ResidentMemory().c_str());
    Figures(window, 10);
    Figures(window, LargeRows);
    std::printf("bench_log_table: VmRSS with %d rows:%s\n", controls.rowCount(ControlId::LogTable),
                ResidentMemory().c_str());
    return 0;
}

}  // namespace
}  // namespace vexilor::bench

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    return vexilor::bench::Run(argc, argv);
}
