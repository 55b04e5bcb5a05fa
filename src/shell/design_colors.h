#pragma once

#include "shell/controls.h"
#include "tables/rgb.h"

namespace vorn {

// The colours the window takes where the desktop gives no colour scheme of its own: the named
// system colours of the layout, chosen so that every text reads at kReadableContrast (4.5:1)
// against its background, and the focus ring, the slider thumb and every series colour stand
// out at kComponentContrast (3:1). A desktop's own colour scheme is used as it is.

/// Contrast a control's outline, a focus ring or a chart line needs against what surrounds it.
inline constexpr double kComponentContrast = 3.0;

/// The colour of a named system colour.
Rgb designColor(SystemColor color);

/// Text on the highlight colour (a selected cell, a chosen menu entry).
inline constexpr Rgb kDesignHighlightedText{255, 255, 255};
/// The area behind the controls and of the dialogs.
inline constexpr Rgb kDesignWindow{239, 239, 239};
/// A slider's thumb, and the track it moves along.
inline constexpr Rgb kDesignSliderThumb{90, 90, 90};
inline constexpr Rgb kDesignSliderTrack{230, 230, 230};

}  // namespace vorn
