#pragma once
// The controls that only the bus models (ModelIndex 2 to 5) use.

#include <array>
#include <cstdint>

#include "controls.h"

namespace vexilor {

inline constexpr std::array<ControlId, 8> ModelDependentControls = {
    ControlId::PeripheralNumberList, ControlId::BaudRateList, ControlId::PeripheralNumberLabel,
    ControlId::BaudRateLabel,        ControlId::PrphnLabel,   ControlId::PrphnList,
    ControlId::BaudrLabel,           ControlId::BaudrList,
};

// Hides the eight controls for models 0 and 1, shows them for 2 to 5, and
// leaves them as they are for any other value.
void ApplyModelVisibility(Controls& controls, std::uint8_t modelIndex);

}  // namespace vexilor
