#pragma once
// Which Programming controls a function leaves enabled. Run when the user
// picks a FUNCT row; a disabled control keeps its value and is still saved
// and sent.

#include <array>
#include <string>

#include "controls.h"

namespace vexilor {

// The eight controls the rule sets; no other control is ever disabled by it.
inline constexpr std::array<ControlId, 8> FunctRuleControls = {
    ControlId::CountUpList,   ControlId::CountValueField, ControlId::AnalgOnList,
    ControlId::AnalgTensList, ControlId::AnalgValueField, ControlId::DecpList,
    ControlId::UrealField,    ControlId::UdispField,
};

// Sets every one of the eight controls for "SPEED", "TOTAL" or "SECON"; the
// rule has no memory. Any other text changes nothing.
void ApplyFunctRule(Controls& controls, const std::string& function);

}  // namespace vexilor
