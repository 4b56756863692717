#pragma once
// The fixed identifier of every control of the main window.

namespace vexilor {

enum class ControlId : int {
    PeripheralNumberList = 1,
    PortList = 2,
    TabPanel = 4,
    Picture = 5,
    LogTable = 6,
    DataLoggerCheck = 7,
    TimeIntervalLabel = 8,
    TimeIntervalField = 9,
    MaxRecordsField = 10,
    MaxRecordsLabel = 11,
    SaveTableButton = 14,
    ClearTableButton = 15,
    FunctList = 16,
    PulreField = 17,
    AdjtiList = 18,
    UrealField = 19,
    UdispField = 20,
    Al1OnList = 21,
    Al1LowList = 22,
    Al1AutoList = 23,
    Al1OpenList = 24,
    Al1ValueField = 25,
    Al2OnList = 26,
    Al2LowList = 27,
    Al2AutoList = 28,
    Al2OpenList = 29,
    Al2ValueField = 30,
    AnalgOnList = 31,
    AnalgTensList = 32,
    AnalgValueField = 33,
    DecpList = 34,
    CountUpList = 35,
    CountValueField = 36,
    PrphnList = 37,
    BaudrList = 38,
    WriteProgButton = 39,
    FunctLabel = 40,
    PulreLabel = 41,
    AdjtiLabel = 42,
    UrealLabel = 43,
    UdispLabel = 44,
    Al1Label = 45,
    Al2Label = 46,
    AnalgLabel = 47,
    DecpLabel = 48,
    CountLabel = 49,
    PrphnLabel = 50,
    BaudrLabel = 51,
    BaudRateList = 52,
    LoadProgButton = 53,
    SaveProgButton = 54,
    ResetButton = 55,
    MinLabel = 56,
    MaxLabel = 57,
    ModelList = 58,
    PeripheralNumberLabel = 59,
    BaudRateLabel = 60,
    HoldButton = 61,
    // The two labels without an identifier of their own.
    ModelLabel = 62,
    PortLabel = 63,
};

// Menu item identifiers.
inline constexpr int MenuExit = 3;
inline constexpr int MenuAbout = 4;

}  // namespace vexilor
