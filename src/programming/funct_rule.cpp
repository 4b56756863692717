#include "funct_rule.h"

#include <string_view>

namespace vexilor {
namespace {

struct FunctEnables {
    std::string_view function;
    bool count;
    bool analg;
    bool decp;
    bool ureal;
    bool udisp;
};

constexpr std::array<FunctEnables, 3> FunctRule = {{
    {"SPEED", false, true, true, true, true},
    {"TOTAL", true, false, true, true, true},
    {"SECON", false, false, false, false, false},
}};

void Apply(Controls& controls, const FunctEnables& rule) {
    controls.setEnabled(ControlId::CountUpList, rule.count);
    controls.setEnabled(ControlId::CountValueField, rule.count);
    controls.setEnabled(ControlId::AnalgOnList, rule.analg);
    controls.setEnabled(ControlId::AnalgTensList, rule.analg);
    controls.setEnabled(ControlId::AnalgValueField, rule.analg);
    controls.setEnabled(ControlId::DecpList, rule.decp);
    controls.setEnabled(ControlId::UrealField, rule.ureal);
    controls.setEnabled(ControlId::UdispField, rule.udisp);
}

}  // namespace

void ApplyFunctRule(Controls& controls, const std::string& function) {
    for (const FunctEnables& rule : FunctRule) {
        if (rule.function == function) {
            Apply(controls, rule);
            return;
        }
    }
}

}  // namespace vexilor
