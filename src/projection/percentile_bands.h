#pragma once

#include <array>
#include <string_view>
#include <vector>

namespace vorn {

inline constexpr std::array<int, 5> kBandPercents = {5, 25, 50, 75, 95};
inline constexpr std::array<std::string_view, 5> kBandNames = {"p5", "p25", "p50", "p75", "p95"};

/// For each band in kBandPercents, one value per step: the percentile of the tracked item's
/// level over the runs at that step.
struct PercentileBands {
    std::array<std::vector<double>, kBandPercents.size()> bands;
};

/// The p-th percentile (0 <= p <= 100) of `sorted`, ascending and not empty, by linear
/// interpolation between the closest ranks: with K values the rank is (K - 1) x p / 100,
/// counted from 0, and a fractional rank lies on the line between its two neighbours. The 0th
/// is the least value, the 100th the greatest, the 50th the usual median; one value is every
/// percentile.
double percentileOfSorted(const std::vector<double>& sorted, double percent);

/// The bands of `runs` rows of `points` levels each (row-major). Not-a-number levels sort
/// after every number. No runs gives empty bands.
PercentileBands percentileBands(const std::vector<double>& levels, int runs, int points);

}  // namespace vorn
