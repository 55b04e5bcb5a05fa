#include "shell/zoom.h"

#include <algorithm>
#include <array>

#include "shell/controls.h"

namespace vorn {
namespace {

constexpr std::array<int, 11> kSteps = {50, 67, 75, 80, 90, 100, 110, 125, 150, 175, 200};

// The design's extent in twips: every control plus a margin right and below, and at least
// the design-time client area.
constexpr int kMarginTwips = 240;

PixelSize designExtentTwips() {
    PixelSize extent{kDesignWidth, kDesignHeight};
    for (const ControlLayout& layout : windowLayout()) {
        extent.width = std::max(extent.width, layout.left + layout.width + kMarginTwips);
        extent.height = std::max(extent.height, layout.top + layout.height + kMarginTwips);
    }
    return extent;
}

}  // namespace

Zoom::Zoom(int percent) : m_percent(std::clamp(percent, kMinimumPercent, kMaximumPercent)) {}

Zoom Zoom::zoomedIn() const {
    const auto next = std::upper_bound(kSteps.begin(), kSteps.end(), m_percent);
    return Zoom(next == kSteps.end() ? kMaximumPercent : *next);
}

Zoom Zoom::zoomedOut() const {
    const auto next = std::lower_bound(kSteps.begin(), kSteps.end(), m_percent);
    return Zoom(next == kSteps.begin() ? kMinimumPercent : *(next - 1));
}

int Zoom::pixels(int twips) const {
    const long scaled = static_cast<long>(twips) * m_percent;
    constexpr long kTwipsPercentPerPixel = 100L * kTwipsPerPixel;
    const long half = kTwipsPercentPerPixel / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / kTwipsPercentPerPixel
                                        : -((-scaled + half) / kTwipsPercentPerPixel));
}

PixelSize Zoom::clientSize() const {
    const PixelSize twips = designExtentTwips();
    return {pixels(twips.width), pixels(twips.height)};
}

Zoom Zoom::toFit(PixelSize available, PixelSize chrome, int ceilingPercent) {
    for (int percent = std::min(ceilingPercent, kMaximumPercent); percent > kMinimumPercent;
         --percent) {
        const PixelSize client = Zoom(percent).clientSize();
        if (client.width + chrome.width <= available.width &&
            client.height + chrome.height <= available.height) {
            return Zoom(percent);
        }
    }
    return Zoom(kMinimumPercent);
}

}  // namespace vorn
