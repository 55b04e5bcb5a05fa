#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "vorn_run/batch_run.h"
#include "vorn_run/result_writer.h"
#include "vorn_run/vorn_run.h"

namespace {

// A 20-item scenario file with non-zero entries everywhere, written once per process.
const std::string& twentyItemScenario() {
    static const std::string path = [] {
        const int n = 20;
        std::string text = std::to_string(n) + "\r\n";
        const auto field = [&text](const std::string& value) { text += value + "\r\n"; };
        const auto number = [](double value) {
            char buffer[32];
            std::snprintf(buffer, sizeof buffer, "%g", value);
            return std::string(buffer);
        };
        const auto square = [&](const char* title, auto cell) {
            field("\"" + std::string(title) + "\"");
            for (int c = 1; c <= n; ++c) {
                field("\"Item  " + std::to_string(c) + "\"");
            }
            for (int r = 0; r < n; ++r) {
                field("\"Item  " + std::to_string(r + 1) + "\"");
                for (int c = 0; c < n; ++c) {
                    field("\"" + number(cell(r, c)) + "\"");
                }
            }
        };
        square("Trend Matrix", [](int r, int c) { return ((r * 7 + c * 3) % 11 - 5) * 0.1; });
        field("0");
        for (int r = 0; r < n; ++r) {
            field(std::to_string(1 + r % 3));
        }
        field("0");
        for (int r = 0; r < n; ++r) {
            field(std::to_string(r % 4));
        }
        square("Policy Matrix", [](int r, int c) { return ((r + c) % 5 - 2) * 0.05; });
        const std::string file =
            (std::filesystem::temp_directory_path() / "vorn-run-bench-20-items.txt").string();
        std::ofstream(file, std::ios::binary) << text;
        return file;
    }();
    return path;
}

// vorn-run --runs K -u 3 --format json on 20 items: read, project, write the JSON text.
void BM_VornRunJson(benchmark::State& state) {
    const std::vector<std::string> args = {"--runs",
                                           std::to_string(state.range(0)),
                                           "-u",
                                           "3",
                                           "--format",
                                           "json",
                                           "--seed",
                                           "1",
                                           twentyItemScenario()};
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::ostringstream out;
        std::ostringstream err;
        if (vorn::batch::runVornRun(args, out, err, {}) != 0) {
            state.SkipWithError(err.str().c_str());
            break;
        }
        bytes = out.str().size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_VornRunJson)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The parts of the same run: reading and projecting with the bands, then writing the JSON.
void BM_VornRunProjectOnly(benchmark::State& state) {
    vorn::batch::RunOptions options;
    options.runs = static_cast<int>(state.range(0));
    options.uncertainty = 3;
    for (auto _ : state) {
        vorn::batch::LoadedScenario loaded = vorn::batch::loadScenarioTables(twentyItemScenario());
        vorn::batch::BatchOutcome outcome = vorn::batch::runBatch(*loaded.tables, options, 1);
        benchmark::DoNotOptimize(outcome);
    }
}
BENCHMARK(BM_VornRunProjectOnly)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_VornRunWriteJson(benchmark::State& state) {
    vorn::batch::RunOptions options;
    options.runs = static_cast<int>(state.range(0));
    options.uncertainty = 3;
    vorn::batch::LoadedScenario loaded = vorn::batch::loadScenarioTables(twentyItemScenario());
    const vorn::batch::BatchOutcome outcome = vorn::batch::runBatch(*loaded.tables, options, 1);
    for (auto _ : state) {
        std::ostringstream out;
        vorn::batch::writeJson(out, *outcome.result);
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_VornRunWriteJson)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
