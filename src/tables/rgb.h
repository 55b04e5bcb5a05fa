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

/// Relative luminance of a colour on the sRGB screen, 0 (black) to 1 (white).
double relativeLuminance(Rgb color);

/// Contrast ratio of two colours, 1 (equal) to 21 (black on white).
double contrastRatio(Rgb a, Rgb b);

/// Contrast a text needs against its background to be read comfortably.
inline constexpr double kReadableContrast = 4.5;

/// A text colour for `background`: `wanted` when it reaches kReadableContrast against it,
/// else `alternative` when that does, else black or white, whichever contrasts more.
Rgb readableTextColor(Rgb wanted, Rgb background, Rgb alternative);

}  // namespace vorn
