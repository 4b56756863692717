// The handlers of the window without an instrument: the port does not open.

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <algorithm>

#include "program_fixture.h"

namespace vexilor::test {
namespace {

constexpr const char* MissingPort = "/dev/vexilor-test-missing";

using HandlersTest = ProgramFixture;

TEST_F(HandlersTest, StartsFromTheDefaultsWithoutSettings) {
    start({MissingPort});
    EXPECT_EQ(controls().selectedRow(ControlId::PortList), 0);
    EXPECT_EQ(controls().text(ControlId::BaudRateList), "9600");
    EXPECT_EQ(controls().selectedRow(ControlId::PeripheralNumberList), 1);
    EXPECT_EQ(controls().selectedRow(ControlId::ModelList), 1);
    EXPECT_EQ(controls().text(ControlId::TimeIntervalField), "1");
    EXPECT_EQ(controls().text(ControlId::MaxRecordsField), "10");
    EXPECT_EQ(state.linkSettings.baudRate, 9600);
    EXPECT_TRUE(lifecycle->workerRunning());
    EXPECT_EQ(state.linkError.text(), std::string("Can't open ") + MissingPort);
    // Model 1 addresses as 1: the bus controls are hidden.
    EXPECT_FALSE(controls().isVisibleFlag(ControlId::PrphnList));
}

TEST_F(HandlersTest, APortThatDoesNotOpenIsShownAndLoggedEveryCycle) {
    start({});
    EXPECT_EQ(state.linkError.text(), "Can't open ");
    QTest::mouseClick(widget<QCheckBox>(ControlId::DataLoggerCheck), Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return controls().rowCount(ControlId::LogTable) >= 2; }));
    EXPECT_EQ(controls().cellText(ControlId::LogTable, 0, 1), "Can't open ");
    EXPECT_EQ(controls().cellText(ControlId::LogTable, 0, 2), "");
    EXPECT_EQ(controls().cellText(ControlId::LogTable, 0, 3), "");
    // Between cycles the error stays for Write Prog to see.
    EXPECT_EQ(state.linkError.text(), "Can't open ");
    // The picture shows the text: something other than black is drawn.
    const QImage picture = display.snapshot();
    bool drawn = false;
    for (int y = 45; y < 75 && !drawn; ++y) {
        for (int x = 40; x < 150 && !drawn; ++x) {
            drawn = picture.pixelColor(x, y) != QColor(0, 0, 0);
        }
    }
    EXPECT_TRUE(drawn);
}

TEST_F(HandlersTest, WriteProgRefusesWhileThePortIsNotOpen) {
    start({MissingPort});
    widget<QPushButton>(ControlId::WriteProgButton)->click();
    EXPECT_EQ(dialogs.errors, std::vector<std::string>{std::string("Can't open ") + MissingPort});
    EXPECT_TRUE(dialogs.questions.empty());
    EXPECT_TRUE(lifecycle->workerRunning());
}

TEST_F(HandlersTest, TickingTheLoggerLocksExactlySevenControls) {
    start({MissingPort});
    const std::vector<ControlId> locked = {
        ControlId::TimeIntervalField, ControlId::MaxRecordsField,      ControlId::PortList,
        ControlId::BaudRateList,      ControlId::PeripheralNumberList, ControlId::WriteProgButton,
        ControlId::ResetButton};
    const std::vector<ControlId> others = {
        ControlId::ModelList,       ControlId::HoldButton,      ControlId::LoadProgButton,
        ControlId::SaveProgButton,  ControlId::SaveTableButton, ControlId::ClearTableButton,
        ControlId::DataLoggerCheck, ControlId::FunctList,       ControlId::LogTable};
    state.logging.logTick = 3;

    QTest::mouseClick(widget<QCheckBox>(ControlId::DataLoggerCheck), Qt::LeftButton);
    ASSERT_TRUE(controls().ticked(ControlId::DataLoggerCheck));
    for (const ControlId id : locked) {
        EXPECT_FALSE(controls().isEnabled(id)) << static_cast<int>(id);
    }
    for (const ControlId id : others) {
        EXPECT_TRUE(controls().isEnabled(id)) << static_cast<int>(id);
    }
    EXPECT_LE(state.logging.logTick.load(), 0);  // -1, or 0 if a cycle logged already

    QTest::mouseClick(widget<QCheckBox>(ControlId::DataLoggerCheck), Qt::LeftButton);
    for (const ControlId id : locked) {
        EXPECT_TRUE(controls().isEnabled(id)) << static_cast<int>(id);
    }
}

TEST_F(HandlersTest, ALoneZeroBringsBackTheHeldValue) {
    start({MissingPort});
    QLineEdit* interval = widget<QLineEdit>(ControlId::TimeIntervalField);
    interval->setFocus();
    interval->selectAll();
    QTest::keyClicks(interval, "5");
    EXPECT_EQ(state.logging.logInterval.load(), 5);

    interval->selectAll();
    QTest::keyClicks(interval, "0");
    EXPECT_EQ(interval->text(), "5");
    EXPECT_EQ(state.logging.logInterval.load(), 5);

    interval->selectAll();
    QTest::keyClick(interval, Qt::Key_Backspace);
    EXPECT_EQ(interval->text(), "");
    EXPECT_EQ(state.logging.logInterval.load(), 0);

    QLineEdit* records = widget<QLineEdit>(ControlId::MaxRecordsField);
    records->setFocus();
    records->selectAll();
    QTest::keyClicks(records, "00");  // "0" is refused, then "0" typed after the held 10
    EXPECT_EQ(records->text(), "100");
    EXPECT_EQ(state.logging.maxRecords.load(), 100);
    records->selectAll();
    QTest::keyClicks(records, "99999999999");
    EXPECT_EQ(state.logging.maxRecords.load(), INT32_MAX);
}

TEST_F(HandlersTest, PickingTheSameRowRestartsNothing) {
    start({MissingPort, "/dev/vexilor-test-missing2"});
    const int starts = lifecycle->acquisitionStarts();
    for (const ControlId id : {ControlId::PortList, ControlId::BaudRateList,
                               ControlId::PeripheralNumberList, ControlId::ModelList}) {
        SCOPED_TRACE(static_cast<int>(id));
        pick(id, controls().selectedRow(id));
        EXPECT_EQ(lifecycle->acquisitionStarts(), starts);
        EXPECT_TRUE(lifecycle->workerRunning());
    }
}

TEST_F(HandlersTest, ADifferentRowRestartsWithTheNewValue) {
    start({MissingPort, "/dev/vexilor-test-missing2"});
    int starts = lifecycle->acquisitionStarts();

    pick(ControlId::PortList, 1);
    EXPECT_EQ(state.linkSettings.portPosition, 2);
    EXPECT_EQ(lifecycle->acquisitionStarts(), ++starts);
    EXPECT_EQ(state.linkError.text(), "Can't open /dev/vexilor-test-missing2");

    pick(ControlId::BaudRateList, 2);
    EXPECT_EQ(state.linkSettings.baudRate, 1200);
    EXPECT_EQ(lifecycle->acquisitionStarts(), ++starts);

    pick(ControlId::PeripheralNumberList, 42);
    EXPECT_EQ(state.linkSettings.peripheralNumber, 42);
    EXPECT_EQ(lifecycle->acquisitionStarts(), ++starts);
    EXPECT_TRUE(lifecycle->workerRunning());
}

TEST_F(HandlersTest, TheModelShowsAndHidesTheBusControls) {
    start({MissingPort});
    const std::vector<ControlId> busControls = {
        ControlId::PeripheralNumberList, ControlId::BaudRateList, ControlId::PeripheralNumberLabel,
        ControlId::BaudRateLabel,        ControlId::PrphnLabel,   ControlId::PrphnList,
        ControlId::BaudrLabel,           ControlId::BaudrList};
    const auto allVisible = [&](bool visible) {
        return std::all_of(busControls.begin(), busControls.end(),
                           [&](ControlId id) { return controls().isVisibleFlag(id) == visible; });
    };
    const int starts = lifecycle->acquisitionStarts();
    pick(ControlId::ModelList, 3);
    EXPECT_EQ(state.linkSettings.modelIndex, 3);
    EXPECT_TRUE(allVisible(true));
    pick(ControlId::ModelList, 1);
    EXPECT_TRUE(allVisible(false));
    pick(ControlId::ModelList, 3);
    EXPECT_TRUE(allVisible(true));
    EXPECT_EQ(lifecycle->acquisitionStarts(), starts + 3);
    // A hidden control keeps its row.
    EXPECT_EQ(controls().selectedRow(ControlId::PrphnList), 1);
}

TEST_F(HandlersTest, AboutExitAndCloseBox) {
    start({MissingPort});
    lifecycle->onMenuItem(MenuAbout);
    ASSERT_EQ(dialogs.informations.size(), 1u);
    const std::string& about = dialogs.informations[0];
    EXPECT_EQ(about.rfind("Vexilor\n", 0), 0u);
    EXPECT_NE(about.find("(May 2016)\n\n\nContact your Brantel distributor for:  "),
              std::string::npos);
    EXPECT_EQ(about.substr(about.size() - 2), "\n\n");
    EXPECT_FALSE(lifecycle->endRequested());

    lifecycle->onMenuItem(MenuExit);
    EXPECT_TRUE(lifecycle->endRequested());
}

TEST_F(HandlersTest, ShutDownWritesTheSettingsEvenWhenNothingChanged) {
    start({MissingPort});
    window->close();  // the close box: only a request
    EXPECT_TRUE(lifecycle->endRequested());
    EXPECT_TRUE(lifecycle->shutDown());
    EXPECT_FALSE(lifecycle->workerRunning());
    EXPECT_FALSE(link.port.isOpen());
    const std::string saved = readFile("preferences.pref");
    EXPECT_EQ(saved.rfind("[Communication Setup]\r\nPort = 1\r\nBaudRate = 9600\r\n", 0), 0u);
    EXPECT_NE(saved.find("[Program]\r\nFunct = SPEED\r\n"), std::string::npos);
}

}  // namespace
}  // namespace vexilor::test
