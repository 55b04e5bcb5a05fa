#include "vorn_run/vorn_run.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "scenario_files/atomic_file.h"
#include "vorn_run/result_writer.h"

namespace vorn::batch {
namespace {

void writeResult(std::ostream& out, const BatchResult& result, const RunOptions& options) {
    if (options.format == OutputFormat::Json) {
        writeJson(out, result);
    } else {
        writeCsv(out, result, options.table);
    }
}

// The items that have no partner of the same name in the other file are left out of the
// difference: the user is told which.
void noteUnmatchedItems(std::ostream& err, const BatchResult& result) {
    const ItemMatch& match = result.referenceMatch;
    const auto list = [](const std::vector<std::string>& names) {
        std::string text;
        for (const std::string& name : names) {
            text += (text.empty() ? "" : ", ") + name;
        }
        return text;
    };
    if (result.reference && !match.onlyFirst.empty()) {
        err << "vorn-run: not in " << result.referencePath
            << ", left out of the difference: " << list(match.onlyFirst) << '\n';
    }
    if (result.reference && !match.onlySecond.empty()) {
        err << "vorn-run: only in " << result.referencePath
            << ", left out of the difference: " << list(match.onlySecond) << '\n';
    }
}

int usageError(std::ostream& err, const std::string& message) {
    err << "vorn-run: " << message << "\n\n" << usageText();
    return kExitUsage;
}

// The chart file's type: its name's extension, without the dot, in lower case.
std::string chartType(const std::string& path) {
    std::string type = std::filesystem::path(path).extension().string();
    type.erase(0, type.empty() ? 0 : 1);
    std::transform(type.begin(), type.end(), type.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return type;
}

int cannotWrite(std::ostream& err, const std::string& path, const std::string& reason) {
    err << "vorn-run: cannot write " << path << ": " << reason << '\n';
    return kExitFailure;
}

}  // namespace

int runVornRun(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               const ChartDrawer& drawChart) {
    const ParsedOptions parsed = parseRunOptions(args);
    if (!parsed.ok()) {
        return usageError(err, parsed.error);
    }
    const RunOptions& options = parsed.options;
    if (options.help) {
        out << usageText();
        return kExitSuccess;
    }
    if (options.version) {
        out << "vorn-run (Halvorine (VORN) Model) " << VORN_VERSION << '\n';
        return kExitSuccess;
    }
    if (!options.chart.empty() && !drawChart) {
        err << "vorn-run: cannot draw " << options.chart
            << ": this vorn-run was built without the window, which draws the charts\n";
        return kExitFailure;
    }

    LoadedScenario loaded = loadScenarioTables(options.scenario);
    if (!loaded.tables) {
        err << "vorn-run: " << loaded.error << '\n';
        return kExitFailure;
    }
    LoadedScenario reference;
    if (!options.reference.empty()) {
        reference = loadScenarioTables(options.reference);
        if (!reference.tables) {
            err << "vorn-run: " << reference.error << '\n';
            return kExitFailure;
        }
    }
    const BatchOutcome outcome =
        runBatch(*loaded.tables, options, options.seed ? *options.seed : clockSeed(),
                 reference.tables ? &*reference.tables : nullptr);
    if (!outcome.result) {
        return usageError(err, outcome.usageError);
    }
    const BatchResult& result = *outcome.result;
    if (options.format == OutputFormat::Csv && options.table == CsvTable::Loops &&
        !result.loops.search.complete()) {
        err << "vorn-run: " << result.loops.searchNote() << '\n';  // the table lists a part
    }
    noteUnmatchedItems(err, result);

    if (options.output.empty()) {
        writeResult(out, result, options);
        out.flush();
        if (!out) {
            err << "vorn-run: cannot write the standard output\n";
            return kExitFailure;
        }
    } else if (const std::string error = writeFileAtomically(
                   options.output, [&](std::ostream& file) { writeResult(file, result, options); });
               !error.empty()) {
        return cannotWrite(err, options.output, error);
    }

    if (!options.chart.empty()) {
        std::string bytes;
        std::string error;
        if (!drawChart(chartType(options.chart), result, &bytes, &error)) {
            return cannotWrite(err, options.chart,
                               error.empty() ? "the charts could not be drawn" : error);
        }
        if (error = writeFileAtomically(options.chart, bytes); !error.empty()) {
            return cannotWrite(err, options.chart, error);
        }
    }
    return kExitSuccess;
}

}  // namespace vorn::batch
