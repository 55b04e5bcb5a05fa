#include "charts/chart_description.h"

#include <charconv>
#include <cmath>
#include <optional>

#include "tables/number_text.h"

namespace vorn {
namespace {

std::string trimmed(std::string_view text) {
    const std::size_t start = text.find_first_not_of(' ');
    if (start == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(start, text.find_last_not_of(' ') - start + 1));
}

std::string seriesName(const ChartTable& table, const std::vector<std::string>& names, int row) {
    if (static_cast<std::size_t>(row - 1) < names.size() &&
        !names[static_cast<std::size_t>(row - 1)].empty()) {
        return names[static_cast<std::size_t>(row - 1)];
    }
    if (!table.text(row, 0).empty()) {
        return table.text(row, 0);
    }
    return std::to_string(row);
}

bool rowHasNumber(const ChartTable& table, int row) {
    for (int c = 0; c < table.columns(); ++c) {
        if (table.number(row, c) != nullptr) {
            return true;
        }
    }
    return false;
}

bool columnHasNumber(const ChartTable& table, int column) {
    for (int r = 1; r < table.rows(); ++r) {
        if (table.number(r, column) != nullptr) {
            return true;
        }
    }
    return false;
}

std::vector<int> seriesRows(const ChartTable& table) {
    std::vector<int> rows;
    for (int r = 1; r < table.rows(); ++r) {
        if (rowHasNumber(table, r)) {
            rows.push_back(r);
        }
    }
    return rows;
}

int horizonColumn(const ChartTable& table, std::string_view horizonLabel) {
    for (int c = table.columns() - 1; c >= 0 && table.rows() > 0; --c) {
        if (table.text(0, c) == horizonLabel) {
            return c;
        }
    }
    return table.columns() - 1;
}

struct Extreme {
    int row = 0;
    double value = 0;
};

// The highest and lowest finite number in `column`, the first row winning a tie.
std::pair<std::optional<Extreme>, std::optional<Extreme>> extremes(const ChartTable& table,
                                                                   const std::vector<int>& rows,
                                                                   int column) {
    std::optional<Extreme> high;
    std::optional<Extreme> low;
    for (int r : rows) {
        const double* value = column >= 0 ? table.number(r, column) : nullptr;
        if (value == nullptr || !std::isfinite(*value)) {
            continue;
        }
        if (!high || *value > high->value) {
            high = Extreme{r, *value};
        }
        if (!low || *value < low->value) {
            low = Extreme{r, *value};
        }
    }
    return {high, low};
}

std::string count(std::size_t number, const char* one, const char* many) {
    return std::to_string(number) + " " + (number == 1 ? one : many);
}

// "from 2000 to 2040": the first and last labels of the points.
std::string yearSpan(const ChartTable& table) {
    if (table.rows() == 0 || table.columns() == 0) {
        return {};
    }
    return "from " + trimmed(table.text(0, 0)) + " to " +
           trimmed(table.text(0, table.columns() - 1));
}

// "Highest in 2040: Food at 1.52. Lowest: Water at 0.8." for lines over the years.
std::string horizonExtremes(const ChartTable& table, const std::vector<std::string>& names,
                            const std::vector<int>& rows, std::string_view horizonLabel) {
    const int column = horizonColumn(table, horizonLabel);
    const auto [high, low] = extremes(table, rows, column);
    if (!high) {
        return {};
    }
    const std::string year = trimmed(table.text(0, column));
    if (high->value == low->value) {
        return " In " + year + " all are at " + chartNumberText(high->value) + ".";
    }
    return " Highest in " + year + ": " + seriesName(table, names, high->row) + " at " +
           chartNumberText(high->value) + ". Lowest: " + seriesName(table, names, low->row) +
           " at " + chartNumberText(low->value) + ".";
}

}  // namespace

std::string chartNumberText(double value) {
    if (!std::isfinite(value)) {
        return std::string(kOverflowText);
    }
    if (value == 0) {
        return "0";  // also for -0
    }
    // Whatever the locale: a period, never a comma.
    char text[32];
    const auto written =
        std::to_chars(text, text + sizeof text, value, std::chars_format::general, 4);
    return std::string(text, written.ptr);
}

std::string levelsDescription(const ChartTable& levels, const std::vector<std::string>& seriesNames,
                              std::string_view horizonLabel) {
    const std::vector<int> rows = seriesRows(levels);
    if (rows.empty()) {
        return "No items.";
    }
    return "Levels of " + count(rows.size(), "item", "items") + " relative to 2000, " +
           yearSpan(levels) + "." + horizonExtremes(levels, seriesNames, rows, horizonLabel);
}

std::string comparisonsDescription(const ChartTable& levels,
                                   const std::vector<std::string>& seriesNames,
                                   const std::vector<ComparisonLines>& comparisons,
                                   std::string_view horizonLabel) {
    std::string text;
    const int column = horizonColumn(levels, horizonLabel);
    for (const ComparisonLines& comparison : comparisons) {
        text += " Behind the lines, ";
        text += comparison.kind == ComparisonKind::Reference ? "long dashes" : "dashes and dots";
        text += ": " + comparison.name;
        if (comparison.kind == ComparisonKind::WithoutPolicies) {
            text += ", the same projection without the Policy Matrix and with the same draws";
        }
        text += ", for " + count(comparison.lines.size(), "item", "items");
        if (!comparison.leftOut.empty()) {
            text += "; left out, not matched by name:";
            for (std::size_t k = 0; k < comparison.leftOut.size(); ++k) {
                text += (k == 0 ? " " : ", ") + comparison.leftOut[k];
            }
        }
        text += ".";
        // The line that the live level in the horizon year differs from most.
        std::optional<std::pair<int, double>> largest;
        for (const ComparisonLine& line : comparison.lines) {
            const double* live =
                line.row < levels.rows() && column >= 0 ? levels.number(line.row, column) : nullptr;
            const double* other = line.valueAt(column);
            if (live == nullptr || other == nullptr || !std::isfinite(*live - *other)) {
                continue;
            }
            const double difference = *live - *other;
            if (!largest || std::abs(difference) > std::abs(largest->second)) {
                largest = {line.row, difference};
            }
        }
        if (largest) {
            text += " Largest difference in " + trimmed(levels.text(0, column)) + ": " +
                    seriesName(levels, seriesNames, largest->first) + ", " +
                    differenceText(largest->second) + ".";
        }
    }
    return text;
}

std::string contributionsDescription(const ChartTable& contributions) {
    const std::vector<int> rows = seriesRows(contributions);
    if (rows.empty()) {
        return "No items.";
    }
    std::optional<Extreme> most;
    std::optional<Extreme> least;
    int mostColumn = 0;
    int leastColumn = 0;
    for (int c = 1; c < contributions.columns(); ++c) {
        const auto [high, low] = extremes(contributions, rows, c);
        if (high && high->value > 0 && (!most || high->value > most->value)) {
            most = high;
            mostColumn = c;
        }
        if (low && low->value < 0 && (!least || low->value < least->value)) {
            least = low;
            leastColumn = c;
        }
    }
    const auto named = [&](const Extreme& extreme, int column) {
        return seriesName(contributions, {}, extreme.row) + " to " + contributions.text(0, column) +
               ", " + chartNumberText(extreme.value);
    };
    std::string text = "Contributions of " + count(contributions.columns() - 1, "item", "items") +
                       " and the uncertainty to the change of each item in the last step.";
    text += most ? " Largest positive: " + named(*most, mostColumn) + "."
                 : std::string(" No positive contribution.");
    text += least ? " Largest negative: " + named(*least, leastColumn) + "."
                  : std::string(" No negative contribution.");
    return text;
}

std::string spreadDescription(const ChartTable& spread, const std::string& item,
                              std::string_view horizonLabel) {
    const std::vector<int> rows = seriesRows(spread);
    if (rows.empty()) {
        return "No items.";
    }
    return count(rows.size(), "run", "runs") + " of " + item + ", " + yearSpan(spread) + "." +
           horizonExtremes(spread, {}, rows, horizonLabel);
}

TextTable chartDataTable(const ChartTable& table, const std::vector<std::string>& seriesNames,
                         std::string cornerText) {
    TextTable data;
    data.cornerText = std::move(cornerText);
    std::vector<int> columns;
    for (int c = 0; c < table.columns(); ++c) {
        if (columnHasNumber(table, c)) {
            columns.push_back(c);
            data.columnHeaders.push_back(trimmed(table.text(0, c)));
        }
    }
    for (int r : seriesRows(table)) {
        data.rowHeaders.push_back(seriesName(table, seriesNames, r));
        std::vector<std::string> cells;
        for (int c : columns) {
            const double* value = table.number(r, c);
            cells.push_back(value != nullptr ? chartNumberText(*value) : std::string());
        }
        data.cells.push_back(std::move(cells));
    }
    return data;
}

void addComparisonRows(TextTable& data, const ChartTable& levels,
                       const std::vector<std::string>& seriesNames,
                       const std::vector<ComparisonLines>& comparisons) {
    std::vector<int> columns;
    for (int c = 0; c < levels.columns(); ++c) {
        if (columnHasNumber(levels, c)) {
            columns.push_back(c);
        }
    }
    for (const ComparisonLines& comparison : comparisons) {
        for (const ComparisonLine& line : comparison.lines) {
            data.rowHeaders.push_back(seriesName(levels, seriesNames, line.row) + " (" +
                                      comparison.shortName + ")");
            std::vector<std::string> cells;
            for (int c : columns) {
                const double* value = line.valueAt(c);
                cells.push_back(value != nullptr ? chartNumberText(*value) : std::string());
            }
            data.cells.push_back(std::move(cells));
        }
    }
}

}  // namespace vorn
