#include "control_layout.h"

#include <array>
#include <string_view>
#include <utility>

#include "parameter_table.h"

namespace vexilor {
namespace {

using Rows = std::vector<std::string>;

ControlSpec Label(ControlId id, int x, int y, int width, std::string text) {
    return {id, ControlKind::Label, x, y, width, 20, std::move(text), {}};
}

ControlSpec List(ControlId id, int x, int y, int width, Rows rows) {
    return {id, ControlKind::List, x, y, width, 20, {}, std::move(rows)};
}

ControlSpec Field(ControlId id, int x, int y, int width, std::string text) {
    return {id, ControlKind::Field, x, y, width, 20, std::move(text), {}};
}

ControlSpec Button(ControlId id, int x, int y, std::string text) {
    return {id, ControlKind::Button, x, y, 80, 20, std::move(text), {}};
}

// "0", "1", ... up to last.
Rows NumberRows(int last) {
    Rows rows;
    rows.reserve(static_cast<std::size_t>(last + 1));
    for (int n = 0; n <= last; ++n) {
        rows.push_back(std::to_string(n));
    }
    return rows;
}

// A list's rows from the parameter table, so that the window and the
// program files agree on them. The link's Baud Rate list offers the same six
// rates as BAUDR.
template <std::size_t Count>
Rows RowsOf(const std::array<std::string_view, Count>& names) {
    return Rows(names.begin(), names.end());
}

Rows ModelRows() {
    return {
        "6630.109 VEXILOR 9-36VDC", "6630.111 VEXILOR 110-220VAC", "6620.103 VEXILOR  12VDC",
        "6620.104 VEXILOR  24VDC",  "6620.101 VEXILOR 220VAC",     "6620.102 VEXILOR 110VAC",
    };
}

PageSpec CapturePage() {
    return {
        "Capture",
        {
            {ControlId::Picture, ControlKind::Picture, 15, 30, PictureWidth, PictureHeight, {}, {}},
            Button(ControlId::ResetButton, 20, 390, "Reset"),
            Button(ControlId::HoldButton, 280, 390, "Hold"),
            Label(ControlId::MaxLabel, 160, 220, 200, "Max = "),
            Label(ControlId::MinLabel, 160, 260, 200, "Min = "),
        }};
}

PageSpec DataLoggerPage() {
    return {"DataLogger",
            {
                {ControlId::DataLoggerCheck,
                 ControlKind::CheckBox,
                 20,
                 10,
                 250,
                 20,
                 "DataLogger activated",
                 {}},
                Label(ControlId::TimeIntervalLabel, 20, 40, 155, "Time Interval (seconds): "),
                Field(ControlId::TimeIntervalField, 175, 40, 50, "1"),
                Label(ControlId::MaxRecordsLabel, 20, 70, 155, "Max Records: "),
                Field(ControlId::MaxRecordsField, 175, 70, 50, "1000"),
                {ControlId::LogTable, ControlKind::Table, 20, 100, 350, 275, {}, {}},
                Button(ControlId::ClearTableButton, 20, 390, "Clear Table"),
                Button(ControlId::SaveTableButton, 290, 390, "Save Table"),
            }};
}

// One alarm row of the Programming page: on/off, low/high, auto/hold,
// open/close and the set point.
void AddAlarmRow(std::vector<ControlSpec>& page, int y, ControlId label, const char* text,
                 ControlId on, ControlId low, ControlId autoHold, ControlId open, ControlId value) {
    page.push_back(Label(label, 20, y, 55, text));
    page.push_back(List(on, 75, y, 60, RowsOf(OnOffRows)));
    page.push_back(List(low, 135, y, 60, RowsOf(LowHighRows)));
    page.push_back(List(autoHold, 195, y, 60, RowsOf(AutoHoldRows)));
    page.push_back(List(open, 255, y, 60, RowsOf(OpenCloseRows)));
    page.push_back(Field(value, 315, y, 60, "1"));
}

PageSpec ProgrammingPage() {
    std::vector<ControlSpec> page = {
        Label(ControlId::FunctLabel, 20, 20, 55, "FUNCT: "),
        List(ControlId::FunctList, 75, 20, 90, RowsOf(FunctRows)),
        Label(ControlId::PulreLabel, 20, 50, 55, "PULRE: "),
        Field(ControlId::PulreField, 75, 50, 60, "1"),
        Label(ControlId::AdjtiLabel, 20, 80, 55, "ADJTI: "),
        List(ControlId::AdjtiList, 75, 80, 60, RowsOf(AdjtiRows)),
        Label(ControlId::UrealLabel, 20, 110, 55, "UREAL: "),
        Field(ControlId::UrealField, 75, 110, 60, "1"),
        Label(ControlId::UdispLabel, 20, 140, 55, "UDISP: "),
        Field(ControlId::UdispField, 75, 140, 60, "1"),
    };
    AddAlarmRow(page, 170, ControlId::Al1Label, "AL1: ", ControlId::Al1OnList,
                ControlId::Al1LowList, ControlId::Al1AutoList, ControlId::Al1OpenList,
                ControlId::Al1ValueField);
    AddAlarmRow(page, 200, ControlId::Al2Label, "AL2: ", ControlId::Al2OnList,
                ControlId::Al2LowList, ControlId::Al2AutoList, ControlId::Al2OpenList,
                ControlId::Al2ValueField);
    const std::vector<ControlSpec> rest = {
        Label(ControlId::AnalgLabel, 20, 230, 55, "ANALG: "),
        List(ControlId::AnalgOnList, 75, 230, 60, RowsOf(OnOffRows)),
        List(ControlId::AnalgTensList, 135, 230, 60, RowsOf(TensCurrRows)),
        Field(ControlId::AnalgValueField, 195, 230, 60, "1"),
        Label(ControlId::DecpLabel, 20, 260, 55, "DECP: "),
        List(ControlId::DecpList, 75, 260, 60, RowsOf(DecpRows)),
        Label(ControlId::CountLabel, 20, 290, 55, "COUNT: "),
        List(ControlId::CountUpList, 75, 290, 60, RowsOf(UpDownRows)),
        Field(ControlId::CountValueField, 135, 290, 60, "1"),
        Label(ControlId::PrphnLabel, 20, 320, 55, "PRPHN: "),
        List(ControlId::PrphnList, 75, 320, 60, NumberRows(PrphnRowCount - 1)),
        Label(ControlId::BaudrLabel, 20, 350, 55, "BAUDR: "),
        List(ControlId::BaudrList, 75, 350, 60, RowsOf(BaudrRows)),
        Button(ControlId::LoadProgButton, 20, 390, "Load Prog"),
        Button(ControlId::SaveProgButton, 155, 390, "Save Prog"),
        Button(ControlId::WriteProgButton, 290, 390, "Write Prog"),
    };
    page.insert(page.end(), rest.begin(), rest.end());
    return {"Programming", std::move(page)};
}

}  // namespace

std::vector<ControlSpec> TopAreaControls() {
    return {
        Label(ControlId::ModelLabel, 20, 10, 120, "Model: "),
        List(ControlId::ModelList, 140, 10, 230, ModelRows()),
        Label(ControlId::PortLabel, 20, 40, 120, "Port: "),
        List(ControlId::PortList, 140, 40, 80, {}),
        Label(ControlId::BaudRateLabel, 20, 70, 120, "BaudRate: "),
        List(ControlId::BaudRateList, 140, 70, 80, RowsOf(BaudrRows)),
        Label(ControlId::PeripheralNumberLabel, 20, 100, 120, "Peripheral Number: "),
        List(ControlId::PeripheralNumberList, 140, 100, 80, NumberRows(127)),
    };
}

std::vector<PageSpec> TabPages() {
    return {CapturePage(), DataLoggerPage(), ProgrammingPage()};
}

}  // namespace vexilor
