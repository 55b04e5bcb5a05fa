#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "projection/projection.h"

namespace vorn {

/// Loops a search lists at most: the strongest.
inline constexpr int kLoopLimit = 50;
/// Arrows a search may weigh before it stops. A dense 20-item matrix holds astronomically
/// many loops; this keeps the search within a few milliseconds whatever the matrix.
inline constexpr std::int64_t kLoopSearchSteps = 50000;

/// Reinforcing: an even number of negative links, so a change returns around the loop with
/// its own sign and grows. Balancing: an odd number, so it returns reversed and damps.
enum class LoopKind { Reinforcing, Balancing };

/// "reinforcing" or "balancing".
std::string_view loopKindName(LoopKind kind);

/// One feedback loop: a simple cycle of two or more arrows.
struct FeedbackLoop {
    std::string name;  // R1, R2, ... or B1, B2, ..., numbered by strength within its kind
    LoopKind kind = LoopKind::Reinforcing;
    std::vector<int> items;  // 0-based, along the arrows from the lowest-numbered item;
                             // the last item's arrow leads back to the first
    double strength = 0;     // geometric mean of the absolute entries along the loop

    int length() const { return static_cast<int>(items.size()); }
    bool operator==(const FeedbackLoop&) const = default;
};

/// The loops of a matrix, as far as a bounded search found them.
struct LoopSearch {
    std::vector<FeedbackLoop> loops;  // strongest first, at most the limit
    std::int64_t found = 0;           // loops the search met
    /// The search ran to its end instead of stopping at its step limit: `loops` are the
    /// strongest there are.
    bool finished = false;
    /// It also left out no path as too weak to matter: `found` counts every loop.
    bool counted = false;

    /// Every loop of the matrix is listed.
    bool complete() const { return counted && found == static_cast<std::int64_t>(loops.size()); }
    bool operator==(const LoopSearch&) const = default;
};

/// The geometric mean of |links(i, j)| over the arrows of the loop through `items` (0-based,
/// in order, closing back to the first) of an `n` x `n` row-major matrix.
double loopStrength(int n, const std::vector<double>& links, const std::vector<int>& items);

/// Before `b` in a list of loops: stronger, then shorter, then by its items in order.
bool strongerLoop(const FeedbackLoop& a, const FeedbackLoop& b);

/// The feedback loops of the `n` x `n` row-major matrix `links`, in which every non-zero,
/// finite entry (i, j) off the diagonal is an arrow from item i to item j. Lists the `limit`
/// strongest (ordered by strongerLoop) and names them. The search follows each item's
/// strongest arrows first, leaves out paths that cannot close into a loop stronger than the
/// weakest one listed once the list is full, and stops after weighing `steps` arrows.
LoopSearch findFeedbackLoops(int n, const std::vector<double>& links, int limit = kLoopLimit,
                             std::int64_t steps = kLoopSearchSteps);

/// The arrows the projection follows and their feedback loops.
struct LoopDiagram {
    int items = 0;
    std::vector<std::string> names;  // N
    std::vector<double> links;       // N x N: T(i, j), plus P(i, j) while the policies apply
    bool withPolicies = false;
    LoopSearch search;

    double link(int from, int to) const {
        return links[static_cast<std::size_t>(from * items + to)];
    }
    /// Whether entry (from, to) is drawn as an arrow: off the diagonal, finite, non-zero.
    bool isArrow(int from, int to) const;
    /// "Population -> Food -> Population".
    std::string loopText(const FeedbackLoop& loop) const;
    /// "Food -> Population: +1.5"; an entry on the diagonal: "Food, own growth: +2".
    std::string linkText(int from, int to) const;
    /// How complete the list is: "3 loops", "50 strongest of 120 loops", "50 strongest of at
    /// least 5000 loops found"; "No loops" without any.
    std::string searchNote() const;

    bool operator==(const LoopDiagram&) const = default;
};

/// The diagram of `input`: the entries as the projection uses them and their loops.
LoopDiagram computeLoopDiagram(const ProjectionInput& input);

}  // namespace vorn
