#pragma once

#include <vector>

#include "projection/percentile_bands.h"
#include "projection/projection.h"
#include "projection/random_source.h"

namespace vorn {

/// Runs the window shows by default for the uncertainty bands.
inline constexpr int kBandRuns = 1000;

/// The percentile bands of the tracked item's level over many runs of one projection.
struct UncertaintyBands {
    int runs = 0;             // runs behind the bands; 0 when there is nothing to band
    int tracked = 0;          // item whose level is banded, 1..N; 0 without items
    std::vector<int> years;   // 21 steps in chart order; empty when runs is 0
    PercentileBands percent;  // p5, p25, p50, p75, p95 (kBandPercents), 21 values each

    bool empty() const { return runs == 0; }
    const std::vector<double>& p5() const { return percent.bands[0]; }
    const std::vector<double>& p25() const { return percent.bands[1]; }
    const std::vector<double>& median() const { return percent.bands[2]; }
    const std::vector<double>& p75() const { return percent.bands[3]; }
    const std::vector<double>& p95() const { return percent.bands[4]; }
};

/// Repeats the projection of `input` `runs` times with random fluctuations drawn from
/// `random` (give it a source of its own, so the window's runs stay as they are; a
/// counter-based source draws the runs a projection of that many runs draws) and bands the
/// tracked item's level at every step, by the percentile rule of percentileBands.
/// `input.runs` is ignored. No items, or runs below 1, give empty bands. A level that
/// overflows sorts as the number it became (infinity above every number, not-a-number
/// last), so a band can hold non-finite values; a chart leaves those points out.
UncertaintyBands computeBands(const ProjectionInput& input, int runs, RandomSource& random);

}  // namespace vorn
