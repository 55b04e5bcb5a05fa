#pragma once

#include <string>
#include <vector>

#include "charts/chart_table.h"
#include "projection/random_source.h"

namespace vorn {

inline constexpr int kSteps = 20;
inline constexpr int kPoints = kSteps + 1;
/// Rows of the spread table below its label row: room for this many runs.
inline constexpr int kSpreadRuns = 20;

/// Everything one recalculation needs, as numbers and names.
struct ProjectionInput {
    int items = 0;                    // N, at most 20 for the charts
    std::vector<double> trend;        // T(r, c), row-major, N x N, items counted from 0
    std::vector<double> policy;       // P(r, c), row-major, N x N
    std::vector<double> uncertainty;  // U(c), N
    std::vector<double> lag;          // Lag(c), N
    std::vector<std::string> names;   // name of each item (Trend Matrix row header), N
    int horizon = 2;                  // h, years per step, signed
    int uncertaintyLevel = 1;         // s, the uncertainty slider
    bool policyOn = false;            // the policy switch is 1
    int runs = 1;                     // iter
    int tracked = 0;                  // Totals column of the tracked item; 1..N
};

/// Levels and contributions of one projection, as plain numbers.
struct ProjectionNumbers {
    int items = 0;
    int runs = 0;
    int tracked = 0;                    // 1..N, or 0 when there is no item
    std::vector<double> netGrowth;      // N, percent rounded to two decimals
    std::vector<int> years;             // 21, in chart order
    std::vector<double> levels;         // N x 21, last run, chart order
    std::vector<double> contributions;  // (N + 1) x N: items, then the random part
    std::vector<double> trackedLevels;  // runs x 21, chart order

    double level(int item, int point) const {
        return levels[static_cast<std::size_t>(item * kPoints + point)];
    }
};

/// What one recalculation hands to the charts and the caption boxes.
struct ProjectionResult {
    ProjectionNumbers numbers;
    ChartTable levelTable;    // 21 x 21
    ChartTable contribTable;  // (N + 2) x (N + 1)
    ChartTable spreadTable;   // 21 x 21
    std::string trendsCaption;
    std::string contributionsCaption;
};

/// True when the policies are added: the switch is on and the projection runs forwards.
inline bool policiesApply(const ProjectionInput& input) {
    return input.policyOn && input.horizon > 0;
}

/// Net Growth of item c (0-based): the sum of its Trend column (plus its Policy column when
/// the policies apply), in percent, rounded to two decimals with halves rounded up.
std::vector<double> computeNetGrowth(const ProjectionInput& input);

/// Runs the projection `input.runs` times and returns the numbers of the last run and the
/// tracked item's levels of every run. The tracked item is `input.tracked` when it names an
/// item, otherwise item 1. The runs are numbered from `firstRun` on, which a counter-based
/// source draws by; a stream draws them one after another whatever their numbers.
ProjectionNumbers projectNumbers(const ProjectionInput& input, RandomSource& random,
                                 int firstRun = 0);

/// Runs the projection and builds the three chart tables and both captions. The spread
/// table has room for 20 runs; further runs are left out of it.
ProjectionResult project(const ProjectionInput& input, RandomSource& random);

}  // namespace vorn
