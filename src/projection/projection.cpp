#include "projection/projection.h"

#include <algorithm>
#include <cmath>

#include "charts/captions.h"
#include "tables/number_text.h"

namespace vorn {
namespace {

std::size_t at(int row, int column, int columns) {
    return static_cast<std::size_t>(row) * static_cast<std::size_t>(columns) +
           static_cast<std::size_t>(column);
}

// Adds to each receiving item's growth the contributions of all items, in item order:
// growth[i] += coefficient[j][i] x (previous[j] + change[j] x weight[i]). Each sum runs over j
// in order; the loop over i runs the sums side by side.
__attribute__((target_clones("avx2", "default"))) void addContributions(
    std::size_t n, const double* __restrict coefficient, const double* __restrict previous,
    const double* __restrict change, const double* __restrict weight, double* __restrict growth) {
    for (std::size_t j = 0; j < n; ++j) {
        const double* c = coefficient + j * n;
        const double a = previous[j];
        const double d = change[j];
        for (std::size_t i = 0; i < n; ++i) {
            growth[i] += c[i] * (a + d * weight[i]);
        }
    }
}

// The step shown at chart point p: a backcast is shown from the horizon year to 2000.
int stepAtPoint(int point, int horizon) {
    return horizon < 0 ? kSteps - point : point;
}

}  // namespace

std::vector<double> computeNetGrowth(const ProjectionInput& input) {
    const int n = input.items;
    const bool withPolicy = policiesApply(input);
    std::vector<double> netGrowth(static_cast<std::size_t>(n));
    for (int c = 0; c < n; ++c) {
        double growth = 0.0;
        for (int r = 0; r < n; ++r) {
            growth += input.trend[at(r, c, n)] / 100;
            if (withPolicy) {
                growth += input.policy[at(r, c, n)] / 100;
            }
        }
        netGrowth[static_cast<std::size_t>(c)] = std::floor(growth * 10000 + 0.5) / 100;
    }
    return netGrowth;
}

ProjectionNumbers projectNumbers(const ProjectionInput& input, RandomSource& random, int firstRun) {
    const int n = input.items;
    const int h = input.horizon;
    const double hd = h;
    const double s = input.uncertaintyLevel;
    const bool withPolicy = policiesApply(input);
    const std::size_t un = static_cast<std::size_t>(n);

    ProjectionNumbers out;
    out.items = n;
    out.runs = std::max(input.runs, 1);
    out.tracked = input.tracked >= 1 && input.tracked <= n ? input.tracked : (n >= 1 ? 1 : 0);
    out.netGrowth = computeNetGrowth(input);
    out.years.resize(kPoints);
    for (int p = 0; p < kPoints; ++p) {
        out.years[static_cast<std::size_t>(p)] = 2000 + stepAtPoint(p, h) * h;
    }

    // Contribution coefficients, stored by contributing item so that the inner loop runs
    // over the receiving items with one independent sum each.
    std::vector<double> coefficient(un * un);
    for (int j = 0; j < n; ++j) {
        for (int i = 0; i < n; ++i) {
            coefficient[at(j, i, n)] =
                withPolicy ? (input.trend[at(j, i, n)] + input.policy[at(j, i, n)]) / 100
                           : input.trend[at(j, i, n)] / 100;
        }
    }
    // The contributing level is read Lag(i) years before the end of the step, on the line
    // through its last two levels: A(t-1) + (A(t-1) - A(t-K)) x (|h| - Lag(i)) / |h|.
    std::vector<double> lagWeight(un);
    for (int i = 0; i < n && h != 0; ++i) {
        const double lag = input.lag[static_cast<std::size_t>(i)];
        lagWeight[static_cast<std::size_t>(i)] = (h > 0 ? hd - lag : hd + lag) / hd;
    }

    std::vector<double> level(static_cast<std::size_t>(kPoints) * un);  // [step][item]
    std::vector<float> draws(un);
    std::vector<double> fluctuation(un);
    std::vector<double> growth(un);
    std::vector<double> change(un);
    if (out.tracked > 0) {
        out.trackedLevels.resize(static_cast<std::size_t>(out.runs) * kPoints);
    }

    for (int run = 0; run < out.runs; ++run) {
        random.startRun(firstRun + run);
        std::fill(level.begin(), level.begin() + static_cast<std::ptrdiff_t>(un), 1.0);
        for (int t = 1; t <= kSteps; ++t) {
            random.fillStep(t, draws.data(), un);
            for (std::size_t i = 0; i < un; ++i) {
                const double r = draws[i];
                fluctuation[i] = 2 * input.uncertainty[i] * (r - 0.5) * s;
            }
            const int k = t == 1 ? 1 : 2;
            const double* previous = level.data() + at(t - 1, 0, n);
            const double* earlier = level.data() + at(t - k, 0, n);
            double* current = level.data() + at(t, 0, n);
            std::fill(growth.begin(), growth.end(), 0.0);
            if (h != 0) {
                for (std::size_t j = 0; j < un; ++j) {
                    change[j] = previous[j] - earlier[j];
                }
                addContributions(un, coefficient.data(), previous, change.data(), lagWeight.data(),
                                 growth.data());
            }
            for (std::size_t i = 0; i < un; ++i) {
                double next = previous[i] * (1 + fluctuation[i] / 100) + growth[i] * hd;
                current[i] = next < 0 ? 0.01 : next;
            }
        }

        if (out.tracked > 0) {
            double* row = &out.trackedLevels[at(run, 0, kPoints)];
            for (int p = 0; p < kPoints; ++p) {
                row[p] = level[at(stepAtPoint(p, h), out.tracked - 1, n)];
            }
        }
        if (run == out.runs - 1) {
            out.levels.resize(un * kPoints);
            for (int i = 0; i < n; ++i) {
                for (int p = 0; p < kPoints; ++p) {
                    out.levels[at(i, p, kPoints)] = level[at(stepAtPoint(p, h), i, n)];
                }
            }
            out.contributions.resize((un + 1) * un);
            for (int i = 0; i < n; ++i) {
                const double start = level[at(kSteps - 1, i, n)];
                for (int j = 0; j < n; ++j) {
                    out.contributions[at(i, j, n)] = input.trend[at(i, j, n)] * start;
                }
                out.contributions[at(n, i, n)] = fluctuation[static_cast<std::size_t>(i)] * start;
            }
        }
    }
    return out;
}

ProjectionResult project(const ProjectionInput& input, RandomSource& random) {
    ProjectionResult result;
    result.numbers = projectNumbers(input, random);
    const ProjectionNumbers& numbers = result.numbers;
    const int n = numbers.items;
    const int shownItems = std::min(n, kPoints - 1);

    result.trendsCaption = trendsCaption(input.horizon, policiesApply(input));
    result.contributionsCaption = contributionsCaption(input.horizon);

    result.levelTable = ChartTable(kPoints, kPoints);
    result.spreadTable = ChartTable(kPoints, kPoints);
    for (int p = 0; p < kPoints; ++p) {
        std::string label = yearLabel(numbers.years[static_cast<std::size_t>(p)]);
        result.levelTable.set(0, p, label);
        result.spreadTable.set(0, p, std::move(label));
    }
    for (int i = 0; i < shownItems; ++i) {
        for (int p = 0; p < kPoints; ++p) {
            result.levelTable.set(i + 1, p, numbers.level(i, p));
        }
    }
    if (numbers.tracked > 0) {
        const int shownRuns = std::min(numbers.runs, kSpreadRuns);
        for (int run = 0; run < shownRuns; ++run) {
            for (int p = 0; p < kPoints; ++p) {
                result.spreadTable.set(run + 1, p, numbers.trackedLevels[at(run, p, kPoints)]);
            }
        }
    }

    result.contribTable = ChartTable(n + 2, n + 1);
    for (int i = 0; i < n; ++i) {
        const std::string& name = input.names[static_cast<std::size_t>(i)];
        result.contribTable.set(i + 1, 0, name);
        result.contribTable.set(0, i + 1, name);
    }
    result.contribTable.set(n + 1, 0, std::string("Uncertainty"));
    for (int r = 0; r <= n; ++r) {
        for (int c = 0; c < n; ++c) {
            result.contribTable.set(r + 1, c + 1, numbers.contributions[at(r, c, n)]);
        }
    }
    return result;
}

}  // namespace vorn
