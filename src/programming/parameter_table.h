#pragma once
// Every field of the parameter set with its control, the caption of the
// parameter it belongs to, its kind and, for lists, the rows in list order.

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "control_id.h"
#include "parameter_set.h"

namespace vexilor {

enum class FieldKind {
    List,    // drop-down list that cannot be edited; the value is a row's text
    Digits,  // one-line field that takes typed digits only
};

inline constexpr std::array<std::string_view, 3> FunctRows = {"SPEED", "TOTAL", "SECON"};
inline constexpr std::array<std::string_view, 7> AdjtiRows = {"0.1", "0.25", "0.5", "1",
                                                              "2",   "4",    "8"};
inline constexpr std::array<std::string_view, 2> OnOffRows = {"ON", "OFF"};
inline constexpr std::array<std::string_view, 2> LowHighRows = {"LOW", "HIGH"};
inline constexpr std::array<std::string_view, 2> AutoHoldRows = {"AUTO", "HOLD"};
inline constexpr std::array<std::string_view, 2> OpenCloseRows = {"OPEN", "CLOSE"};
inline constexpr std::array<std::string_view, 2> TensCurrRows = {"TENS", "CURR"};
inline constexpr std::array<std::string_view, 4> DecpRows = {"0", "1", "2", "AUTO"};
inline constexpr std::array<std::string_view, 2> UpDownRows = {"UP", "DOWN"};
inline constexpr std::array<std::string_view, 6> BaudrRows = {"300",  "600",  "1200",
                                                              "2400", "4800", "9600"};
// The PRPHN list: row n reads n, from "0" to "250".
inline constexpr int PrphnRowCount = 251;

struct ParameterField {
    std::string ParameterSet::*member;
    ControlId control;
    // Shown left of the parameter's first control, e.g. "AL1: ".
    std::string_view caption;
    FieldKind kind;
    // A list's rows; empty for digit fields and for the numbered list.
    std::span<const std::string_view> rows;
    // Rows "0" to numberedRows - 1 instead of named rows (PRPHN).
    int numberedRows = 0;
};

inline constexpr std::array<ParameterField, 23> ParameterFields = {{
    {&ParameterSet::funct, ControlId::FunctList, "FUNCT: ", FieldKind::List, FunctRows},
    {&ParameterSet::pulre, ControlId::PulreField, "PULRE: ", FieldKind::Digits, {}},
    {&ParameterSet::adjti, ControlId::AdjtiList, "ADJTI: ", FieldKind::List, AdjtiRows},
    {&ParameterSet::ureal, ControlId::UrealField, "UREAL: ", FieldKind::Digits, {}},
    {&ParameterSet::udisp, ControlId::UdispField, "UDISP: ", FieldKind::Digits, {}},
    {&ParameterSet::al1On, ControlId::Al1OnList, "AL1: ", FieldKind::List, OnOffRows},
    {&ParameterSet::al1Low, ControlId::Al1LowList, "AL1: ", FieldKind::List, LowHighRows},
    {&ParameterSet::al1Auto, ControlId::Al1AutoList, "AL1: ", FieldKind::List, AutoHoldRows},
    {&ParameterSet::al1Open, ControlId::Al1OpenList, "AL1: ", FieldKind::List, OpenCloseRows},
    {&ParameterSet::al1Value, ControlId::Al1ValueField, "AL1: ", FieldKind::Digits, {}},
    {&ParameterSet::al2On, ControlId::Al2OnList, "AL2: ", FieldKind::List, OnOffRows},
    {&ParameterSet::al2Low, ControlId::Al2LowList, "AL2: ", FieldKind::List, LowHighRows},
    {&ParameterSet::al2Auto, ControlId::Al2AutoList, "AL2: ", FieldKind::List, AutoHoldRows},
    {&ParameterSet::al2Open, ControlId::Al2OpenList, "AL2: ", FieldKind::List, OpenCloseRows},
    {&ParameterSet::al2Value, ControlId::Al2ValueField, "AL2: ", FieldKind::Digits, {}},
    {&ParameterSet::analgOn, ControlId::AnalgOnList, "ANALG: ", FieldKind::List, OnOffRows},
    {&ParameterSet::analgTens, ControlId::AnalgTensList, "ANALG: ", FieldKind::List, TensCurrRows},
    {&ParameterSet::analgValue, ControlId::AnalgValueField, "ANALG: ", FieldKind::Digits, {}},
    {&ParameterSet::decp, ControlId::DecpList, "DECP: ", FieldKind::List, DecpRows},
    {&ParameterSet::countUp, ControlId::CountUpList, "COUNT: ", FieldKind::List, UpDownRows},
    {&ParameterSet::countValue, ControlId::CountValueField, "COUNT: ", FieldKind::Digits, {}},
    {&ParameterSet::prphn, ControlId::PrphnList, "PRPHN: ", FieldKind::List, {}, PrphnRowCount},
    {&ParameterSet::baudr, ControlId::BaudrList, "BAUDR: ", FieldKind::List, BaudrRows},
}};

// The parameter's mnemonic: the caption without its ": ".
constexpr std::string_view ParameterName(const ParameterField& field) {
    return field.caption.substr(0, field.caption.find(':'));
}

// A list's rows in order (empty for a digit field).
std::vector<std::string> ListRows(const ParameterField& field);

}  // namespace vexilor
