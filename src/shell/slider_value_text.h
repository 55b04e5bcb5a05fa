#pragma once

#include <string>

#include "shell/controls.h"

namespace vorn {

/// What a slider's position means, in words for its tooltip: "2 years per step, horizon
/// 2040", "Uncertainty level 1 of 10", "Click step 0.1". `inc` is the click step in force:
/// after start-up and Clear it is 0.5 whatever the increment slider shows, and the text
/// says so until the slider is set. Empty for a control that is not a slider.
std::string sliderValueText(Control slider, int position, double inc);

}  // namespace vorn
