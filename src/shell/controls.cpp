#include "shell/controls.h"

namespace vorn {
namespace {

using K = ControlKind;
using S = SystemColor;
using C = Control;

// One row per control, as a table reads best.
// clang-format off
constexpr std::array<ControlLayout, kControlCount> kLayout = {{
    {C::TextHorizon, "TextHorizon", K::TextBox, 240, 0, 1455, 195, 7, "<--Time Horizon-->", false, false, S::Highlight, S::InfoBackground},
    {C::TextFuture, "TextFuture", K::TextBox, 240, 600, 1455, 375, 11, "Past............Future", false, false, S::Highlight, S::InfoBackground},
    {C::TextUncertainty, "TextUncertainty", K::TextBox, 240, 840, 1335, 255, 8, "<--Uncertainty-->", false, false, S::Highlight, S::InfoBackground},
    {C::TextHigh, "TextHigh", K::TextBox, 240, 1440, 1335, 255, 12, "Low...............High", false, false, S::Highlight, S::InfoBackground},
    {C::TextChange, "TextChange", K::TextBox, 240, 1680, 1335, 255, 19, "<------Change------->", false, false, S::Highlight, S::InfoBackground},
    {C::TextLarge, "TextLarge", K::TextBox, 240, 2280, 1335, 255, 17, "Small...........Large", false, false, S::Highlight, S::InfoBackground},
    {C::TextGrowth, "TextGrowth", K::TextBox, 1800, 0, 2175, 255, 5, "Contribution to Growth in \r\nHorizon Year\r\n", true, false, S::ActiveCaption, S::InfoBackground},
    {C::TextAnnual, "TextAnnual", K::TextBox, 1920, 2520, 3135, 255, 6, "Annual Levels Relative to Year 2000\r\n", true, false, S::ActiveCaption, S::InfoBackground},
    {C::TextVary, "TextVary", K::TextBox, 3480, 3000, 3135, 375, 16, "Spread in Annual Levels\r\n", true, false, S::ActiveCaption, S::InfoBackground},
    {C::Overview, "Overview", K::TextBox, 9720, 240, 5055, 2415, 13, "Summary of Inputs\r\n", true, true, S::Highlight, S::InfoBackground},
    {C::Instruction, "Instruction", K::TextBox, 9720, 3000, 5055, 2295, 15, "Brief Instructions\r\n", true, true, S::Highlight, S::InfoBackground},
    {C::Hints, "Hints", K::TextBox, 9720, 5640, 5055, 2895, 14, "Questions about Change:\r\n", true, false, S::DarkShadow3D, S::Light3D},
    {C::About, "About", K::TextBox, 9720, 8640, 4815, 1095, 20, "A teaching model of interacting trends.\r\n", true, false, S::Highlight, S::InfoBackground},
    {C::HScrollTime, "HScrollTime", K::Slider, 240, 240, 1335, 375, 2, "", false, false, S::WindowText, S::InfoBackground},
    {C::HScrollUncert, "HScrollUncert", K::Slider, 240, 1080, 1335, 375, 3, "", false, false, S::WindowText, S::InfoBackground},
    {C::HScrollLags, "HScrollLags", K::Slider, 240, 1920, 1335, 375, 18, "", false, false, S::WindowText, S::InfoBackground},
    {C::MatrixFile, "MatrixFile", K::Label, 9720, 9840, 2415, 375, 9, "Input File", false, false, S::WindowText, S::InfoBackground},
    {C::Label2, "Label2", K::Label, 12240, 9840, 2535, 375, 10, "Output File", false, false, S::WindowText, S::InfoBackground},
    {C::MSFlexPolicy, "MSFlexPolicy", K::Grid, 240, 5760, 9015, 2535, 4, "", false, false, S::WindowText, S::InfoBackground},
    {C::MSFlexXImpact, "MSFlexXImpact", K::Grid, 240, 6120, 9015, 2535, 1, "", false, false, S::WindowText, S::InfoBackground},
    {C::MSFlexTotals, "MSFlexTotals", K::Grid, 240, 9120, 9015, 1215, 0, "", false, false, S::WindowText, S::InfoBackground},
    {C::MscXImpacts, "MscXImpacts", K::Chart, 1800, 0, 7215, 2415, 22, "", false, false, S::WindowText, S::InfoBackground},
    {C::mscTrends, "mscTrends", K::Chart, 0, 2760, 9375, 2655, 21, "", false, false, S::WindowText, S::InfoBackground},
    {C::MscVary, "MscVary", K::Chart, 480, 2760, 8415, 2655, 23, "", false, false, S::WindowText, S::InfoBackground},
}};

constexpr std::array<Control, kControlCount> kDesignStacking = {
    C::TextAnnual,  C::mscTrends,     C::TextVary,      C::MscVary,         C::TextGrowth,
    C::MscXImpacts, C::MSFlexXImpact, C::MSFlexPolicy,  C::MSFlexTotals,    C::TextUncertainty,
    C::TextFuture,  C::TextHorizon,   C::TextHigh,      C::TextChange,      C::TextLarge,
    C::HScrollTime, C::HScrollUncert, C::HScrollLags,   C::Overview,        C::Instruction,
    C::Hints,       C::About,         C::MatrixFile,    C::Label2,
};
// clang-format on

constexpr bool layoutInEnumOrder() {
    for (int i = 0; i < kControlCount; ++i) {
        if (index(kLayout[static_cast<std::size_t>(i)].id) != i) {
            return false;
        }
    }
    return true;
}
static_assert(layoutInEnumOrder(), "the layout table follows the order of Control");

}  // namespace

const std::array<ControlLayout, kControlCount>& windowLayout() {
    return kLayout;
}

const ControlLayout& layoutOf(Control control) {
    return kLayout[static_cast<std::size_t>(index(control))];
}

SliderRange sliderRange(Control slider) {
    switch (slider) {
        case C::HScrollTime:
            return {-20, 20, 2, 1, 5};
        case C::HScrollUncert:
            return {0, 10, 1, 1, 1};
        case C::HScrollLags:
            return {1, 100, 10, 1, 10};
        default:
            return {0, 0, 0, 0, 0};
    }
}

Control chartCaption(Control chart) {
    switch (chart) {
        case C::MscXImpacts:
            return C::TextGrowth;
        case C::MscVary:
            return C::TextVary;
        default:
            return C::TextAnnual;
    }
}

const std::array<Control, kControlCount>& designStacking() {
    return kDesignStacking;
}

std::vector<OneLineText> oneLineDesignTexts() {
    constexpr int kOneLineHeight = 375;  // the panes are 1095 twips high or more
    std::vector<OneLineText> lines;
    for (const ControlLayout& layout : kLayout) {
        const bool textual = layout.kind == K::TextBox || layout.kind == K::Label;
        if (!textual || layout.height > kOneLineHeight) {
            continue;
        }
        std::string_view rest = layout.text;
        while (!rest.empty()) {
            const std::size_t end = rest.find("\r\n");
            const std::string_view line = rest.substr(0, end);
            if (!line.empty()) {
                lines.push_back({layout.id, line});
            }
            rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 2);
        }
    }
    return lines;
}

}  // namespace vorn
