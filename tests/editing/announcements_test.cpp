// What a screen reader is told after a command: the new value and Net Growth after a step, the
// new hint, a changed item count or name, and new captions.

#include "editing/announcements.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "editing/cell_keys.h"
#include "support/started_window.h"

namespace vorn::testing {
namespace {

class Announcing : public StartedWindow {
  protected:
    std::string after(const std::function<void()>& command) {
        const WindowGlance before = glance(window);
        command();
        return announcement(before, window);
    }
};

TEST_F(Announcing, AStepSaysTheNewValueAndNetGrowthAFirstClickTheHint) {
    const std::string first = after([&] { clickTrend(2, 3); });
    EXPECT_EQ(
        first.rfind("This is the contribution of Item  2 to the annual net growth of Item  3.", 0),
        0u)
        << first;
    EXPECT_EQ(after([&] { clickTrend(2, 3); }),
              "Item  2 to Item  3: 0.5. Net Growth of Item  3: 0.5.");
    EXPECT_EQ(after([&] { clickTrend(2, 3, 2); }),
              "Item  2 to Item  3: 0. Net Growth of Item  3: 0.");

    clickPolicy(4, 4);
    EXPECT_EQ(after([&] { clickPolicy(4, 4); }),
              "Policy Item  4 to Item  4: 0.5. Net Growth of Item  4: 0.5.");
    clickTotals(2, 5);
    EXPECT_EQ(after([&] { clickTotals(2, 5); }), "Uncertainty of Item  5: 0.5.");
    clickTrend(2, 3);
    clickTrend(2, 3);
    clickTotals(1, 3);
    EXPECT_EQ(after([&] { clickTotals(1, 3); }), "Net Growth of Item  3: 1.5.");
}

TEST_F(Announcing, ItemsAddedRemovedAndRenamedAndNothingWhenNothingChanged) {
    EXPECT_EQ(after([&] { clickTrend(0, 0); }), "New Item added. 9 items.");
    EXPECT_EQ(after([&] { clickTrend(0, 0, 2); }), "Last item removed. 8 items.");
    platform.inputAnswers = {"Water"};
    EXPECT_EQ(after([&] { clickTrend(0, 2); }), "Item renamed: Water.");
    EXPECT_EQ(after([&] { clickTrend(0, 2); }), "");  // cancelled: the same name, no hint
    EXPECT_EQ(after([] {}), "");
}

TEST_F(Announcing, NewCaptionsAreSpokenAfterTheirChange) {
    EXPECT_EQ(after([&] { window.HScrollTime_Change(3); }),
              "3 years per step, horizon 2060. Scenario Trends- Forecast to  2060. "
              "Contributions to Change in  2060.");
    EXPECT_EQ(after([&] { window.HScrollLags_Change(20); }), "Click step 0.2.");
    clickPolicy(1, 1);
    const std::string spread = after([&] { clickTotals(0, 2); });
    EXPECT_NE(spread.find("Uncertainty in Future Item  2 Trends."), std::string::npos) << spread;
}

TEST_F(Announcing, AHighlightNamesWhatItSinglesOut) {
    EXPECT_EQ(after([&] { window.legendEntry_Click(Control::mscTrends, 1); }),
              "Item  2 highlighted.");
    EXPECT_EQ(after([&] { window.legendEntry_Click(Control::MscXImpacts, 8); }),
              "Uncertainty highlighted.");
    EXPECT_EQ(after([&] { window.stepHighlight(Control::MscVary, true); }), "Run 1 highlighted.");
    EXPECT_EQ(after([&] { window.clearHighlight(); }), "Highlight ended.");
}

}  // namespace
}  // namespace vorn::testing
