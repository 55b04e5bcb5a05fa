#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "scenario_files/atomic_file.h"

namespace {

namespace fs = std::filesystem;

std::string benchFile(const char* name) {
    return (fs::temp_directory_path() / name).string();
}

// The one writer: a temporary file written, flushed to disk, renamed over the target. 10 KB
// is about a 20-item scenario, 1 MB a large CSV export.
void BM_WriteFileAtomically(benchmark::State& state) {
    const std::string path = benchFile("vorn-bench-atomic.csv");
    const std::string bytes(static_cast<std::size_t>(state.range(0)), 'x');
    for (auto _ : state) {
        if (const std::string problem = vorn::writeFileAtomically(path, bytes); !problem.empty()) {
            state.SkipWithError(problem.c_str());
            break;
        }
    }
    fs::remove(path);
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_WriteFileAtomically)->Arg(10 << 10)->Arg(1 << 20)->Unit(benchmark::kMillisecond);

// The same bytes written straight into the target with no flush to disk, for comparison.
void BM_WriteFilePlainly(benchmark::State& state) {
    const std::string path = benchFile("vorn-bench-plain.csv");
    const std::string bytes(static_cast<std::size_t>(state.range(0)), 'x');
    for (auto _ : state) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    fs::remove(path);
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_WriteFilePlainly)->Arg(10 << 10)->Arg(1 << 20)->Unit(benchmark::kMillisecond);

// A long text written piece by piece through the writer's stream, as vorn-run -o writes.
void BM_WriteFileAtomicallyStreamed(benchmark::State& state) {
    const std::string path = benchFile("vorn-bench-streamed.csv");
    const std::string line = "2040,1.0123456789012345,0.98765432109876543,1.5\n";
    const auto lines = static_cast<int>(state.range(0) / static_cast<int>(line.size()));
    for (auto _ : state) {
        const std::string problem = vorn::writeFileAtomically(path, [&](std::ostream& out) {
            for (int k = 0; k < lines; ++k) {
                out << line;
            }
        });
        if (!problem.empty()) {
            state.SkipWithError(problem.c_str());
            break;
        }
    }
    fs::remove(path);
    state.SetBytesProcessed(state.iterations() * lines * static_cast<int>(line.size()));
}
BENCHMARK(BM_WriteFileAtomicallyStreamed)->Arg(32 << 20)->Unit(benchmark::kMillisecond);

}  // namespace
