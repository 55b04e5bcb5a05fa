#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "projection/feedback_loops.h"
#include "projection/influence_map.h"
#include "projection/level_difference.h"
#include "projection/percentile_bands.h"
#include "projection/projection.h"
#include "projection/sensitivity.h"
#include "projection/year_by_year.h"
#include "tables/scenario_tables.h"
#include "vorn_run/run_options.h"

namespace vorn::batch {

/// The tables read from a scenario file, or the reader's message naming the file.
struct LoadedScenario {
    std::optional<ScenarioTables> tables;
    std::string error;
};

/// Reads a scenario file and puts it into tables, as File > Open does.
LoadedScenario loadScenarioTables(const std::string& path);

/// Everything a batch run prints or draws.
struct BatchResult {
    std::vector<std::string> itemNames;  // Trend Matrix column headers after the projection
    ProjectionSettings settings;
    bool policiesApplied = false;  // policies requested and the projection runs forwards
    std::uint64_t seed = 0;
    ProjectionResult projection;  // numbers of every run, chart tables and captions
    std::string spreadCaption;    // the spread chart's caption for the tracked item
    PercentileBands bands;        // of the tracked item over the runs; empty without items
    Sensitivity sensitivity;      // of the tracked item's horizon level, without fluctuations;
                                  // only for JSON or the sensitivity table, else empty
    InfluenceMap influence;       // of the Trend Matrix
    LoopDiagram loops;            // the strongest feedback loops; only for JSON or the loops
                                  // table, else empty
    /// With --reference: the other scenario projected alike (same settings, same draws by
    /// run, step and item), this one's levels minus its levels, item by item matched by name,
    /// and the match.
    std::optional<NamedLevels> reference;
    std::string referencePath;
    NamedLevels difference;
    ItemMatch referenceMatch;

    int items() const { return projection.numbers.items; }
    int runs() const { return projection.numbers.runs; }
    int tracked() const { return projection.numbers.tracked; }
};

/// The result, or a usage error (the tracked item is not one of the scenario's items).
struct BatchOutcome {
    std::optional<BatchResult> result;
    std::string usageError;
};

/// Runs the projection on `tables` with the options' settings, exactly as the window's
/// recalculation holding the draws of `seed` does, and works out the percentile bands, the
/// influence map and, when the output asks for them (JSON, the sensitivity or the loops
/// table), the sensitivity and the feedback loops; with `reference`, the tables of
/// options.reference, its levels and the difference from them.
BatchOutcome runBatch(ScenarioTables& tables, const RunOptions& options, std::uint64_t seed,
                      ScenarioTables* reference = nullptr);

/// A seed taken from the clock and the system's random device; below 2^53, so that it
/// reads back exactly wherever JSON numbers become doubles.
std::uint64_t clockSeed();

}  // namespace vorn::batch
