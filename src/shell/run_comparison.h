#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "charts/comparison_lines.h"
#include "projection/level_difference.h"
#include "projection/projection.h"
#include "projection/random_source.h"

namespace vorn {

/// Seeds the window draws for held draws are below this: six digits at most, to be read off
/// the menu and typed into vorn-run's --seed.
inline constexpr std::uint64_t kHeldSeedLimit = 1000000;

/// A run kept by View > Set Reference: the levels of every item with their names and years,
/// the policy state and a short label.
struct ReferenceRun {
    NamedLevels levels;
    bool policies = false;  // the policies applied to it
    std::string label;      // the scenario's file name, or "Reference"
};

/// What the window compares its runs with, and the draws that make the comparison fair; a
/// state of the window, not of the scenario: it survives Clear, Open and Undo and is never
/// saved.
///
/// - Held draws (View > Hold Random Draws): while on, every recalculation draws its
///   fluctuations as a function of (seed, run, step, item), so an unchanged scenario
///   recalculates to the same levels and a change moves the curves only by its own effect.
///   vorn-run --seed with the same seed draws the same. Off (the default), every run draws
///   afresh from the clock.
/// - A reference run (View > Set Reference), drawn behind the live lines.
/// - The projection without the policies (View > Show Trends Without Policies), worked out
///   with the same draws after every recalculation to which the policies apply.
class RunComparison {
  public:
    // --- Held draws ------------------------------------------------------------------------
    bool held() const { return m_held; }
    /// The seed of the held draws; nothing while they are not held.
    std::optional<std::uint64_t> heldSeed() const;
    /// Holds the draws of the seed held last, or of `freshSeed` the first time; or lets them
    /// go.
    void setHeld(bool held, std::uint64_t freshSeed);
    /// Holds the draws of `seed` from now on.
    void holdNewDraws(std::uint64_t seed);
    /// The text of View > Hold Random Draws: "Hold Random Draws", while held with the seed
    /// that repeats the draws in vorn-run: "Hold Random Draws (Seed 482113)".
    std::string holdMenuText() const;
    /// What holding does now, for the entry's tooltip and status tip.
    std::string holdToolTip() const;

    /// The seed of the counter-based draws a recalculation of `input` makes: the held seed;
    /// while the draws are not held but the projection without the policies is needed, a
    /// fresh seed from `random`, so that both projections draw alike; else nothing (a stream
    /// from `random`, as by default).
    std::optional<std::uint64_t> recalculationSeed(const ProjectionInput& input,
                                                   RandomSource& random) const;

    // --- The reference run -----------------------------------------------------------------
    /// Keeps `run` as the reference, replacing any earlier one.
    void setReference(ReferenceRun run);
    void clearReference();
    const std::optional<ReferenceRun>& reference() const { return m_reference; }
    /// The label of a reference taken from a scenario named by `fileLabel` (the Input File
    /// label, "Initial Scenario /path/Example1.txt") and changed since (`modified`) or not:
    /// the file name when the scenario is the file's, else "Reference".
    static std::string referenceLabel(const std::string& fileLabel, bool modified);

    // --- The projection without the policies ----------------------------------------------
    bool withoutPoliciesShown() const { return m_withoutPoliciesShown; }
    void setWithoutPoliciesShown(bool shown);
    /// True when a recalculation of `input` draws the projection without the policies: it is
    /// shown and the policies apply.
    bool needsWithoutPolicies(const ProjectionInput& input) const;
    /// The last recalculation's levels without the policies; nothing when not needed.
    const std::optional<NamedLevels>& withoutPolicies() const { return m_withoutPolicies; }

    /// After every recalculation of `input`, drawn with counter-based draws of `seed` (or,
    /// without a seed, from a stream): works out the projection without the policies of its
    /// last run when it is needed.
    void recalculated(const ProjectionInput& input, std::optional<std::uint64_t> seed);

    // --- What the Scenario Trends chart draws ----------------------------------------------
    /// The comparison lines behind the live lines of `live` (items named `liveNames`, chart
    /// row i + 1 for item i): the reference's items matched by name and placed by their
    /// years, then the projection without the policies. Empty when neither is shown.
    std::vector<ComparisonLines> chartLines(const ProjectionNumbers& live,
                                            const std::vector<std::string>& liveNames) const;

    /// Counts the changes of what is compared; lets a view skip redrawing.
    unsigned long revision() const { return m_revision; }

  private:
    /// The reference's legend entry: "Reference: Example1.txt", ", with Policies" when they
    /// applied to it, and the items of either side that `match` left without a partner.
    std::string referenceName(const ItemMatch& match) const;

    bool m_held = false;
    std::optional<std::uint64_t> m_seed;
    std::optional<ReferenceRun> m_reference;
    bool m_withoutPoliciesShown = false;
    std::optional<NamedLevels> m_withoutPolicies;
    unsigned long m_revision = 0;
};

}  // namespace vorn
