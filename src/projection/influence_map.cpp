#include "projection/influence_map.h"

#include <algorithm>
#include <cmath>

namespace vorn {
namespace {

constexpr double kTieTolerance = 1e-9;

bool aboveMean(double value, double mean) {
    return value - mean > kTieTolerance * std::abs(mean);
}

Quadrant quadrantOf(const InfluenceItem& item, double meanInfluence, double meanDependence) {
    if (!std::isfinite(item.influence) || !std::isfinite(item.dependence)) {
        return Quadrant::Unplaced;
    }
    const bool drives = aboveMean(item.influence, meanInfluence);
    const bool driven = aboveMean(item.dependence, meanDependence);
    if (drives) {
        return driven ? Quadrant::Relay : Quadrant::Driving;
    }
    return driven ? Quadrant::Dependent : Quadrant::Autonomous;
}

}  // namespace

std::string_view quadrantName(Quadrant quadrant) {
    switch (quadrant) {
        case Quadrant::Driving:
            return "driving";
        case Quadrant::Relay:
            return "relay";
        case Quadrant::Dependent:
            return "dependent";
        case Quadrant::Autonomous:
            return "autonomous";
        case Quadrant::Unplaced:
            break;
    }
    return "unplaced";
}

InfluenceMap computeInfluenceMap(const ProjectionInput& input) {
    InfluenceMap map;
    const int n = input.items;
    const std::size_t un = static_cast<std::size_t>(std::max(n, 0));
    map.items.resize(un);
    for (std::size_t i = 0; i < un; ++i) {
        InfluenceItem& item = map.items[i];
        item.name = input.names[i];
        for (std::size_t j = 0; j < un; ++j) {
            if (j != i) {
                item.influence += std::abs(input.trend[i * un + j]);
                item.dependence += std::abs(input.trend[j * un + i]);
            }
        }
    }

    // Means of the placed items, each total divided before adding so the sum cannot
    // overflow where the totals do not.
    int placed = 0;
    for (const InfluenceItem& item : map.items) {
        placed += std::isfinite(item.influence) && std::isfinite(item.dependence) ? 1 : 0;
    }
    for (const InfluenceItem& item : map.items) {
        if (placed > 0 && std::isfinite(item.influence) && std::isfinite(item.dependence)) {
            map.meanInfluence += item.influence / placed;
            map.meanDependence += item.dependence / placed;
        }
    }
    for (InfluenceItem& item : map.items) {
        item.quadrant = quadrantOf(item, map.meanInfluence, map.meanDependence);
    }
    return map;
}

}  // namespace vorn
