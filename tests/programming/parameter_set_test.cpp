#include "parameter_set.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "fake_controls.h"
#include "funct_rule.h"
#include "parameter_table.h"

namespace vexilor {
namespace {

using testing::FakeControls;

// A list holding one row, selected.
void SelectOnly(FakeControls& controls, ControlId id, const std::string& text) {
    controls.setList(id, {text}, text);
}

TEST(ParameterSetTest, ReadsEachFieldFromItsOwnControl) {
    FakeControls controls;
    SelectOnly(controls, ControlId::FunctList, "TOTAL");
    controls.setText(ControlId::PulreField, "17");
    SelectOnly(controls, ControlId::AdjtiList, "0.25");
    controls.setText(ControlId::UrealField, "19");
    controls.setText(ControlId::UdispField, "20");
    SelectOnly(controls, ControlId::Al1OnList, "on1");
    SelectOnly(controls, ControlId::Al1LowList, "low1");
    SelectOnly(controls, ControlId::Al1AutoList, "auto1");
    SelectOnly(controls, ControlId::Al1OpenList, "open1");
    controls.setText(ControlId::Al1ValueField, "25");
    SelectOnly(controls, ControlId::Al2OnList, "on2");
    SelectOnly(controls, ControlId::Al2LowList, "low2");
    SelectOnly(controls, ControlId::Al2AutoList, "auto2");
    SelectOnly(controls, ControlId::Al2OpenList, "open2");
    controls.setText(ControlId::Al2ValueField, "30");
    SelectOnly(controls, ControlId::AnalgOnList, "onA");
    SelectOnly(controls, ControlId::AnalgTensList, "CURR");
    controls.setText(ControlId::AnalgValueField, "33");
    SelectOnly(controls, ControlId::DecpList, "AUTO");
    SelectOnly(controls, ControlId::CountUpList, "DOWN");
    controls.setText(ControlId::CountValueField, "");
    SelectOnly(controls, ControlId::PrphnList, "37");
    // A list with rows but none selected reads as empty text.
    controls.setList(ControlId::BaudrList, {"300", "9600"});

    const ParameterSet expected{
        .funct = "TOTAL",
        .pulre = "17",
        .adjti = "0.25",
        .ureal = "19",
        .udisp = "20",
        .al1On = "on1",
        .al1Low = "low1",
        .al1Auto = "auto1",
        .al1Open = "open1",
        .al1Value = "25",
        .al2On = "on2",
        .al2Low = "low2",
        .al2Auto = "auto2",
        .al2Open = "open2",
        .al2Value = "30",
        .analgOn = "onA",
        .analgTens = "CURR",
        .analgValue = "33",
        .decp = "AUTO",
        .countUp = "DOWN",
        .countValue = "",
        .prphn = "37",
        .baudr = "",
    };
    EXPECT_EQ(ReadParameterSet(controls), expected);
}

std::vector<std::string> NumberRows(int count) {
    std::vector<std::string> rows;
    for (int n = 0; n < count; ++n) {
        rows.push_back(std::to_string(n));
    }
    return rows;
}

// The Programming tab from top to bottom; an empty row list is a digit field.
struct ExpectedField {
    ControlId control;
    std::string caption;
    std::vector<std::string> rows;
};

TEST(ParameterSetTest, TableListsTheTabsControlsWithTheirCaptionsAndRows) {
    const std::vector<std::string> onOff = {"ON", "OFF"};
    const std::vector<std::string> lowHigh = {"LOW", "HIGH"};
    const std::vector<std::string> autoHold = {"AUTO", "HOLD"};
    const std::vector<std::string> openClose = {"OPEN", "CLOSE"};
    const std::vector<ExpectedField> expected = {
        {ControlId::FunctList, "FUNCT: ", {"SPEED", "TOTAL", "SECON"}},
        {ControlId::PulreField, "PULRE: ", {}},
        {ControlId::AdjtiList, "ADJTI: ", {"0.1", "0.25", "0.5", "1", "2", "4", "8"}},
        {ControlId::UrealField, "UREAL: ", {}},
        {ControlId::UdispField, "UDISP: ", {}},
        {ControlId::Al1OnList, "AL1: ", onOff},
        {ControlId::Al1LowList, "AL1: ", lowHigh},
        {ControlId::Al1AutoList, "AL1: ", autoHold},
        {ControlId::Al1OpenList, "AL1: ", openClose},
        {ControlId::Al1ValueField, "AL1: ", {}},
        {ControlId::Al2OnList, "AL2: ", onOff},
        {ControlId::Al2LowList, "AL2: ", lowHigh},
        {ControlId::Al2AutoList, "AL2: ", autoHold},
        {ControlId::Al2OpenList, "AL2: ", openClose},
        {ControlId::Al2ValueField, "AL2: ", {}},
        {ControlId::AnalgOnList, "ANALG: ", onOff},
        {ControlId::AnalgTensList, "ANALG: ", {"TENS", "CURR"}},
        {ControlId::AnalgValueField, "ANALG: ", {}},
        {ControlId::DecpList, "DECP: ", {"0", "1", "2", "AUTO"}},
        {ControlId::CountUpList, "COUNT: ", {"UP", "DOWN"}},
        {ControlId::CountValueField, "COUNT: ", {}},
        {ControlId::PrphnList, "PRPHN: ", NumberRows(251)},
        {ControlId::BaudrList, "BAUDR: ", {"300", "600", "1200", "2400", "4800", "9600"}},
    };
    ASSERT_EQ(ParameterFields.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const ParameterField& field = ParameterFields[i];
        SCOPED_TRACE(expected[i].caption + std::to_string(static_cast<int>(expected[i].control)));
        EXPECT_EQ(field.control, expected[i].control);
        EXPECT_EQ(field.caption, expected[i].caption);
        EXPECT_EQ(field.kind, expected[i].rows.empty() ? FieldKind::Digits : FieldKind::List);
        EXPECT_EQ(ListRows(field), expected[i].rows);
        EXPECT_EQ(ParameterName(field),
                  expected[i].caption.substr(0, expected[i].caption.size() - 2));
    }
    EXPECT_EQ(ListRows(ParameterFields[21]).back(), "250");
}

// The eight controls in the order: COUNT up/down, COUNT value, ANALG on/off,
// ANALG tens/curr, ANALG value, DECP, UREAL, UDISP.
const std::vector<ControlId> RuledControls = {
    ControlId::CountUpList,   ControlId::CountValueField, ControlId::AnalgOnList,
    ControlId::AnalgTensList, ControlId::AnalgValueField, ControlId::DecpList,
    ControlId::UrealField,    ControlId::UdispField,
};

// Programming controls the rule never touches.
const std::vector<ControlId> UnruledControls = {
    ControlId::FunctList,     ControlId::PulreField,    ControlId::AdjtiList,
    ControlId::Al1OnList,     ControlId::Al1LowList,    ControlId::Al1AutoList,
    ControlId::Al1OpenList,   ControlId::Al1ValueField, ControlId::Al2OnList,
    ControlId::Al2LowList,    ControlId::Al2AutoList,   ControlId::Al2OpenList,
    ControlId::Al2ValueField, ControlId::PrphnList,     ControlId::BaudrList,
};

struct FunctRuleCase {
    std::vector<std::string> picks;
    std::string enabled;  // '1' per ruled control that ends up enabled
};

TEST(FunctRuleTest, EnablesTheControlsThatTheLastPickedFunctionUses) {
    const std::vector<FunctRuleCase> cases = {
        {{"SPEED"}, "00111111"},          {{"TOTAL"}, "11000111"},
        {{"SECON"}, "00000000"},          {{"SPEED", "TOTAL"}, "11000111"},
        {{"TOTAL", "SPEED"}, "00111111"}, {{"SECON", "TOTAL"}, "11000111"},
        {{"SECON", "SPEED"}, "00111111"}, {{"SECON", ""}, "00000000"},
        {{"TOTAL", "speed"}, "11000111"}, {{"1"}, "11111111"},
    };
    for (const FunctRuleCase& c : cases) {
        std::string trace;
        for (const std::string& pick : c.picks) {
            trace += "[" + pick + "]";
        }
        SCOPED_TRACE(trace);
        FakeControls controls;
        for (const std::string& pick : c.picks) {
            ApplyFunctRule(controls, pick);
        }
        for (std::size_t i = 0; i < RuledControls.size(); ++i) {
            EXPECT_EQ(controls.isEnabled(RuledControls[i]), c.enabled[i] == '1')
                << "control " << static_cast<int>(RuledControls[i]);
        }
        for (const ControlId id : UnruledControls) {
            EXPECT_TRUE(controls.isEnabled(id)) << "control " << static_cast<int>(id);
        }
    }
}

TEST(FunctRuleTest, DisabledControlsKeepTheirValues) {
    FakeControls controls;
    controls.setText(ControlId::UrealField, "42");
    controls.setList(ControlId::DecpList, {"0", "1", "2", "AUTO"}, "2");
    ApplyFunctRule(controls, "SECON");
    ASSERT_FALSE(controls.isEnabled(ControlId::UrealField));
    const ParameterSet set = ReadParameterSet(controls);
    EXPECT_EQ(set.ureal, "42");
    EXPECT_EQ(set.decp, "2");
}

}  // namespace
}  // namespace vexilor
