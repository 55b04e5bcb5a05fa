#include "shell/slider_value_text.h"

#include <gtest/gtest.h>

namespace vorn {
namespace {

TEST(SliderValueText, NamesWhatThePositionMeans) {
    struct Case {
        Control slider;
        int position;
        double inc;
        const char* text;
    };
    for (const Case& c : {
             Case{Control::HScrollTime, 2, 0.5, "2 years per step, horizon 2040"},
             Case{Control::HScrollTime, 1, 0.5, "1 year per step, horizon 2020"},
             Case{Control::HScrollTime, -1, 0.5, "-1 year per step, horizon 1980 (backcast)"},
             Case{Control::HScrollTime, 0, 0.5, "0 years per step, horizon 2000"},
             Case{Control::HScrollTime, -5, 0.5, "-5 years per step, horizon 1900 (backcast)"},
             Case{Control::HScrollUncert, 0, 0.5, "Uncertainty level 0 of 10"},
             Case{Control::HScrollLags, 10, 0.1, "Click step 0.1"},
             Case{Control::HScrollLags, 7, 0.07, "Click step 0.07"},
             Case{Control::HScrollLags, 100, 1.0, "Click step 1"},
             // After start-up the slider shows 0.1 but clicks step by 0.5 until it is set.
             Case{Control::HScrollLags, 10, 0.5, "Click step 0.1 once set; clicks now step by 0.5"},
             Case{Control::Hints, 3, 0.5, ""},
         }) {
        EXPECT_EQ(sliderValueText(c.slider, c.position, c.inc), c.text);
    }
}

}  // namespace
}  // namespace vorn
