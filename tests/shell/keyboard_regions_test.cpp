// F6 regions and the colours the window takes without a desktop colour scheme.

#include "shell/keyboard_regions.h"

#include <gtest/gtest.h>

#include "shell/design_colors.h"
#include "support/started_window.h"

namespace vorn::testing {
namespace {

TEST_F(StartedWindow, RegionsGoRoundAndEnterAtWhatIsInFront) {
    Region region = Region::Sliders;
    for (Region expected : {Region::Charts, Region::Tables, Region::HelpPanes, Region::Sliders}) {
        region = nextRegion(region, true);
        EXPECT_EQ(region, expected);
        EXPECT_EQ(nextRegion(nextRegion(region, false), true), region);
    }
    EXPECT_EQ(nextRegion(Region::Sliders, false), Region::HelpPanes);
    for (const ControlLayout& layout : windowLayout()) {
        EXPECT_EQ(regionOf(regionEntry(window, regionOf(layout.id))), regionOf(layout.id));
    }
    EXPECT_EQ(regionEntry(window, Region::Tables), Control::MSFlexXImpact);
    EXPECT_EQ(regionEntry(window, Region::Charts), Control::mscTrends);
    clickPolicy(1, 1);
    clickTotals(0, 1);
    EXPECT_EQ(regionEntry(window, Region::Tables), Control::MSFlexPolicy);
    EXPECT_EQ(regionEntry(window, Region::Charts), Control::MscVary);
}

TEST(DesignColors, TextsReadAndOutlinesStandOut) {
    for (const ControlLayout& layout : windowLayout()) {
        if (layout.kind == ControlKind::TextBox || layout.kind == ControlKind::Label) {
            EXPECT_GE(contrastRatio(designColor(layout.textColor), designColor(layout.background)),
                      kReadableContrast)
                << layout.name;
        }
    }
    const Rgb highlight = designColor(SystemColor::Highlight);
    EXPECT_GE(contrastRatio(kDesignHighlightedText, highlight), kReadableContrast);
    // The focus ring against the window and the panes around it.
    for (SystemColor around : {SystemColor::InfoBackground, SystemColor::Light3D}) {
        EXPECT_GE(contrastRatio(highlight, designColor(around)), kComponentContrast);
    }
    EXPECT_GE(contrastRatio(highlight, kDesignWindow), kComponentContrast);
    EXPECT_GE(contrastRatio(kDesignSliderThumb, kDesignSliderTrack), kComponentContrast);
    EXPECT_GE(contrastRatio(kDesignSliderThumb, designColor(SystemColor::InfoBackground)),
              kComponentContrast);
}

}  // namespace
}  // namespace vorn::testing
