#include "projection/percentile_bands.h"

#include <algorithm>
#include <cmath>

namespace vorn {

double percentileOfSorted(const std::vector<double>& sorted, double percent) {
    if (sorted.empty()) {
        return std::nan("");
    }
    const double rank = static_cast<double>(sorted.size() - 1) * percent / 100;
    const std::size_t below = static_cast<std::size_t>(std::floor(rank));
    const double fraction = rank - static_cast<double>(below);
    const double low = sorted[below];
    if (fraction == 0 || below + 1 >= sorted.size()) {
        return low;
    }
    const double high = sorted[below + 1];
    // Equal neighbours (infinities included) need no interpolation, which would give NaN.
    return low == high ? low : low + fraction * (high - low);
}

PercentileBands percentileBands(const std::vector<double>& levels, int runs, int points) {
    PercentileBands result;
    if (runs <= 0 || points <= 0) {
        return result;
    }
    for (std::vector<double>& band : result.bands) {
        band.reserve(static_cast<std::size_t>(points));
    }
    // Numbers in ascending order, NaN after all of them.
    const auto before = [](double a, double b) { return std::isnan(b) ? !std::isnan(a) : a < b; };
    std::vector<double> column(static_cast<std::size_t>(runs));
    const double last = static_cast<double>(runs - 1);
    for (int p = 0; p < points; ++p) {
        for (int run = 0; run < runs; ++run) {
            column[static_cast<std::size_t>(run)] =
                levels[static_cast<std::size_t>(run) * static_cast<std::size_t>(points) +
                       static_cast<std::size_t>(p)];
        }
        // The same values as percentileOfSorted on the sorted column, without sorting it:
        // each band needs only the values at its two closest ranks, and the ranks ascend, so
        // every selection works on the part above the previous one.
        auto from = column.begin();
        for (std::size_t b = 0; b < kBandPercents.size(); ++b) {
            const double rank = last * kBandPercents[b] / 100;
            const auto below = static_cast<std::ptrdiff_t>(std::floor(rank));
            const double fraction = rank - static_cast<double>(below);
            const auto at = column.begin() + below;
            std::nth_element(from, at, column.end(), before);
            from = at;
            const double low = *at;
            double value = low;
            if (fraction != 0 && at + 1 != column.end()) {
                const double high = *std::min_element(at + 1, column.end(), before);
                value = low == high ? low : low + fraction * (high - low);
            }
            result.bands[b].push_back(value);
        }
    }
    return result;
}

}  // namespace vorn
