#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "scenario_files/result_csv.h"

namespace vorn::batch {

enum class OutputFormat { Csv, Json };

/// The table that CSV output prints: one of those the window exports.
using CsvTable = ResultTable;

inline constexpr int kMinHorizon = -20;
inline constexpr int kMaxHorizon = 20;
inline constexpr int kMaxUncertainty = 10;
inline constexpr int kMaxRuns = 100000;

/// What the command line asks for.
struct RunOptions {
    int horizon = 2;
    int uncertainty = 1;
    bool policy = false;
    int runs = 1;
    int track = 1;
    bool trackGiven = false;  // -t was given: it must then name an item
    bool tableGiven = false;
    std::optional<std::uint64_t> seed;  // none: seeded from the clock
    OutputFormat format = OutputFormat::Csv;
    CsvTable table = CsvTable::Levels;
    std::string output;     // empty: standard output
    std::string chart;      // empty: no chart
    std::string reference;  // empty: no reference run; else its scenario file
    std::string scenario;
    bool help = false;
    bool version = false;
};

/// The options, or a message saying what is wrong with the command line.
struct ParsedOptions {
    RunOptions options;
    std::string error;
    bool ok() const { return error.empty(); }
};

/// Reads the arguments that follow the program name. Long options take their value as
/// `--name=value` or `--name value`, short ones as `-Xvalue` or `-X value`; flags may be
/// grouped (`-ph`); `--` ends the options. A later option overrides an earlier one.
ParsedOptions parseRunOptions(const std::vector<std::string>& args);

/// The usage text printed by --help and after a usage error.
std::string usageText();

}  // namespace vorn::batch
