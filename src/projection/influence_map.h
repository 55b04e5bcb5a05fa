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
    /// The same through chains of influence: the row and column sums of a power of the
    /// matrix (see InfluenceMap), scaled so that the placed items' totals add up to their
    /// direct totals.
    double indirectInfluence = 0;
    double indirectDependence = 0;
    Quadrant indirectQuadrant = Quadrant::Autonomous;  // against the same means
    /// Ranks among the placed items, 1 for the largest total; equal totals share a rank;
    /// 0 while unplaced.
    int influenceRank = 0;
    int dependenceRank = 0;
    int indirectInfluenceRank = 0;
    int indirectDependenceRank = 0;

    /// The item ranks differently through chains than directly, in influence or dependence.
    bool rankChanged() const {
        return influenceRank != indirectInfluenceRank || dependenceRank != indirectDependenceRank;
    }
};

/// How strongly each item drives the others and is driven by them, read from the Trend
/// Matrix alone (the diagonal, an item's own growth, left out), directly and through chains.
///
/// The indirect totals are those of the powers M^k of the matrix M of the absolute entries
/// off the diagonal (entries that are not finite left out): M^k sums every chain of k links,
/// each the product of its entries. k is raised until the ranking of the items by both
/// totals is the same for three powers in a row (settled). Where the chains alternate (all
/// loops of even length, say), the ranking repeats every `indirectPeriod` powers instead; the
/// totals are then the mean of one such period of powers, each divided by the matrix's growth
/// rate to its power, which settles. Where the chains end (no loops), the longest ones
/// count. At most kMaxInfluencePower powers are taken.
struct InfluenceMap {
    std::vector<InfluenceItem> items;  // N, in item order
    double meanInfluence = 0;          // over the placed items; 0 when none is placed
    double meanDependence = 0;
    int indirectPower = 0;   // the (last) power the indirect totals come from; 0 without items
    int indirectPeriod = 1;  // powers averaged
    bool indirectSettled = true;
};

inline constexpr int kMaxInfluencePower = 64;

/// The influence map of `input`'s Trend Matrix. "Above the mean" means above it by more than
/// a relative 1e-9, so items whose totals equal the mean (all items alike, say) count as
/// low whatever the rounding of the mean. An item whose total overflows or is not a number
/// (an infinite entry) is unplaced and left out of the means. No items give an empty map.
InfluenceMap computeInfluenceMap(const ProjectionInput& input);

}  // namespace vorn
