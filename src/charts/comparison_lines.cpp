#include "charts/comparison_lines.h"

#include "charts/chart_description.h"

namespace vorn {

const double* ComparisonLine::valueAt(int column) const {
    for (std::size_t p = 0; p < columns.size() && p < values.size(); ++p) {
        if (columns[p] == column) {
            return &values[p];
        }
    }
    return nullptr;
}

const ComparisonLine* ComparisonLines::lineOf(int row) const {
    for (const ComparisonLine& line : lines) {
        if (line.row == row) {
            return &line;
        }
    }
    return nullptr;
}

std::string differenceText(double difference) {
    const std::string text = chartNumberText(difference);
    return difference > 0 ? "+" + text : text;
}

std::vector<std::string> comparisonHoverLines(const std::vector<ComparisonLines>& comparisons,
                                              int row, int column, double value) {
    std::vector<std::string> lines;
    for (const ComparisonLines& comparison : comparisons) {
        const ComparisonLine* line = comparison.lineOf(row);
        const double* other = line != nullptr ? line->valueAt(column) : nullptr;
        if (other != nullptr) {
            lines.push_back(comparison.shortName + ": " + chartNumberText(*other) +
                            ", difference " + differenceText(value - *other));
        }
    }
    return lines;
}

}  // namespace vorn
