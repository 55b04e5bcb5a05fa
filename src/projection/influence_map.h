#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "projection/projection.h"

namespace vorn {

/// Where an item stands against the means of influence and dependence.
enum class Quadrant {
    Driving,     // influence above the mean, dependence not
    Relay,       // both above their means
    Dependent,   // dependence above the mean, influence not
    Autonomous,  // neither above its mean
    Unplaced,    // influence or dependence is not a finite number
};

/// "driving", "relay", "dependent", "autonomous" or "unplaced".
std::string_view quadrantName(Quadrant quadrant);

/// One item of the influence map.
struct InfluenceItem {
    std::string name;
    double influence = 0;   // sum of |T(item, j)| over the other items j: its Trend Matrix row
    double dependence = 0;  // sum of |T(j, item)| over the other items j: its column
    Quadrant quadrant = Quadrant::Autonomous;
};

/// How strongly each item drives the others and is driven by them, read from the Trend
/// Matrix alone (the diagonal, an item's own growth, left out).
struct InfluenceMap {
    std::vector<InfluenceItem> items;  // N, in item order
    double meanInfluence = 0;          // over the placed items; 0 when none is placed
    double meanDependence = 0;
};

/// The influence map of `input`'s Trend Matrix. "Above the mean" means above it by more than
/// a relative 1e-9, so items whose totals equal the mean (all items alike, say) count as
/// low whatever the rounding of the mean. An item whose total overflows or is not a number
/// (an infinite entry) is unplaced and left out of the means. No items give an empty map.
InfluenceMap computeInfluenceMap(const ProjectionInput& input);

}  // namespace vorn
