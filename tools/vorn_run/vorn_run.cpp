#include "vorn_run/vorn_run.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

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

std::string systemMessage() {
    return std::strerror(errno);
}

}  // namespace

bool writeFileSafely(const std::string& path, const std::function<void(std::ostream&)>& write,
                     std::string* error) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    const bool direct = fs::exists(status) && !fs::is_regular_file(status);
    // A link stays a link: the file it points to is the one replaced.
    fs::path replaced = path;
    if (fs::is_symlink(fs::symlink_status(path, ec)) && fs::exists(status)) {
        replaced = fs::canonical(path, ec);
        if (ec) {
            replaced = path;
        }
    }
    const std::string target =
        direct ? path : replaced.string() + ".vorn-run-" + std::to_string(::getpid()) + ".tmp";

    std::ofstream file(target, std::ios::binary | std::ios::trunc);
    if (!file) {
        *error = "cannot write " + path + ": " + systemMessage();
        return false;
    }
    write(file);
    file.close();
    if (!file) {
        *error = "cannot write " + path + ": " + systemMessage();
        if (!direct) {
            fs::remove(target, ec);
        }
        return false;
    }
    if (!direct) {
        fs::rename(target, replaced, ec);
        if (ec) {
            *error = "cannot write " + path + ": " + ec.message();
            fs::remove(target, ec);
            return false;
        }
    }
    return true;
}

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
    noteUnmatchedItems(err, result);

    if (options.output.empty()) {
        writeResult(out, result, options);
        out.flush();
        if (!out) {
            err << "vorn-run: cannot write the standard output\n";
            return kExitFailure;
        }
    } else {
        std::string error;
        const auto write = [&](std::ostream& file) { writeResult(file, result, options); };
        if (!writeFileSafely(options.output, write, &error)) {
            err << "vorn-run: " << error << '\n';
            return kExitFailure;
        }
    }

    if (!options.chart.empty()) {
        std::string error;
        if (!drawChart(options.chart, result, &error)) {
            err << "vorn-run: " << (error.empty() ? "cannot write " + options.chart : error)
                << '\n';
            return kExitFailure;
        }
    }
    return kExitSuccess;
}

}  // namespace vorn::batch
