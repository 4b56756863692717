#include "model_visibility.h"

namespace vexilor {

void ApplyModelVisibility(Controls& controls, std::uint8_t modelIndex) {
    if (modelIndex > 5) {
        return;
    }
    const bool visible = modelIndex >= 2;
    for (const ControlId id : ModelDependentControls) {
        controls.setVisible(id, visible);
    }
}

}  // namespace vexilor
