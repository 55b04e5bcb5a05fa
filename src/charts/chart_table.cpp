#include "charts/chart_table.h"

namespace vorn {

const std::string& ChartTable::text(int row, int column) const {
    static const std::string kEmpty;
    const std::string* value = std::get_if<std::string>(&at(row, column));
    return value ? *value : kEmpty;
}

}  // namespace vorn
