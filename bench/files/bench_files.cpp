// Prints how long the files subsystem takes for its heavy cases: exporting a
// million log rows, parsing a 10 MB settings file and loading a typical
// preferences.pref into the controls.

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "log_export.h"
#include "main_window_fakes.h"
#include "settings_file.h"
#include "settings_store.h"

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void BenchExport() {
    constexpr std::size_t kRows = 1'000'000;
    std::vector<vexilor::LogRow> rows(kRows);
    for (std::size_t i = 0; i < kRows; ++i) {
        rows[i] = {"2016-05-12 10:11:12",
                   i % 7 == 0 ? "Incorrect CheckSum on response" : "000123.45",
                   i % 2 == 0 ? "ON" : "OFF", ""};
    }
    const auto start = Clock::now();
    const std::string bytes = vexilor::BuildLogExport(rows);
    const double ms = MillisecondsSince(start);
    std::printf("export %zu rows: %.1f ms (%zu bytes)\n", kRows, ms, bytes.size());
}

std::string LargeSettingsText(std::size_t targetBytes) {
    std::string text;
    text.reserve(targetBytes + 256);
    for (int group = 0; text.size() < targetBytes; ++group) {
        text += "[Group " + std::to_string(group) + "]\r\n; a comment line\r\n";
        for (int key = 0; key < 50; ++key) {
            text += "  Key_" + std::to_string(key) + " \t=  value number " + std::to_string(key) +
                    "  \r\n";
        }
    }
    text += "[Program]\r\nFunct = TOTAL\r\n";
    return text;
}

void BenchParse() {
    const std::string text = LargeSettingsText(10u << 20);
    const auto start = Clock::now();
    vexilor::SettingsFile file = vexilor::SettingsFile::Open(text);
    file.SelectGroup("Program");
    const std::string funct = file.ReadText("Funct", "");
    const double ms = MillisecondsSince(start);
    std::printf("parse %.1f MB settings file (%zu entries) and look up a key: %.1f ms (%s)\n",
                static_cast<double>(text.size()) / (1 << 20), file.entries().size(), ms,
                funct.c_str());
}

void BenchLoadSettings() {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / "vexilor-bench-files";
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "preferences.pref").string();

    // A typical file: the one a default start-up saves at exit.
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    {
        auto controls = vexilor::testing::MainWindowControls();
        vexilor::LinkSettings link;
        vexilor::LoggingState logging;
        vexilor::LoadSettings("preferences.pref", controls, link, logging);
        vexilor::SaveSettings("preferences.pref", controls, link, logging);
    }
    constexpr int kRuns = 1000;
    auto controls = vexilor::testing::MainWindowControls();
    vexilor::LinkSettings link;
    vexilor::LoggingState logging;
    const auto start = Clock::now();
    for (int i = 0; i < kRuns; ++i) {
        vexilor::LoadSettings("preferences.pref", controls, link, logging);
    }
    const double ms = MillisecondsSince(start);
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(dir);
    std::printf("LoadSettings of preferences.pref: %.3f ms per load (%d loads)\n", ms / kRuns,
                kRuns);
}

}  // namespace

int main() {
    BenchExport();
    BenchParse();
    BenchLoadSettings();
    return 0;
}
