#include "parameter_set.h"

#include "parameter_table.h"

namespace vexilor {

ParameterSet ReadParameterSet(const Controls& controls) {
    ParameterSet set;
    for (const ParameterField& field : ParameterFields) {
        set.*field.member = controls.text(field.control);
    }
    return set;
}

}  // namespace vexilor
