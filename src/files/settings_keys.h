#pragma once
// Every group and key of "preferences.pref" and of the program files, in the
// order they are written, with their defaults and the control each belongs
// to. Saving and loading both walk this one table.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "control_id.h"
#include "parameter_table.h"

namespace vexilor {

inline constexpr std::string_view CommunicationGroup = "Communication Setup";
inline constexpr std::string_view DataLoggerGroup = "DataLogger";
inline constexpr std::string_view ProgramGroup = "Program";

enum class ValueKind { Text, Integer };

// Where a key's value is held while the program runs.
enum class ValueHome {
    PortPosition,      // LinkSettings, shown by the Port list
    BaudRate,          // the BaudRate list's text, and LinkSettings' rate
    PeripheralNumber,  // LinkSettings, shown by the Peripheral Number list
    ModelIndex,        // LinkSettings, shown by the Model list
    LogInterval,       // LoggingState, shown by the Time Interval field
    MaxRecords,        // LoggingState, shown by the Max Records field
    Control,           // only the control: the Programming tab
};

// How a loaded value is given to its control.
enum class Display {
    ListRowByText,      // the row whose text equals the value exactly
    ListRowAtPosition,  // the row at the value's position
    FieldText,          // the value's decimal text
};

struct SettingKey {
    std::string_view group;
    std::string_view key;
    ControlId control;
    ValueKind kind;
    ValueHome home;
    Display display;
    std::string_view defaultText;  // for Text keys
    std::int32_t defaultInteger;   // for Integer keys
    // ListRowByText: the list's rows, row 0 first.
    std::span<const std::string_view> rows;
    // ListRowAtPosition: the value that stands for row 0.
    std::int32_t firstPosition;
};

// The rows of the BaudRate list are those of the BAUDR list.
inline constexpr auto& RateRows = BaudrRows;

namespace settings_detail {

constexpr SettingKey LinkInteger(std::string_view key, ControlId control, ValueHome home,
                                 std::int32_t defaultValue, std::int32_t firstPosition = 0) {
    return {CommunicationGroup,
            key,
            control,
            ValueKind::Integer,
            home,
            Display::ListRowAtPosition,
            {},
            defaultValue,
            {},
            firstPosition};
}

constexpr SettingKey LoggerInteger(std::string_view key, ControlId control, ValueHome home,
                                   std::int32_t defaultValue) {
    return {DataLoggerGroup, key, control, ValueKind::Integer, home, Display::FieldText, {},
            defaultValue,    {},  0};
}

constexpr SettingKey ProgramList(std::string_view key, ControlId control,
                                 std::span<const std::string_view> rows,
                                 std::string_view defaultText) {
    return {ProgramGroup,
            key,
            control,
            ValueKind::Text,
            ValueHome::Control,
            Display::ListRowByText,
            defaultText,
            0,
            rows,
            0};
}

constexpr SettingKey ProgramField(std::string_view key, ControlId control,
                                  std::int32_t defaultValue) {
    return {
        ProgramGroup, key, control, ValueKind::Integer, ValueHome::Control, Display::FieldText, {},
        defaultValue, {},  0};
}

}  // namespace settings_detail

inline constexpr std::array<SettingKey, 29> SettingKeys = [] {
    using namespace settings_detail;
    using C = ControlId;
    using H = ValueHome;
    return std::array<SettingKey, 29>{{
        LinkInteger("Port", C::PortList, H::PortPosition, 1, 1),
        {CommunicationGroup, "BaudRate", C::BaudRateList, ValueKind::Text, H::BaudRate,
         Display::ListRowByText, "9600", 0, RateRows, 0},
        LinkInteger("Peripheral", C::PeripheralNumberList, H::PeripheralNumber, 1),
        LinkInteger("Model", C::ModelList, H::ModelIndex, 1),
        LoggerInteger("Interval", C::TimeIntervalField, H::LogInterval, 1),
        LoggerInteger("MaxRec", C::MaxRecordsField, H::MaxRecords, 10),
        ProgramList("Funct", C::FunctList, FunctRows, "SPEED"),
        ProgramField("Pulre", C::PulreField, 1),
        ProgramList("Adjti", C::AdjtiList, AdjtiRows, "1"),
        ProgramField("Ureal", C::UrealField, 1),
        ProgramField("Udisp", C::UdispField, 1),
        ProgramList("AL1_On", C::Al1OnList, OnOffRows, "ON"),
        ProgramList("AL1_Low", C::Al1LowList, LowHighRows, "LOW"),
        ProgramList("AL1_Auto", C::Al1AutoList, AutoHoldRows, "AUTO"),
        ProgramList("AL1_Open", C::Al1OpenList, OpenCloseRows, "OPEN"),
        ProgramField("AL1_Value", C::Al1ValueField, 10000),
        ProgramList("AL2_On", C::Al2OnList, OnOffRows, "ON"),
        ProgramList("AL2_Low", C::Al2LowList, LowHighRows, "LOW"),
        ProgramList("AL2_Auto", C::Al2AutoList, AutoHoldRows, "AUTO"),
        ProgramList("AL2_Open", C::Al2OpenList, OpenCloseRows, "OPEN"),
        ProgramField("AL2_Value", C::Al2ValueField, 10000),
        ProgramList("Analg_On", C::AnalgOnList, OnOffRows, "ON"),
        ProgramList("Analg_Tens", C::AnalgTensList, TensCurrRows, "TENS"),
        ProgramField("Analg_Value", C::AnalgValueField, 10000),
        ProgramList("Decp", C::DecpList, DecpRows, "AUTO"),
        ProgramList("Count_Up", C::CountUpList, UpDownRows, "UP"),
        ProgramField("Count_Value", C::CountValueField, 0),
        {ProgramGroup,
         "Prphn",
         C::PrphnList,
         ValueKind::Integer,
         H::Control,
         Display::ListRowAtPosition,
         {},
         1,
         {},
         0},
        ProgramList("BaudRate", C::BaudrList, RateRows, "9600"),
    }};
}();

}  // namespace vexilor
