#pragma once

#include <array>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "charts/chart_table.h"
#include "projection/projection.h"

namespace vorn {

/// The tables of one recalculation that are written as CSV.
enum class ResultTable { Levels, Contributions, Spread, NetGrowth };

struct ResultTableName {
    ResultTable table;
    std::string_view name;   // as vorn-run's --table and exported file names spell it
    std::string_view title;  // as the window names it
};

/// Every table, in the order they are offered.
inline constexpr std::array<ResultTableName, 4> kResultTables{{
    {ResultTable::Levels, "levels", "levels"},
    {ResultTable::Contributions, "contributions", "contributions"},
    {ResultTable::Spread, "spread", "spread"},
    {ResultTable::NetGrowth, "netgrowth", "Net Growth"},
}};

/// What the tables are written from: the numbers of one recalculation, the item names that
/// head the levels and Net Growth tables (item 1 first), and the contributions chart table,
/// whose row and column names label the contributions.
struct ResultSource {
    const ProjectionNumbers& numbers;
    const std::vector<std::string>& itemNames;
    const ChartTable& contributions;
};

/// Writes `table` as CSV: a header line, then one line per row, lines ending in LF. Names
/// are quoted where CSV needs it; numbers are written in their shortest exact form, inf,
/// -inf or nan when not finite. `levels`: year and one column per item; `contributions`:
/// one line per contributing item, then Uncertainty; `spread`: year and one column per run
/// of the tracked item; `netgrowth`: item and netGrowth.
void writeResultCsv(std::ostream& out, const ResultSource& source, ResultTable table);

}  // namespace vorn
