// LogTable figures on the real window, offscreen:
//   bench_log_table
// the time to log one row as the window's cycle sink does (trim, then the
// new row on top), to paint the table, its rows area alone, and the rows
// area after a page scroll, at 10, 1,000 and 1,000,000 rows, and the
// resident memory with 1,000,000 rows.
#include <QApplication>
#include <QPixmap>
#include <QScrollBar>
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
#include "log_table.h"
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

// In the program the event loop runs between two logged rows; here it runs
// after every thousand, so that the table's deferred work is done as it
// would be.
void FillTo(Controls& controls, int rows) {
    constexpr int RowsPerPass = 1000;
    while (controls.rowCount(ControlId::LogTable) < rows) {
        controls.addRow(ControlId::LogTable, Line, 0);
        if (controls.rowCount(ControlId::LogTable) % RowsPerPass == 0) {
            QCoreApplication::processEvents();
        }
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

// Median milliseconds of paint, each after step (which may do nothing).
template <typename Step>
double PaintMs(QWidget& widget, Step step) {
    std::vector<double> times;
    for (int round = 0; round < Repaints; ++round) {
        const std::int64_t before = MonotonicUs();
        step(round);
        const QPixmap picture = widget.grab();
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
    auto& table = *qobject_cast<LogTable*>(window.control(ControlId::LogTable));
    const auto still = [](int) {};
    const double tableMs = PaintMs(table, still);
    const double rowsMs = PaintMs(*table.viewport(), still);
    // A page down and back up, alternately, from the middle of the table.
    QScrollBar& bar = *table.verticalScrollBar();
    const int middle = bar.maximum() / 2;
    const double scrollMs = PaintMs(*table.viewport(), [&bar, middle](int round) {
        bar.setValue(middle + (round % 2) * bar.pageStep());
    });
    std::printf(
        "bench_log_table: %d rows: %.2f us per logged row (trim + insert on top); "
        "paint median: table %.2f ms, rows area %.2f ms, rows area after a page scroll %.2f ms\n",
        controls.rowCount(ControlId::LogTable), logUs, tableMs, rowsMs, scrollMs);
}

int Run(int argc, char** argv) {
    QApplication app(argc, argv);
    MainWindow window({});
    window.show();
    Controls& controls = window.controls();
    controls.setTicked(ControlId::DataLoggerCheck, true);
    std::printf("bench_log_table: VmRSS with an empty table:%s\n", ResidentMemory().c_str());
    Figures(window, 10);
    Figures(window, 1000);
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
