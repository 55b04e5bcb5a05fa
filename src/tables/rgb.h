#pragma once

#include <cstdint>

namespace vorn {

/// A colour as red, green and blue levels, each 0..255.
struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

/// A colour from three levels given as real numbers: each is rounded to a whole number
/// (halves to the even neighbour), a level above 255 counts as 255 and below 0 as 0.
Rgb rgbFromLevels(double red, double green, double blue);

}  // namespace vorn
