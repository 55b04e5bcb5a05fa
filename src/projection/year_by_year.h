#pragma once

#include "projection/projection.h"
#include "tables/scenario_tables.h"

namespace vorn {

/// The window values and slider positions a recalculation reads besides the tables.
struct ProjectionSettings {
    int horizon = 2;           // time-horizon slider
    int uncertaintyLevel = 1;  // uncertainty slider
    int policy = 0;            // the policy switch; 1 adds the Policy Matrix going forwards
    int iter = 1;              // number of runs
    int lastc2 = 0;            // selected Totals column: the tracked item
};

/// Number of items the tables describe: the Trend Matrix's column count less the label
/// column, at most 20.
int projectedItemCount(const ScenarioTables& tables);

/// Prepares the tables and reads them into numbers: sets the item column widths, restores
/// the name rule, shapes the Totals table and rewrites its row labels. Everything else is
/// only read.
ProjectionInput prepareProjectionInput(ScenarioTables& tables, const ProjectionSettings& settings);

/// Writes a projection's Net Growth into the Totals table's Net Growth row.
void writeNetGrowth(ScenarioTables& tables, const ProjectionNumbers& numbers);

/// One whole recalculation on the tables: prepares them, writes the Net Growth row and
/// returns what the charts and captions show.
ProjectionResult yearByYear(ScenarioTables& tables, const ProjectionSettings& settings,
                            RandomSource& random);

}  // namespace vorn
