#include "editing/policy_editing.h"

#include "editing/hints.h"

#include <gtest/gtest.h>

#include <utility>

#include <string>

#include "window_fixture.h"

namespace vorn::testing {
namespace {

constexpr const char* kWithPolicies = " (with Policies)";

bool captionHasPolicies(const Trends& window) {
    return window.text(Control::TextAnnual).find(kWithPolicies) != std::string::npos;
}

using PolicyEditing = WindowTest;

TEST_F(PolicyEditing, FirstClickSwitchesPoliciesOnWithoutAnEdit) {
    window.MSFlexPolicy().setText(1, 1, "5");
    clickPolicy(1, 1);
    EXPECT_EQ(window.Policy, 1);
    EXPECT_EQ(policy(1, 1), "5");
    EXPECT_TRUE(captionHasPolicies(window));
    EXPECT_EQ(totals(1, 1), "5");  // the Net Growth includes the policy column
    EXPECT_EQ(window.text(Control::TextAnnual),
              "Scenario Trends- Forecast to  2040 (with Policies)");
}

TEST_F(PolicyEditing, SecondRightClickStepsDownAndShadesTheRedChannel) {
    clickPolicy(2, 3);
    clickPolicy(2, 3, 2);
    EXPECT_EQ(policy(2, 3), "-0.5");
    EXPECT_EQ(window.NewColor, 0);
    EXPECT_EQ(window.MSFlexPolicy().color(2, 3), (Rgb{0, 255, 255}));
    EXPECT_EQ(totals(1, 3), "-0.5");
}

TEST_F(PolicyEditing, HeaderCellsShowTheHintButAreNeverStepped) {
    for (auto [row, column] : {std::pair{0, 0}, std::pair{0, 4}, std::pair{4, 0}}) {
        for (int button : {1, 1, 2, 4}) {
            clickPolicy(row, column, button);
            EXPECT_EQ(hints(), policyHint(trend(row, 0), trend(0, column)));
        }
    }
    EXPECT_EQ(policy(0, 0), "Policy Matrix");
    EXPECT_EQ(policy(0, 4), "Item  4");
    EXPECT_EQ(policy(4, 0), "Item  4");
    EXPECT_EQ(window.MSFlexPolicy().color(0, 4), (Rgb{100, 255, 255}));
}

TEST_F(PolicyEditing, TheSwitchFollowsTheLastMatrixClicked) {
    clickPolicy(1, 1);
    EXPECT_TRUE(captionHasPolicies(window));
    clickTotals(2, 1);
    EXPECT_TRUE(captionHasPolicies(window));
    mscTrends_Click(window);
    EXPECT_TRUE(captionHasPolicies(window));
    clickTrend(1, 1);
    EXPECT_EQ(window.Policy, 0);
    EXPECT_FALSE(captionHasPolicies(window));
    clickPolicy(1, 1);
    window.HScrollTime_Change(-2);
    EXPECT_FALSE(captionHasPolicies(window));
}

TEST_F(PolicyEditing, ClearKeepsTheSwitchButEmptiesTheMatrix) {
    window.MSFlexPolicy().setText(1, 1, "5");
    clickPolicy(1, 1);
    window.mnuClear_Click();
    EXPECT_EQ(window.Policy, 1);
    EXPECT_TRUE(captionHasPolicies(window));
    EXPECT_EQ(totals(1, 1), "0");
}

TEST_F(PolicyEditing, ClearKeepsTheSelectionForTheSecondClickRule) {
    clickPolicy(2, 2);
    window.mnuClear_Click();
    clickPolicy(2, 2);
    EXPECT_EQ(policy(2, 2), "0.5");
}

}  // namespace
}  // namespace vorn::testing
