#include "editing/trend_matrix_editing.h"

#include <gtest/gtest.h>

#include <string>

#include "window_fixture.h"

namespace vorn::testing {
namespace {

constexpr double kTolerance = 1e-9;

void expectShape(const Trends& window, int items) {
    EXPECT_EQ(window.cats.value, items);
    EXPECT_EQ(window.MSFlexXImpact().rows(), items + 1);
    EXPECT_EQ(window.MSFlexXImpact().columns(), items + 1);
    EXPECT_EQ(window.MSFlexPolicy().rows(), items + 1);
    EXPECT_EQ(window.MSFlexPolicy().columns(), items + 1);
    EXPECT_EQ(window.MSFlexTotals().rows(), 4);
    EXPECT_EQ(window.MSFlexTotals().columns(), items + 1);
}

using TrendEditing = WindowTest;

TEST_F(TrendEditing, FirstClickSelectsLaterClicksStepByTheIncrement) {
    window.MSFlexXImpact().setText(2, 3, "0.1");
    clickTrend(2, 3);
    EXPECT_EQ(trend(2, 3), "0.1");
    clickTrend(2, 3);
    EXPECT_EQ(trend(2, 3), "0.6");
    clickTrend(2, 3);
    EXPECT_EQ(trend(2, 3), "1.1");
    clickTrend(2, 3, 2);
    EXPECT_EQ(trend(2, 3), "0.6");
    EXPECT_EQ(totals(1, 3), "0.6");
}

TEST_F(TrendEditing, AClickOnAnotherCellInBetweenOnlySelects) {
    window.MSFlexXImpact().setText(1, 3, "1");
    clickTrend(1, 3);
    clickTrend(0, 3);  // header: the rename is cancelled
    clickTrend(1, 3);
    EXPECT_EQ(trend(1, 3), "1");
    clickTrend(1, 3);
    EXPECT_EQ(trend(1, 3), "1.5");
    clickTrend(0, 0);  // adds an item
    clickTrend(1, 3);
    EXPECT_EQ(trend(1, 3), "1.5");
}

TEST_F(TrendEditing, ClicksOnOtherTablesKeepTheSelection) {
    clickTrend(2, 2);
    clickPolicy(2, 2);
    clickTotals(2, 2);
    clickTrend(2, 2);
    EXPECT_EQ(trend(2, 2), "0.5");
}

TEST_F(TrendEditing, ShadingFollowsTheSteppedValueInTheBlueChannel) {
    CellTable& table = window.MSFlexXImpact();
    table.setText(2, 3, "0.1");
    clickTrend(2, 3);
    EXPECT_NEAR(window.NewColor, 200, kTolerance);
    EXPECT_EQ(table.color(2, 3), (Rgb{255, 255, 200}));  // unchanged value colour

    clickTrend(2, 3);  // 0.6
    EXPECT_NEAR(window.NewColor, 500, kTolerance);
    EXPECT_EQ(table.color(2, 3), (Rgb{255, 255, 255}));

    // Stepping back from 0.6 gives 0.09999999999999998, which rounds down to 0.09.
    clickTrend(2, 3, 2);
    EXPECT_EQ(trend(2, 3), "0.09");
    EXPECT_NEAR(window.NewColor, 550, kTolerance);
    EXPECT_EQ(table.color(2, 3), (Rgb{255, 255, 255}));

    clickTrend(2, 3, 2);  // 0.09 - 0.5 = -0.41
    EXPECT_EQ(trend(2, 3), "-0.41");
    EXPECT_NEAR(window.NewColor, 345, kTolerance);
    EXPECT_EQ(table.color(2, 3), (Rgb{255, 255, 255}));

    clickTrend(2, 3, 2);  // -0.91: 345 - 455 is floored at 0
    EXPECT_EQ(trend(2, 3), "-0.91");
    EXPECT_EQ(window.NewColor, 0);
    EXPECT_EQ(table.color(2, 3), (Rgb{255, 255, 0}));
}

TEST_F(TrendEditing, ShadingLevelsRoundHalvesToEven) {
    CellTable& table = window.MSFlexXImpact();
    window.inc = 0.25;
    table.setText(1, 2, "-0.375");  // x = -0.125: 200 - 62.5 = 137.5 -> 138
    clickTrend(1, 2);
    clickTrend(1, 2);
    EXPECT_EQ(window.NewColor, 137.5);
    EXPECT_EQ(table.color(1, 2), (Rgb{255, 255, 138}));

    table.setText(1, 3, "-0.625");  // x = -0.375: 200 - 187.5 = 12.5 -> 12
    clickTrend(1, 3);
    clickTrend(1, 3);
    EXPECT_EQ(window.NewColor, 12.5);
    EXPECT_EQ(table.color(1, 3), (Rgb{255, 255, 12}));
}

TEST_F(TrendEditing, HeaderAndTopLeftClicksKeepTheHintAndNewColor) {
    clickTrend(2, 2);
    clickTrend(2, 2);
    const double shade = window.NewColor;
    const std::string hint = hints();
    clickTrend(0, 2);
    clickTrend(2, 0);
    clickTrend(0, 0);
    clickTrend(0, 0, 2);
    EXPECT_EQ(hints(), hint);
    EXPECT_EQ(window.NewColor, shade);
}

TEST_F(TrendEditing, TopLeftLeftClickAddsANewItemToAllThreeTables) {
    clickTrend(0, 0);
    expectShape(window, 9);
    EXPECT_FALSE(window.cats.heldAsText);
    EXPECT_EQ(trend(0, 9), "New Item");
    EXPECT_EQ(trend(9, 0), "New Item");
    EXPECT_EQ(totals(0, 9), "New Item");
    EXPECT_EQ(policy(0, 9), "New Item");
    EXPECT_EQ(policy(9, 0), "New Item");
    EXPECT_EQ(trend(9, 9), "");
    EXPECT_EQ(totals(1, 9), "0");  // written by the recalculation
    EXPECT_EQ(totals(2, 9), "");
    EXPECT_EQ(window.MSFlexXImpact().columnWidth(9), 850);
    EXPECT_EQ(window.lastProjection().items, 9);
}

TEST_F(TrendEditing, OtherButtonsOnTheTopLeftCellRemoveTheLastItem) {
    window.MSFlexXImpact().setText(8, 1, "3");
    window.MSFlexXImpact().setText(1, 8, "4");
    window.MSFlexTotals().setText(2, 8, "2");
    clickTrend(2, 5);  // the selection does not decide which item goes
    clickTrend(0, 0, 2);
    expectShape(window, 7);
    EXPECT_EQ(totals(1, 1), "0");
    clickTrend(0, 0, 4);
    expectShape(window, 6);
    clickTrend(0, 0, 1);
    clickTrend(0, 0, 1);
    expectShape(window, 8);
    EXPECT_EQ(trend(8, 1), "");
    EXPECT_EQ(trend(1, 8), "");
    EXPECT_EQ(totals(2, 8), "");
    EXPECT_EQ(trend(0, 7), "New Item");
    EXPECT_EQ(trend(0, 8), "New Item");
}

TEST_F(TrendEditing, AddingCountsOnFromACountReadAsText) {
    window.cats = ItemCount::fromText("8", 8);
    clickTrend(0, 0);
    EXPECT_FALSE(window.cats.heldAsText);
    EXPECT_EQ(window.cats.value, 9);
}

TEST_F(TrendEditing, ItemCountStaysWithinZeroToTwenty) {
    for (int i = 0; i < 15; ++i) {
        clickTrend(0, 0);
    }
    expectShape(window, 20);
    const unsigned long before = window.projectionCount();
    clickTrend(0, 0);
    expectShape(window, 20);
    EXPECT_EQ(window.projectionCount(), before + 1);
    EXPECT_EQ(window.lastProjection().items, 20);

    for (int i = 0; i < 25; ++i) {
        clickTrend(0, 0, 2);
    }
    expectShape(window, 0);
    EXPECT_EQ(totals(0, 0), "Totals/Uncertainty");
    EXPECT_EQ(totals(3, 0), "Lags (Years)");
    EXPECT_EQ(trend(0, 0), "Trend Matrix");
    EXPECT_EQ(window.lastProjection().items, 0);

    clickTrend(0, 0);
    expectShape(window, 1);
    EXPECT_EQ(trend(1, 0), "New Item");
}

TEST_F(TrendEditing, RenamingARowHeaderNamesTheItemEverywhere) {
    platform.inputAnswers.push_back("Water");
    clickTrend(3, 0);
    ASSERT_EQ(platform.inputRequests.size(), 1u);
    const InputBoxRequest& request = platform.inputRequests.front();
    EXPECT_EQ(request.prompt, "New Item Name");
    EXPECT_EQ(request.title, "");
    EXPECT_EQ(request.defaultText, "");
    EXPECT_EQ(request.leftTwips, 9000);
    EXPECT_EQ(request.topTwips, 6000);

    EXPECT_EQ(trend(3, 0), "Water");
    EXPECT_EQ(trend(0, 3), "Water");
    EXPECT_EQ(totals(0, 3), "Water");
    EXPECT_EQ(policy(0, 3), "Water");
    EXPECT_EQ(policy(3, 0), "Water");
    EXPECT_EQ(window.chartData(Control::MscXImpacts).text(3, 0), "Water");
}

TEST_F(TrendEditing, RenamingAColumnHeaderNamesItsTwin) {
    platform.inputAnswers.push_back("  spaced name  ");
    clickTrend(0, 5);
    EXPECT_EQ(trend(0, 5), "  spaced name  ");
    EXPECT_EQ(trend(5, 0), "  spaced name  ");
    EXPECT_EQ(policy(5, 0), "  spaced name  ");
}

TEST_F(TrendEditing, CancelOrAnEmptyAnswerKeepsBothNames) {
    window.MSFlexXImpact().setText(0, 2, "Water");
    window.MSFlexXImpact().setText(2, 0, "Rain");
    platform.inputAnswers.push_back(std::nullopt);
    clickTrend(0, 2);
    platform.inputAnswers.push_back("");
    clickTrend(2, 0);
    EXPECT_EQ(trend(0, 2), "Water");
    EXPECT_EQ(trend(2, 0), "Rain");
    EXPECT_EQ(totals(0, 2), "Water");
    EXPECT_EQ(policy(2, 0), "Rain");
    EXPECT_EQ(platform.inputRequests.size(), 2u);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(TrendEditing, ANameWithADoubleQuoteIsRefused) {
    platform.inputAnswers.push_back("The \"big\" one");
    const unsigned long before = window.projectionCount();
    clickTrend(0, 4);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].first, "Halvorine (VORN) Model");
    EXPECT_EQ(platform.messages[0].second, "An item name cannot contain a double quote (\").");
    EXPECT_EQ(trend(0, 4), "Item  4");
    EXPECT_EQ(trend(4, 0), "Item  4");
    EXPECT_EQ(window.projectionCount(), before + 1);
}

TEST_F(TrendEditing, ANameWithALineBreakIsRefused) {
    platform.inputAnswers.push_back("two\nlines");
    platform.inputAnswers.push_back("carriage\rreturn");
    clickTrend(2, 0);
    clickTrend(2, 0);
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[1].second, "An item name cannot contain a line break.");
    EXPECT_EQ(trend(2, 0), "Item  2");
    EXPECT_EQ(trend(0, 2), "Item  2");
}

struct StepCase {
    const char* name;
    const char* start;
    double inc;
    int button;
    const char* expected;
};

class MatrixStepping : public WindowTest, public ::testing::WithParamInterface<StepCase> {};

TEST_P(MatrixStepping, SecondClickWritesTheValueRoundedDownToHundredths) {
    const StepCase& step = GetParam();
    window.MSFlexXImpact().setText(3, 2, step.start);
    window.MSFlexPolicy().setText(3, 2, step.start);
    window.inc = step.inc;
    clickTrend(3, 2, step.button);
    clickTrend(3, 2, step.button);
    EXPECT_EQ(trend(3, 2), step.expected);
    clickPolicy(3, 2, step.button);
    clickPolicy(3, 2, step.button);
    EXPECT_EQ(policy(3, 2), step.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MatrixStepping,
    ::testing::Values(StepCase{"LeftAddsInc", "0.1", 0.5, 1, "0.6"},
                      StepCase{"RightSubtractsInc", "1.1", 0.5, 2, "0.6"},
                      StepCase{"MiddleSubtractsInc", "1", 0.25, 4, "0.75"},
                      StepCase{"FloorInDoublePrecisionKeeps115", "1.15", 0.01, 1, "1.15"},
                      StepCase{"NegativeRoundsDown", "-0.125", 0.5, 1, "0.37"},
                      StepCase{"AwayFromZeroBelowZero", "-0.125", 0.5, 2, "-0.63"},
                      StepCase{"PercentMarkCountsAsZero", "%   ", 0.5, 2, "-0.5"},
                      StepCase{"EmptyCountsAsZero", "", 0.07, 1, "0.07"},
                      StepCase{"LeadingNumberOfText", "2.5 %", 0.25, 1, "2.75"},
                      StepCase{"TextWithoutNumber", "many", 1, 1, "1"}),
    [](const ::testing::TestParamInfo<StepCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vorn::testing
