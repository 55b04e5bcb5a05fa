#include "tables/rgb.h"

#include <algorithm>
#include <cmath>

namespace vorn {
namespace {

std::uint8_t level(double value) {
    if (!(value > 0.0)) {  // also catches NaN
        return 0;
    }
    if (value >= 255.0) {
        return 255;
    }
    return static_cast<std::uint8_t>(std::nearbyint(value));  // ties to even
}

}  // namespace

Rgb rgbFromLevels(double red, double green, double blue) {
    return Rgb{level(red), level(green), level(blue)};
}

double relativeLuminance(Rgb color) {
    const auto linear = [](std::uint8_t level) {
        const double value = level / 255.0;
        return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(color.red) + 0.7152 * linear(color.green) + 0.0722 * linear(color.blue);
}

double contrastRatio(Rgb a, Rgb b) {
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Rgb readableTextColor(Rgb wanted, Rgb background, Rgb alternative) {
    if (contrastRatio(wanted, background) >= kReadableContrast) {
        return wanted;
    }
    if (contrastRatio(alternative, background) >= kReadableContrast) {
        return alternative;
    }
    const Rgb black{0, 0, 0};
    const Rgb white{255, 255, 255};
    return contrastRatio(black, background) >= contrastRatio(white, background) ? black : white;
}

}  // namespace vorn
