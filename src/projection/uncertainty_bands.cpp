#include "projection/uncertainty_bands.h"

#include <thread>

namespace vorn {
namespace {

// Runs of fewer than this many are done in one piece; more are split in two halves, the
// second on a thread of its own when the machine has a second core. The split does not
// depend on the machine, so a seeded source gives the same bands everywhere.
constexpr int kSplitFrom = 400;

ProjectionNumbers runsOf(const ProjectionInput& input, int firstRun, int runs,
                         RandomSource& random) {
    ProjectionInput repeated = input;
    repeated.runs = runs;
    return projectNumbers(repeated, random, firstRun);
}

}  // namespace

UncertaintyBands computeBands(const ProjectionInput& input, int runs, RandomSource& random) {
    UncertaintyBands result;
    if (input.items <= 0 || runs <= 0) {
        return result;
    }
    ProjectionNumbers numbers;
    if (runs < kSplitFrom) {
        numbers = runsOf(input, 0, runs, random);
    } else {
        RandomSource second = random.split();
        const int firstRuns = runs / 2;
        ProjectionNumbers secondHalf;
        auto runSecondHalf = [&] {
            secondHalf = runsOf(input, firstRuns, runs - firstRuns, second);
        };
        if (std::thread::hardware_concurrency() > 1) {
            std::thread worker(runSecondHalf);
            numbers = runsOf(input, 0, firstRuns, random);
            worker.join();
        } else {
            numbers = runsOf(input, 0, firstRuns, random);
            runSecondHalf();
        }
        numbers.runs = runs;
        numbers.trackedLevels.insert(numbers.trackedLevels.end(), secondHalf.trackedLevels.begin(),
                                     secondHalf.trackedLevels.end());
    }
    result.runs = numbers.runs;
    result.tracked = numbers.tracked;
    result.years = numbers.years;
    result.percent = percentileBands(numbers.trackedLevels, numbers.runs, kPoints);
    return result;
}

}  // namespace vorn
