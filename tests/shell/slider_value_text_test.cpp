#include "shell/slider_value_text.h"

#include <gtest/gtest.h>

namespace vorn {
namespace {

TEST(SliderValueText, NamesWhatThePositionMeans) {
    struct Case {
        Control slider;
        int position;
        const char* text;
    };
    for (const Case& c : {
             Case{Control::HScrollTime, 2, "2 years per step, horizon 2040"},
             Case{Control::HScrollTime, 1, "1 year per step, horizon 2020"},
             Case{Control::HScrollTime, 0, "0 years per step, horizon 2000"},
             Case{Control::HScrollTime, -5, "-5 years per step, horizon 1900 (backcast)"},
             Case{Control::HScrollUncert, 0, "Uncertainty level 0 of 10"},
             Case{Control::HScrollLags, 10, "Click step 0.1"},
             Case{Control::HScrollLags, 7, "Click step 0.07"},
             Case{Control::HScrollLags, 100, "Click step 1"},
             Case{Control::Hints, 3, ""},
         }) {
        EXPECT_EQ(sliderValueText(c.slider, c.position), c.text);
    }
}

}  // namespace
}  // namespace vorn
