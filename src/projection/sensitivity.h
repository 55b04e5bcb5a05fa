#pragma once

#include <string>
#include <vector>

#include "projection/projection.h"

namespace vorn {

/// Percentage points by which each Trend Matrix entry is raised.
inline constexpr double kSensitivityStep = 1.0;
/// Entries a ranking shows.
inline constexpr int kSensitivityTop = 10;

/// The effect of raising one Trend Matrix entry T(row, column) on the tracked item's level in
/// the horizon year. Rows and columns count items from 0.
struct SensitivityEntry {
    int row = 0;
    int column = 0;
    double effect = 0;  // level with the raised entry minus the baseline level
};

/// The sensitivity of the tracked item's horizon level to every Trend Matrix entry.
struct Sensitivity {
    int tracked = 0;                        // 1..N; 0 without items
    int horizonYear = 2000;                 // the year whose level is compared
    double baseline = 0;                    // tracked level in that year, no fluctuations
    std::vector<std::string> names;         // item names, N
    std::vector<SensitivityEntry> entries;  // N x N, row by row

    /// "Row item -> Column item".
    std::string name(const SensitivityEntry& entry) const;
    /// Every entry, the largest absolute effect first; equal ones by row, then column. An
    /// effect that is not finite (an overflowing level) comes after all finite ones.
    std::vector<SensitivityEntry> ranked() const;
    /// The first `count` entries of ranked() whose effect is finite.
    std::vector<SensitivityEntry> top(int count = kSensitivityTop) const;
};

/// Raises each entry T(i, j) in turn by kSensitivityStep and projects once, without random
/// fluctuations and with the policies as `input` applies them; the effect is the tracked
/// item's level in the horizon year (column 0 of a backcast, column 20 otherwise) minus the
/// same level with no entry raised. No items give no entries.
Sensitivity computeSensitivity(const ProjectionInput& input);

}  // namespace vorn
