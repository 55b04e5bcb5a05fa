#include "shell/slider_value_text.h"

#include "charts/captions.h"
#include "tables/number_text.h"

namespace vorn {

std::string sliderValueText(Control slider, int position, double inc) {
    switch (slider) {
        case Control::HScrollTime: {
            const bool one = position == 1 || position == -1;
            std::string text = std::to_string(position) + (one ? " year" : " years") +
                               " per step, horizon " + std::to_string(horizonYear(position));
            return position < 0 ? text + " (backcast)" : text;
        }
        case Control::HScrollUncert:
            return "Uncertainty level " + std::to_string(position) + " of " +
                   std::to_string(sliderRange(Control::HScrollUncert).maximum);
        case Control::HScrollLags: {
            const double step = position / 100.0;
            std::string text = "Click step " + numberText(step);
            return step == inc ? text : text + " once set; clicks now step by " + numberText(inc);
        }
        default:
            return {};
    }
}

}  // namespace vorn
