#include "charts/series_style.h"

#include <algorithm>
#include <array>

namespace vorn {
namespace {

constexpr Rgb hex(unsigned value) {
    return Rgb{static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
               static_cast<std::uint8_t>(value)};
}

// Well separated hues, each dark enough for 3:1 against white.
constexpr std::array<Rgb, kSeriesStyles> kColors = {
    hex(0x1f77b4), hex(0xd62728), hex(0x2ca02c), hex(0xd95f02), hex(0x9467bd), hex(0x8c564b),
    hex(0xc85a9e), hex(0x138d9b), hex(0x8a8b00), hex(0x393b79), hex(0x7f7f7f), hex(0xad494a),
    hex(0x637939), hex(0x8c6d31), hex(0x843c39), hex(0x7b4173), hex(0x3182bd), hex(0xe6550d),
    hex(0x31a354), hex(0x756bb1), hex(0x000000),
};

constexpr std::array<LineDash, 3> kDashes = {LineDash::Solid, LineDash::Dashed, LineDash::Dotted};
constexpr std::array<SeriesMarker, 7> kMarkers = {
    SeriesMarker::None,    SeriesMarker::Circle, SeriesMarker::Square, SeriesMarker::Triangle,
    SeriesMarker::Diamond, SeriesMarker::Cross,  SeriesMarker::Plus,
};
static_assert(kDashes.size() * kMarkers.size() == kSeriesStyles,
              "every series of the first round has a dash and marker of its own");

constexpr Rgb kWhite{255, 255, 255};
constexpr double kLeastContrast = 3.0;

Rgb towardsWhite(Rgb color, double share) {
    const auto level = [share](std::uint8_t value) { return value + (255 - value) * share; };
    return rgbFromLevels(level(color.red), level(color.green), level(color.blue));
}

LineDash comparisonDash(ComparisonKind kind) {
    return kind == ComparisonKind::Reference ? LineDash::LongDash : LineDash::DashDot;
}

}  // namespace

SeriesStyle comparisonStyle(int index, ComparisonKind kind) {
    const Rgb color = seriesStyle(index).color;
    Rgb lightest = color;
    for (int step = 1; step <= 50; ++step) {
        const Rgb lighter = towardsWhite(color, step / 100.0);
        if (contrastRatio(lighter, kWhite) < kLeastContrast) {
            break;
        }
        lightest = lighter;
    }
    return {lightest, comparisonDash(kind), SeriesMarker::None};
}

SeriesStyle comparisonLegendStyle(ComparisonKind kind) {
    return {Rgb{89, 89, 89}, comparisonDash(kind), SeriesMarker::None};
}

SeriesStyle seriesStyle(int index) {
    const auto slot = static_cast<std::size_t>(std::max(index, 0) % kSeriesStyles);
    // The dash changes from one series to the next, the marker every third series.
    return {kColors[slot], kDashes[slot % kDashes.size()], kMarkers[slot / kDashes.size()]};
}

std::vector<std::string> runNames(int runs) {
    std::vector<std::string> names;
    for (int run = 1; run <= runs; ++run) {
        names.push_back("Run " + std::to_string(run));
    }
    return names;
}

}  // namespace vorn
