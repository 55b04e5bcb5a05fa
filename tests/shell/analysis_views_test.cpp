#include "shell/analysis_views.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "shell/trends.h"
#include "support/scripted_platform.h"

namespace vorn {
namespace {

/// The blank eight items, Grass (1) feeding Hares (2): T(Grass, Grass) = 5, T(Grass, Hares) =
/// 10; Hares fluctuate by 5 %.
void grassAndHares(Trends& window) {
    window.Form_Load();
    CellTable& trend = window.MSFlexXImpact();
    for (const auto& [item, name] : {std::pair(1, "Grass"), std::pair(2, "Hares")}) {
        trend.setText(0, item, name);
        trend.setText(item, 0, name);
    }
    trend.setText(1, 1, "5");
    trend.setText(1, 2, "10");
    window.MSFlexTotals().setText(kUncertaintyRow, 2, "5");
    window.YearbyYear(window.cats);
}

class AnalysedWindow : public ::testing::Test {
  protected:
    AnalysedWindow() : window(platform, RandomSource(7)) { grassAndHares(window); }

    const AnalysisViews& analyses() const { return window.analyses(); }
    std::vector<std::string> barNames() const {
        std::vector<std::string> names;
        for (const SensitivityEntry& entry : analyses().sensitivityBars()) {
            names.push_back(analyses().sensitivity().name(entry));
        }
        return names;
    }

    testing::ScriptedPlatform platform;
    Trends window;
};

// The bands come from runs of their own: turning them on neither recalculates nor touches the
// window's runs or its random source, so the next recalculation draws the same twenty runs
// as in a window that never showed bands.
TEST_F(AnalysedWindow, BandsComeFromRunsOfTheirOwnAndLeaveTheWindowsRunsAlone) {
    testing::ScriptedPlatform otherPlatform;
    Trends plain(otherPlatform, RandomSource(7));
    grassAndHares(plain);
    for (Trends* each : {&window, &plain}) {
        each->iter = 20;
        each->lastc2 = 2;
        each->YearbyYear(each->cats);
    }
    EXPECT_FALSE(analyses().shown(AnalysisView::Bands));
    EXPECT_EQ(analyses().revision(AnalysisView::Bands), 0u);  // nothing worked out while off

    const unsigned long projections = window.projectionCount();
    const ChartTable spread = window.chartData(Control::MscVary);
    window.mnuUncertaintyBands_Click();
    EXPECT_EQ(window.projectionCount(), projections);
    EXPECT_TRUE(window.chartData(Control::MscVary) == spread);

    const UncertaintyBands& bands = analyses().bands();
    EXPECT_EQ(bands.runs, 1000);
    EXPECT_EQ(bands.tracked, 2);
    ASSERT_EQ(bands.median().size(), 21u);
    for (std::size_t p = 0; p < 21; ++p) {
        EXPECT_LE(bands.p5()[p], bands.p25()[p]);
        EXPECT_LE(bands.p25()[p], bands.median()[p]);
        EXPECT_LE(bands.median()[p], bands.p75()[p]);
        EXPECT_LE(bands.p75()[p], bands.p95()[p]);
    }
    EXPECT_LT(bands.p5()[20] * 1.2, bands.p95()[20]);  // the hares' fluctuations spread them
    EXPECT_EQ(analyses().bandNames(),
              (std::array<std::string, 3>{"5-95 % of 1000 runs", "25-75 %", "Median"}));

    window.YearbyYear(window.cats);
    plain.YearbyYear(plain.cats);
    EXPECT_TRUE(window.chartData(Control::MscVary) == plain.chartData(Control::MscVary));

    // After every recalculation, for the item it tracks: without one, item 1.
    window.lastc2 = 0;
    window.YearbyYear(window.cats);
    EXPECT_EQ(analyses().bands().tracked, 1);
    ASSERT_EQ(analyses().bands().p95().size(), 21u);
    EXPECT_EQ(analyses().bands().p95()[20], analyses().bands().p5()[20]);  // Grass is certain

    window.mnuUncertaintyBands_Click();
    const unsigned long off = analyses().revision(AnalysisView::Bands);
    window.YearbyYear(window.cats);
    EXPECT_TRUE(analyses().bands().empty());
    EXPECT_EQ(analyses().revision(AnalysisView::Bands), off);
}

// While the Spread chart is behind the Scenario Trends chart, the bands wait until they are
// drawn (or exported), then come from the last recalculation.
TEST_F(AnalysedWindow, BandsWaitWhileTheSpreadChartIsBehind) {
    window.lastc2 = 2;
    window.mnuUncertaintyBands_Click();
    window.bringToFront(Control::mscTrends);  // as a Trend Matrix click does
    const unsigned long before = analyses().revision(AnalysisView::Bands);
    window.HScrollTime_Change(3);
    EXPECT_TRUE(analyses().bandsPending());
    EXPECT_TRUE(analyses().bands().empty());
    EXPECT_EQ(analyses().revision(AnalysisView::Bands), before);

    window.workOutPendingAnalyses();
    EXPECT_FALSE(analyses().bandsPending());
    EXPECT_EQ(analyses().revision(AnalysisView::Bands), before + 1);
    EXPECT_EQ(analyses().bands().years.back(), 2060);
    EXPECT_EQ(analyses().bands().tracked, 2);

    window.workOutPendingAnalyses();  // nothing pending: nothing worked out again
    EXPECT_EQ(analyses().revision(AnalysisView::Bands), before + 1);
    window.bringToFront(Control::MscVary);
    window.HScrollTime_Change(2);  // in front: at once
    EXPECT_FALSE(analyses().bandsPending());
    EXPECT_EQ(analyses().bands().years.back(), 2040);
}

// Raising T(j, Grass) adds to the grass's growth in proportion to item j's level: the hares
// grow (the grass feeds them), the other items stay at 1, and entries of other columns have
// no effect on the grass, so they make no bar.
TEST_F(AnalysedWindow, SensitivityFollowsTheTrackedItemHorizonAndPoliciesWhileOpen) {
    window.YearbyYear(window.cats);
    EXPECT_TRUE(analyses().sensitivity().entries.empty());
    EXPECT_EQ(analyses().revision(AnalysisView::Sensitivity), 0u);

    window.mnuSensitivity_Click();
    EXPECT_EQ(analyses().sensitivity().entries.size(), 64u);
    EXPECT_EQ(analyses().sensitivityTitle(), "Sensitivity of the level of Grass in 2040");
    EXPECT_EQ(analyses().sensitivityAxisTitle(), "Change of the level of Grass in 2040 (2000 = 1)");
    const std::vector<std::string> bars = barNames();
    ASSERT_EQ(bars.size(), 8u);
    for (const std::string& name : bars) {
        EXPECT_EQ(name.substr(name.size() - 9), " -> Grass") << name;
    }
    const auto rank = [&](const std::string& name) {
        return std::find(bars.begin(), bars.end(), name) - bars.begin();
    };
    EXPECT_LT(rank("Hares -> Grass"), rank("Item  3 -> Grass"));
    for (const SensitivityEntry& entry : analyses().sensitivityBars()) {
        EXPECT_GT(entry.effect, 0);
    }

    window.Policy = 1;
    window.lastc2 = 2;
    window.YearbyYear(window.cats);
    EXPECT_EQ(analyses().sensitivityTitle(),
              "Sensitivity of the level of Hares in 2040 (with Policies)");
    window.HScrollTime_Change(-1);
    EXPECT_EQ(analyses().sensitivityTitle(), "Sensitivity of the level of Hares in 1980");

    window.analysisClosed(AnalysisView::Sensitivity);
    const unsigned long closed = analyses().revision(AnalysisView::Sensitivity);
    window.YearbyYear(window.cats);
    EXPECT_TRUE(analyses().sensitivity().entries.empty());
    EXPECT_EQ(analyses().revision(AnalysisView::Sensitivity), closed);
}

// An entry too large for a number makes its row's influence and its column's dependence
// infinite: those items are left out of the map, and the note names them.
TEST_F(AnalysedWindow, InfluenceMapNamesTheItemsItCannotPlace) {
    window.mnuInfluenceMap_Click();
    const InfluenceMap& map = analyses().influence();
    ASSERT_EQ(map.items.size(), 8u);
    EXPECT_EQ(map.items[0].influence, 10);
    EXPECT_EQ(map.items[1].dependence, 10);
    EXPECT_EQ(map.items[0].quadrant, Quadrant::Driving);
    EXPECT_EQ(analyses().influenceNote().substr(0, 5), "Sums ");

    // A recalculation that leaves the Trend Matrix as it was leaves the map as it was.
    const unsigned long drawn = analyses().revision(AnalysisView::InfluenceMap);
    window.HScrollTime_Change(5);
    EXPECT_EQ(analyses().revision(AnalysisView::InfluenceMap), drawn);

    window.MSFlexXImpact().setText(3, 4, "1E400");
    window.YearbyYear(window.cats);
    EXPECT_EQ(analyses().revision(AnalysisView::InfluenceMap), drawn + 1);
    EXPECT_EQ(analyses().influenceNote(), "Left out, not a finite number: Item  3, Item  4");
}

TEST_F(AnalysedWindow, WithoutItemsEveryAnalysisIsEmptyAndSaysSo) {
    window.mnuUncertaintyBands_Click();
    window.mnuSensitivity_Click();
    window.mnuInfluenceMap_Click();
    resizeForItems(window.tables, 0);
    window.cats = ItemCount::number(0);
    window.YearbyYear(window.cats);
    window.workOutPendingAnalyses();

    EXPECT_FALSE(analyses().bandsPending());
    EXPECT_TRUE(analyses().bands().empty());
    EXPECT_EQ(analyses().sensitivityTitle(), "Sensitivity");
    EXPECT_EQ(analyses().sensitivityNote(), "No items");
    EXPECT_TRUE(analyses().sensitivityBars().empty());
    EXPECT_TRUE(analyses().influence().items.empty());
    EXPECT_EQ(analyses().influenceNote(), "No items");
}

}  // namespace
}  // namespace vorn
