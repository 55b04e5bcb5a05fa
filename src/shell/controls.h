#pragma once

#include <array>
#include <string_view>
#include <vector>

namespace vorn {

/// Every control the main window shows.
enum class Control {
    TextHorizon,
    TextFuture,
    TextUncertainty,
    TextHigh,
    TextChange,
    TextLarge,
    TextGrowth,
    TextAnnual,
    TextVary,
    Overview,
    Instruction,
    Hints,
    About,
    HScrollTime,
    HScrollUncert,
    HScrollLags,
    MatrixFile,
    Label2,
    MSFlexPolicy,
    MSFlexXImpact,
    MSFlexTotals,
    MscXImpacts,
    mscTrends,
    MscVary,
};

inline constexpr int kControlCount = 24;

enum class ControlKind { TextBox, Slider, Label, Grid, Chart };

/// The platform's named colours, which follow the user's colour scheme.
enum class SystemColor {
    InfoBackground,
    Highlight,
    ActiveCaption,
    DarkShadow3D,
    Light3D,
    WindowText
};

/// A control's design-time place, size and look. Lengths are in twips (1/1440 inch),
/// measured from the top left corner of the window's client area.
struct ControlLayout {
    Control id;
    std::string_view name;
    ControlKind kind;
    int left;
    int top;
    int width;
    int height;
    int tabIndex;
    std::string_view text;  // text boxes and labels
    bool multiLine;
    bool verticalScrollBar;
    SystemColor textColor;
    SystemColor background;
};

/// A slider's range and steps.
struct SliderRange {
    int minimum;
    int maximum;
    int value;
    int smallStep;
    int largeStep;
};

/// Client area of the window at design time, in twips.
inline constexpr int kDesignWidth = 11400;
inline constexpr int kDesignHeight = 10740;
/// Twips per logical pixel at 96 dots per inch.
inline constexpr int kTwipsPerPixel = 15;

inline constexpr std::string_view kWindowTitle = "Halvorine (VORN) Model";

constexpr int index(Control control) {
    return static_cast<int>(control);
}

const std::array<ControlLayout, kControlCount>& windowLayout();
const ControlLayout& layoutOf(Control control);
SliderRange sliderRange(Control slider);

/// The caption box of a chart: TextAnnual, TextGrowth or TextVary.
Control chartCaption(Control chart);

/// The front-to-back order of the controls when the window is created.
const std::array<Control, kControlCount>& designStacking();

/// A line of design text in a box that shows it on one line.
struct OneLineText {
    Control control;
    std::string_view line;
};

/// Every line of design text that must fit the design width of its box: the lines of the
/// labels and of the text boxes one line high (the slider and chart captions). The help
/// panes wrap their text instead.
std::vector<OneLineText> oneLineDesignTexts();

}  // namespace vorn
