#pragma once

#include <array>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "charts/chart_table.h"
#include "projection/feedback_loops.h"
#include "projection/influence_map.h"
#include "projection/level_difference.h"
#include "projection/percentile_bands.h"
#include "projection/projection.h"
#include "projection/sensitivity.h"

namespace vorn {

/// The tables of one recalculation that are written as CSV, those of the analyses worked out
/// from it, and those of the comparison with a reference run.
enum class ResultTable {
    Levels,
    Contributions,
    Spread,
    NetGrowth,
    Bands,
    Sensitivity,
    Influence,
    Loops,
    Reference,
    Difference
};

struct ResultTableName {
    ResultTable table;
    std::string_view name;   // as vorn-run's --table and exported file names spell it
    std::string_view title;  // as the window names it
};

/// Every table, in the order they are offered.
inline constexpr std::array<ResultTableName, 10> kResultTables{{
    {ResultTable::Levels, "levels", "levels"},
    {ResultTable::Contributions, "contributions", "contributions"},
    {ResultTable::Spread, "spread", "spread"},
    {ResultTable::NetGrowth, "netgrowth", "Net Growth"},
    {ResultTable::Bands, "bands", "bands"},
    {ResultTable::Sensitivity, "sensitivity", "sensitivity"},
    {ResultTable::Influence, "influence", "influence"},
    {ResultTable::Loops, "loops", "loops"},
    {ResultTable::Reference, "reference", "reference"},
    {ResultTable::Difference, "difference", "difference"},
}};

/// What the tables are written from: the numbers of one recalculation, the item names that
/// head the levels and Net Growth tables (item 1 first), and the contributions chart table,
/// whose row and column names label the contributions; and the analyses of the same
/// recalculation where there are any (a missing one writes its header line only). The bands
/// are by the steps of `numbers.years`. `reference` and `difference` are the levels of a
/// reference run and the live levels minus them.
struct ResultSource {
    const ProjectionNumbers& numbers;
    const std::vector<std::string>& itemNames;
    const ChartTable& contributions;
    const PercentileBands* bands = nullptr;
    const Sensitivity* sensitivity = nullptr;
    const InfluenceMap* influence = nullptr;
    const LoopDiagram* loops = nullptr;
    const NamedLevels* reference = nullptr;
    const NamedLevels* difference = nullptr;
};

/// Writes `table` as CSV: a header line, then one line per row, lines ending in LF. Names
/// are quoted where CSV needs it; numbers are written as the tables show them (15
/// significant digits), inf, -inf or nan when not finite. `levels`: year and one column
/// per item; `contributions`: one line per contributing item, then Uncertainty; `spread`:
/// year and one column per run of the tracked item; `netgrowth`: item and netGrowth;
/// `bands`: year and the percentiles p5, p25, p50, p75, p95; `sensitivity`: row, column
/// and effect of every Trend Matrix entry, ranked as Sensitivity::ranked() does;
/// `influence`: item, influence, dependence, indirectInfluence, indirectDependence; `loops`:
/// loop, kind, length, strength and items ("A -> B -> A") of the loops listed, strongest
/// first; `reference` and `difference`: year and one column per item, as `levels`.
void writeResultCsv(std::ostream& out, const ResultSource& source, ResultTable table);

}  // namespace vorn
