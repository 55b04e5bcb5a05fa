#pragma once

#include <optional>
#include <string>
#include <vector>

#include "projection/projection.h"

namespace vorn {

/// Levels of named items over the years: a run kept for comparison, or the difference of two.
struct NamedLevels {
    std::vector<std::string> names;  // one per item
    std::vector<int> years;          // in chart order
    std::vector<double> values;      // names.size() x years.size(), item by item

    int items() const { return static_cast<int>(names.size()); }
    int points() const { return static_cast<int>(years.size()); }
    double at(int item, int point) const {
        return values[static_cast<std::size_t>(item) * years.size() +
                      static_cast<std::size_t>(point)];
    }
};

/// The levels of the last run of a projection under the items' names.
NamedLevels namedLevels(const ProjectionNumbers& numbers, const std::vector<std::string>& names);

/// The items of two runs matched by name: each item of the one takes the first item of the
/// other with the same name that no earlier item took, so that items of equal names are
/// matched in order.
struct ItemMatch {
    std::vector<int> partner;             // for every item of the first run: its item in
                                          // the second, or -1
    std::vector<std::string> onlyFirst;   // names of the first run's unmatched items
    std::vector<std::string> onlySecond;  // names of the second run's unmatched items

    /// The names of every unmatched item: the first run's, then the second's.
    std::vector<std::string> unmatched() const;
};
ItemMatch matchItems(const std::vector<std::string>& first, const std::vector<std::string>& second);

/// Where the points of a run over `otherYears` fall on a time axis over `axisYears` (both in
/// chart order, evenly spaced): for each point its position counted in axis points, whole
/// where the year is one of the axis's, or nothing where it lies outside the axis. Two runs
/// over the same years share every position, also when all their years are 2000; an axis of
/// one year (a horizon of 0) places nothing else.
std::vector<std::optional<double>> positionsOnAxis(const std::vector<int>& axisYears,
                                                   const std::vector<int>& otherYears);

/// For every point of `axisYears`, the point of `otherYears` at the same place, or -1.
std::vector<int> samePoints(const std::vector<int>& axisYears, const std::vector<int>& otherYears);

/// `live` minus `reference`, item by item matched by name, in the order of `live`'s items
/// and at the points of `live` where `reference` has a level of the same year; the items
/// without a match are left out.
NamedLevels levelDifference(const NamedLevels& live, const NamedLevels& reference);

}  // namespace vorn
