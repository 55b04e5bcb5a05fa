#include "vorn_run/batch_run.h"

#include <chrono>
#include <random>

#include "charts/captions.h"
#include "projection/random_source.h"
#include "scenario_files/scenario_file.h"

namespace vorn::batch {

LoadedScenario loadScenarioTables(const std::string& path) {
    ScenarioReadResult read = readScenarioFile(path);
    LoadedScenario loaded;
    if (!read.data) {
        loaded.error = read.error.empty() ? "The file " + path + " cannot be read." : read.error;
        return loaded;
    }
    loaded.tables.emplace();
    applyScenario(*loaded.tables, *read.data);
    return loaded;
}

namespace {

// The column headers of the first `items` items: the names the tables are headed by.
std::vector<std::string> columnNames(const ScenarioTables& tables, int items) {
    std::vector<std::string> names;
    for (int i = 1; i <= items; ++i) {
        names.push_back(tables.trend.text(0, i));
    }
    return names;
}

// The levels of `tables` under the same settings and draws as the scenario's.
NamedLevels referenceLevels(ScenarioTables& tables, ProjectionSettings settings,
                            std::uint64_t seed) {
    settings.lastc2 = 0;  // no item of its own is tracked
    const ProjectionInput input = prepareProjectionInput(tables, settings);
    RandomSource draws = RandomSource::counterBased(seed);
    const ProjectionNumbers numbers = projectNumbers(input, draws);
    return namedLevels(numbers, columnNames(tables, numbers.items));
}

}  // namespace

BatchOutcome runBatch(ScenarioTables& tables, const RunOptions& options, std::uint64_t seed,
                      ScenarioTables* reference) {
    BatchOutcome outcome;
    const int items = projectedItemCount(tables);
    if (options.trackGiven && options.track > items) {
        outcome.usageError = "--track " + std::to_string(options.track) + ": the scenario has " +
                             std::to_string(items) + (items == 1 ? " item" : " items");
        return outcome;
    }

    BatchResult& result = outcome.result.emplace();
    result.settings.horizon = options.horizon;
    result.settings.uncertaintyLevel = options.uncertainty;
    result.settings.policy = options.policy ? 1 : 0;
    result.settings.iter = options.runs;
    result.settings.lastc2 = items > 0 ? options.track : 0;
    result.policiesApplied = options.policy && options.horizon > 0;
    result.seed = seed;

    const ProjectionInput input = prepareProjectionInput(tables, result.settings);
    // Draws by (seed, run, step, item), as the window draws while it holds them.
    RandomSource random = RandomSource::counterBased(seed);
    result.projection = project(input, random);
    writeNetGrowth(tables, result.projection.numbers);
    result.itemNames = columnNames(tables, items);
    const ProjectionNumbers& numbers = result.projection.numbers;
    if (reference != nullptr) {
        result.reference = referenceLevels(*reference, result.settings, seed);
        result.referencePath = options.reference;
        result.difference =
            levelDifference(namedLevels(numbers, result.itemNames), *result.reference);
        result.referenceMatch = matchItems(result.itemNames, result.reference->names);
    }
    if (numbers.tracked > 0) {
        result.spreadCaption =
            spreadCaption(result.itemNames[static_cast<std::size_t>(numbers.tracked - 1)]);
        result.bands = percentileBands(numbers.trackedLevels, numbers.runs, kPoints);
    }
    // One projection per Trend Matrix entry: only when the output holds the sensitivity.
    if (options.format == OutputFormat::Json || options.table == CsvTable::Sensitivity) {
        result.sensitivity = computeSensitivity(input);
    }
    result.influence = computeInfluenceMap(input);
    if (options.format == OutputFormat::Json || options.table == CsvTable::Loops) {
        result.loops = computeLoopDiagram(input);
    }
    return outcome;
}

std::uint64_t clockSeed() {
    const auto ticks =
        static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
    std::random_device device;
    const std::uint64_t mixed =
        (ticks * 0x9e3779b97f4a7c15ULL) ^ (static_cast<std::uint64_t>(device()) << 21);
    return mixed & ((std::uint64_t{1} << 53) - 1);
}

}  // namespace vorn::batch
