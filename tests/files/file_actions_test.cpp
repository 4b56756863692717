#include "file_actions.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <string>
#include <vector>

#include "file_helpers.h"
#include "main_window_fakes.h"

namespace vexilor {
namespace {

using testing::FakeControls;
using testing::FakeDialogs;
using testing::MainWindowControls;
using testing::ReadWhole;
using testing::TempDir;
using testing::WriteWhole;

std::string Spaces(std::size_t count) {
    return std::string(count, ' ');
}

const std::string kHeader =
    Spaces(21) + "Time" + Spaces(21) + "Read" + Spaces(3) + "AL1" + Spaces(3) + "AL2" + "\r\n";

// Rows arrive as the worker adds them: each new one at the top.
void LogRows(FakeControls& controls, const std::vector<std::string>& oldestFirst) {
    for (const std::string& line : oldestFirst) {
        controls.addRow(ControlId::LogTable, line, 0);
    }
}

// Lowers the largest file size this process may write, so that a write
// fails for real even for root, who ignores permissions.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &previous_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = previous_;
        lowered.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

TEST(SaveTable, WritesTheRowsNewestFirst) {
    TempDir dir;
    const std::string path = dir.file("log.txt");
    FakeControls controls = MainWindowControls();
    LogRows(controls, {"2016-05-12 10:11:12\n000001.00\nOFF\nOFF",
                       "2016-05-12 10:11:13\nIncorrect CheckSum on response\n\n",
                       "2016-05-12 10:11:14\n000003.50\nON\nOFF"});
    FakeDialogs dialogs;
    dialogs.chosenPaths = {path};

    SaveTable(controls, dialogs);

    const std::string expected =
        kHeader +  //
        Spaces(6) + "2016-05-12 10:11:14" + Spaces(16) + "000003.50" + "    ON   OFF\r\n" +
        Spaces(6) + "2016-05-12 10:11:13" + "Incorrect CheckSum on res" + Spaces(12) + "\r\n" +
        Spaces(6) + "2016-05-12 10:11:12" + Spaces(16) + "000001.00" + "   OFF   OFF\r\n";
    EXPECT_EQ(ReadWhole(path), expected);
    EXPECT_EQ(dialogs.chooserTitles, std::vector<std::string>{"Please choose file to save data"});
    EXPECT_TRUE(dialogs.errors.empty());
    EXPECT_EQ(controls.rowCount(ControlId::LogTable), 3);
}

TEST(SaveTable, EmptyTableGivesTheHeaderAlone) {
    TempDir dir;
    const std::string path = dir.file("log.txt");
    FakeControls controls = MainWindowControls();
    FakeDialogs dialogs;
    dialogs.chosenPaths = {path};

    SaveTable(controls, dialogs);

    EXPECT_EQ(ReadWhole(path), kHeader);
}

TEST(SaveTable, SavingTwiceKeepsOnlyTheSecondExport) {
    TempDir dir;
    const std::string path = dir.file("log.txt");
    FakeControls controls = MainWindowControls();
    LogRows(controls, {"a\nb\nc\nd", "e\nf\ng\nh", "i\nj\nk\nl"});
    FakeDialogs dialogs;
    dialogs.chosenPaths = {path, path};

    SaveTable(controls, dialogs);
    ClearTable(controls);
    LogRows(controls, {"only\nrow\n\n"});
    SaveTable(controls, dialogs);

    EXPECT_EQ(ReadWhole(path),
              kHeader + Spaces(21) + "only" + Spaces(22) + "row" + Spaces(12) + "\r\n");
}

TEST(SaveTable, CancelledChooserWritesNothing) {
    TempDir dir;
    FakeControls controls = MainWindowControls();
    LogRows(controls, {"a\nb\nc\nd"});
    FakeDialogs dialogs;
    dialogs.chosenPaths = {""};

    SaveTable(controls, dialogs);

    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
    EXPECT_TRUE(dialogs.errors.empty());
}

// Both save actions, for the failure tests.
struct SaveAction {
    const char* label;
    void (*run)(const FakeControls&, FakeDialogs&);
};

const SaveAction kSaveActions[] = {
    {"Save Table",
     [](const FakeControls& controls, FakeDialogs& dialogs) { SaveTable(controls, dialogs); }},
    {"Save Prog",
     [](const FakeControls& controls, FakeDialogs& dialogs) {
         const LinkSettings link{1, 9600, 1, 1};
         const LoggingState logging;
         SaveProg(controls, dialogs, link, logging);
     }},
};

// One error box: the path, then the system's reason.
void ExpectOneErrorWithReason(const FakeDialogs& dialogs, const std::string& prefix) {
    EXPECT_EQ(dialogs.errors.size(), 1u);
    for (const std::string& error : dialogs.errors) {
        EXPECT_TRUE(error.starts_with(prefix)) << error;
        EXPECT_GT(error.size(), prefix.size()) << "no reason given";
    }
}

FakeControls ControlsWithRows() {
    FakeControls controls = MainWindowControls();
    for (int i = 0; i < 20; ++i) {
        LogRows(controls, {"2016-05-12 10:11:12\n000001.00\nOFF\nOFF"});
    }
    return controls;
}

TEST(SaveFailure, FolderThatCannotHoldTheFileShowsTheReason) {
    for (const SaveAction& action : kSaveActions) {
        SCOPED_TRACE(action.label);
        TempDir dir;
        // A regular file where the folder should be: no one can create in it.
        const std::string notAFolder = dir.file("plain");
        WriteWhole(notAFolder, "x");
        const std::string path = notAFolder + "/saved.txt";
        FakeDialogs dialogs;
        dialogs.chosenPaths = {path};

        action.run(ControlsWithRows(), dialogs);

        const std::string prefix = "Can't save " + path + ": ";
        ExpectOneErrorWithReason(dialogs, prefix);
        EXPECT_EQ(ReadWhole(notAFolder), "x");
        EXPECT_EQ(
            std::vector<std::filesystem::path>(std::filesystem::directory_iterator(dir.path()), {}),
            std::vector<std::filesystem::path>{notAFolder});
    }
}

TEST(SaveFailure, FailedWriteLeavesTheOldFileWhole) {
    for (const SaveAction& action : kSaveActions) {
        SCOPED_TRACE(action.label);
        TempDir dir;
        const std::string path = dir.file("saved.txt");
        const std::string old = "the old content\r\n";
        WriteWhole(path, old);
        const FakeControls controls = ControlsWithRows();
        FakeDialogs dialogs;
        dialogs.chosenPaths = {path};

        {
            FileSizeLimit limit(64);
            action.run(controls, dialogs);
        }

        EXPECT_EQ(ReadWhole(path), old);
        ExpectOneErrorWithReason(dialogs, "Can't save " + path + ": ");
        // No temporary file is left beside it.
        EXPECT_EQ(
            std::vector<std::filesystem::path>(std::filesystem::directory_iterator(dir.path()), {}),
            std::vector<std::filesystem::path>{path});
    }
}

TEST(ClearTable, RemovesEveryRowAndLeavesAnEmptyTableAlone) {
    FakeControls controls = MainWindowControls();
    LogRows(controls, {"a\nb\nc\nd", "e\nf\ng\nh", "i\nj\nk\nl"});

    ClearTable(controls);
    EXPECT_EQ(controls.rowCount(ControlId::LogTable), 0);

    const int callsBefore = controls.removeRowsCalls;
    ClearTable(controls);
    EXPECT_EQ(controls.rowCount(ControlId::LogTable), 0);
    EXPECT_EQ(controls.removeRowsCalls, callsBefore);
}

}  // namespace
}  // namespace vexilor
