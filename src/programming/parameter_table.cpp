#include "parameter_table.h"

namespace vexilor {

std::vector<std::string> ListRows(const ParameterField& field) {
    std::vector<std::string> rows;
    for (const std::string_view row : field.rows) {
        rows.emplace_back(row);
    }
    for (int n = 0; n < field.numberedRows; ++n) {
        rows.push_back(std::to_string(n));
    }
    return rows;
}

}  // namespace vexilor
