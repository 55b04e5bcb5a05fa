#include "vorn_run/run_options.h"

#include <charconv>
#include <string_view>

#include "tables/scenario_tables.h"

namespace vorn::batch {
namespace {

enum class Option {
    Horizon,
    Uncertainty,
    Policy,
    Runs,
    Track,
    Seed,
    Format,
    Table,
    Output,
    Chart,
    Reference,
    Help,
    Version
};

struct OptionEntry {
    Option option;
    char shortName;  // 0: long form only
    std::string_view longName;
    bool takesValue;
};

constexpr OptionEntry kOptions[] = {
    {Option::Horizon, 'H', "horizon", true},   {Option::Uncertainty, 'u', "uncertainty", true},
    {Option::Policy, 'p', "policy", false},    {Option::Runs, 'r', "runs", true},
    {Option::Track, 't', "track", true},       {Option::Seed, 's', "seed", true},
    {Option::Format, 'f', "format", true},     {Option::Table, 0, "table", true},
    {Option::Output, 'o', "output", true},     {Option::Chart, 0, "chart", true},
    {Option::Help, 'h', "help", false},        {Option::Version, 0, "version", false},
    {Option::Reference, 0, "reference", true},
};

const OptionEntry* findShort(char name) {
    for (const OptionEntry& entry : kOptions) {
        if (entry.shortName != 0 && entry.shortName == name) {
            return &entry;
        }
    }
    return nullptr;
}

const OptionEntry* findLong(std::string_view name) {
    for (const OptionEntry& entry : kOptions) {
        if (entry.longName == name) {
            return &entry;
        }
    }
    return nullptr;
}

std::string quoted(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    out += '\'';
    out += text;
    out += '\'';
    return out;
}

// A whole number in [low, high], written as digits with an optional leading minus.
std::string readWholeNumber(std::string_view shown, std::string_view value, int low, int high,
                            int& into) {
    long long number = 0;
    const char* end = value.data() + value.size();
    const auto [ptr, ec] = std::from_chars(value.data(), end, number);
    if (value.empty() || ptr != end || ec == std::errc::invalid_argument) {
        return std::string(shown) + ": " + quoted(value) + " is not a whole number";
    }
    if (ec == std::errc::result_out_of_range || number < low || number > high) {
        return std::string(shown) + ": " + quoted(value) + " is out of range (" +
               std::to_string(low) + " to " + std::to_string(high) + ")";
    }
    into = static_cast<int>(number);
    return {};
}

std::string readSeed(std::string_view shown, std::string_view value, RunOptions& options) {
    std::uint64_t seed = 0;
    const char* end = value.data() + value.size();
    const bool digitsOnly =
        !value.empty() && value.find_first_not_of("0123456789") == std::string_view::npos;
    const auto [ptr, ec] = std::from_chars(value.data(), end, seed);
    if (!digitsOnly || ptr != end || ec != std::errc()) {
        return std::string(shown) + ": " + quoted(value) +
               " is not a non-negative whole number below 2^64";
    }
    options.seed = seed;
    return {};
}

std::string applyOption(const OptionEntry& entry, std::string_view shown, std::string_view value,
                        RunOptions& options) {
    switch (entry.option) {
        case Option::Horizon:
            return readWholeNumber(shown, value, kMinHorizon, kMaxHorizon, options.horizon);
        case Option::Uncertainty:
            return readWholeNumber(shown, value, 0, kMaxUncertainty, options.uncertainty);
        case Option::Policy:
            options.policy = true;
            return {};
        case Option::Runs:
            return readWholeNumber(shown, value, 1, kMaxRuns, options.runs);
        case Option::Track:
            options.trackGiven = true;
            return readWholeNumber(shown, value, 1, kMaxItems, options.track);
        case Option::Seed:
            return readSeed(shown, value, options);
        case Option::Format:
            if (value == "csv") {
                options.format = OutputFormat::Csv;
            } else if (value == "json") {
                options.format = OutputFormat::Json;
            } else {
                return std::string(shown) + ": unknown format " + quoted(value) + " (csv or json)";
            }
            return {};
        case Option::Table: {
            constexpr std::pair<std::string_view, CsvTable> kTables[] = {
                {"levels", CsvTable::Levels},       {"contributions", CsvTable::Contributions},
                {"spread", CsvTable::Spread},       {"netgrowth", CsvTable::NetGrowth},
                {"bands", CsvTable::Bands},         {"sensitivity", CsvTable::Sensitivity},
                {"influence", CsvTable::Influence}, {"loops", CsvTable::Loops},
                {"reference", CsvTable::Reference}, {"difference", CsvTable::Difference}};
            for (const auto& [name, table] : kTables) {
                if (value == name) {
                    options.table = table;
                    options.tableGiven = true;
                    return {};
                }
            }
            return std::string(shown) + ": unknown table " + quoted(value) +
                   " (levels, contributions, spread, netgrowth, bands, sensitivity, influence, "
                   "loops, reference or difference)";
        }
        case Option::Output:
        case Option::Chart:
        case Option::Reference:
            if (value.empty()) {
                return std::string(shown) + ": the file name is empty";
            }
            (entry.option == Option::Output  ? options.output
             : entry.option == Option::Chart ? options.chart
                                             : options.reference) = value;
            return {};
        case Option::Help:
            options.help = true;
            return {};
        case Option::Version:
            options.version = true;
            return {};
    }
    return {};
}

}  // namespace

ParsedOptions parseRunOptions(const std::vector<std::string>& args) {
    ParsedOptions parsed;
    RunOptions& options = parsed.options;
    std::vector<std::string> operands;
    bool optionsEnded = false;

    for (std::size_t k = 0; k < args.size() && parsed.ok(); ++k) {
        const std::string_view arg = args[k];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            operands.emplace_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg.starts_with("--")) {
            const std::size_t equals = arg.find('=');
            const std::string_view name = arg.substr(
                2, equals == std::string_view::npos ? std::string_view::npos : equals - 2);
            const std::string shown = "--" + std::string(name);
            const OptionEntry* entry = findLong(name);
            if (entry == nullptr) {
                parsed.error = "unknown option " + quoted(shown);
            } else if (!entry->takesValue) {
                if (equals != std::string_view::npos) {
                    parsed.error = "option " + quoted(shown) + " takes no value";
                } else {
                    parsed.error = applyOption(*entry, shown, {}, options);
                }
            } else if (equals != std::string_view::npos) {
                parsed.error = applyOption(*entry, shown, arg.substr(equals + 1), options);
            } else if (k + 1 < args.size()) {
                parsed.error = applyOption(*entry, shown, args[++k], options);
            } else {
                parsed.error = "option " + quoted(shown) + " needs a value";
            }
        } else {
            // A group of short options: flags, possibly ending in one that takes a value.
            for (std::size_t c = 1; c < arg.size() && parsed.ok(); ++c) {
                const std::string shown = std::string("-") + arg[c];
                const OptionEntry* entry = findShort(arg[c]);
                if (entry == nullptr) {
                    parsed.error = "unknown option " + quoted(shown);
                } else if (!entry->takesValue) {
                    parsed.error = applyOption(*entry, shown, {}, options);
                } else {
                    if (c + 1 < arg.size()) {
                        parsed.error = applyOption(*entry, shown, arg.substr(c + 1), options);
                    } else if (k + 1 < args.size()) {
                        parsed.error = applyOption(*entry, shown, args[++k], options);
                    } else {
                        parsed.error = "option " + quoted(shown) + " needs a value";
                    }
                    break;
                }
            }
        }
    }
    if (!parsed.ok() || options.help || options.version) {
        return parsed;
    }
    if (operands.empty()) {
        parsed.error = "no SCENARIO file given";
    } else if (operands.size() > 1) {
        parsed.error = "more than one SCENARIO file given (" + quoted(operands[0]) + ", " +
                       quoted(operands[1]) + ")";
    } else if (options.format == OutputFormat::Json && options.tableGiven) {
        parsed.error = "--table chooses a CSV table; JSON output holds every table";
    } else if (options.reference.empty() &&
               (options.table == CsvTable::Reference || options.table == CsvTable::Difference)) {
        parsed.error = "--table reference and --table difference need --reference OTHER";
    } else {
        options.scenario = operands[0];
        if (!options.reference.empty() && !options.tableGiven) {
            options.table = CsvTable::Difference;
        }
    }
    return parsed;
}

std::string usageText() {
    return "Usage: vorn-run [OPTIONS] SCENARIO\n"
           "Projects the scenario file SCENARIO and prints the results.\n"
           "\n"
           "  -H, --horizon H       years per step, a whole number from -20 to 20 (default 2)\n"
           "  -u, --uncertainty S   uncertainty level, a whole number from 0 to 10 (default 1)\n"
           "  -p, --policy          add the Policy Matrix for forward projections\n"
           "  -r, --runs K          number of runs, 1 to 100000 (default 1)\n"
           "  -t, --track I         item whose spread over the runs is reported, 1 to N\n"
           "                        (default 1)\n"
           "  -s, --seed N          seed the random source for a reproducible result\n"
           "                        (default: the clock)\n"
           "  -f, --format F        csv (default) or json\n"
           "      --table T         which table csv prints: levels (default), contributions,\n"
           "                        spread, netgrowth, bands, sensitivity, influence,\n"
           "                        loops, reference, difference\n"
           "  -o, --output FILE     write there instead of standard output\n"
           "      --chart FILE      also draw the three charts into FILE (.png, .svg or .pdf)\n"
           "      --reference OTHER\n"
           "                        project the scenario file OTHER alike and print the\n"
           "                        levels of SCENARIO minus those of OTHER, items\n"
           "                        matched by name (csv: the difference table unless\n"
           "                        --table says otherwise; --table reference prints\n"
           "                        OTHER's levels)\n"
           "  -h, --help            show this help\n"
           "      --version         show the version\n"
           "\n"
           "Exit status: 0 on success, 1 when a file cannot be read or written,\n"
           "2 for a usage error.\n";
}

}  // namespace vorn::batch
