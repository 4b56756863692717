#include "settings_store.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "file_actions.h"
#include "file_helpers.h"
#include "main_window_fakes.h"
#include "model_visibility.h"

namespace vexilor {
namespace {

using testing::FakeControls;
using testing::FakeDialogs;
using testing::MainWindowControls;
using testing::ReadWhole;
using testing::TempDir;
using testing::WorkingDirectory;
using testing::WriteWhole;

std::string CrLfLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

// The Program group as a fresh window shows it after loading no file.
const std::vector<std::string> kDefaultProgramLines = {
    "[Program]",       "Funct = SPEED",     "Pulre = 1",           "Adjti = 1",
    "Ureal = 1",       "Udisp = 1",         "AL1_On = ON",         "AL1_Low = LOW",
    "AL1_Auto = AUTO", "AL1_Open = OPEN",   "AL1_Value = 10000",   "AL2_On = ON",
    "AL2_Low = LOW",   "AL2_Auto = AUTO",   "AL2_Open = OPEN",     "AL2_Value = 10000",
    "Analg_On = ON",   "Analg_Tens = TENS", "Analg_Value = 10000", "Decp = AUTO",
    "Count_Up = UP",   "Count_Value = 0",   "Prphn = 1",           "BaudRate = 9600",
};

struct ListRow {
    ControlId id;
    int row;
};
struct FieldText {
    ControlId id;
    std::string text;
};

void ExpectRows(const FakeControls& controls, const std::vector<ListRow>& rows) {
    for (const ListRow& expected : rows) {
        SCOPED_TRACE(static_cast<int>(expected.id));
        EXPECT_EQ(controls.selectedRow(expected.id), expected.row);
    }
}

void ExpectTexts(const FakeControls& controls, const std::vector<FieldText>& texts) {
    for (const FieldText& expected : texts) {
        SCOPED_TRACE(static_cast<int>(expected.id));
        EXPECT_EQ(controls.text(expected.id), expected.text);
    }
}

const std::vector<ListRow> kDefaultProgramRows = {
    {ControlId::FunctList, 0},   {ControlId::AdjtiList, 3},   {ControlId::Al1OnList, 0},
    {ControlId::Al1LowList, 0},  {ControlId::Al1AutoList, 0}, {ControlId::Al1OpenList, 0},
    {ControlId::Al2OnList, 0},   {ControlId::Al2LowList, 0},  {ControlId::Al2AutoList, 0},
    {ControlId::Al2OpenList, 0}, {ControlId::AnalgOnList, 0}, {ControlId::AnalgTensList, 0},
    {ControlId::DecpList, 3},    {ControlId::CountUpList, 0}, {ControlId::PrphnList, 1},
    {ControlId::BaudrList, 5},
};
const std::vector<FieldText> kDefaultProgramTexts = {
    {ControlId::PulreField, "1"},        {ControlId::UrealField, "1"},
    {ControlId::UdispField, "1"},        {ControlId::Al1ValueField, "10000"},
    {ControlId::Al2ValueField, "10000"}, {ControlId::AnalgValueField, "10000"},
    {ControlId::CountValueField, "0"},
};

TEST(PreferencesFile, MissingFileGivesDefaultsThatSaveInTheFixedShape) {
    TempDir dir;
    WorkingDirectory inDir(dir.path());
    FakeControls controls = MainWindowControls();
    LinkSettings link;
    LoggingState logging;

    LoadSettings("preferences.pref", controls, link, logging);

    EXPECT_EQ(link.portPosition, 1);
    EXPECT_EQ(link.baudRate, 9600);
    EXPECT_EQ(link.peripheralNumber, 1);
    EXPECT_EQ(link.modelIndex, 1);
    EXPECT_EQ(logging.logInterval.load(), 1);
    EXPECT_EQ(logging.maxRecords.load(), 10);
    ExpectRows(controls, {{ControlId::PortList, 0},
                          {ControlId::BaudRateList, 5},
                          {ControlId::PeripheralNumberList, 1},
                          {ControlId::ModelList, 1}});
    ExpectTexts(controls,
                {{ControlId::TimeIntervalField, "1"}, {ControlId::MaxRecordsField, "10"}});
    ExpectRows(controls, kDefaultProgramRows);
    ExpectTexts(controls, kDefaultProgramTexts);
    for (const ControlId id : ModelDependentControls) {
        EXPECT_FALSE(controls.isVisibleFlag(id)) << static_cast<int>(id);
    }

    const SaveResult saved = SaveSettings("preferences.pref", controls, link, logging);
    ASSERT_TRUE(saved.ok) << saved.error;

    std::vector<std::string> lines = {
        "[Communication Setup]", "Port = 1",     "BaudRate = 9600", "Peripheral = 1", "Model = 1",
        "[DataLogger]",          "Interval = 1", "MaxRec = 10",
    };
    lines.insert(lines.end(), kDefaultProgramLines.begin(), kDefaultProgramLines.end());
    ASSERT_EQ(lines.size(), 32u);
    EXPECT_EQ(ReadWhole(dir.file("preferences.pref")), CrLfLines(lines));
}

TEST(PreferencesFile, SavesTheHeldValuesAndTheShownRate) {
    TempDir dir;
    WorkingDirectory inDir(dir.path());
    FakeControls controls = MainWindowControls();
    LinkSettings link{3, 300, 127, 255};
    LoggingState logging;
    logging.logInterval = -4;
    logging.maxRecords = 2147483647;
    controls.setSelectedRow(ControlId::BaudRateList, 2);
    // The Program keys take the texts the controls show, however odd.
    controls.setText(ControlId::PulreField, "007");

    ASSERT_TRUE(SaveSettings("preferences.pref", controls, link, logging).ok);

    const std::string text = ReadWhole(dir.file("preferences.pref"));
    EXPECT_EQ(text.substr(0, text.find("[Program]")),
              CrLfLines({"[Communication Setup]", "Port = 3", "BaudRate = 1200", "Peripheral = 127",
                         "Model = 255", "[DataLogger]", "Interval = -4", "MaxRec = 2147483647"}));
    EXPECT_NE(text.find("\r\nPulre = 007\r\n"), std::string::npos);
    // A list with no row selected is saved as an empty value.
    EXPECT_NE(text.find("\r\nFunct = \r\n"), std::string::npos);
}

struct PreferencesCase {
    const char* label;
    std::vector<std::string> communication;  // lines of the Communication Setup group
    std::vector<std::string> dataLogger;     // lines of the DataLogger group
    LinkSettings link;
    std::vector<ListRow> rows;
    std::int32_t interval = 1;
    std::int32_t maxRecords = 10;
    bool modelControlsVisible = false;
};

TEST(PreferencesFile, GivesLoadedValuesToLinkSettingsLoggingAndLists) {
    // Before each load: rate 1200 on the list and in LinkSettings, the model
    // controls hidden, so that "unchanged" can be told from a default.
    const std::vector<PreferencesCase> cases = {
        {"port beyond the detected ports selects no row",
         {"Port = 5"},
         {},
         {5, 9600, 1, 1},
         {{ControlId::PortList, -1}}},
        {"port 0 selects no row", {"Port = 0"}, {}, {0, 9600, 1, 1}, {{ControlId::PortList, -1}}},
        {"lowest port",
         {"Port = -2147483648"},
         {},
         {INT32_MIN, 9600, 1, 1},
         {{ControlId::PortList, -1}}},
        {"last port", {"Port = 3"}, {}, {3, 9600, 1, 1}, {{ControlId::PortList, 2}}},
        {"rate by its text",
         {"BaudRate = 4800"},
         {},
         {1, 4800, 1, 1},
         {{ControlId::BaudRateList, 4}}},
        {"unknown rate keeps list and rate",
         {"BaudRate = 4801"},
         {},
         {1, 1200, 1, 1},
         {{ControlId::BaudRateList, 2}}},
        {"rate trimmed, key in any case",
         {"baudrate = 300  "},
         {},
         {1, 300, 1, 1},
         {{ControlId::BaudRateList, 0}}},
        {"last peripheral",
         {"Peripheral = 127"},
         {},
         {1, 9600, 127, 1},
         {{ControlId::PeripheralNumberList, 127}}},
        {"peripheral beyond the list",
         {"Peripheral = 128"},
         {},
         {1, 9600, 128, 1},
         {{ControlId::PeripheralNumberList, -1}}},
        {"bus model shows its controls",
         {"Model = 3"},
         {},
         {1, 9600, 1, 3},
         {{ControlId::ModelList, 3}},
         1,
         10,
         true},
        {"model keeps its low 8 bits",
         {"Model = 257"},
         {},
         {1, 9600, 1, 1},
         {{ControlId::ModelList, 1}}},
        {"model 255 selects no row and leaves visibility",
         {"Model = -1"},
         {},
         {1, 9600, 1, 255},
         {{ControlId::ModelList, -1}}},
        {"interval with leading zeros", {}, {"Interval = 007"}, {1, 9600, 1, 1}, {}, 7},
        {"huge and empty logger values",
         {},
         {"MaxRec = 99999999999", "Interval ="},
         {1, 9600, 1, 1},
         {},
         0,
         INT32_MAX},
    };
    for (const PreferencesCase& c : cases) {
        SCOPED_TRACE(c.label);
        TempDir dir;
        WorkingDirectory inDir(dir.path());
        std::vector<std::string> lines = {"[Communication Setup]"};
        lines.insert(lines.end(), c.communication.begin(), c.communication.end());
        lines.push_back("[DataLogger]");
        lines.insert(lines.end(), c.dataLogger.begin(), c.dataLogger.end());
        WriteWhole("preferences.pref", CrLfLines(lines));

        FakeControls controls = MainWindowControls(3);
        controls.setSelectedRow(ControlId::BaudRateList, 2);
        for (const ControlId id : ModelDependentControls) {
            controls.setVisible(id, false);
        }
        LinkSettings link{0, 1200, 0, 0};
        LoggingState logging;

        LoadSettings("preferences.pref", controls, link, logging);

        EXPECT_EQ(link.portPosition, c.link.portPosition);
        EXPECT_EQ(link.baudRate, c.link.baudRate);
        EXPECT_EQ(link.peripheralNumber, c.link.peripheralNumber);
        EXPECT_EQ(link.modelIndex, c.link.modelIndex);
        EXPECT_EQ(logging.logInterval.load(), c.interval);
        EXPECT_EQ(logging.maxRecords.load(), c.maxRecords);
        EXPECT_EQ(controls.text(ControlId::TimeIntervalField), std::to_string(c.interval));
        EXPECT_EQ(controls.text(ControlId::MaxRecordsField), std::to_string(c.maxRecords));
        ExpectRows(controls, c.rows);
        EXPECT_EQ(controls.isVisibleFlag(ControlId::PrphnList), c.modelControlsVisible);
    }
}

struct ProgramCase {
    const char* label;
    std::string content;
    std::vector<ListRow> rows;
    std::vector<FieldText> texts;
};

TEST(ProgramFile, ReaderRulesReachTheControls) {
    const std::string plain = "[Program]\r\nFunct = SECON\r\nPulre = 9\r\n";
    const std::vector<ProgramCase> cases = {
        {"keys in any letter case",
         "[PROGRAM]\r\nANALG_ON = OFF\r\n",
         {{ControlId::AnalgOnList, 1}},
         {}},
        {"list texts match with their case",
         "[Program]\nFunct = total\n",
         {{ControlId::FunctList, -1}},
         {}},
        {"trailing spaces trimmed",
         "[Program]\nFunct = TOTAL   \n",
         {{ControlId::FunctList, 1}},
         {}},
        {"a header with spaces is another group",
         "[ Program ]\nFunct = TOTAL\nPulre = 5\n",
         {{ControlId::FunctList, 0}},
         {{ControlId::PulreField, "1"}}},
        {"a second Program group is never read",
         "[Program]\nPulre = 5\n[DataLogger]\n[Program]\nPulre = 6\nFunct = TOTAL\n",
         {{ControlId::FunctList, 0}},
         {{ControlId::PulreField, "5"}}},
        {"plain file", plain, {{ControlId::FunctList, 2}}, {{ControlId::PulreField, "9"}}},
        {"the same file with a byte-order mark",
         "\xEF\xBB\xBF" + plain,
         {{ControlId::FunctList, 2}},
         {{ControlId::PulreField, "9"}}},
        {"empty value reads 0", "[Program]\nPulre =\n", {}, {{ControlId::PulreField, "0"}}},
        {"non-numeric value reads 0",
         "[Program]\nPulre = x12\n",
         {},
         {{ControlId::PulreField, "0"}}},
        {"missing key reads its default",
         "[Program]\nUreal = 3\n",
         {},
         {{ControlId::PulreField, "1"}, {ControlId::UrealField, "3"}}},
        {"comments are skipped",
         "; [Program]\n[Program]\n; Pulre = 9\n  ;Funct = TOTAL\nUdisp = 4\n",
         {{ControlId::FunctList, 0}},
         {{ControlId::PulreField, "1"}, {ControlId::UdispField, "4"}}},
        {"numbers as integers",
         "[Program]\nPulre = 007\nUreal = 99999999999\nUdisp = 12ab\n",
         {},
         {{ControlId::PulreField, "7"},
          {ControlId::UrealField, "2147483647"},
          {ControlId::UdispField, "12"}}},
        {"PRPHN by position", "[Program]\nPrphn = 250\n", {{ControlId::PrphnList, 250}}, {}},
        {"PRPHN beyond the list", "[Program]\nPrphn = 251\n", {{ControlId::PrphnList, -1}}, {}},
        {"PRPHN below the list", "[Program]\nPrphn = -1\n", {{ControlId::PrphnList, -1}}, {}},
        {"BAUDR by its text", "[Program]\nBaudRate = 2400\n", {{ControlId::BaudrList, 3}}, {}},
        {"each alarm list from its own key",
         "[Program]\nAL1_Open = CLOSE\nAL2_Open = OPEN\nAL1_Auto = HOLD\n",
         {{ControlId::Al1OpenList, 1},
          {ControlId::Al2OpenList, 0},
          {ControlId::Al1AutoList, 1},
          {ControlId::Al2AutoList, 0}},
         {}},
    };
    for (const ProgramCase& c : cases) {
        SCOPED_TRACE(c.label);
        TempDir dir;
        const std::string path = dir.file("program.vxp");
        WriteWhole(path, c.content);
        FakeControls controls = MainWindowControls();
        LinkSettings link{2, 600, 5, 3};
        LoggingState logging;
        logging.logInterval = 4;
        logging.maxRecords = 40;

        LoadSettings(path, controls, link, logging);

        ExpectRows(controls, c.rows);
        ExpectTexts(controls, c.texts);
        // A program file never touches the link or the logging settings.
        EXPECT_EQ(link.portPosition, 2);
        EXPECT_EQ(link.baudRate, 600);
        EXPECT_EQ(link.peripheralNumber, 5);
        EXPECT_EQ(link.modelIndex, 3);
        EXPECT_EQ(logging.logInterval.load(), 4);
        EXPECT_EQ(logging.maxRecords.load(), 40);
        EXPECT_EQ(controls.selectedRow(ControlId::PortList), -1);
        EXPECT_EQ(controls.text(ControlId::TimeIntervalField), "1");
    }
}

TEST(ProgramFile, OnlyTheExactNameHoldsTheLinkGroups) {
    TempDir dir;
    WorkingDirectory inDir(dir.path());
    const std::string linkGroups =
        "[Communication Setup]\r\nPort = 2\r\nModel = 4\r\n[DataLogger]\r\nInterval = 9\r\n";
    for (const std::string& name : {dir.file("preferences.pref"), std::string("./preferences.pref"),
                                    std::string("Preferences.pref")}) {
        SCOPED_TRACE(name);
        WriteWhole(name, linkGroups);
        FakeControls controls = MainWindowControls();
        LinkSettings link{1, 9600, 1, 1};
        LoggingState logging;
        logging.logInterval = 1;

        LoadSettings(name, controls, link, logging);
        EXPECT_EQ(link.portPosition, 1);
        EXPECT_EQ(link.modelIndex, 1);
        EXPECT_EQ(logging.logInterval.load(), 1);
        EXPECT_EQ(controls.selectedRow(ControlId::PortList), -1);

        ASSERT_TRUE(SaveSettings(name, controls, link, logging).ok);
        EXPECT_EQ(ReadWhole(name), CrLfLines(kDefaultProgramLines));
    }
}

// Every list away from its default, and each alarm's lists set apart from
// the other alarm's, so that a value read from the wrong key shows.
struct RoundTrip {
    const char* label;
    std::vector<ListRow> rows;
    std::vector<FieldText> texts;
    std::uint8_t modelIndex;
};

TEST(ProgramFile, SaveProgThenLoadProgRestoresEveryControl) {
    using C = ControlId;
    const std::vector<RoundTrip> trips = {
        {"first alarm changed",
         {{C::FunctList, 1},
          {C::AdjtiList, 1},
          {C::Al1OnList, 1},
          {C::Al1LowList, 1},
          {C::Al1AutoList, 1},
          {C::Al1OpenList, 1},
          {C::Al2OnList, 0},
          {C::Al2LowList, 0},
          {C::Al2AutoList, 0},
          {C::Al2OpenList, 0},
          {C::AnalgOnList, 1},
          {C::AnalgTensList, 1},
          {C::DecpList, 0},
          {C::CountUpList, 1},
          {C::PrphnList, 200},
          {C::BaudrList, 1}},
         {{C::PulreField, "11"},
          {C::UrealField, "12"},
          {C::UdispField, "13"},
          {C::Al1ValueField, "21"},
          {C::Al2ValueField, "22"},
          {C::AnalgValueField, "23"},
          {C::CountValueField, "24"}},
         1},
        {"second alarm changed",
         {{C::FunctList, 2},
          {C::AdjtiList, 6},
          {C::Al1OnList, 0},
          {C::Al1LowList, 0},
          {C::Al1AutoList, 0},
          {C::Al1OpenList, 0},
          {C::Al2OnList, 1},
          {C::Al2LowList, 1},
          {C::Al2AutoList, 1},
          {C::Al2OpenList, 1},
          {C::AnalgOnList, 0},
          {C::AnalgTensList, 0},
          {C::DecpList, 2},
          {C::CountUpList, 0},
          {C::PrphnList, 0},
          {C::BaudrList, 0}},
         {{C::PulreField, "31"},
          {C::UrealField, "32"},
          {C::UdispField, "33"},
          {C::Al1ValueField, "41"},
          {C::Al2ValueField, "42"},
          {C::AnalgValueField, "43"},
          {C::CountValueField, "44"}},
         4},
    };
    for (const RoundTrip& trip : trips) {
        SCOPED_TRACE(trip.label);
        TempDir dir;
        const std::string path = dir.file("program.vxp");
        FakeControls saved = MainWindowControls();
        for (const ListRow& row : trip.rows) {
            saved.setSelectedRow(row.id, row.row);
        }
        for (const FieldText& text : trip.texts) {
            saved.setText(text.id, text.text);
        }
        LinkSettings link{2, 4800, 7, trip.modelIndex};
        LoggingState logging;
        logging.logInterval = 5;
        FakeDialogs dialogs;
        dialogs.chosenPaths = {path, path};

        SaveProg(saved, dialogs, link, logging);
        const std::string text = ReadWhole(path);
        EXPECT_TRUE(text.starts_with("[Program]\r\nFunct = ")) << text;
        EXPECT_EQ(text.find("Communication"), std::string::npos);

        FakeControls loaded = MainWindowControls();
        // Opposite to what the model asks for, to see the rule applied.
        const bool busModel = trip.modelIndex >= 2;
        for (const ControlId id : ModelDependentControls) {
            loaded.setVisible(id, !busModel);
        }
        LoadProg(loaded, dialogs, link, logging);

        ExpectRows(loaded, trip.rows);
        ExpectTexts(loaded, trip.texts);
        EXPECT_EQ(loaded.isVisibleFlag(ControlId::BaudrList), busModel);
        EXPECT_EQ(link.portPosition, 2);
        EXPECT_EQ(link.baudRate, 4800);
        EXPECT_EQ(logging.logInterval.load(), 5);
        EXPECT_EQ(dialogs.chooserTitles,
                  (std::vector<std::string>{"Please choose file to save the program",
                                            "Please choose file to open the program"}));
        EXPECT_TRUE(dialogs.errors.empty());
    }
}

TEST(ProgramFile, LoadProgOfAMissingFileResetsTheProgrammingTab) {
    TempDir dir;
    FakeControls controls = MainWindowControls();
    controls.setSelectedRow(ControlId::FunctList, 2);
    controls.setText(ControlId::PulreField, "77");
    LinkSettings link{1, 9600, 1, 1};
    LoggingState logging;
    FakeDialogs dialogs;
    dialogs.chosenPaths = {dir.file("no-such-program")};

    LoadProg(controls, dialogs, link, logging);

    ExpectRows(controls, kDefaultProgramRows);
    ExpectTexts(controls, kDefaultProgramTexts);
}

TEST(ProgramFile, CancelledChooserChangesNothing) {
    TempDir dir;
    WorkingDirectory inDir(dir.path());
    FakeControls controls = MainWindowControls();
    controls.setSelectedRow(ControlId::FunctList, 2);
    LinkSettings link{1, 9600, 1, 1};
    LoggingState logging;
    FakeDialogs dialogs;  // no path scripted: every chooser is cancelled

    LoadProg(controls, dialogs, link, logging);
    SaveProg(controls, dialogs, link, logging);

    EXPECT_EQ(controls.selectedRow(ControlId::FunctList), 2);
    EXPECT_EQ(controls.text(ControlId::PulreField), "1");
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
    EXPECT_EQ(dialogs.chooserTitles,
              (std::vector<std::string>{"Please choose file to open the program",
                                        "Please choose file to save the program"}));
    EXPECT_TRUE(dialogs.errors.empty());
}

}  // namespace
}  // namespace vexilor
