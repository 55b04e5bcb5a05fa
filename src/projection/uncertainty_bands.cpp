#include "projection/uncertainty_bands.h"

namespace vorn {

UncertaintyBands computeBands(const ProjectionInput& input, int runs, RandomSource& random) {
    UncertaintyBands result;
    if (input.items <= 0 || runs <= 0) {
        return result;
    }
    ProjectionInput repeated = input;
    repeated.runs = runs;
    const ProjectionNumbers numbers = projectNumbers(repeated, random);
    result.runs = numbers.runs;
    result.tracked = numbers.tracked;
    result.years = numbers.years;
    result.percent = percentileBands(numbers.trackedLevels, numbers.runs, kPoints);
    return result;
}

}  // namespace vorn
