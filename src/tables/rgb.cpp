#include "tables/rgb.h"

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

}  // namespace vorn
