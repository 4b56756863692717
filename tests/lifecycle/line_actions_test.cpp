// Hold, Reset and Write Prog in the real window against the simulator: what
// reaches the line, and the worker stopped around it and started again.

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

#include "program_fixture.h"
#include "sim_process.h"

namespace vexilor::test {
namespace {

using namespace std::chrono_literals;

class LineActionsTest : public ProgramFixture {
  protected:
    void startWithSim(const std::string& preferences = "") {
        ASSERT_TRUE(sim.started());
        start({sim.linkPath()}, preferences);
        ASSERT_EQ(state.linkError.text(), "");
        ASSERT_TRUE(link.port.isOpen());
    }

    // The received bytes from the first `first` on.
    std::vector<std::uint8_t> received(const Record& record) const {
        std::vector<std::uint8_t> rx;
        for (const RecordEntry& e : record) {
            if (e.direction == RecordDirection::Rx) {
                rx.push_back(e.byte);
            }
        }
        return rx;
    }

    // Waits until the record holds `bytes` in a row among the received ones.
    bool lineCarries(const std::vector<std::uint8_t>& bytes, std::chrono::milliseconds timeout) {
        return sim.waitForRecord(
            [&](const Record& r) {
                const auto rx = received(r);
                return std::search(rx.begin(), rx.end(), bytes.begin(), bytes.end()) != rx.end();
            },
            timeout);
    }

    void click(ControlId id) { widget<QPushButton>(id)->click(); }

    SimProcess sim;
};

TEST_F(LineActionsTest, HoldSendsItsTwoBytesAtOnceAndPollingGoesOn) {
    startWithSim();
    const int starts = lifecycle->acquisitionStarts();
    click(ControlId::HoldButton);
    EXPECT_TRUE(dialogs.questions.empty());
    ASSERT_TRUE(lineCarries({0xFC, 0x01}, 2s));
    EXPECT_TRUE(lifecycle->workerRunning());
    EXPECT_EQ(lifecycle->acquisitionStarts(), starts);  // the port was not reopened
    ASSERT_TRUE(waitFor([&] { return controls().text(ControlId::MaxLabel) != "Max = "; }));
}

TEST_F(LineActionsTest, ResetGoesOutOnlyAfterYes) {
    startWithSim();
    dialogs.answers = {false};
    click(ControlId::ResetButton);
    ASSERT_EQ(dialogs.questions,
              std::vector<std::string>{"Do you really want to reset the the instrument?"});
    EXPECT_TRUE(lifecycle->workerRunning());

    dialogs.answers = {true};
    click(ControlId::ResetButton);
    ASSERT_TRUE(lineCarries({0xFF, 0x01}, 2s));
    // Only the Yes put a Reset on the line.
    const auto rx = received(sim.record());
    EXPECT_EQ(std::count(rx.begin(), rx.end(), std::uint8_t{0xFF}), 1);
    EXPECT_TRUE(lifecycle->workerRunning());
}

bool AllBlack(const QImage& picture) {
    if (picture.isNull()) {
        return false;
    }
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (picture.pixelColor(x, y) != QColor(Qt::black)) {
                return false;
            }
        }
    }
    return true;
}

// The download of the default program to the instrument at address 1.
const std::vector<std::uint8_t> DefaultProgramFrame = {
    0xFE, 0x01, 0x10, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x10, 0x01, 0x00, 0x00,
    0x10, 0x01, 0x00, 0x00, 0x10, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x96, 0x00, 0x68};

TEST_F(LineActionsTest, WriteProgSendsTheFrameByteForByteAfterYes) {
    startWithSim();
    const int starts = lifecycle->acquisitionStarts();
    dialogs.answers = {false};
    click(ControlId::WriteProgButton);
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.questions[0], "Do you really want to write the program to the instrument?");
    EXPECT_TRUE(lifecycle->workerRunning());

    dialogs.answers = {true};
    click(ControlId::WriteProgButton);
    EXPECT_TRUE(dialogs.errors.empty());
    Record record;
    ASSERT_TRUE(sim.waitForRecord(
        [&](const Record& r) {
            const auto rx = received(r);
            return std::search(rx.begin(), rx.end(), DefaultProgramFrame.begin(),
                               DefaultProgramFrame.end()) != rx.end();
        },
        3s, &record));
    // The "No" sent nothing: one frame on the line, 10 ms after every byte.
    std::vector<RecordEntry> frame;
    for (const RecordEntry& e : record) {
        if (e.direction == RecordDirection::Rx && (!frame.empty() || e.byte == 0xFE)) {
            frame.push_back(e);
        }
    }
    ASSERT_GE(frame.size(), DefaultProgramFrame.size());
    // The simulator stamps a byte when it reads it, later on a busy machine:
    // each gap must show at least half its pause, the frame all of them.
    for (std::size_t i = 1; i < DefaultProgramFrame.size(); ++i) {
        EXPECT_GE(frame[i].microseconds - frame[i - 1].microseconds, 5000) << i;
    }
    EXPECT_GE(frame[DefaultProgramFrame.size() - 1].microseconds - frame[0].microseconds,
              50 * 10000 - 5000);
    const auto rx = received(record);
    EXPECT_EQ(std::count(rx.begin(), rx.end(), std::uint8_t{0xFE}), 1);
    EXPECT_TRUE(lifecycle->workerRunning());
    EXPECT_EQ(lifecycle->acquisitionStarts(), starts);
}

TEST_F(LineActionsTest, WriteProgRefusesAProgramWithoutValues) {
    startWithSim();
    controls().setSelectedRow(ControlId::FunctList, -1);
    controls().setText(ControlId::PulreField, "-5");
    dialogs.answers = {true};
    click(ControlId::WriteProgButton);
    ASSERT_EQ(dialogs.errors.size(), 1u);
    EXPECT_NE(dialogs.errors[0].find("FUNCT"), std::string::npos);
    EXPECT_NE(dialogs.errors[0].find("PULRE"), std::string::npos);
    EXPECT_TRUE(dialogs.questions.empty());
    EXPECT_TRUE(lifecycle->workerRunning());
}

TEST_F(LineActionsTest, ADownloadedAddressMovesABusInstrument) {
    // A bus model at peripheral 1.
    startWithSim("[Communication Setup]\r\nModel = 3\r\n");
    ASSERT_EQ(state.linkSettings.modelIndex, 3);
    controls().setSelectedRow(ControlId::PrphnList, 5);
    dialogs.answers = {true};
    click(ControlId::WriteProgButton);
    ASSERT_TRUE(lineCarries({0x00, 0x00, 0x00, 0x05, 0x00, 0x00, 0x96, 0x00}, 3s));

    // The instrument now answers at 5 only: at 1 it is silent, which reads
    // "No vexilor connected"; picking 5 brings the readings back.
    pick(ControlId::PeripheralNumberList, 5);
    EXPECT_EQ(state.linkSettings.peripheralNumber, 5);
    controls().setTicked(ControlId::DataLoggerCheck, true);
    lifecycle->onControlEvent(ControlId::DataLoggerCheck);
    ASSERT_TRUE(waitFor([&] { return controls().rowCount(ControlId::LogTable) >= 1; }, 5s));
    EXPECT_EQ(controls().cellText(ControlId::LogTable, 0, 1).find('.'), 6u)
        << controls().cellText(ControlId::LogTable, 0, 1);
}

TEST_F(LineActionsTest, TheWorkerGoesOnInOrderWhileAModalBoxIsOpen) {
    startWithSim();
    controls().setTicked(ControlId::DataLoggerCheck, true);
    lifecycle->onControlEvent(ControlId::DataLoggerCheck);
    int rowsWhileOpen = 0;
    dialogs.whileOpen = [&] {
        // A modal dialog runs its own event loop until the user answers.
        const int before = controls().rowCount(ControlId::LogTable);
        QEventLoop modal;
        QTimer::singleShot(3500ms, &modal, &QEventLoop::quit);
        modal.exec();
        rowsWhileOpen = controls().rowCount(ControlId::LogTable) - before;
    };
    click(ControlId::LoadProgButton);  // the file chooser, then cancelled
    ASSERT_EQ(dialogs.titles.size(), 1u);
    EXPECT_GE(rowsWhileOpen, 2);
    // Newest first: nothing applied out of order. (The first cycle of a
    // worker may start within a second and end in the next one, so two rows
    // can share a timestamp.)
    const int rows = controls().rowCount(ControlId::LogTable);
    for (int row = 0; row + 1 < rows; ++row) {
        EXPECT_GE(controls().cellText(ControlId::LogTable, row, 0),
                  controls().cellText(ControlId::LogTable, row + 1, 0));
    }
}

TEST_F(LineActionsTest, StopAcquisitionLeavesABlackPictureThatNoLateUpdatePaintsOver) {
    startWithSim();
    ASSERT_TRUE(waitFor([&] { return controls().text(ControlId::MaxLabel) != "Max = "; }));
    for (int round = 0; round < 5; ++round) {
        SCOPED_TRACE(round);
        runEventsFor(std::chrono::milliseconds(97 * round));
        lifecycle->StopAcquisition();
        controls().setText(ControlId::MaxLabel, "untouched");
        runEventsFor(300ms);
        EXPECT_EQ(controls().text(ControlId::MaxLabel), "untouched");
        EXPECT_TRUE(AllBlack(display.snapshot()));
        EXPECT_TRUE(AllBlack(widget<QLabel>(ControlId::Picture)->pixmap().toImage()));
        lifecycle->StartWorker();
    }
}

}  // namespace
}  // namespace vexilor::test
