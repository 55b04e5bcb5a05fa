#include "shell/keyboard_regions.h"

#include "shell/trends.h"

namespace vorn {

Region regionOf(Control control) {
    switch (control) {
        case Control::TextHorizon:
        case Control::TextFuture:
        case Control::TextUncertainty:
        case Control::TextHigh:
        case Control::TextChange:
        case Control::TextLarge:
        case Control::HScrollTime:
        case Control::HScrollUncert:
        case Control::HScrollLags:
            return Region::Sliders;
        case Control::TextGrowth:
        case Control::TextAnnual:
        case Control::TextVary:
        case Control::MscXImpacts:
        case Control::mscTrends:
        case Control::MscVary:
            return Region::Charts;
        case Control::MSFlexPolicy:
        case Control::MSFlexXImpact:
        case Control::MSFlexTotals:
            return Region::Tables;
        case Control::Overview:
        case Control::Instruction:
        case Control::Hints:
        case Control::About:
        case Control::MatrixFile:
        case Control::Label2:
            return Region::HelpPanes;
    }
    return Region::Sliders;
}

Region nextRegion(Region region, bool forward) {
    constexpr int kRegions = 4;
    const int step = forward ? 1 : kRegions - 1;
    return static_cast<Region>((static_cast<int>(region) + step) % kRegions);
}

Control chartInFront(const Trends& window) {
    return window.isAbove(Control::MscVary, Control::mscTrends) ? Control::MscVary
                                                                : Control::mscTrends;
}

Control regionEntry(const Trends& window, Region region) {
    switch (region) {
        case Region::Sliders:
            return Control::HScrollTime;
        case Region::Charts:
            return chartInFront(window);
        case Region::Tables:
            return window.isAbove(Control::MSFlexPolicy, Control::MSFlexXImpact)
                       ? Control::MSFlexPolicy
                       : Control::MSFlexXImpact;
        case Region::HelpPanes:
            return Control::Hints;
    }
    return Control::HScrollTime;
}

}  // namespace vorn
