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

// Grass feeds the hares (10) and the hares graze the grass down (-2.5): one balancing loop of
// strength sqrt(10 x 2.5) = 5. The policies add a way back through Item 3.
TEST_F(AnalysedWindow, LoopDiagramFollowsTheMatricesAndKeepsTheSelectedLoop) {
    window.mnuLoopDiagram_Click();
    const LoopDiagram& diagram = analyses().loops();
    EXPECT_EQ(diagram.items, 8);
    EXPECT_EQ(analyses().loopTitle(), "Loop Diagram: the feedback loops of the Trend Matrix");
    EXPECT_EQ(analyses().loopNote().substr(0, 9), "No loops:");
    EXPECT_TRUE(diagram.isArrow(0, 1));
    EXPECT_EQ(diagram.linkText(0, 1), "Grass -> Hares: +10");
    window.MSFlexXImpact().setText(2, 2, "-0.123456");
    window.YearbyYear(window.cats);
    EXPECT_EQ(analyses().loopNodeMark(0) + " " + analyses().loopNodeMark(1), "+5 -0.123");
    EXPECT_EQ(analyses().loopNodeMark(2) + analyses().loopNodeMark(8), "");

    window.MSFlexXImpact().setText(2, 1, "-2.5");
    window.YearbyYear(window.cats);
    EXPECT_EQ(analyses().loopRow(0),
              (std::array<std::string, 5>{"B1", "balancing", "2", "5", "Grass -> Hares -> Grass"}));
    EXPECT_EQ(analyses().loopNote(), "1 loop, strongest first");
    EXPECT_EQ(analyses().loopColumnNames()[4], "Items");
    EXPECT_EQ(analyses().selectedLoop(), -1);
    analyses().loopRow(7);  // beyond the list: empty texts
    EXPECT_EQ(analyses().loopRow(7)[0], "");

    // A recalculation that leaves the arrows as they were leaves the diagram as it was.
    const unsigned long drawn = analyses().revision(AnalysisView::LoopDiagram);
    window.HScrollTime_Change(4);
    EXPECT_EQ(analyses().revision(AnalysisView::LoopDiagram), drawn);
    window.loopSelected(0);
    EXPECT_EQ(analyses().selectedLoop(), 0);
    EXPECT_EQ(analyses().revision(AnalysisView::LoopDiagram), drawn + 1);

    // With the policies a stronger loop through Item 3 comes first; the selected one stays.
    window.MSFlexPolicy().setText(2, 3, "20");
    window.MSFlexPolicy().setText(3, 1, "-5");
    window.Policy = 1;
    window.YearbyYear(window.cats);
    EXPECT_EQ(analyses().loopTitle(),
              "Loop Diagram: the feedback loops of the Trend Matrix (with Policies)");
    ASSERT_EQ(diagram.search.loops.size(), 2u);
    EXPECT_EQ(diagram.loopText(diagram.search.loops[0]), "Grass -> Hares -> Item  3 -> Grass");
    EXPECT_EQ(analyses().selectedLoop(), 1);

    // Gone, it is no longer selected, also when it comes back.
    window.MSFlexXImpact().setText(2, 1, "0");
    window.YearbyYear(window.cats);
    EXPECT_EQ(analyses().selectedLoop(), -1);
    window.MSFlexXImpact().setText(2, 1, "-2.5");
    window.YearbyYear(window.cats);
    EXPECT_EQ(analyses().selectedLoop(), -1);

    window.analysisClosed(AnalysisView::LoopDiagram);
    const unsigned long closed = analyses().revision(AnalysisView::LoopDiagram);
    window.YearbyYear(window.cats);
    EXPECT_EQ(analyses().loops().items, 0);
    EXPECT_EQ(analyses().revision(AnalysisView::LoopDiagram), closed);
}

// The Influence Map's choice shows the totals through chains, names how far the chains go
// and marks the items that rank otherwise than directly.
TEST_F(AnalysedWindow, IndirectInfluenceIsAChoiceOfTheInfluenceMap) {
    // Grass -> Hares (10), Hares <-> Item 3 (1 each): Item 3's dependence ranks second
    // directly and shares the first rank through the chains, which alternate.
    window.MSFlexXImpact().setText(2, 3, "1");
    window.MSFlexXImpact().setText(3, 2, "1");
    window.YearbyYear(window.cats);
    window.mnuInfluenceMap_Click();
    const unsigned long direct = analyses().revision(AnalysisView::InfluenceMap);
    EXPECT_FALSE(analyses().indirectInfluence());
    EXPECT_EQ(analyses().influenceModeNames()[1], "Indirect");
    const InfluenceItem& item3 = analyses().influence().items[2];
    EXPECT_FALSE(analyses().influenceMarked(item3));
    EXPECT_EQ(analyses().influenceRankText(item3), "");

    window.influenceModeChosen(true);
    EXPECT_EQ(analyses().revision(AnalysisView::InfluenceMap), direct + 1);
    window.influenceModeChosen(true);
    EXPECT_EQ(analyses().revision(AnalysisView::InfluenceMap), direct + 1);
    EXPECT_EQ(analyses().shownDependence(item3), item3.indirectDependence);
    EXPECT_TRUE(analyses().influenceMarked(item3));
    EXPECT_EQ(analyses().influenceRankText(item3),
              "Ranks 2nd in influence (directly 2nd), 1st in dependence (directly 2nd)");
    EXPECT_EQ(analyses().influenceNote(),
              "Chains of 4 to 5 links averaged, as the ranking alternates; ringed items rank "
              "otherwise than directly");
    EXPECT_EQ(analyses().influenceAxisTitle().substr(0, 18), "Indirect influence");
    EXPECT_EQ(analyses().influenceTitle().substr(0, 25), "Influence through chains:");

    // The choice stays while the program runs, through closing and opening the window.
    window.analysisClosed(AnalysisView::InfluenceMap);
    window.mnuInfluenceMap_Click();
    EXPECT_TRUE(analyses().indirectInfluence());
    window.influenceModeChosen(false);
    EXPECT_EQ(analyses().shownDependence(analyses().influence().items[2]), 1);
}

TEST_F(AnalysedWindow, WithoutItemsEveryAnalysisIsEmptyAndSaysSo) {
    window.mnuUncertaintyBands_Click();
    window.mnuSensitivity_Click();
    window.mnuInfluenceMap_Click();
    window.mnuLoopDiagram_Click();
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
    EXPECT_EQ(analyses().loops().items, 0);
    EXPECT_EQ(analyses().loopNote(), "No items");
}

}  // namespace
}  // namespace vorn
